// How much room a cell's text takes, where rotated text starts, a cell's effective alignment and
// the line count of a row.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdez.h"

namespace {

bool IsNumberKind(int Kind) { return Kind == 0 || Kind == 1 || Kind == 5; }

// |Length x f(angle)| with the product truncated, as the text placement counts it.
int Unsigned(double Product) { return std::abs(static_cast<int>(Product)); }

double Radians(int Angle) { return Angle * M_PI / 180.0; }

}  // namespace

void AlignRotatedTextRect(TRect& ARect, TAlignment HA, TVAlignment VA, int HCos, int WSin, int HSin, int WCos,
                          int Angle) {
  const int quadrant = Angle <= 90 ? 1 : Angle <= 180 ? 2 : Angle > 270 ? 4 : 3;
  const int L = ARect.Left, T = ARect.Top, R = ARect.Right, B = ARect.Bottom, cw = R - L;
  int left = L, top = T, g = 0;
  switch (quadrant) {
    case 1:
      left = HA == taLeftJustify ? L : HA == taRightJustify ? R - WCos - HSin : L + (cw - HSin - WCos) / 2;
      top = VA == vtaTop ? T + WSin : B - HCos;
      g = WSin;
      break;
    case 2:
      left = HA == taLeftJustify ? L + WCos : HA == taRightJustify ? R - HSin : R - (HSin + cw - WCos) / 2;
      top = VA == vtaTop ? T + HCos + WSin : B;
      g = HCos + WSin;
      break;
    case 3:
      left = HA == taLeftJustify ? L + HSin + WCos : HA == taRightJustify ? R : R - (cw - HSin - WCos) / 2;
      top = VA == vtaTop ? T + HCos : B - WSin;
      g = HCos;
      break;
    default:
      left = HA == taLeftJustify ? L + HSin : HA == taRightJustify ? R - WCos : L + (HSin + cw - WCos) / 2;
      top = VA == vtaTop ? T : B - HCos - WSin;
      g = 0;
      break;
  }
  if (VA == vtaCenter) top = T + g - (WSin + HCos - (B - T)) / 2;
  ARect.Left = left;
  ARect.Top = top;
}

TCellAlignment TAdvStringGrid::GetCellAlignment(int RCol, int DRow) {
  TCellAlignment a{FDefaultAlignment, FVAlignment};
  const bool props = HasCellProperties(RCol, DRow);
  // The text decides only by number alignment or a formula over the properties' alignment.
  if (FAutoNumAlign || props) {
    const String text = GetCellEx(RCol, DRow);
    const bool formula = !text.empty() && text[0] == u'=';
    // A formula's shown text is the stored text itself in this grid.
    if (FAutoNumAlign && IsNumberKind(ClassifyNumberText(Trim(text)))) a.HAlign = taRightJustify;
    if (props && !formula) a.HAlign = GetCellProperties(RCol, DRow)->Alignment();
  }
  DoGetAlignment(RCol, DRow, a.HAlign, a.VAlign);
  return a;
}

TSize TAdvStringGrid::GetCellTextSize(int RCol, int DRow, bool VS, bool SB) {
  return MeasureCellText(RCol, RealToDisplCol(RCol), DRow, VS, SB);
}

TSize TAdvStringGrid::MeasureCellText(int RCol, int DCol, int DRow, bool VS, bool SB) {
  String text = GetFormattedCell(RCol, DRow);
  TCanvas* cv = Canvas();
  TGridDrawState state;
  TBrush brush;
  GetFontProperties(DCol, RCol, DRow, state, cv->Font(), &brush, true);
  if ((DRow < FixedRows() || DCol < FixedCols()) && FActiveCellShow &&
      FActiveCellFont->Style().Contains(fsBold)) {
    cv->Font()->SetStyle(cv->Font()->Style() | TFontStyles(fsBold));
  }
  if (FZoomFactor != 0) cv->Font()->SetSize(cv->Font()->Size() + FZoomFactor);

  TRect r = CellRect(DCol, DRow);
  r.Left += FXYOffset.X;
  r.Top += FXYOffset.Y;
  if (!FXYOffsetTopLeftOnly) {
    r.Right -= FXYOffset.X;
    r.Bottom -= FXYOffset.Y;
  }
  if (VS) r.Right -= 17;
  if (ClassifyCellText(text, FEnableHTML) == 1) {
    // Laid out as painting lays it out, the same word-wrap choice included.
    if (!SB) r.Right = r.Bottom = 65535;
    TMiniHTMLRequest q;
    q.Area = r;
    q.ImageList = FGridImages;
    q.NamedPictures = FPictureContainer;
    q.UrlPictures = FImageCache.get();
    q.MeasureOnly = true;
    q.WrapWords = FEnhTextSize;
    TMiniHTMLResult res;
    RenderMiniHTML(cv, text, q, res);
    return TSize{res.ExtentX + 2, res.ExtentY + 2};
  }
  const bool rich = ClassifyCellText(text, FEnableHTML) == 2 && !Designing();
  if (rich) {
    // The font and the text to measure are the rich edit's.
    TAdvRichEdit* re = RichEdit();
    re->Clear();
    re->SetBounds(0, 0, 0, 0);
    re->SetWordWrap(false);
    CellToRich(RCol, DRow, re);
    cv->Font()->SetName(re->SelAttributes()->Name());
    cv->Font()->SetSize(re->SelAttributes()->Size());
    cv->Font()->SetStyle(re->SelAttributes()->Style());
    text = re->GetText();
  }

  TCellGraphic* cg = GetCellGraphic(RCol, DRow);
  const bool rotated = cg && cg->CellType() == ctRotated;
  const int angle = rotated ? cg->CellAngle() : 0;

  TSize sz{0, 0};
  if (SB) {
    InflateRect(r, -2, -2);
    if (EditorMode() && Col() == DCol && Row() == DRow && !text.empty() && text.back() == u'\n') text += u"w";
    TRect calc = r;
    unsigned flags = DT_CALCRECT | DT_EDITCONTROL | DT_NOPREFIX | DT_EXPANDTABS;
    flags |= rotated ? DT_SINGLELINE : DT_WORDBREAK;
    sz.cy = DrawText(cv, text, calc, flags);
    sz.cx = r.Right - r.Left;
  } else {
    String rest = text;
    int lines = 0;
    int width = 0;
    do {
      String line;
      CutFirstLine(rest, true, line);
      width = std::max(width, cv->TextWidth(line));
      ++lines;
    } while (!rest.empty() && Multilinecells);
    sz.cx = width;
    sz.cy = cv->TextHeight(u"gh") * lines;
  }
  if (rotated) {
    const double a = Radians(angle);
    const int w = sz.cx, h = sz.cy;
    sz.cx = std::abs(Unsigned(h * std::sin(a)) - Unsigned(w * std::cos(a))) + 12;
    sz.cy = std::abs(Unsigned(h * std::cos(a)) - Unsigned(w * std::sin(a))) + 12;
  }
  if (rich) {
    // The size the rich edit asks for at the cell's width, wrapped as the grid wraps.
    TAdvRichEdit* re = RichEdit();
    re->SetBounds(0, 0, r.Right - r.Left, r.Bottom - r.Top);
    re->SetWordWrap(true);
    re->SetWordWrap(false);
    re->SetWordWrap(FWordWrapEx);
    SetWindowExStyle(re, GetWindowExStyle(re) | WS_EX_TRANSPARENT);
    sz.cx = re->ReqWidth();
    sz.cy = re->ReqHeight() + 4;
  }
  return sz;
}

void TAdvStringGrid::PlaceRotatedText(TCanvas* ACanvas, TRect& ARect, int Angle, TVAlignment VA, TAlignment HA,
                                      const String& Text) {
  const TSize ext = ACanvas->TextExtent(Text);
  InflateRect(ARect, -2, -2);
  const double a = Radians(Angle);
  AlignRotatedTextRect(ARect, HA, VA, Unsigned(ext.cy * std::cos(a)), Unsigned(ext.cx * std::sin(a)),
                       Unsigned(ext.cy * std::sin(a)), Unsigned(ext.cx * std::cos(a)), Angle);
}

int TAdvStringGrid::GetMaxLinesInRow(int DRow) {
  if (ColCount() == 0 || !Multilinecells) return 1;
  int most = 1;
  // The shown columns only: a column past the last shown one has no text of its own to count.
  for (int d = 0; d < ColCount(); ++d) most = std::max(most, CountLines(GetCellEx(DisplToRealCol(d), DRow), true));
  return most;
}
