#include "platform/Controls.h"

#include <QApplication>
#include <QCursor>
#include <QPaintEvent>
#include <QPainter>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <map>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "platform/Forms.h"
#include "platform/Menus.h"
#include "platform/SysUtils.h"
#include "platform/TimeSource.h"
#include "platform/qt/ControlBackend.h"
#include "platform/qt/Timers.h"

// ---------------------------------------------------------------------------------------------
// Process-wide state of the control layer.
namespace {

std::unordered_set<const TControl*>& LiveControls() {
  static std::unordered_set<const TControl*> s;
  return s;
}

TControl* g_capture = nullptr;
TPoint g_cursorPos;
bool g_shift = false, g_ctrl = false, g_alt = false, g_altGr = false;
bool g_lbutton = false, g_rbutton = false, g_mbutton = false;

}  // namespace

// ---------------------------------------------------------------------------------------------
// Key state.
short GetKeyState(int vk) {
  bool down = false;
  switch (vk) {
    case VK_SHIFT: case VK_LSHIFT: down = g_shift; break;
    case VK_CONTROL: case VK_LCONTROL: down = g_ctrl; break;
    case VK_MENU: case VK_LMENU: down = g_alt; break;
    case VK_RMENU: down = g_altGr; break;
    case VK_LBUTTON: down = g_lbutton; break;
    case VK_RBUTTON: down = g_rbutton; break;
    case VK_MBUTTON: down = g_mbutton; break;
    default: break;
  }
  return down ? static_cast<short>(0x8000) : 0;
}

TShiftState CurrentShiftState() {
  TShiftState s;
  if (g_shift) s.Include(ssShift);
  if (g_ctrl) s.Include(ssCtrl);
  if (g_alt) s.Include(ssAlt);
  if (g_lbutton) s.Include(ssLeft);
  if (g_rbutton) s.Include(ssRight);
  if (g_mbutton) s.Include(ssMiddle);
  return s;
}

TShiftState KeyDataToShiftState(intptr_t keyData) {
  TShiftState s;
  if (g_shift) s.Include(ssShift);
  if (g_ctrl) s.Include(ssCtrl);
  if (static_cast<uint32_t>(keyData) & KF_ALTDOWN) s.Include(ssAlt);
  return s;
}

TShiftState KeysToShiftState(unsigned keys) {
  TShiftState s;
  if (keys & MK_SHIFT) s.Include(ssShift);
  if (keys & MK_CONTROL) s.Include(ssCtrl);
  if (keys & MK_LBUTTON) s.Include(ssLeft);
  if (keys & MK_RBUTTON) s.Include(ssRight);
  if (keys & MK_MBUTTON) s.Include(ssMiddle);
  if (g_alt) s.Include(ssAlt);
  return s;
}

static unsigned ShiftToKeys(TShiftState s) {
  unsigned k = 0;
  if (s.Contains(ssShift)) k |= MK_SHIFT;
  if (s.Contains(ssCtrl)) k |= MK_CONTROL;
  if (s.Contains(ssLeft)) k |= MK_LBUTTON;
  if (s.Contains(ssRight)) k |= MK_RBUTTON;
  if (s.Contains(ssMiddle)) k |= MK_MBUTTON;
  return k;
}

// ---------------------------------------------------------------------------------------------
// Qt side.
ConfWidget::ConfWidget(TControl* control, QWidget* parent) : QWidget(parent), control_(control) {
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
}

void ConfWidget::paintEvent(QPaintEvent* e) {
  if (!control_) return;
  QPainter p(this);
  // The update region as the painter's clip, so RectVisible answers as on the class library's
  // home platform and painters can skip what is not being repainted.
  if (e->region() != QRegion(rect())) p.setClipRegion(e->region());
  try {
    control_->PaintTo(&p);
  } catch (...) {
    // Painting never raises to the user.
  }
}

namespace {


}  // namespace

namespace confqt {

void EnsureApp() {
  if (!QCoreApplication::instance()) {
    // One logical pixel is one device pixel, whatever the screen's density.
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    qputenv("QT_SCALE_FACTOR", "1");
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::Floor);
  }
  EnsureQtGuiApplication();
  InstallInputFilter();
  SetMessageWaker();
}

// The control of each widget, kept beside Qt rather than as a dynamic property of the widget:
// setting one sends the widget an event and reading one first searches the class's static
// properties by name, on every event the input filter looks at.
namespace {
std::unordered_map<const QObject*, TControl*>& WidgetControls() {
  static std::unordered_map<const QObject*, TControl*> m;
  return m;
}
}  // namespace

void Register(QWidget* w, TControl* c) { WidgetControls()[w] = c; }

void Unregister(QWidget* w) { WidgetControls().erase(w); }

TControl* ControlOf(QObject* o) {
  auto& tags = WidgetControls();
  for (; o; o = o->parent()) {
    auto it = tags.find(o);
    if (it != tags.end()) {
      TControl* c = it->second;
      // Only a live control's current widget carries its tag; anything else is a widget that
      // went without its control (its address may since serve another object).
      if (IsAlive(c) && c->ExistingWidget() == o) return c;
      tags.erase(it);
    }
    // A popup or dialog of Qt's own (combo list, message box) is not ours.
    if (o->isWidgetType() && static_cast<QWidget*>(o)->isWindow()) return nullptr;
  }
  return nullptr;
}

bool IsAlive(const TControl* c) { return c && LiveControls().count(c) != 0; }

}  // namespace confqt


// ---------------------------------------------------------------------------------------------
// TControl
TControl::TControl(TComponent* AOwner) : TComponent(AOwner), font_(std::make_unique<TFont>()),
                                         backend_(std::make_unique<TControlBackend>()) {
  // A control asks about what it refers to (its popup menu, its action) with FreeNotification.
  SetHearsSiblings(false);
  LiveControls().insert(this);
  color_ = clWindow;
  font_->OnChange = [this](TObject*) {
    if (!inheritingFont_) parentFont_ = false;
    Perform(CM_FONTCHANGED, 0, 0);
  };
}

TControl::~TControl() {
  LiveControls().erase(this);
  if (g_capture == this) g_capture = nullptr;
  confdrag::ControlGone(this);
  // A control going away takes its hint with it (a new control at the same address must not
  // be taken for it).
  if (customHintShow_ && Application && Application->HintControl() == this) Application->CancelHint();
  conftimers::KillAll(this);
  confqt::DropPostedMessages(this);
  if (parent_) parent_->RemoveControl(this);
  parent_ = nullptr;
  if (backend_->widget) {
    QWidget* w = backend_->widget;
    if (auto* cw = dynamic_cast<ConfWidget*>(w)) cw->Detach();
    confqt::Unregister(w);
    if (backend_->goesWithParentWidget) {
      // The parent's widget goes next and takes this one with it: hiding and unparenting each
      // child first would walk the focus chain and make each a window for a moment. Until then
      // nothing of it may reach this control (blocking its signals costs less than cutting them).
      w->blockSignals(true);
    } else {
      w->hide();
      // Qt reparents even to the parent a widget already has, at the cost of a walk over all
      // the widgets below it.
      if (w->parentWidget()) w->setParent(nullptr);
      // Inside event handling the widget may be the one whose event is running: delete it later.
      if (confqt::InDispatch()) w->deleteLater();
      else delete w;
    }
  }
  font_->OnChange = nullptr;
}

bool TControl::IsDestroying() const { return ComponentState().Contains(TComponentStateFlag::csDestroying); }

void TControl::SetParent(TWinControl* AParent) {
  if (AParent) {
    TWinControl* holder = AParent->ChildParent();
    if (holder && holder != this) AParent = holder;
  }
  if (AParent == parent_) return;
  if (AParent == this) throw Exception(u"A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  parent_ = nullptr;
  if (AParent) AParent->InsertControl(this);
  QWidget* w = backend_->widget;
  if (w) {
    if (parent_) {
      w->setParent(parent_->Widget());
      SyncGeometry();
      w->setVisible(visible_);
    } else {
      w->hide();
      w->setParent(nullptr);
    }
  }
  if (parent_) {
    if (parentShowHint_) SyncHint();
    if (parentFont_) ParentFontChanged();
    if (parentColor_) ParentColorChanged();
    if (parentBiDiMode_) ParentBiDiModeChanged();
    // Under a parent without a widget this one is made with the parent's, when that is first
    // needed (shown, painted, asked for); under one that has its widget it is made now, after
    // the parent's look has come down, so it is given it once.
    if (!w && parent_->backend_->widget && !parent_->backend_->childrenDeferred) Widget();
  }
  // Qt hands the new parent's font and colours down to a widget that has none of its own.
  if (w) SyncLook();
  if (parent_) {
    if (align_ != alNone) parent_->AlignControls();
    TRect pc = parent_->ClientRect();
    anchorRight_ = pc.Width() - (left_ + width_);
    anchorBottom_ = pc.Height() - (top_ + height_);
  }
}

QWidget* TControl::ExistingWidget() const { return backend_->widget; }

QWidget* TControl::Widget() {
  if (backend_->widget || backend_->creating) return backend_->widget;
  // The parent's widget makes those of all its children, in their stacking order, this one
  // among them.
  if (parent_ && !parent_->backend_->widget && !parent_->backend_->creating) {
    parent_->Widget();
    if (backend_->widget) return backend_->widget;
  }
  // Under a hidden parent all its children are made together, in their stacking order.
  if (parent_ && parent_->backend_->childrenDeferred) {
    TControlBackend::CreateDeferredChildren(parent_);
    if (backend_->widget) return backend_->widget;
  }
  confqt::EnsureApp();
  backend_->creating = true;
  QWidget* pw = parent_ ? parent_->Widget() : nullptr;
  QWidget* w = CreateWidget(pw);
  backend_->widget = w;
  confqt::Register(w, this);
  for (QObject* ch : w->findChildren<QWidget*>()) {
    auto* cw = static_cast<QWidget*>(ch);
    cw->setFocusPolicy(Qt::NoFocus);
  }
  backend_->creating = false;
  if (backend_->exStyle & WS_EX_TRANSPARENT) w->setAttribute(Qt::WA_TransparentForMouseEvents, true);
  SyncContextMenuPolicy();
  SyncWidget();
  SyncGeometry();
  // Qt shows a child that was never hidden together with its parent widget, so a visible
  // control made inside a parent widget not shown yet needs no call (and no event) of its own.
  if (parent_ && (!visible_ || !pw || pw->isVisible())) w->setVisible(visible_);
  if (auto* self = dynamic_cast<TWinControl*>(this)) {
    // A hidden control's children wait until it shows: a form holding many hidden panels then
    // pays only for what it shows.
    if (parent_ && !visible_ && !self->controls_.empty()) backend_->childrenDeferred = true;
    else TControlBackend::CreateDeferredChildren(this);
  }
  return backend_->widget;
}

void TControlBackend::CreateDeferredChildren(TControl* Control) {
  auto* self = dynamic_cast<TWinControl*>(Control);
  TControlBackend& b = *Control->backend_;
  if (!self || !b.widget) return;
  const bool wasDeferred = b.childrenDeferred;
  b.childrenDeferred = false;
  bool someExisted = false;
  // By index: a child's creation may add controls (they are made at once, the parent's widget
  // being there) or take some away.
  for (int i = 0; i < self->ControlCount(); ++i) {
    TControl* c = self->Controls(i);
    if (!c->backend_->widget) c->Widget();
    else someExisted = true;
  }
  // A child that came with its widget (moved here) sits where the stacking order puts it.
  if (wasDeferred && someExisted) {
    for (int i = 0; i < self->ControlCount(); ++i)
      if (QWidget* w = self->Controls(i)->backend_->widget) w->raise();
  }
}

void TControl::SyncContextMenuPolicy() {
  // A native control's own menu (an edit's cut/copy/paste) gives way to a menu set on it.
  if (QWidget* w = backend_->widget)
    if (backend_->nativeInput) w->setContextMenuPolicy(popupMenu_ ? Qt::NoContextMenu : Qt::DefaultContextMenu);
}

QWidget* TControl::CreateWidget(QWidget* parentWidget) { return new ConfWidget(this, parentWidget); }

// Each call gives the widget only what differs from what it already has: a control's state is
// synchronised after every change of it, and Qt answers every setter with events (a font change
// even makes a combo box build its drop-down list).
void TControl::SyncWidget() {
  QWidget* w = backend_->widget;
  if (!w) return;
  if (w->testAttribute(Qt::WA_ForceDisabled) == enabled_) w->setEnabled(enabled_);
  SyncLook();
  confqt::ApplyCursor(this, w);
  const QString tip = ShowHint() && !customHintShow_ ? QString::fromStdU16String(hint_) : QString();
  if (w->toolTip() != tip) w->setToolTip(tip);
  w->update();
}

namespace {
bool SameFace(const TFont& a, const TFont& b) {
  return a.Name() == b.Name() && a.Height() == b.Height() && a.Style() == b.Style() && a.Pitch() == b.Pitch();
}

// A widget's palette with the control's colours. The controls of one parent start from the same
// palette and mostly ask for the same colours, and each colour set on a palette compares and
// copies a brush per colour group: made once per starting palette (its cache key names its
// brushes; its resolve mask and current group go with it) and pair of colours.
QPalette LookPalette(const QPalette& from, TColor ground, TColor ink) {
  using Key = std::tuple<qint64, quint64, int, TColor, TColor>;
  // Never destroyed, as the font caches: nothing of Qt's may outlive the application at exit.
  static auto* made = new std::map<Key, QPalette>;
  const Key k{from.cacheKey(), static_cast<quint64>(from.resolveMask()), static_cast<int>(from.currentColorGroup()),
              ground, ink};
  auto it = made->find(k);
  if (it != made->end()) return it->second;
  QPalette pal = from;
  pal.setColor(QPalette::Window, ToQColor(ground));
  pal.setColor(QPalette::Base, ToQColor(ground));
  pal.setColor(QPalette::WindowText, ToQColor(ink));
  pal.setColor(QPalette::Text, ToQColor(ink));
  pal.setColor(QPalette::ButtonText, ToQColor(ink));
  if (made->size() >= 64) made->clear();
  made->emplace(k, pal);
  return pal;
}
}  // namespace

void TControl::SyncLook() {
  QWidget* w = backend_->widget;
  if (!w) return;
  TAppliedLook& look = backend_->look;
  // Qt hands a parent widget's font and colours down to the widgets below it that have none of
  // their own; every widget shows its control's look, so the parent's widget shows the parent's.
  const bool handedDown = parent_ && !w->isWindow() && w->parentWidget() &&
                          w->parentWidget() == parent_->ExistingWidget();
  const TFont& f = *font_;
  const bool fontHandedDown = handedDown && SameFace(f, *parent_->font_);
  const bool fontShown = look.ownFont ? look.fontName == f.Name() && look.fontHeight == f.Height() &&
                                            look.fontStyle == f.Style() && look.fontPitch == f.Pitch()
                                      : fontHandedDown;
  if (!fontShown) {
    w->setFont(ToQFont(f));
    look.ownFont = true;
    look.fontName = f.Name();
    look.fontHeight = f.Height();
    look.fontStyle = f.Style();
    look.fontPitch = f.Pitch();
  }
  const TColor ground = color_, ink = f.Color();
  const bool paletteHandedDown = handedDown && ground == parent_->color_ && ink == parent_->font_->Color();
  const bool paletteShown = look.ownPalette ? look.ground == ground && look.ink == ink : paletteHandedDown;
  if (!paletteShown) {
    w->setPalette(LookPalette(w->palette(), ground, ink));
    look.ownPalette = true;
    look.ground = ground;
    look.ink = ink;
  }
}

void TControl::SyncGeometry() {
  QWidget* w = backend_->widget;
  if (!w || w->isWindow()) return;
  const int inset = parent_ ? parent_->ClientInset() : 0;
  w->setGeometry(left_ + inset, top_ + inset, std::max(0, width_), std::max(0, ShownHeight()));
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  AWidth = std::max(0, AWidth);
  AHeight = std::max(0, AHeight);
  bool sized = AWidth != width_ || AHeight != height_;
  bool moved = ALeft != left_ || ATop != top_;
  if (!sized && !moved) return;
  left_ = ALeft;
  top_ = ATop;
  width_ = AWidth;
  height_ = AHeight;
  SyncGeometry();
  if (parent_ && !parent_->aligning_) {
    TRect pc = parent_->ClientRect();
    anchorRight_ = pc.Width() - (left_ + width_);
    anchorBottom_ = pc.Height() - (top_ + height_);
    if (align_ != alNone) parent_->AlignControls();
  }
  if (sized) Perform(WM_SIZE, 0, MakeLParam(width_, height_));
  if (confqt::HasCallWndProcHooks() && dynamic_cast<TWinControl*>(this))
    confqt::RunCallWndProcHooks(this, TMessage{WM_WINDOWPOSCHANGED, 0, 0, 0});
  Invalidate();
}

TRect TControl::BoundsRect() const { return Rect(left_, top_, left_ + width_, top_ + height_); }
void TControl::SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
TRect TControl::ClientRect() const {
  const int inset = ClientInset();
  return Rect(0, 0, std::max(0, width_ - 2 * inset), std::max(0, height_ - 2 * inset));
}
void TControl::SetClientWidth(int v) { SetWidth(v + (width_ - ClientRect().Width())); }
void TControl::SetClientHeight(int v) { SetHeight(v + (height_ - ClientRect().Height())); }

TPoint TControl::ClientOrigin() const {
  const int inset = ClientInset();
  if (!parent_) return Point(left_ + inset, top_ + inset);
  TPoint p = parent_->ClientOrigin();
  return Point(p.X + left_ + inset, p.Y + top_ + inset);
}
TPoint TControl::ClientToScreen(TPoint p) const {
  TPoint o = ClientOrigin();
  return Point(p.X + o.X, p.Y + o.Y);
}
TPoint TControl::ScreenToClient(TPoint p) const {
  TPoint o = ClientOrigin();
  return Point(p.X - o.X, p.Y - o.Y);
}

void TControl::SetAlign(TAlign a) {
  if (a == align_) return;
  align_ = a;
  if (parent_) parent_->AlignControls();
}

void TControl::SetAnchors(TAnchors a) {
  anchors_ = a;
  if (parent_) {
    TRect pc = parent_->ClientRect();
    anchorRight_ = pc.Width() - (left_ + width_);
    anchorBottom_ = pc.Height() - (top_ + height_);
  }
}

namespace {

// Takes the form's focus away when it lies on c or below it (a form keeps its own).
void Drop_Focus_Within(TControl* c) {
  if (TForm* f = GetParentForm(c)) {
    auto* self = dynamic_cast<TWinControl*>(c);
    if (self && f != c && f->FocusedControl() && self->ContainsControl(f->FocusedControl())) f->FocusControl(nullptr);
  }
}

}  // namespace

bool TControl::Showing() const {
  for (const TControl* c = this; c; c = c->parent_) {
    if (!c->visible_) return false;
    if (!c->parent_ && !dynamic_cast<const TForm*>(c)) return false;
  }
  return true;
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (!v) Drop_Focus_Within(this);  // the focus leaves a control before it disappears
  visible_ = v;
  if (v && backend_->childrenDeferred) TControlBackend::CreateDeferredChildren(this);
  if (backend_->widget && parent_) backend_->widget->setVisible(v);
  Perform(CM_VISIBLECHANGED, v ? 1 : 0, 0);
  if (parent_ && align_ != alNone) parent_->AlignControls();
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  if (!v) Drop_Focus_Within(this);
  enabled_ = v;
  if (backend_->widget) backend_->widget->setEnabled(v);
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetColor(TColor c) {
  parentColor_ = false;
  if (c == color_) return;
  color_ = c;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  if (color_ != parent_->color_) {
    color_ = parent_->color_;
    Perform(CM_COLORCHANGED, 0, 0);
  }
}

void TControl::SetFont(TFont* f) {
  if (f) font_->Assign(f);
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v) ParentFontChanged();
}

void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  inheritingFont_ = true;
  try {
    font_->Assign(parent_->font_.get());
  } catch (...) {
    inheritingFont_ = false;
    throw;
  }
  inheritingFont_ = false;
}

void TControl::SetPopupMenu(TPopupMenu* Menu) {
  if (Menu == popupMenu_) return;
  if (popupMenu_) popupMenu_->RemoveFreeNotification(this);
  popupMenu_ = Menu;
  if (Menu) Menu->FreeNotification(this);
  SyncContextMenuPolicy();
}

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == popupMenu_) {
    popupMenu_ = nullptr;
    if (!IsDestroying()) SyncContextMenuPolicy();
  }
}

void TControl::SetBiDiMode(TBiDiMode v) {
  parentBiDiMode_ = false;
  if (biDiMode_ == v) return;
  biDiMode_ = v;
  Perform(CM_BIDIMODECHANGED, 0, 0);
}

void TControl::SetParentBiDiMode(bool v) {
  if (parentBiDiMode_ == v) return;
  parentBiDiMode_ = v;
  if (v) ParentBiDiModeChanged();
}

void TControl::ParentBiDiModeChanged() {
  if (!parentBiDiMode_ || !parent_) return;
  SetBiDiMode(parent_->BiDiMode());
  parentBiDiMode_ = true;  // SetBiDiMode cleared it
}

bool TControl::IsRightToLeft() const { return IsMiddleEastLocale() && biDiMode_ != bdLeftToRight; }
bool TControl::UseRightToLeftAlignment() const { return IsMiddleEastLocale() && biDiMode_ == bdRightToLeft; }
bool TControl::UseRightToLeftReading() const { return IsMiddleEastLocale() && biDiMode_ != bdLeftToRight; }
bool TControl::UseRightToLeftScrollBar() const {
  return IsMiddleEastLocale() && (biDiMode_ == bdRightToLeft || biDiMode_ == bdRightToLeftNoAlign);
}

unsigned TControl::DrawTextBiDiModeFlags(unsigned Flags) const {
  unsigned r = Flags;
  if (UseRightToLeftAlignment()) {
    if ((Flags & DT_RIGHT) == DT_RIGHT) r &= ~DT_RIGHT;
    else if ((Flags & DT_CENTER) == 0) r |= DT_RIGHT;
  }
  return r | DrawTextBiDiModeFlagsReadingOnly();
}

unsigned TControl::DrawTextBiDiModeFlagsReadingOnly() const { return UseRightToLeftReading() ? DT_RTLREADING : 0; }

bool TControl::ShowHint() const {
  if (parentShowHint_ && parent_) return parent_->ShowHint();
  return showHint_;
}

void TControl::SyncHint() {
  if (QWidget* w = backend_->widget)
    w->setToolTip(ShowHint() && !customHintShow_ ? QString::fromStdU16String(hint_) : QString());
  if (auto* wc = dynamic_cast<TWinControl*>(this)) {
    for (TControl* c : wc->controls_) {
      if (c->parentShowHint_) c->SyncHint();
    }
  }
}

void TControl::SetCursor(TCursor c) {
  cursor_ = c;
  if (backend_->widget) confqt::ApplyCursor(this, backend_->widget);
}

void TControl::SetText(const String& s) {
  if (s == text_) return;
  text_ = s;
  Perform(CM_TEXTCHANGED, 0, 0);
}

intptr_t TControl::Perform(unsigned Msg, uintptr_t WParam, intptr_t LParam) {
  TMessage m{Msg, WParam, LParam, 0};
  if (windowProc_) {
    // A copy: the handler may replace itself while it runs.
    TWndMethod handler = windowProc_;
    handler(m);
  } else {
    WndProc(m);
  }
  return m.Result;
}

TControl::TWndMethod TControl::WindowProc() {
  if (windowProc_) return windowProc_;
  return [this](TMessage& m) { WndProc(m); };
}

void TControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_SETCURSOR:
      SetCursorNow(this, cursor_);
      m.Result = 1;
      return;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      TMouseButton b = m.Msg == WM_LBUTTONDOWN ? mbLeft : m.Msg == WM_RBUTTONDOWN ? mbRight : mbMiddle;
      if (b == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
        if (controlStyle_.Contains(csClickEvents)) controlState_.Include(csClicked);
      }
      MouseDown(b, KeysToShiftState(static_cast<unsigned>(m.WParam)), LParamX(m.LParam), LParamY(m.LParam));
      return;
    }
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: {
      TMouseButton b = m.Msg == WM_LBUTTONDBLCLK ? mbLeft : m.Msg == WM_RBUTTONDBLCLK ? mbRight : mbMiddle;
      if (!controlStyle_.Contains(csDoubleClicks)) {
        // Without double clicks the second click is an ordinary press.
        m.Msg = b == mbLeft ? WM_LBUTTONDOWN : b == mbRight ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
        WndProc(m);
        return;
      }
      if (b == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(true);
        if (controlStyle_.Contains(csClickEvents)) DblClick();
      }
      MouseDown(b, KeysToShiftState(static_cast<unsigned>(m.WParam)) | ssDouble, LParamX(m.LParam),
                LParamY(m.LParam));
      return;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
      TMouseButton b = m.Msg == WM_LBUTTONUP ? mbLeft : m.Msg == WM_RBUTTONUP ? mbRight : mbMiddle;
      int x = LParamX(m.LParam), y = LParamY(m.LParam);
      if (b == mbLeft) {
        if (controlStyle_.Contains(csCaptureMouse)) SetMouseCapture(false);
        if (controlState_.Contains(csClicked)) {
          controlState_.Exclude(csClicked);
          if (PtInRect(ClientRect(), Point(x, y))) Click();
          if (!confqt::IsAlive(this)) return;
        }
      }
      MouseUp(b, KeysToShiftState(static_cast<unsigned>(m.WParam)), x, y);
      if (b == mbRight && confqt::IsAlive(this)) {
        // The window system's default answer to a right button release.
        TPoint sp = ClientToScreen(Point(x, y));
        Perform(WM_CONTEXTMENU, 0, MakeLParam(sp.X, sp.Y));
      }
      return;
    }
    case WM_CONTEXTMENU: {
      if (popupMenu_ && popupMenu_->AutoPopup()) {
        TPoint sp = Point(LParamX(m.LParam), LParamY(m.LParam));
        if (sp.X == -1 && sp.Y == -1) sp = ClientToScreen(Point(0, 0));  // from the keyboard
        popupMenu_->SetPopupComponent(this);
        popupMenu_->Popup(sp.X, sp.Y);
        m.Result = 1;
      } else if (parent_ && !backend_->nativeInput) {
        // A native control without a menu of ours shows its own; others ask their parent.
        m.Result = parent_->Perform(WM_CONTEXTMENU, m.WParam, m.LParam);
      }
      return;
    }
    case WM_MOUSEMOVE:
      if (customHintShow_ && Application) Application->HintMouseMessage(this, Point(LParamX(m.LParam), LParamY(m.LParam)));
      MouseMove(KeysToShiftState(static_cast<unsigned>(m.WParam)), LParamX(m.LParam), LParamY(m.LParam));
      return;
    case CM_MOUSEENTER:
      if (m.LParam == 0 || m.LParam == reinterpret_cast<intptr_t>(this)) {
        mouseInside_ = true;
        if (OnMouseEnter) OnMouseEnter(this);
      }
      return;
    case CM_MOUSELEAVE:
      if (m.LParam == 0 || m.LParam == reinterpret_cast<intptr_t>(this)) {
        if (Application && Application->HintControl() == this) Application->CancelHint();
        mouseInside_ = false;
        if (OnMouseLeave) OnMouseLeave(this);
      }
      return;
    case WM_MOUSEWHEEL: {
      // The focused control of the form gets the first offer; unhandled, it climbs the parents.
      TControl* target = this;
      if (TForm* f = GetParentForm(this)) {
        if (f->FocusedControl()) target = f->FocusedControl();
      }
      m.Result = target->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
      return;
    }
    case CM_MOUSEWHEEL: {
      int delta = static_cast<int16_t>((m.WParam >> 16) & 0xFFFF);
      TShiftState s = KeysToShiftState(static_cast<unsigned>(m.WParam & 0xFFFF));
      if (DoMouseWheel(s, delta, Point(LParamX(m.LParam), LParamY(m.LParam)))) {
        m.Result = 1;
      } else if (parent_) {
        m.Result = parent_->Perform(CM_MOUSEWHEEL, m.WParam, m.LParam);
      }
      return;
    }
    case WM_SIZE: {
      // A filter may remove itself or others while the list is walked.
      auto filters = resizeFilters_;
      for (auto& f : filters) {
        bool still = false;
        for (auto& g : resizeFilters_) still = still || g.first == f.first;
        if (still) f.second(this);
      }
      Resize();
      return;
    }
    case CM_FONTCHANGED:
    case CM_COLORCHANGED:
    case CM_ENABLEDCHANGED:
    case CM_TEXTCHANGED:
      SyncWidget();
      Invalidate();
      return;
    case CM_PARENTFONTCHANGED:
      ParentFontChanged();
      // A widget that was handed the parent's old font down keeps its own now.
      SyncLook();
      return;
    case CM_PARENTCOLORCHANGED:
      ParentColorChanged();
      SyncLook();
      return;
    case CM_PARENTBIDIMODECHANGED:
      ParentBiDiModeChanged();
      return;
    case CM_BIDIMODECHANGED:
    case CM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      Invalidate();
      return;
    case WM_SETREDRAW:
      // Off: the window keeps its pixels and ignores paint requests until it is switched on.
      if (QWidget* w = backend_->widget) w->setUpdatesEnabled(m.WParam != 0);
      return;
    default:
      return;
  }
}

void TControl::Invalidate() {
  if (backend_->widget) backend_->widget->update();
}

uint32_t GetWindowExStyle(const TControl* Control) { return Control ? Control->Backend()->exStyle : 0; }

void SetWindowExStyle(TControl* Control, uint32_t ExStyle) {
  if (!Control) return;
  Control->Backend()->exStyle = ExStyle;
  if (QWidget* w = Control->ExistingWidget())
    w->setAttribute(Qt::WA_TransparentForMouseEvents, (ExStyle & WS_EX_TRANSPARENT) != 0);
}

void InvalidateRect(TControl* Control, const TRect& R, bool Erase) {
  (void)Erase;  // Qt repaints a marked area from its background anyway
  QWidget* w = Control ? Control->ExistingWidget() : nullptr;
  const int inset = Control ? Control->ClientInset() : 0;
  if (w && R.Right > R.Left && R.Bottom > R.Top) w->update(QRect(R.Left + inset, R.Top + inset, R.Width(), R.Height()));
}

void TControl::Repaint() {
  if (backend_->widget && Showing()) backend_->widget->repaint();
}

void TControl::Update() {
  // As the window system's update: what is invalid is painted now, nothing else. Qt keeps the
  // invalid region with the window until its posted update request runs; this runs it.
  if (!backend_->widget || !Showing()) return;
  QWidget* top = backend_->widget->window();
  QCoreApplication::sendPostedEvents(top, QEvent::UpdateRequest);
  if (QWindow* handle = top->windowHandle()) QCoreApplication::sendPostedEvents(handle, QEvent::UpdateRequest);
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}
void TControl::MouseMove(TShiftState Shift, int X, int Y) {
  if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}
void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}
bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) {
  bool handled = false;
  if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, handled);
  return handled;
}
void TControl::InstallResizeFilter(const void* Key, std::function<void(TControl* Sender)> Filter) {
  RemoveResizeFilter(Key);
  resizeFilters_.emplace_back(Key, std::move(Filter));
}

void TControl::RemoveResizeFilter(const void* Key) {
  std::erase_if(resizeFilters_, [Key](const auto& f) { return f.first == Key; });
}

void TControl::Resize() {
  if (OnResize) OnResize(this);
}

void TControl::BringToFront() {
  if (parent_) {
    auto& v = parent_->controls_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.push_back(this);
  }
  if (backend_->widget) backend_->widget->raise();
}

void TControl::SendToBack() {
  if (parent_) {
    auto& v = parent_->controls_;
    v.erase(std::remove(v.begin(), v.end(), this), v.end());
    v.insert(v.begin(), this);
  }
  if (backend_->widget) backend_->widget->lower();
}

bool TControl::MouseCapture() const { return g_capture == this; }
void TControl::SetMouseCapture(bool v) {
  if (v) SetCapture(this);
  else if (g_capture == this) ReleaseCapture();
}

void TControl::PaintTo(void* qpainter) {
  auto* p = static_cast<QPainter*>(qpainter);
  if (color_ != clNone) p->fillRect(0, 0, width_, height_, ToQColor(color_));
}

// ---------------------------------------------------------------------------------------------
// TWinControl
TWinControl::TWinControl(TComponent* AOwner) : TControl(AOwner) {
  controlStyle_.Include(csAcceptsControls);
}

TWinControl::~TWinControl() {
  // The class library destroys the child controls with their parent.
  destroyingChildren_ = true;
  QWidget* own = backend_->widget;
  while (!controls_.empty()) {
    TControl* c = controls_.back();
    RemoveControl(c);
    if (QWidget* w = c->backend_->widget; own && w && w->parentWidget() == own) c->backend_->goesWithParentWidget = true;
    delete c;
  }
}

bool TWinControl::ContainsControl(const TControl* c) const {
  for (; c; c = c->Parent()) {
    if (c == this) return true;
  }
  return false;
}

void TWinControl::InsertControl(TControl* c) {
  c->parent_ = this;
  controls_.push_back(c);
  if (auto* w = dynamic_cast<TWinControl*>(c)) tabList_.push_back(w);
}

void TWinControl::RemoveControl(TControl* c) {
  if (TForm* f = GetParentForm(this)) {
    auto* w = dynamic_cast<TWinControl*>(c);
    // A control being destroyed is no TWinControl any more by now: it is compared as itself.
    const bool focusedGoes = f->FocusedControl() && static_cast<TControl*>(f->FocusedControl()) == c;
    if (focusedGoes || (w && f->FocusedControl() && w->ContainsControl(f->FocusedControl()))) f->FocusControl(nullptr);
    if (f->activeControl_ && (static_cast<TControl*>(f->activeControl_) == c ||
                              (w && w->ContainsControl(f->activeControl_))))
      f->activeControl_ = nullptr;
  }
  controls_.erase(std::remove(controls_.begin(), controls_.end(), c), controls_.end());
  tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), c), tabList_.end());
  if (c->parent_ == this) c->parent_ = nullptr;
  // The others are not laid out again while they all go.
  if (c->align_ != alNone && !destroyingChildren_) AlignControls();
}

int TWinControl::TabOrder() const {
  if (!parent_) return -1;
  auto& v = parent_->tabList_;
  auto it = std::find(v.begin(), v.end(), this);
  return it == v.end() ? -1 : static_cast<int>(it - v.begin());
}

void TWinControl::SetTabOrder(int v) {
  if (!parent_) return;
  auto& list = parent_->tabList_;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
  if (v < 0) v = 0;
  if (v > static_cast<int>(list.size())) v = static_cast<int>(list.size());
  list.insert(list.begin() + v, this);
}

std::vector<TWinControl*> TWinControl::TabList() const { return tabList_; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() && !dynamic_cast<const TForm*>(c)) return false;
    if (!c->Enabled()) return false;
  }
  return GetParentForm(this) != nullptr;
}

void TWinControl::SetFocus() {
  TForm* f = GetParentForm(this);
  if (!f) return;
  if (f == this) {
    f->FocusControl(nullptr);
    return;
  }
  if (!CanFocus()) throw Exception(u"Cannot focus a disabled or invisible window");
  f->FocusControl(this);
}

bool TWinControl::Focused() const {
  TForm* f = GetParentForm(this);
  return f && f->FocusedControl() == this;
}

static void CollectTabOrder(const TWinControl* parent, std::vector<TWinControl*>& out) {
  for (TWinControl* c : parent->TabList()) {
    out.push_back(c);
    CollectTabOrder(c, out);
  }
}

TWinControl* TWinControl::FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop,
                                          bool CheckParent) const {
  std::vector<TWinControl*> list;
  CollectTabOrder(this, list);
  if (list.empty()) return nullptr;
  int n = static_cast<int>(list.size());
  int start = -1;
  for (int i = 0; i < n; ++i) {
    if (list[static_cast<size_t>(i)] == CurControl) start = i;
  }
  if (start < 0) start = GoForward ? n - 1 : 0;
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = GoForward ? (i + 1) % n : (i - 1 + n) % n;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c == CurControl && step != n - 1) continue;
    bool ok = (!CheckTabStop || c->TabStop()) && (!CheckParent || c->Parent() == this) && c->CanFocus();
    // A container only passes the focus on; it is picked when it is a tab stop itself.
    if (ok) return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop) {
  TWinControl* next = FindNextControl(CurControl, GoForward, CheckTabStop, !CheckTabStop);
  if (next && next != CurControl) next->SetFocus();
}

void TWinControl::Broadcast(TMessage& Message) {
  std::vector<TControl*> copy = controls_;
  for (TControl* c : copy) {
    if (!confqt::IsAlive(c) || c->Parent() != this) continue;
    c->WndProc(Message);
    if (Message.Result != 0) return;
  }
}

void TWinControl::AlignControls() {
  if (alignLock_ > 0 || aligning_) return;
  aligning_ = true;
  try {
    TRect r = AdjustClientRect();
    auto place = [&](TAlign a) {
      std::vector<TControl*> list;
      for (TControl* c : controls_) {
        if (c->align_ == a && c->visible_) list.push_back(c);
      }
      std::stable_sort(list.begin(), list.end(), [a](TControl* x, TControl* y) {
        switch (a) {
          case alTop: return x->top_ < y->top_;
          case alBottom: return x->top_ + x->height_ > y->top_ + y->height_;
          case alLeft: return x->left_ < y->left_;
          case alRight: return x->left_ + x->width_ > y->left_ + y->width_;
          default: return false;
        }
      });
      for (TControl* c : list) {
        switch (a) {
          case alTop:
            c->SetBounds(r.Left, r.Top, r.Width(), c->height_);
            r.Top += c->height_;
            break;
          case alBottom:
            c->SetBounds(r.Left, r.Bottom - c->height_, r.Width(), c->height_);
            r.Bottom -= c->height_;
            break;
          case alLeft:
            c->SetBounds(r.Left, r.Top, c->width_, r.Height());
            r.Left += c->width_;
            break;
          case alRight:
            c->SetBounds(r.Right - c->width_, r.Top, c->width_, r.Height());
            r.Right -= c->width_;
            break;
          case alClient:
            c->SetBounds(r.Left, r.Top, r.Width(), r.Height());
            break;
          default: break;
        }
      }
    };
    place(alTop);
    place(alBottom);
    place(alLeft);
    place(alRight);
    place(alClient);
    // Anchored children keep their distance to the right and bottom edges.
    TRect pc = ClientRect();
    for (TControl* c : controls_) {
      if (c->align_ != alNone || (c->anchorRight_ < 0 && c->anchorBottom_ < 0)) continue;
      int l = c->left_, t = c->top_, w = c->width_, h = c->height_;
      if (c->anchors_.Contains(akRight) && c->anchorRight_ >= 0) {
        if (c->anchors_.Contains(akLeft)) w = std::max(0, pc.Width() - c->anchorRight_ - l);
        else l = pc.Width() - c->anchorRight_ - w;
      }
      if (c->anchors_.Contains(akBottom) && c->anchorBottom_ >= 0) {
        if (c->anchors_.Contains(akTop)) h = std::max(0, pc.Height() - c->anchorBottom_ - t);
        else t = pc.Height() - c->anchorBottom_ - h;
      }
      c->SetBounds(l, t, w, h);
    }
  } catch (...) {
    aligning_ = false;
    throw;
  }
  aligning_ = false;
}

bool TWinControl::HandleAllocated() const { return backend_->widget != nullptr; }

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  bool sized = AWidth != width_ || AHeight != height_;
  TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  if (sized) AlignControls();
}

void TWinControl::SetEnabled(bool v) { TControl::SetEnabled(v); }
void TWinControl::SetVisible(bool v) { TControl::SetVisible(v); }

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN: {
      m.Result = 1;
      Word key = static_cast<Word>(m.WParam);
      unsigned mask = 0;
      switch (key) {
        case VK_TAB: mask = DLGC_WANTTAB; break;
        case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
        case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
        default: break;
      }
      if (mask != 0 && Perform(CM_WANTSPECIALKEY, key, 0) == 0 &&
          (static_cast<unsigned>(Perform(WM_GETDLGCODE, 0, 0)) & mask) == 0) {
        TForm* f = GetParentForm(this);
        if (f && f->Perform(CM_DIALOGKEY, key, m.LParam) != 0) return;
      }
      m.Result = 0;
      return;
    }
    case CN_CHAR:
    case CN_SYSCHAR: {
      m.Result = 1;
      if ((static_cast<unsigned>(Perform(WM_GETDLGCODE, 0, 0)) & DLGC_WANTCHARS) == 0 || m.Msg == CN_SYSCHAR) {
        TForm* f = GetParentForm(this);
        if (f && f->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
      }
      m.Result = 0;
      return;
    }
    case CN_KEYUP:
      m.Result = 0;
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
      Word key = static_cast<Word>(m.WParam);
      TShiftState s = KeyDataToShiftState(m.LParam);
      if (!DoKeyDown(key, s)) {
        DefaultKeyDown(key, s);
        // Shift+F10 asks for the context menu, as the window system's default answer does.
        if (key == VK_F10 && s == TShiftState{ssShift} && confqt::IsAlive(this))
          Perform(WM_CONTEXTMENU, 0, MakeLParam(-1, -1));
      }
      return;
    }
    case WM_CHAR:
    case WM_SYSCHAR: {
      Char key = static_cast<Char>(m.WParam);
      if (!DoKeyPress(key)) DefaultChar(key);
      return;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      Word key = static_cast<Word>(m.WParam);
      if (!DoKeyUp(key, KeyDataToShiftState(m.LParam)) && key == VK_APPS && confqt::IsAlive(this))
        Perform(WM_CONTEXTMENU, 0, MakeLParam(-1, -1));  // the menu key, on its release
      return;
    }
    case WM_GETDLGCODE:
      m.Result = static_cast<intptr_t>(DialogCode());
      return;
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      // A child's notification goes back to the child as CN_COMMAND (CN_HSCROLL, CN_VSCROLL), as
      // the class library reflects it; LParam is only trusted once it is found among the children.
      for (TControl* c : controls_) {
        if (reinterpret_cast<intptr_t>(c) == m.LParam) {
          m.Result = c->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
          return;
        }
      }
      return;
    case CM_WANTSPECIALKEY:
      m.Result = 0;
      return;
    case CM_DIALOGKEY:
    case CM_DIALOGCHAR:
      Broadcast(m);
      return;
    case CM_ENTER:
      DoEnter();
      return;
    case CM_EXIT:
      DoExit();
      return;
    case CM_FOCUSCHANGED:
      for (TControl* c : std::vector<TControl*>(controls_)) {
        if (confqt::IsAlive(c)) c->Perform(CM_FOCUSCHANGED, m.WParam, m.LParam);
      }
      return;
    case CM_FONTCHANGED:
      TControl::WndProc(m);
      for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTFONTCHANGED, 0, 0);
      return;
    case CM_COLORCHANGED:
      TControl::WndProc(m);
      for (TControl* c : std::vector<TControl*>(controls_)) c->Perform(CM_PARENTCOLORCHANGED, 0, 0);
      return;
    case CM_BIDIMODECHANGED:
      TControl::WndProc(m);
      for (TControl* c : std::vector<TControl*>(controls_)) {
        if (confqt::IsAlive(c)) c->Perform(CM_PARENTBIDIMODECHANGED, 0, 0);
      }
      return;
    case CM_SYSCOLORCHANGE:
    case CM_SYSFONTCHANGED:
    case WM_THEMECHANGED:
      // The desktop-wide notifications reach every control, windowed or not.
      TControl::WndProc(m);
      for (TControl* c : std::vector<TControl*>(controls_)) {
        if (confqt::IsAlive(c)) c->Perform(m.Msg, m.WParam, m.LParam);
      }
      return;
    default:
      TControl::WndProc(m);
      return;
  }
}

bool TWinControl::DoKeyDown(Word& Key, TShiftState Shift) {
  TForm* f = GetParentForm(this);
  if (f && f != this && f->KeyPreview() && f->DoKeyDown(Key, Shift)) return true;
  if (!controlStyle_.Contains(csNoStdEvents)) {
    KeyDown(Key, Shift);
    if (Key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(Char& Key) {
  TForm* f = GetParentForm(this);
  if (f && f != this && f->KeyPreview() && f->DoKeyPress(Key)) return true;
  if (!controlStyle_.Contains(csNoStdEvents)) {
    KeyPress(Key);
    if (Key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(Word& Key, TShiftState Shift) {
  TForm* f = GetParentForm(this);
  if (f && f != this && f->KeyPreview() && f->DoKeyUp(Key, Shift)) return true;
  if (!controlStyle_.Contains(csNoStdEvents)) {
    KeyUp(Key, Shift);
    if (Key == 0) return true;
  }
  return false;
}

void TWinControl::KeyDown(Word& Key, TShiftState Shift) {
  if (OnKeyDown) OnKeyDown(this, Key, Shift);
}
void TWinControl::KeyPress(Char& Key) {
  if (OnKeyPress) OnKeyPress(this, Key);
}
void TWinControl::KeyUp(Word& Key, TShiftState Shift) {
  if (OnKeyUp) OnKeyUp(this, Key, Shift);
}
void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}

// ---------------------------------------------------------------------------------------------
// Self-painting controls.
namespace {
TCanvas* CanvasFor(TControl* c, std::unique_ptr<TCanvas>& idle, TCanvas* painting) {
  if (painting) return painting;
  if (!idle) {
    confqt::EnsureApp();
    idle = std::make_unique<TQtCanvas>();
  }
  idle->Font()->Assign(c->Font());
  return idle.get();
}

void PaintThrough(TControl* c, QPainter* p, std::unique_ptr<TCanvas>& idle, TCanvas*& painting) {
  CanvasFor(c, idle, nullptr);
  auto* qc = static_cast<TQtCanvas*>(idle.get());
  qc->Bind(p);
  qc->Font()->Assign(c->Font());
  qc->Brush()->SetColor(c->Color());
  qc->Brush()->SetStyle(bsSolid);
  qc->Pen()->SetColor(clBlack);
  painting = qc;
  try {
    c->Perform(WM_PAINT, 0, 0);
  } catch (...) {
    painting = nullptr;
    qc->Unbind();
    throw;
  }
  painting = nullptr;
  qc->Unbind();
}
}  // namespace

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}
TCustomControl::~TCustomControl() = default;
TCanvas* TCustomControl::Canvas() { return CanvasFor(this, idleCanvas_, paintCanvas_); }
void TCustomControl::PaintTo(void* qpainter) { PaintThrough(this, static_cast<QPainter*>(qpainter), idleCanvas_, paintCanvas_); }
void TCustomControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    if (paintCanvas_) Paint();
    return;
  }
  TWinControl::WndProc(m);
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {}
TGraphicControl::~TGraphicControl() = default;
TCanvas* TGraphicControl::Canvas() { return CanvasFor(this, idleCanvas_, paintCanvas_); }
void TGraphicControl::PaintTo(void* qpainter) { PaintThrough(this, static_cast<QPainter*>(qpainter), idleCanvas_, paintCanvas_); }
void TGraphicControl::WndProc(TMessage& m) {
  if (m.Msg == WM_PAINT) {
    if (paintCanvas_) Paint();
    return;
  }
  TControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
TControl* FindDragTarget(TPoint Pos, bool AllowDisabled) {
  if (!qApp || !Screen) return nullptr;
  // Our own window search: the active form first, then the later forms above the earlier ones
  // (the window system's own answer is not available on every platform).
  std::vector<TForm*> order;
  if (TForm* a = Screen->ActiveForm()) order.push_back(a);
  for (int i = Screen->FormCount() - 1; i >= 0; --i) {
    if (Screen->Forms(i) != Screen->ActiveForm()) order.push_back(Screen->Forms(i));
  }
  QWidget* w = nullptr;
  for (TForm* f : order) {
    QWidget* fw = f->ExistingWidget();
    if (!fw || !f->Showing()) continue;
    TPoint o = f->ClientOrigin();  // the platform's own screen geometry, not the window system's
    QPoint local(Pos.X - o.X, Pos.Y - o.Y);
    if (!fw->rect().contains(local)) continue;
    w = fw->childAt(local);
    if (!w) w = fw;
    break;
  }
  TControl* c = w ? confqt::ControlOf(w) : nullptr;
  while (c && !AllowDisabled && !c->Enabled()) c = c->Parent();
  return c;
}

TWinControl* FindVCLWindow(TPoint Pos) {
  TControl* c = FindDragTarget(Pos, true);
  while (c && !dynamic_cast<TWinControl*>(c)) c = c->Parent();
  return static_cast<TWinControl*>(c);
}

void PaintParentBackground(TControl* Control, TCanvas* Canvas, bool GraphicChildren) {
  TWinControl* parent = Control ? Control->Parent() : nullptr;
  QPainter* target = Canvas ? Canvas->NativePainter() : nullptr;
  if (!parent || !target) return;
  TRect pc = parent->ClientRect();
  if (pc.Width() <= 0 || pc.Height() <= 0) return;
  QImage img(pc.Width(), pc.Height(), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  {
    QPainter p(&img);
    // The erase-background step, then the parent's own painting.
    if (parent->Color() != clNone) p.fillRect(img.rect(), ToQColor(parent->Color()));
    parent->PaintTo(&p);
    for (int i = 0; GraphicChildren && i < parent->ControlCount(); ++i) {
      TControl* c = parent->Controls(i);
      if (c == Control || !c->Visible() || dynamic_cast<TWinControl*>(c)) continue;
      p.save();
      p.translate(c->Left(), c->Top());
      p.setClipRect(QRect(0, 0, c->Width(), c->Height()), Qt::IntersectClip);
      c->PaintTo(&p);
      p.restore();
    }
  }
  target->save();
  target->setClipRect(QRect(-Control->Left(), -Control->Top(), pc.Width(), pc.Height()), Qt::IntersectClip);
  target->drawImage(QPoint(-Control->Left(), -Control->Top()), img);
  target->restore();
}

TForm* GetParentForm(const TControl* Control) {
  const TControl* c = Control;
  while (c && c->Parent()) c = c->Parent();
  return const_cast<TForm*>(dynamic_cast<const TForm*>(c));
}

TForm* FindOwnerForm(TComponent* Component) {
  for (TComponent* c = Component; c; c = c->Owner()) {
    if (auto* f = dynamic_cast<TForm*>(c)) return f;
  }
  return nullptr;
}

unsigned RegisterWindowMessage(const String& Name) {
  static std::map<String, unsigned> names;
  String key = UpperCase(Name);
  auto it = names.find(key);
  if (it != names.end()) return it->second;
  unsigned id = WM_REGISTERED_FIRST + static_cast<unsigned>(names.size());
  names.emplace(key, id);
  return id;
}

void SetTimer(TControl* Target, uintptr_t Id, unsigned Interval) {
  if (!Target) return;
  conftimers::Set(Target, nullptr, Id, Interval);
}

void KillTimer(TControl* Target, uintptr_t Id) { conftimers::Kill(Target, nullptr, Id); }

void SetCapture(TControl* Control) {
  if (g_capture == Control) return;
  TControl* old = g_capture;
  g_capture = Control;
  if (old && confqt::IsAlive(old)) old->Perform(WM_CAPTURECHANGED, 0, reinterpret_cast<intptr_t>(Control));
}

void ReleaseCapture() {
  TControl* old = g_capture;
  g_capture = nullptr;
  if (old && confqt::IsAlive(old)) old->Perform(WM_CAPTURECHANGED, 0, 0);
}

TControl* GetCapture() { return confqt::IsAlive(g_capture) ? g_capture : nullptr; }
TPoint GetCursorPos() { return g_cursorPos; }

// ---------------------------------------------------------------------------------------------
// The input pipeline.
namespace confinput {

void SetModifiers(TShiftState shift, bool altGr) {
  g_shift = shift.Contains(ssShift);
  g_ctrl = shift.Contains(ssCtrl);
  g_alt = shift.Contains(ssAlt);
  g_altGr = altGr;
}

void SetCursorPos(TPoint p) { g_cursorPos = p; }

Char ControlChar(Word vk, TShiftState shift) {
  if (shift.Contains(ssCtrl) && !shift.Contains(ssAlt)) {
    if (vk >= 'A' && vk <= 'Z') return static_cast<Char>(vk - 'A' + 1);
    if (vk == VK_OEM_4) return 27;
    if (vk == VK_OEM_5) return 28;
    if (vk == VK_OEM_6) return 29;
    if (vk == VK_RETURN) return 10;
    if (vk == VK_BACK) return 127;
    return 0;
  }
  switch (vk) {
    case VK_RETURN: return 13;
    case VK_ESCAPE: return 27;
    case VK_BACK: return 8;
    case VK_TAB: return 9;
    default: return 0;
  }
}

static TWinControl* KeyTarget(TForm* form) {
  TWinControl* t = form->FocusedControl();
  return t ? t : form;
}

static void CharTo(TWinControl* target, Char ch, uint32_t keyData, bool sys) {
  unsigned cn = sys ? CN_SYSCHAR : CN_CHAR;
  if (target->Perform(cn, ch, static_cast<intptr_t>(keyData)) != 0) return;
  if (!confqt::IsAlive(target)) return;
  if (!sys) target->Perform(WM_CHAR, ch, static_cast<intptr_t>(keyData));
}

void KeyDown(TForm* form, Word vk, TShiftState shift, uint32_t keyData, Char ch) {
  if (!form) return;
  bool sys = shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
  if (sys) keyData |= KF_ALTDOWN;
  TWinControl* target = KeyTarget(form);
  confqt::Dispatch(target, [&] {
    if (target->Perform(sys ? CN_SYSKEYDOWN : CN_KEYDOWN, vk, static_cast<intptr_t>(keyData)) != 0) return;
    if (!confqt::IsAlive(target)) return;
    target->Perform(sys ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, static_cast<intptr_t>(keyData));
    // The character follows whatever the key-down handlers did with the key.
    Char c = ch;
    if (!c || shift.Contains(ssCtrl)) c = ControlChar(vk, shift);
    if (!c && ch && !shift.Contains(ssCtrl)) c = ch;
    // Alt+letter types the letter as a system character (accelerators).
    if (!c && sys && ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))) {
      c = static_cast<Char>(vk >= 'A' && vk <= 'Z' ? vk - 'A' + u'a' : vk);
    }
    if (!c || !confqt::IsAlive(target)) return;
    CharTo(target, c, keyData, sys);
  });
}

void KeyUp(TForm* form, Word vk, TShiftState shift, uint32_t keyData) {
  if (!form) return;
  bool sys = shift.Contains(ssAlt) && !shift.Contains(ssCtrl);
  if (sys) keyData |= KF_ALTDOWN;
  TWinControl* target = KeyTarget(form);
  confqt::Dispatch(target, [&] {
    if (target->Perform(CN_KEYUP, vk, static_cast<intptr_t>(keyData)) != 0) return;
    if (!confqt::IsAlive(target)) return;
    target->Perform(sys ? WM_SYSKEYUP : WM_KEYUP, vk, static_cast<intptr_t>(keyData));
  });
}

void Character(TForm* form, Char ch) {
  if (!form || !ch) return;
  TWinControl* target = KeyTarget(form);
  confqt::Dispatch(target, [&] { CharTo(target, ch, 1, false); });
}

static unsigned ButtonMsg(TMouseButton b, int kind) {  // kind 0 down, 1 up, 2 double
  static const unsigned table[3][3] = {{WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK},
                                       {WM_RBUTTONDOWN, WM_RBUTTONUP, WM_RBUTTONDBLCLK},
                                       {WM_MBUTTONDOWN, WM_MBUTTONUP, WM_MBUTTONDBLCLK}};
  return table[b][kind];
}

// While a control holds the capture, the mouse goes to it in its own coordinates.
static TControl* Redirect(TControl* c, int& x, int& y) {
  TControl* cap = GetCapture();
  if (!cap || cap == c) return c;
  TPoint s = c->ClientToScreen(Point(x, y));
  TPoint p = cap->ScreenToClient(s);
  x = p.X;
  y = p.Y;
  return cap;
}

void MouseDown(TControl* c, TMouseButton b, TShiftState shift, int x, int y, bool dbl) {
  if (!c) return;
  if (b == mbLeft) g_lbutton = true;
  if (b == mbRight) g_rbutton = true;
  if (b == mbMiddle) g_mbutton = true;
  shift = shift | (b == mbLeft ? ssLeft : b == mbRight ? ssRight : ssMiddle);
  g_cursorPos = c->ClientToScreen(Point(x, y));
  // An automatic drag takes the press: the control starts dragging instead of handling it.
  if (b == mbLeft && !dbl && c->DragMode() == dmAutomatic && c->Enabled()) {
    confqt::Dispatch(c, [&] { c->BeginDrag(false); });
    return;
  }
  confqt::Dispatch(c, [&] {
    PressActivatesForm(c);
    if (!confqt::IsAlive(c) || !c->Enabled()) return;
    // The class library's cancel mode: the form's active control hears of every press first, so
    // that an open drop-down closes when the press lands outside it.
    if (TForm* f = GetParentForm(c)) {
      TWinControl* a = f->ActiveControl();
      if (a && confqt::IsAlive(a)) a->Perform(CM_CANCELMODE, 0, reinterpret_cast<intptr_t>(c));
      if (!confqt::IsAlive(c)) return;
    }
    // A press moves the focus before it is handled.
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      if (b == mbLeft && w->FocusOnPress() && w->CanFocus() && !w->Focused()) w->SetFocus();
    }
    if (!confqt::IsAlive(c)) return;
    c->Perform(ButtonMsg(b, dbl ? 2 : 0), ShiftToKeys(shift), MakeLParam(x, y));
  });
}

void MouseUp(TControl* c, TMouseButton b, TShiftState shift, int x, int y) {
  if (!c) return;
  if (b == mbLeft) g_lbutton = false;
  if (b == mbRight) g_rbutton = false;
  if (b == mbMiddle) g_mbutton = false;
  g_cursorPos = c->ClientToScreen(Point(x, y));
  if (b == mbLeft && confdrag::Pending()) {
    bool taken = false;
    confqt::Dispatch(c, [&] { taken = confdrag::MouseReleased(g_cursorPos); });
    if (taken || !confqt::IsAlive(c)) return;
  }
  TControl* t = Redirect(c, x, y);
  confqt::Dispatch(t, [&] { t->Perform(ButtonMsg(b, 1), ShiftToKeys(shift), MakeLParam(x, y)); });
}

void MouseMove(TControl* c, TShiftState shift, int x, int y) {
  if (!c) return;
  g_cursorPos = c->ClientToScreen(Point(x, y));
  if (confdrag::Pending()) {
    bool taken = false;
    confqt::Dispatch(c, [&] { taken = confdrag::MouseMoved(g_cursorPos); });
    if (taken || !confqt::IsAlive(c)) return;
  }
  TControl* t = Redirect(c, x, y);
  confqt::Dispatch(t, [&] {
    // The control under a free mouse chooses the cursor first (hit test: the client area).
    if (!GetCapture()) t->Perform(WM_SETCURSOR, reinterpret_cast<uintptr_t>(t), MakeLParam(HTCLIENT, WM_MOUSEMOVE));
    if (confqt::IsAlive(t)) t->Perform(WM_MOUSEMOVE, ShiftToKeys(shift), MakeLParam(x, y));
  });
}

void Wheel(TControl* c, int delta, TShiftState shift, TPoint screenPos) {
  if (!c) return;
  g_cursorPos = screenPos;
  uintptr_t w = (static_cast<uintptr_t>(static_cast<uint16_t>(static_cast<int16_t>(delta))) << 16) |
                (ShiftToKeys(shift) & 0xFFFF);
  confqt::Dispatch(c, [&] { c->Perform(WM_MOUSEWHEEL, w, MakeLParam(screenPos.X, screenPos.Y)); });
}

}  // namespace confinput
