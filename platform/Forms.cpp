#include "platform/Forms.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>

#include <algorithm>
#include <exception>

#include "platform/Dialogs.h"
#include "platform/ShellIcons.h"
#include "platform/Process.h"
#include "platform/SysUtils.h"
#include "platform/TimeSource.h"
#include "platform/qt/ControlBackend.h"

namespace {
constexpr unsigned CM_RELEASE = CM_BASE + 33;

std::vector<TForm*>& AllForms() {
  static std::vector<TForm*> v;
  return v;
}
// Most recently shown or activated last.
std::vector<TForm*>& ActivationOrder() {
  static std::vector<TForm*> v;
  return v;
}
void Activate(TForm* f) {
  auto& v = ActivationOrder();
  v.erase(std::remove(v.begin(), v.end(), f), v.end());
  if (f) v.push_back(f);
}
void Deactivate(TForm* f) {
  auto& v = ActivationOrder();
  v.erase(std::remove(v.begin(), v.end(), f), v.end());
}
// Tells the visible windowed controls below Parent that they were shown or hidden with it.
void NotifyShowingChanged(TWinControl* Parent) {
  for (int i = 0; i < Parent->ControlCount(); ++i) {
    auto* w = dynamic_cast<TWinControl*>(Parent->Controls(i));
    if (!w || !w->Visible()) continue;
    w->Perform(CM_SHOWINGCHANGED, 0, 0);
    if (confqt::IsAlive(w)) NotifyShowingChanged(w);
  }
}
}  // namespace

TApplication* Application = new TApplication(nullptr);
TScreen* Screen = new TScreen(nullptr);

namespace confqt {
bool Headless() { return Application && Application->ModalSeam() != nullptr; }
}  // namespace confqt

// ---------------------------------------------------------------------------------------------
TForm::TForm(TComponent* AOwner) : TWinControl(AOwner) {
  visible_ = false;
  color_ = clBtnFace;
  parentFont_ = false;
  parentColor_ = false;
  left_ = 0;
  top_ = 0;
  width_ = 320;
  height_ = 240;
  AllForms().push_back(this);
}

TForm::~TForm() {
  if (created_ && OnDestroy) {
    confqt::Guarded(this, [&] { OnDestroy(this); });
  }
  if (Application && Application->mainForm_ == this) Application->mainForm_ = nullptr;
  auto& v = AllForms();
  v.erase(std::remove(v.begin(), v.end(), this), v.end());
  Deactivate(this);
  focused_ = nullptr;
  activeControl_ = nullptr;
}

void TForm::AfterConstruction() {
  TWinControl::AfterConstruction();
  created_ = true;
  DoCreate();
}

void TForm::DoCreate() {
  // The class library reports a failing creation handler and goes on with the form.
  if (OnCreate) confqt::Guarded(this, [&] { OnCreate(this); });
}

QWidget* TForm::CreateWidget(QWidget*) {
  auto* w = new ConfWidget(this, nullptr);
  w->setAttribute(Qt::WA_DeleteOnClose, false);
  w->setAutoFillBackground(false);
  // The window is made when first needed, mostly when the form is first shown, after it was
  // placed: it starts where the form stands.
  const TRect f = FrameExtents(), c = ClientRect();
  w->setGeometry(left_ + f.Left, top_ + f.Top, c.Width(), c.Height());
  return w;
}

void TForm::SyncWidget() {
  TWinControl::SyncWidget();
  QWidget* w = ExistingWidget();
  if (!w) return;
  w->setWindowTitle(QString::fromStdU16String(text_));
  Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint;
  if (PopupKind()) {
    flags = Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint;
  } else if (borderStyle_ == bsNone) {
    flags |= Qt::FramelessWindowHint;
  } else {
    flags |= Qt::WindowTitleHint;
    if (borderIcons_.Contains(biSystemMenu)) flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    bool sizeable = borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin;
    if (sizeable && borderIcons_.Contains(biMinimize)) flags |= Qt::WindowMinimizeButtonHint;
    if (sizeable && borderIcons_.Contains(biMaximize)) flags |= Qt::WindowMaximizeButtonHint;
    if (borderStyle_ == bsDialog) flags |= Qt::Dialog;
  }
  if (w->windowFlags() != flags) {
    bool vis = w->isVisible();
    w->setWindowFlags(flags);
    if (vis) w->show();
  }
  bool sizeable = borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin;
  TRect c = ClientRect();
  if (sizeable) {
    w->setMinimumSize(0, 0);
    w->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    // A new top-level widget has the toolkit's default size; left so, its first resize event
    // would overwrite the form's own client size.
    Backend()->syncingGeometry = true;
    w->resize(std::max(0, c.Width()), std::max(0, c.Height()));
    Backend()->syncingGeometry = false;
  } else {
    w->setFixedSize(std::max(0, c.Width()), std::max(0, c.Height()));
  }
}

TRect TForm::FrameExtents() const {
  switch (borderStyle_) {
    case bsNone: return Rect(0, 0, 0, 0);
    case bsSizeable: return Rect(8, 30, 8, 8);
    case bsSizeToolWin: return Rect(8, 25, 8, 8);
    case bsToolWindow: return Rect(3, 20, 3, 3);
    default: return Rect(3, 25, 3, 3);
  }
}

TRect TForm::ClientRect() const {
  TRect f = FrameExtents();
  return Rect(0, 0, std::max(0, width_ - f.Left - f.Right), std::max(0, height_ - f.Top - f.Bottom));
}

void TForm::SetClientWidth(int v) {
  TRect f = FrameExtents();
  SetBounds(left_, top_, v + f.Left + f.Right, height_);
}

void TForm::SetClientHeight(int v) {
  TRect f = FrameExtents();
  SetBounds(left_, top_, width_, v + f.Top + f.Bottom);
}

void TForm::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TWinControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  QWidget* w = ExistingWidget();
  if (!w) return;
  TRect f = FrameExtents();
  TRect c = ClientRect();
  Backend()->syncingGeometry = true;
  bool sizeable = borderStyle_ == bsSizeable || borderStyle_ == bsSizeToolWin;
  if (!sizeable) w->setFixedSize(std::max(0, c.Width()), std::max(0, c.Height()));
  w->setGeometry(left_ + f.Left, top_ + f.Top, c.Width(), c.Height());
  Backend()->syncingGeometry = false;
}

void TForm::SetBorderStyle(TFormBorderStyle s) {
  if (s == borderStyle_) return;
  borderStyle_ = s;
  SyncWidget();
  AlignControls();
}

bool TForm::Active() const { return Screen->ActiveForm() == this; }

void TForm::SetActiveControl(TWinControl* c) {
  if (c == activeControl_) return;
  if (c && (!c->CanFocus() && Visible())) throw Exception(u"Cannot focus a disabled or invisible window");
  if (Visible() && c) {
    FocusControl(c);
  } else {
    activeControl_ = c;
  }
}

void TForm::FocusControl(TWinControl* c) {
  if (c == this) c = nullptr;
  if (c == focused_) {
    activeControl_ = c;
    return;
  }
  TWinControl* prev = focused_;
  if (prev && confqt::IsAlive(prev)) prev->Perform(WM_KILLFOCUS, reinterpret_cast<uintptr_t>(c), 0);
  focused_ = c;
  if (c) c->Perform(WM_SETFOCUS, reinterpret_cast<uintptr_t>(prev), 0);
  // Exit up the old chain to the common parent, then enter down to the new control.
  TWinControl* target = focused_;
  TWinControl* active = activeControl_ && confqt::IsAlive(activeControl_) ? activeControl_ : nullptr;
  while (active && !(target && active->ContainsControl(target))) {
    TWinControl* next = active->Parent();
    active->Perform(CM_EXIT, 0, 0);
    // A control that took the focus back while it was left (a refused value) finished that
    // focus change itself: this one stops here.
    if (focused_ != target) return;
    active = next == this ? nullptr : next;
  }
  activeControl_ = active;
  while (target && activeControl_ != target && focused_ == target) {
    TWinControl* step = target;
    while (step->Parent() && step->Parent() != activeControl_ && step->Parent() != this) step = step->Parent();
    activeControl_ = step;
    step->Perform(CM_ENTER, 0, 0);
  }
  Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<intptr_t>(focused_));
  if (focused_ && !confqt::Headless()) {
    if (QWidget* w = focused_->ExistingWidget()) w->setFocus(Qt::OtherFocusReason);
  }
}

void TForm::SetVisible(bool v) {
  if (v == visible_) return;
  if (v) {
    if (!shownOnce_ && position_ == poScreenCenter) {
      shownOnce_ = true;
      SetBounds((Screen->Width() - width_) / 2, (Screen->Height() - height_) / 2, width_, height_);
    }
    shownOnce_ = true;
    visible_ = true;
    QWidget* w = Widget();
    if (modal_) w->setWindowModality(Qt::ApplicationModal);
    if (!confqt::Headless()) w->show();
    Activate(this);
    NotifyShowingChanged(this);
    DoShow();
    if (!focused_ && visible_) {
      TWinControl* first = activeControl_ && activeControl_->CanFocus() ? activeControl_ : FindNextControl(nullptr, true, true, false);
      if (first) FocusControl(first);
    }
  } else {
    DoHide();
    visible_ = false;
    if (QWidget* w = ExistingWidget()) {
      w->hide();
      w->setWindowModality(Qt::NonModal);
    }
    NotifyShowingChanged(this);
    Deactivate(this);
  }
}

void TForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TForm::DoClose(TCloseAction& Action) {
  if (OnClose) OnClose(this, Action);
}

bool TForm::CloseQuery() {
  bool can = true;
  if (OnCloseQuery) OnCloseQuery(this, can);
  return can;
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application->MainForm() == this) {
    Hide();
    Application->Terminate();
  } else if (action == caHide || action == caMinimize) {
    Hide();
  } else if (action == caFree) {
    Release();
  }
}

void TForm::CloseModal() {
  if (!CloseQuery()) {
    modalResult_ = mrNone;
    return;
  }
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) modalResult_ = mrNone;
}

void TForm::Release() { PostMessage(this, CM_RELEASE, 0, 0); }

int TForm::ShowModal() {
  if (visible_ || modal_) throw Exception(u"Cannot make a visible window modal");
  Application->Initialize();
  modalResult_ = mrNone;
  modal_ = true;
  int result = mrNone;
  try {
    SetVisible(true);
    if (TModalSeam* seam = Application->ModalSeam()) {
      int answer = seam->ShowModal(this);
      if (modalResult_ == mrNone) modalResult_ = answer;
      if (modalResult_ != mrNone) CloseModal();
    } else {
      RunModalLoop();
    }
    result = modalResult_;
    modal_ = false;
    SetVisible(false);
  } catch (...) {
    modal_ = false;
    visible_ = true;
    SetVisible(false);
    throw;
  }
  return result;
}

int TForm::RunModalLoop() {
  QEventLoop loop;
  for (;;) {
    DeliverPostedMessages();
    if (modalResult_ != mrNone) {
      CloseModal();
      if (modalResult_ != mrNone) break;
    }
    if (Application->Terminated()) {
      if (modalResult_ == mrNone) modalResult_ = mrCancel;
      break;
    }
    loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  }
  return modalResult_;
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      return;
    case CM_RELEASE:
      delete this;
      return;
    case CM_DIALOGKEY:
      if (GetKeyState(VK_MENU) >= 0) {
        Word key = static_cast<Word>(m.WParam);
        if (key == VK_TAB) {
          if (GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
            m.Result = 1;
            return;
          }
        } else if (key == VK_LEFT || key == VK_RIGHT || key == VK_UP || key == VK_DOWN) {
          if (activeControl_ && activeControl_->Parent()) {
            activeControl_->Parent()->SelectNext(activeControl_, key == VK_RIGHT || key == VK_DOWN, false);
            m.Result = 1;
          }
          return;
        }
      }
      TWinControl::WndProc(m);
      return;
    default:
      TWinControl::WndProc(m);
      return;
  }
}

void TForm::KeyDown(Word& Key, TShiftState Shift) { TWinControl::KeyDown(Key, Shift); }
void TForm::KeyPress(Char& Key) { TWinControl::KeyPress(Key); }
void TForm::KeyUp(Word& Key, TShiftState Shift) { TWinControl::KeyUp(Key, Shift); }

// ---------------------------------------------------------------------------------------------
TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner) {}
TApplication::~TApplication() = default;

void TApplication::Initialize() { confqt::EnsureApp(); }

namespace {
void NotifyAllForms(unsigned Msg) {
  for (TForm* f : std::vector<TForm*>(AllForms())) {
    if (confqt::IsAlive(f)) confqt::Guarded(f, [&] { f->Perform(Msg, 0, 0); });
  }
}
}  // namespace

void TApplication::NotifySystemColorsChanged() { NotifyAllForms(CM_SYSCOLORCHANGE); }
void TApplication::NotifyThemeChanged() {
  ClearShellIconCache();
  NotifyAllForms(WM_THEMECHANGED);
}
void TApplication::NotifySystemFontChanged() { NotifyAllForms(CM_SYSFONTCHANGED); }

void TApplication::FormCreated(TForm* form) {
  if (!mainForm_) mainForm_ = form;
}

void TApplication::Run() {
  Initialize();
  if (!mainForm_) return;
  confqt::Guarded(mainForm_, [&] { mainForm_->Show(); });
  QEventLoop loop;
  while (!terminated_ && mainForm_ && mainForm_->Visible()) {
    DeliverPostedMessages();
    loop.processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
  }
}

void TApplication::Terminate() {
  terminated_ = true;
  if (QCoreApplication::instance()) QCoreApplication::postEvent(qApp, new QEvent(QEvent::User));
}

void TApplication::ProcessMessages() {
  confqt::DispatchScope scope;
  if (QCoreApplication::instance()) QCoreApplication::processEvents();
  DeliverPostedMessages();
}

String TApplication::ExeName() const {
  if (QCoreApplication::instance()) return QCoreApplication::applicationFilePath().toStdU16String();
  return String();
}

void TApplication::HandleException(TObject* Sender) {
  std::exception_ptr current = std::current_exception();
  if (!current) return;  // called outside a handler: nothing to report
  try {
    std::rethrow_exception(current);
  } catch (const EAbort&) {
    // Silent by design.
  } catch (const std::exception& e) {
    if (OnException) OnException(Sender, e);
    else ShowException(e);
  } catch (...) {
    Exception e(u"Unknown error");
    if (OnException) OnException(Sender, e);
    else ShowException(e);
  }
}

void TApplication::ShowException(const std::exception& E) {
  String msg;
  if (auto* ex = dynamic_cast<const Exception*>(&E)) msg = ex->Message();
  else msg = Utf8ToString(E.what());
  if (!msg.empty() && msg.back() > u'.') msg += u'.';
  TMessageRequest r;
  r.Type = mtError;
  r.Caption = title_.empty() ? MsgDlgTypeCaption(mtError) : title_;
  r.Text = msg;
  r.Buttons = TMsgDlgButtons{mbOK};
  ShowMessageBox(r);
}

void TApplication::Guard(TObject* Sender, const std::function<void()>& fn) { confqt::Guarded(Sender, fn); }

bool TApplication::OpenURL(const String& Url) {
  if (seam_) return seam_->OpenURL(Url);
  confqt::EnsureApp();
  return QDesktopServices::openUrl(QUrl(QString::fromStdU16String(Url)));
}

TProgramResult TApplication::StartProgram(const String& Exe, const std::vector<String>& Args, const String& WorkDir,
                                          uint32_t WaitMs) {
  if (seam_) return seam_->StartProgram(TProgramRequest{Exe, Args, WorkDir, WaitMs});
  TProgramResult r;
  String error;
  std::unique_ptr<TProcess> p = TProcess::Start(Exe, Args, WorkDir, &error);
  if (!p) {
    r.Error = error;
    return r;
  }
  r.Started = true;
  r.Finished = p->WaitFor(WaitMs);
  r.ExitCode = r.Finished ? p->ExitCode() : -1;
  return r;
}

// ---------------------------------------------------------------------------------------------
TScreen::TScreen(TComponent* AOwner) : TComponent(AOwner) {}

int TScreen::Width() const {
  confqt::EnsureApp();
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().width() : 1024;
}

int TScreen::Height() const {
  confqt::EnsureApp();
  QScreen* s = QGuiApplication::primaryScreen();
  return s ? s->geometry().height() : 768;
}

TRect TScreen::WorkAreaRect() const {
  confqt::EnsureApp();
  QScreen* s = QGuiApplication::primaryScreen();
  if (!s) return Rect(0, 0, 1024, 768);
  QRect g = s->availableGeometry();
  return Rect(g.left(), g.top(), g.left() + g.width(), g.top() + g.height());
}

void TScreen::SetCursor(TCursor c) {
  if (c == cursor_) return;
  confqt::EnsureApp();
  if (cursor_ != crDefault) QGuiApplication::restoreOverrideCursor();
  cursor_ = c;
  if (c == crHourGlass || c == crSQLWait) QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
  else if (c == crAppStart) QGuiApplication::setOverrideCursor(QCursor(Qt::BusyCursor));
  else if (c != crDefault) QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
}

void ActivateForm(TForm* Form, unsigned How) {
  if (!Form) return;
  TForm* old = Screen->ActiveForm();
  if (old == Form) return;
  Activate(Form);
  if (old && old->Visible()) old->Perform(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<intptr_t>(Form));
  if (confqt::IsAlive(Form)) Form->Perform(WM_ACTIVATE, How, reinterpret_cast<intptr_t>(old));
}

void PressActivatesForm(TControl* Target) {
  TForm* active = Screen->ActiveForm();
  if (!active || !active->PopupKind() || !Target) return;
  TForm* form = GetParentForm(Target);
  while (form && form->Parent()) form = GetParentForm(form->Parent());
  if (form && form != active) ActivateForm(form, WA_CLICKACTIVE);
}

TForm* TScreen::ActiveForm() const {
  auto& v = ActivationOrder();
  for (auto it = v.rbegin(); it != v.rend(); ++it) {
    if ((*it)->Visible()) return *it;
  }
  return nullptr;
}

int TScreen::FormCount() const { return static_cast<int>(AllForms().size()); }
TForm* TScreen::Forms(int i) const { return AllForms().at(static_cast<size_t>(i)); }
