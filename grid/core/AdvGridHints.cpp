// Hints: the pack's HTML hint window, the cell hint the grid answers the hint request with, and
// the application-wide switch to the HTML hint window.
#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdez.h"

String HintFontName;

namespace {

constexpr int kMeasureWidth = 1008;
constexpr int kPackedUnicode = 5;
constexpr int kHTMLText = 1;

}  // namespace

// =============================================================================================
// THTMLHintWindow

THTMLHintWindow::THTMLHintWindow(TComponent* AOwner) : THintWindow(AOwner) {}

TSize THTMLHintWindow::Measure(const String& AHint, int MaxWidth, bool& Wide) {
  TCanvas* c = Canvas();
  Wide = ClassifyCellText(AHint, true) == kPackedUnicode;
  if (Wide) {
    c->Font()->SetName(HintFontName);
    TRect r = Rect(0, 0, MaxWidth, 0);
    const int h = DrawText(c, UnpackUnicodeText(AHint), r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    return TSize{r.Right, h};
  }
  TMiniHTMLRequest q;
  q.Area = Rect(0, 0, MaxWidth, 4096);
  q.ImageList = FImages;
  q.NamedPictures = FPictureContainer;
  q.MeasureOnly = true;
  q.LinkColor = 0xFF0000;  // blue
  TMiniHTMLResult res;
  RenderMiniHTML(c, AHint, q, res);
  return TSize{res.ExtentX, res.ExtentY};
}

TRect THTMLHintWindow::CalcHintRect(int MaxWidth, const String& AHint, TObject* AData) {
  (void)AData;
  bool wide = false;
  const TSize s = Measure(AHint, MaxWidth, wide);
  return Rect(0, 0, s.cx, s.cy);
}

void THTMLHintWindow::ActivateHint(TRect Rect, const String& AHint) {
  SetCaption(AHint);
  const int m = 4;
  bool wide = false;
  const TSize s = Measure(AHint, kMeasureWidth, wide);
  const int b = wide ? 8 : 16;
  if (wide) FWideCaption = UnpackUnicodeText(AHint);
  FTextWidth = s.cx;
  FTextHeight = s.cy;
  Rect.Right = Rect.Left + FTextWidth + b;
  Rect.Bottom = Rect.Top + FTextHeight + m;
  const TRect mon = MonitorRectAt(Point(Rect.Left, Rect.Top));
  const int w = Rect.Width();
  if (Rect.Right - mon.Left > mon.Width()) {
    Rect.Left = mon.Left + mon.Width() - w - 2;
    Rect.Right = Rect.Left + w;
  }
  if (Rect.Bottom - mon.Top > mon.Height()) {
    Rect.Bottom = mon.Top + mon.Height() - 2;
    Rect.Top = Rect.Bottom - FTextHeight - m;
  }
  ShowAt(Rect);
}

void THTMLHintWindow::ActivateHintData(TRect Rect, const String& AHint, TObject* AData) {
  if (auto* g = dynamic_cast<TAdvStringGrid*>(AData)) FImages = g->GridImages();
  THintWindow::ActivateHintData(Rect, AHint, AData);
}

void THTMLHintWindow::Paint() {
  TCanvas* c = Canvas();
  const TRect r = ClientRect();
  c->Brush()->SetColor(Color());
  c->FillRect(r);
  c->Pen()->SetColor(cl3DLight);
  c->MoveTo(r.Left, r.Bottom - 2);
  c->LineTo(r.Left, r.Top);
  c->LineTo(r.Right - 1, r.Top);
  c->Pen()->SetColor(cl3DDkShadow);
  c->MoveTo(r.Left, r.Bottom - 1);
  c->LineTo(r.Right - 1, r.Bottom - 1);
  c->LineTo(r.Right - 1, r.Top - 1);
  TRect t = r;
  t.Left += 4;
  t.Right -= 4;
  t.Top = r.Top + (r.Height() - FTextHeight) / 2;
  t.Bottom = t.Top + FTextHeight + 8;
  c->Brush()->SetColor(Color());
  if (ClassifyCellText(Caption(), true) == kPackedUnicode) {
    c->Font()->SetName(HintFontName);
    DrawText(c, FWideCaption, t, DT_SINGLELINE | DT_NOPREFIX);
    return;
  }
  TMiniHTMLRequest q;
  q.Area = t;
  q.ImageList = FImages;
  q.NamedPictures = FPictureContainer;
  q.LinkColor = 0xFF0000;
  TMiniHTMLResult res;
  RenderMiniHTML(c, Caption(), q, res);
}

// =============================================================================================
// The grid's hints

void TAdvStringGrid::SetUseHTMLHints(bool v) {
  FUseHTMLHints = v;
  HintWindowClass = v ? &MakeHintWindow<THTMLHintWindow> : &MakeHintWindow<THintWindow>;
}

void TAdvStringGrid::CMHintShow(TMessage& Message) {
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  Message.Result = 0;
  if (!info) return;
  int dcol = -1, drow = -1;
  MouseToCell(info->CursorPos.X, info->CursorPos.Y, dcol, drow);
  if (FControlLook->HintMaxWidth() > 0) info->HintMaxWidth = FControlLook->HintMaxWidth();
  HintFontName = Font()->Name();
  String hint = info->HintStr;
  TPoint pos = info->CursorPos;
  if (dcol >= 0 && drow >= 0) {
    const int rcol = RealColIndex(dcol);
    const TPoint base = BaseCell(rcol, drow);
    FLastHintPos = TPoint{DisplColIndex(base.X), base.Y};
    const TRect cr = CellRect(FLastHintPos.X, FLastHintPos.Y);
    String comment;
    if (IsComment(base.X, base.Y, comment)) {
      // The comment mark sits in the top-right corner; its text shows from there.
      hint = comment;
      pos = Point(cr.Right, cr.Top);
    } else {
      pos = Point(info->CursorPos.X, cr.Bottom + 6);
    }
    const String text = GetCellEx(base.X, base.Y);
    const bool html = ClassifyCellText(text, FEnableHTML) == kHTMLText;
    const bool normal = !IsFixed(FLastHintPos.X, FLastHintPos.Y) && FLastHintPos.X >= FixedCols() &&
                        FLastHintPos.Y >= FixedRows();
    if (FAnchorHint && html) {
      String anchor, title;
      int link = -1;
      if (LinkAt(FLastHintPos.X, FLastHintPos.Y, info->CursorPos.X, info->CursorPos.Y, anchor, title, link)) {
        hint = AnchorHintText(FLastHintPos.X, FLastHintPos.Y, anchor, title);
        FLastAnchorHint = hint;
        pos = Point(info->CursorPos.X + 8, info->CursorPos.Y - 16);
      }
    }
    if (FHintShowCells && normal) {
      pos.Y = cr.Top;
      hint = FHTMLHint || !html ? text : StripHTMLTags(text);
    }
    if (FHintShowLargeText) {
      // Measured whole: the word-wrap and ellipsis choice of EnhTextSize would hide what overflows.
      const bool enh = FEnhTextSize;
      FEnhTextSize = false;
      TSize sz{};
      try {
        sz = GetCellTextSize(base.X, base.Y, false, true);
      } catch (...) {
        FEnhTextSize = enh;
        throw;
      }
      FEnhTextSize = enh;
      if (sz.cx > cr.Width() || sz.cy > cr.Height()) {
        pos = FHintShowLargeTextPos == hpCell ? Point(cr.Left, cr.Top) : info->CursorPos;
        hint = FHTMLHint || !html || ClassifyCellText(text, true) == kPackedUnicode ? text : StripHTMLTags(text);
      }
    }
    String wide;
    // The hook is asked with the displayed column, as the forms' handlers expect.
    if (!(FFloatingFooter->Visible() && drow == RowCount() - 1)) DoGridHint(FLastHintPos.X, base.Y, hint, wide);
  }
  info->HintStr = hint;
  const int kind = ClassifyCellText(hint, true);
  if ((kind == kHTMLText || kind == kPackedUnicode) && FUseInternalHintClass) {
    info->HintWindowClass = &MakeHintWindow<THTMLHintWindow>;
    info->HintData = this;
  }
  info->HintPos = ClientToScreen(pos);
  info->HintColor = FHintColor;
}

void TAdvStringGrid::ShowSizingHint(const String& Text, int DCol, int DRow) {
  if (!FScrollHintWnd) return;
  FScrollHintWnd->SetColor(FHintColor);
  TRect r = FScrollHintWnd->CalcHintRect(200, Text, this);
  const TRect cr = CellRect(DCol, DRow);
  const TPoint p = ClientToScreen(Point(cr.Left, cr.Top));
  r = Rect(p.X, p.Y, p.X + r.Width(), p.Y + r.Height());
  FScrollHintWnd->ActivateHint(r, Text);
  FScrollHintShow = true;
}
