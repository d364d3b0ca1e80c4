#include "platform/ExtCtrls.h"

#include <QLabel>

#include <algorithm>

#include "platform/Forms.h"
#include "platform/SysUtils.h"
#include "platform/qt/ControlBackend.h"

namespace {
int g_wheelLines = 3;

void Frame3D(TCanvas* c, TRect& r, TColor topLeft, TColor bottomRight, int width) {
  for (int i = 0; i < width; ++i) {
    c->Pen()->SetColor(topLeft);
    c->Pen()->SetStyle(psSolid);
    c->Pen()->SetWidth(1);
    c->MoveTo(r.Left, r.Bottom - 1);
    c->LineTo(r.Left, r.Top);
    c->LineTo(r.Right - 1, r.Top);
    c->Pen()->SetColor(bottomRight);
    c->LineTo(r.Right - 1, r.Bottom - 1);
    c->LineTo(r.Left - 1, r.Bottom - 1);
    InflateRect(r, -1, -1);
  }
}

String HtmlEscape(const String& s) {
  String out;
  for (Char c : s) {
    switch (c) {
      case u'&': out += u"&amp;"; break;
      case u'<': out += u"&lt;"; break;
      case u'>': out += u"&gt;"; break;
      case u'"': out += u"&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

size_t FindNoCase(const String& hay, const String& needle, size_t from) {
  String h = LowerCase(hay), n = LowerCase(needle);
  return h.find(n, from);
}
}  // namespace

int WheelScrollLines() { return g_wheelLines; }
void SetWheelScrollLines(int n) { g_wheelLines = n; }

// ---------------------------------------------------------------------------------------------
// TPanel
TPanel::TPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  color_ = clBtnFace;
  width_ = 185;
  height_ = 41;
}

TSplitter::TSplitter(TComponent* AOwner) : TCustomControl(AOwner) {
  width_ = 185;
  height_ = 3;
  SetCursor(crVSplit);
}

TControl* TSplitter::ResizedControl() const {
  TWinControl* p = Parent();
  if (!p) return nullptr;
  for (int i = 0; i < p->ControlCount(); ++i) {
    TControl* c = p->Controls(i);
    if (c == this || !c->Visible() || c->Align() != Align()) continue;
    const bool ends = Vertical() ? (Align() == alLeft ? c->Left() + c->Width() == Left() : c->Left() == Left() + Width())
                                 : (Align() == alTop ? c->Top() + c->Height() == Top() : c->Top() == Top() + Height());
    if (ends) return c;
  }
  return nullptr;
}

void TSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TCustomControl::MouseDown(Button, Shift, X, Y);
  TControl* c = ResizedControl();
  if (Button != mbLeft || !c) return;
  dragging_ = true;
  grab_ = Vertical() ? Left() + X : Top() + Y;
  startSize_ = Vertical() ? c->Width() : c->Height();
}

void TSplitter::MouseMove(TShiftState Shift, int X, int Y) {
  TCustomControl::MouseMove(Shift, X, Y);
  SetCursor(Vertical() ? crHSplit : crVSplit);
  TControl* c = dragging_ ? ResizedControl() : nullptr;
  TWinControl* p = Parent();
  if (!c || !p) return;
  // In the parent's coordinates, which do not move with the splitter.
  const int at = Vertical() ? Left() + X : Top() + Y;
  const bool grows = Align() == alTop || Align() == alLeft;
  const int room = Vertical() ? p->ClientWidth() : p->ClientHeight();
  int size = startSize_ + (grows ? at - grab_ : grab_ - at);
  size = std::max(minSize_, std::min(size, room - minSize_));
  if (size == (Vertical() ? c->Width() : c->Height())) return;
  if (Vertical())
    c->SetWidth(size);
  else
    c->SetHeight(size);
  if (OnMoved) OnMoved(this);
}

void TSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  dragging_ = false;
  TCustomControl::MouseUp(Button, Shift, X, Y);
}

TRect TPanel::AdjustClientRect() const {
  TRect r = ClientRect();
  int inset = (borderStyle_ == bsSingle ? 1 : 0) + (bevelOuter_ != bvNone ? bevelWidth_ : 0) +
              (bevelInner_ != bvNone ? bevelWidth_ : 0);
  InflateRect(r, -inset, -inset);
  return r;
}

void TPanel::Paint() {
  TCanvas* c = Canvas();
  TRect r = ClientRect();
  c->Brush()->SetColor(Color());
  c->Brush()->SetStyle(bsSolid);
  c->FillRect(r);
  if (borderStyle_ == bsSingle) Frame3D(c, r, clWindowFrame, clWindowFrame, 1);
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvNone) return;
    if (cut == bvSpace) {
      InflateRect(r, -bevelWidth_, -bevelWidth_);
      return;
    }
    TColor tl = cut == bvRaised ? clBtnHighlight : clBtnShadow;
    TColor br = cut == bvRaised ? clBtnShadow : clBtnHighlight;
    Frame3D(c, r, tl, br, bevelWidth_);
  };
  bevel(bevelOuter_);
  bevel(bevelInner_);
  if (showCaption_ && !text_.empty()) {
    c->Brush()->SetStyle(bsClear);
    unsigned f = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS |
                 (alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT);
    TRect tr = r;
    DrawText(c, text_, tr, f);
  }
}

// ---------------------------------------------------------------------------------------------
// TShape
TShape::TShape(TComponent* AOwner)
    : TGraphicControl(AOwner), pen_(std::make_unique<TPen>()), brush_(std::make_unique<TBrush>()) {
  width_ = 65;
  height_ = 65;
  pen_->OnChange = [this](TObject*) { Invalidate(); };
  brush_->OnChange = [this](TObject*) { Invalidate(); };
}

TShape::~TShape() {
  pen_->OnChange = nullptr;
  brush_->OnChange = nullptr;
}

void TShape::Paint() {
  TCanvas* c = Canvas();
  c->Pen()->Assign(pen_.get());
  c->Brush()->Assign(brush_.get());
  int x = pen_->Width() / 2, y = x;
  int w = width_ - pen_->Width() + 1, h = height_ - pen_->Width() + 1;
  if (pen_->Width() == 0) {
    --w;
    --h;
  }
  int s = std::min(w, h);
  if (shape_ == stSquare || shape_ == stRoundSquare || shape_ == stCircle) {
    x += (w - s) / 2;
    y += (h - s) / 2;
    w = h = s;
  }
  switch (shape_) {
    case stRectangle: case stSquare: c->Rectangle(x, y, x + w, y + h); break;
    case stRoundRect: case stRoundSquare: c->RoundRect(x, y, x + w, y + h, s / 4, s / 4); break;
    case stEllipse: case stCircle: c->Ellipse(x, y, x + w, y + h); break;
  }
}

// ---------------------------------------------------------------------------------------------
// TImage
TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), picture_(std::make_unique<TPicture>()) {
  width_ = 105;
  height_ = 105;
  picture_->OnChange = [this](TObject*) { PictureChanged(); };
}

TImage::~TImage() { picture_->OnChange = nullptr; }

void TImage::PictureChanged() {
  if (autoSize_ && picture_->Width() > 0 && picture_->Height() > 0) SetBounds(left_, top_, picture_->Width(), picture_->Height());
  if (TGraphic* g = picture_->Graphic()) {
    if (transparent_ != g->Transparent()) g->SetTransparent(transparent_);
  }
  Invalidate();
}

void TImage::SetAutoSize(bool v) {
  autoSize_ = v;
  PictureChanged();
}

TRect TImage::DestRect() const {
  int w = picture_->Width(), h = picture_->Height();
  int cw = ClientWidth(), ch = ClientHeight();
  if (stretch_ || (proportional_ && (w > cw || h > ch))) {
    if (proportional_ && w > 0 && h > 0) {
      // Keep the aspect ratio inside the client area.
      if (static_cast<int64_t>(cw) * h > static_cast<int64_t>(ch) * w) {
        w = static_cast<int>(static_cast<int64_t>(w) * ch / h);
        h = ch;
      } else {
        h = static_cast<int>(static_cast<int64_t>(h) * cw / w);
        w = cw;
      }
    } else {
      w = cw;
      h = ch;
    }
  }
  int x = 0, y = 0;
  if (center_) {
    x = (cw - w) / 2;
    y = (ch - h) / 2;
  }
  return Bounds(x, y, w, h);
}

void TImage::Paint() {
  TGraphic* g = picture_->Graphic();
  if (!g || g->Empty()) return;
  if (g->Transparent() != transparent_) g->SetTransparent(transparent_);
  TRect d = DestRect();
  TCanvas* c = Canvas();
  if (d.Width() == g->Width() && d.Height() == g->Height()) c->Draw(d.Left, d.Top, g);
  else c->StretchDraw(d, g);
}

// ---------------------------------------------------------------------------------------------
// TLinkLabel
TLinkLabel::TLinkLabel(TComponent* AOwner) : TWinControl(AOwner) {
  parentColor_ = true;
  width_ = 53;
  height_ = 17;
}

TLinkLabel::TParts TLinkLabel::ParseCaption(const String& caption) {
  TParts p;
  size_t a = FindNoCase(caption, u"<a", 0);
  while (a != String::npos && a + 2 < caption.size() && caption[a + 2] != u' ' && caption[a + 2] != u'>') {
    a = FindNoCase(caption, u"<a", a + 2);
  }
  size_t gt = a == String::npos ? String::npos : caption.find(u'>', a);
  size_t close = gt == String::npos ? String::npos : FindNoCase(caption, u"</a>", gt);
  if (close == String::npos) {
    p.Before = caption;
    return p;
  }
  String tag = caption.substr(a, gt - a);
  size_t h = FindNoCase(tag, u"href", 0);
  if (h != String::npos) {
    size_t eq = tag.find(u'=', h);
    if (eq != String::npos) {
      size_t v = eq + 1;
      while (v < tag.size() && tag[v] == u' ') ++v;
      if (v < tag.size() && (tag[v] == u'"' || tag[v] == u'\'')) {
        Char q = tag[v];
        size_t end = tag.find(q, v + 1);
        p.Target = tag.substr(v + 1, end == String::npos ? String::npos : end - v - 1);
      } else {
        size_t end = tag.find(u' ', v);
        p.Target = tag.substr(v, end == String::npos ? String::npos : end - v);
      }
    }
  }
  p.Before = caption.substr(0, a);
  p.LinkText = caption.substr(gt + 1, close - gt - 1);
  p.After = caption.substr(close + 4);
  p.HasLink = true;
  return p;
}

String TLinkLabel::RichText() const {
  String s = HtmlEscape(parts_.Before);
  if (parts_.HasLink) s += u"<a href=\"" + HtmlEscape(parts_.Target) + u"\">" + HtmlEscape(parts_.LinkText) + u"</a>";
  s += HtmlEscape(parts_.After);
  return s;
}

void TLinkLabel::SetText(const String& s) {
  parts_ = ParseCaption(s);
  TWinControl::SetText(s);
  if (autoSize_) {
    TTextMetricsSource* m = DefaultTextMetrics();
    int w = m->TextWidth(*Font(), parts_.Before + parts_.LinkText + parts_.After);
    int h = m->Ascent(*Font()) + m->Descent(*Font());
    SetBounds(left_, top_, w + 2, h + 2);
  }
  SyncWidget();
}

QWidget* TLinkLabel::CreateWidget(QWidget* parentWidget) {
  auto* l = new QLabel(parentWidget);
  l->setTextFormat(Qt::RichText);
  l->setTextInteractionFlags(Qt::NoTextInteraction);
  l->setFocusPolicy(Qt::NoFocus);
  return l;
}

void TLinkLabel::SyncWidget() {
  TWinControl::SyncWidget();
  auto* l = qobject_cast<QLabel*>(ExistingWidget());
  if (!l) return;
  l->setText(QString::fromStdU16String(RichText()));
}

void TLinkLabel::WndProc(TMessage& m) {
  if (m.Msg == WM_LBUTTONUP && parts_.HasLink && Enabled()) {
    TWinControl::WndProc(m);
    TTextMetricsSource* metrics = DefaultTextMetrics();
    int x = LParamX(m.LParam);
    int from = 1 + metrics->TextWidth(*Font(), parts_.Before);
    int to = from + metrics->TextWidth(*Font(), parts_.LinkText);
    if (x >= from && x < to && OnLinkClick) OnLinkClick(this, parts_.Target, sltURL);
    return;
  }
  TWinControl::WndProc(m);
}

// ---------------------------------------------------------------------------------------------
// Category panels
TCategoryPanelSurface::TCategoryPanelSurface(TComponent* AOwner) : TCustomControl(AOwner) { parentColor_ = true; }

void TCategoryPanelSurface::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
}

TCategoryPanel::TCategoryPanel(TComponent* AOwner) : TCustomControl(AOwner) {
  color_ = clBtnFace;
  width_ = 200;
  height_ = 200;
  surface_ = new TCategoryPanelSurface(this);
  surface_->SetParent(this);
  PlaceSurface();
}

TCategoryPanel::~TCategoryPanel() {
  if (TCategoryPanelGroup* g = PanelGroup()) g->PanelRemoved(this);
}

TCategoryPanelGroup* TCategoryPanel::PanelGroup() const { return dynamic_cast<TCategoryPanelGroup*>(parent_); }
void TCategoryPanel::SetPanelGroup(TCategoryPanelGroup* g) { SetParent(g); }

void TCategoryPanel::SetParent(TWinControl* AParent) {
  TCategoryPanelGroup* old = PanelGroup();
  TCustomControl::SetParent(AParent);
  TCategoryPanelGroup* now = PanelGroup();
  if (old != now) {
    if (old) old->PanelRemoved(this);
    if (now) now->PanelAdded(this);
  }
}

int TCategoryPanel::HeaderHeight() const {
  TCategoryPanelGroup* g = PanelGroup();
  return g ? g->HeaderHeight() : 24;
}

TRect TCategoryPanel::HeaderRect() const { return Rect(0, 0, width_, HeaderHeight()); }

TRect TCategoryPanel::AdjustClientRect() const {
  TRect r = ClientRect();
  r.Top = std::min(r.Bottom, HeaderHeight());
  return r;
}

void TCategoryPanel::PlaceSurface() {
  if (!surface_) return;
  int hh = HeaderHeight();
  surface_->SetBounds(0, hh, width_, std::max(0, (collapsed_ ? expandedHeight_ : height_) - hh));
  surface_->SetVisible(!collapsed_);
}

void TCategoryPanel::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCategoryPanelGroup* g = PanelGroup();
  if (g && g->arranging_) {
    TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    PlaceSurface();
    return;
  }
  // While collapsed only the header shows; the height asked for applies at expansion.
  expandedHeight_ = AHeight;
  int h = collapsed_ ? HeaderHeight() : AHeight;
  if (g) g->PanelMoved(this, ATop);
  TCustomControl::SetBounds(ALeft, ATop, AWidth, h);
  PlaceSurface();
  if (g) g->Arrange();
}

void TCategoryPanel::SetCollapsed(bool v) {
  if (v == collapsed_) return;
  collapsed_ = v;
  TCategoryPanelGroup* g = PanelGroup();
  {
    int h = v ? HeaderHeight() : expandedHeight_;
    bool was = g && g->arranging_;
    if (g) g->arranging_ = true;
    TCustomControl::SetBounds(left_, top_, width_, h);
    if (g) g->arranging_ = was;
  }
  PlaceSurface();
  if (g) g->Arrange();
  if (v) {
    if (OnCollapse) OnCollapse(this);
  } else {
    if (OnExpand) OnExpand(this);
    if (g && g->ScrollBarVisible()) g->ScrollInView(this);
  }
  Invalidate();
}

void TCategoryPanel::SetEnabled(bool v) {
  TCustomControl::SetEnabled(v);
  Invalidate();
}

void TCategoryPanel::SetVisible(bool v) {
  TCustomControl::SetVisible(v);
  if (TCategoryPanelGroup* g = PanelGroup()) g->Arrange();
}

void TCategoryPanel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDOWN:
      TCustomControl::WndProc(m);
      if (Enabled() && PtInRect(HeaderRect(), Point(LParamX(m.LParam), LParamY(m.LParam)))) SetCollapsed(!collapsed_);
      return;
    case WM_MOUSEMOVE: {
      bool hot = PtInRect(HeaderRect(), Point(LParamX(m.LParam), LParamY(m.LParam)));
      if (hot != headerHot_) {
        headerHot_ = hot;
        Invalidate();
      }
      TCustomControl::WndProc(m);
      return;
    }
    case CM_MOUSELEAVE:
      headerHot_ = false;
      Invalidate();
      TCustomControl::WndProc(m);
      return;
    case WM_SIZE:
      TCustomControl::WndProc(m);
      PlaceSurface();
      return;
    default:
      TCustomControl::WndProc(m);
  }
}

void TCategoryPanel::Paint() {
  TCanvas* c = Canvas();
  TCategoryPanelGroup* g = PanelGroup();
  TRect hr = HeaderRect();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  // Header: a light band with a bottom line, image, caption and chevron.
  c->Brush()->SetColor(clBtnFace);
  c->FillRect(hr);
  c->Pen()->SetColor(clBtnShadow);
  c->MoveTo(hr.Left, hr.Bottom - 1);
  c->LineTo(hr.Right, hr.Bottom - 1);
  int x = 4;
  int img = collapsed_ ? collapsedImageIndex_ : expandedImageIndex_;
  if (g && g->Images() && img >= 0 && img < g->Images()->Count()) {
    g->Images()->Draw(c, x, (hr.Height() - g->Images()->Height()) / 2, img, Enabled());
    x += g->Images()->Width() + 4;
  }
  if (g) c->Font()->Assign(g->HeaderFont());
  if (!Enabled()) c->Font()->SetColor(clGrayText);
  c->Brush()->SetStyle(bsClear);
  TRect tr = Rect(x, 0, hr.Right - 24, hr.Bottom);
  DrawText(c, text_, tr, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
  // Chevron: two strokes pointing down when collapsed, up when expanded.
  TColor chev = g ? (headerHot_ ? g->ChevronHotColor() : g->ChevronColor()) : clBlack;
  c->Pen()->SetColor(Enabled() ? chev : clGrayText);
  int cx = hr.Right - 14, cy = hr.Height() / 2;
  for (int k = 0; k < 2; ++k) {
    int yy = cy - 3 + k * 4;
    if (collapsed_) {
      c->MoveTo(cx - 4, yy);
      c->LineTo(cx, yy + 4);
      c->LineTo(cx + 5, yy - 1);
    } else {
      c->MoveTo(cx - 4, yy + 4);
      c->LineTo(cx, yy);
      c->LineTo(cx + 5, yy + 5);
    }
  }
}

TCategoryPanelGroup::TCategoryPanelGroup(TComponent* AOwner)
    : TCustomControl(AOwner), headerFont_(std::make_unique<TFont>()) {
  color_ = clBtnFace;
  width_ = 200;
  height_ = 400;
  headerFont_->SetStyle(fsBold);
  headerFont_->OnChange = [this](TObject*) {
    for (auto& e : stack_) e.first->Invalidate();
  };
}

TCategoryPanelGroup::~TCategoryPanelGroup() {
  headerFont_->OnChange = nullptr;
  stack_.clear();
}

std::vector<TCategoryPanel*> TCategoryPanelGroup::Panels() const {
  std::vector<TCategoryPanel*> panels;
  panels.reserve(stack_.size());
  for (const auto& e : stack_) panels.push_back(e.first);
  return panels;
}

void TCategoryPanelGroup::PanelAdded(TCategoryPanel* p) {
  if (std::none_of(stack_.begin(), stack_.end(), [p](const auto& e) { return e.first == p; }))
    stack_.emplace_back(p, p->Top());
  Arrange();
}

void TCategoryPanelGroup::PanelRemoved(TCategoryPanel* p) {
  stack_.erase(std::remove_if(stack_.begin(), stack_.end(), [p](const auto& e) { return e.first == p; }),
               stack_.end());
  if (!IsDestroying()) Arrange();
}

void TCategoryPanelGroup::PanelMoved(TCategoryPanel* p, int newTop) {
  // The stacking order follows the tops the program asks for (in contents coordinates). Each
  // shown panel's recorded top is where the last layout put it, so a request is compared with
  // the layout as it stands; a top equal to the recorded one asks for no change.
  auto self = std::find_if(stack_.begin(), stack_.end(), [p](const auto& e) { return e.first == p; });
  if (self == stack_.end() || self->second == newTop + scrollPos_) return;
  self->second = newTop + scrollPos_;
  // The panel asked to a place goes before the one standing there.
  std::stable_sort(stack_.begin(), stack_.end(), [p](const auto& a, const auto& b) {
    return a.second < b.second || (a.second == b.second && a.first == p && b.first != p);
  });
}

int TCategoryPanelGroup::ContentHeight() const {
  int h = 0;
  for (const auto& e : stack_) {
    if (e.first->Visible()) h += e.first->Height();
  }
  return h;
}

void TCategoryPanelGroup::SetScrollPos(int pos) {
  int maxPos = std::max(0, ContentHeight() - ClientHeight());
  pos = std::clamp(pos, 0, maxPos);
  if (pos == scrollPos_) return;
  scrollPos_ = pos;
  Arrange();
}

void TCategoryPanelGroup::Arrange() {
  if (arranging_) return;
  arranging_ = true;
  try {
    int maxPos = std::max(0, ContentHeight() - ClientHeight());
    scrollPos_ = std::clamp(scrollPos_, 0, maxPos);
    int w = ClientWidth() - (ScrollBarVisible() ? 17 : 0);
    int y = -scrollPos_;
    for (auto& [p, recordedTop] : stack_) {
      if (!p->Visible()) continue;
      p->SetBounds(0, y, std::max(0, w), p->Height());
      recordedTop = y + scrollPos_;
      y += p->Height();
    }
  } catch (...) {
    arranging_ = false;
    throw;
  }
  arranging_ = false;
  Invalidate();
}

void TCategoryPanelGroup::ScrollInView(TCategoryPanel* p) {
  int top = 0;
  for (const auto& e : stack_) {
    if (e.first == p) break;
    if (e.first->Visible()) top += e.first->Height();
  }
  int bottom = top + p->Height();
  int pos = scrollPos_;
  if (bottom - pos > ClientHeight()) pos = bottom - ClientHeight();
  if (top < pos) pos = top;
  SetScrollPos(pos);
}

void TCategoryPanelGroup::CollapseAll() {
  for (TCategoryPanel* p : Panels()) p->Collapse();
}

void TCategoryPanelGroup::ExpandAll() {
  for (TCategoryPanel* p : Panels()) p->Expand();
}

void TCategoryPanelGroup::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
  TCustomControl::SetBounds(ALeft, ATop, AWidth, AHeight);
  Arrange();
}

TRect TCategoryPanelGroup::ThumbRect() const {
  TRect track = Rect(ClientWidth() - 17, 0, ClientWidth(), ClientHeight());
  int content = std::max(1, ContentHeight());
  int th = std::max(8, track.Height() * ClientHeight() / content);
  int ty = (track.Height() - th) * scrollPos_ / std::max(1, content - ClientHeight());
  return Rect(track.Left + 1, ty, track.Right - 1, ty + th);
}

void TCategoryPanelGroup::ScrollControlInView(TControl* c) {
  // The control's place in the group's client area, through the panels and their surfaces.
  int top = 0;
  const TControl* step = c;
  while (step && step != this) {
    top += step->Top();
    step = step->Parent();
  }
  if (!step) return;
  const int bottom = top + c->Height();
  int pos = scrollPos_;
  if (bottom > ClientHeight()) pos += bottom - ClientHeight();
  if (top - (pos - scrollPos_) < 0) pos = scrollPos_ + top;
  SetScrollPos(pos);
}

void TCategoryPanelGroup::WndProc(TMessage& m) {
  if (m.Msg == CM_FOCUSCHANGED) {
    TCustomControl::WndProc(m);
    // The focused control is scrolled into view, as a scroll box does when the focus moves.
    auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
    if (focused && focused != this && ContainsControl(focused) && !IsDestroying()) ScrollControlInView(focused);
    return;
  }
  int x = LParamX(m.LParam), y = LParamY(m.LParam);
  if (m.Msg == WM_LBUTTONDOWN && ScrollBarVisible() && x >= ClientWidth() - 17) {
    TCustomControl::WndProc(m);
    TRect thumb = ThumbRect();
    if (y < thumb.Top) Perform(WM_VSCROLL, SB_PAGEUP, 0);
    else if (y >= thumb.Bottom) Perform(WM_VSCROLL, SB_PAGEDOWN, 0);
    else dragOffset_ = y - thumb.Top;
    return;
  }
  if (m.Msg == WM_MOUSEMOVE && dragOffset_ >= 0) {
    TCustomControl::WndProc(m);
    TRect thumb = ThumbRect();
    int room = std::max(1, ClientHeight() - thumb.Height());
    int maxPos = std::max(0, ContentHeight() - ClientHeight());
    SetScrollPos(static_cast<int>(static_cast<int64_t>(y - dragOffset_) * maxPos / room));
    return;
  }
  if (m.Msg == WM_LBUTTONUP || m.Msg == WM_CAPTURECHANGED) dragOffset_ = -1;
  if (m.Msg == WM_VSCROLL && m.LParam == 0) {
    int page = std::max(1, ClientHeight());
    switch (static_cast<unsigned>(m.WParam & 0xFFFF)) {
      case SB_LINEUP: SetScrollPos(scrollPos_ - LineStep()); break;
      case SB_LINEDOWN: SetScrollPos(scrollPos_ + LineStep()); break;
      case SB_PAGEUP: SetScrollPos(scrollPos_ - page); break;
      case SB_PAGEDOWN: SetScrollPos(scrollPos_ + page); break;
      case SB_THUMBTRACK:
        if (tracking_) SetScrollPos(static_cast<int>((m.WParam >> 16) & 0xFFFF));
        break;
      case SB_THUMBPOSITION: SetScrollPos(static_cast<int>((m.WParam >> 16) & 0xFFFF)); break;
      case SB_TOP: SetScrollPos(0); break;
      case SB_BOTTOM: SetScrollPos(ContentHeight()); break;
      default: break;
    }
    m.Result = 0;
    return;
  }
  TCustomControl::WndProc(m);
}

void TCategoryPanelGroup::Paint() {
  TCanvas* c = Canvas();
  c->Brush()->SetColor(Color());
  c->FillRect(ClientRect());
  if (ScrollBarVisible()) {
    // A plain vertical bar: track and thumb in proportion to what shows.
    TRect track = Rect(ClientWidth() - 17, 0, ClientWidth(), ClientHeight());
    c->Brush()->SetColor(clScrollBar);
    c->FillRect(track);
    TRect thumb = ThumbRect();
    DrawEdge(c, thumb, EDGE_RAISED, BF_RECT | BF_MIDDLE);
  }
}
