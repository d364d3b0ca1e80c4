// The floating footer: its settings, the calculation of the footer row's cells, and the panel
// under the rows that paints the footer row (or a preview of the current row), answers hints
// and passes clicks on as clicks on the footer row.
#include <algorithm>
#include <limits>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "platform/HintWindow.h"

namespace {

constexpr TColor kFooterGray = static_cast<TColor>(0x808080);
constexpr TColor kFooterWhite = static_cast<TColor>(0xFFFFFF);

bool RaisedLook(TGridLook L) { return L == glSoft || L == glQEL || L == glXP || L == glVista; }

// Sets a value for a scope and gives the old one back.
template <class T>
class TFooterScoped {
 public:
  TFooterScoped(T& Ref, T During) : FRef(Ref), FWas(Ref) { Ref = During; }
  ~TFooterScoped() { FRef = FWas; }
  TFooterScoped(const TFooterScoped&) = delete;
  TFooterScoped& operator=(const TFooterScoped&) = delete;

 private:
  T& FRef;
  T FWas;
};

}  // namespace

// =============================================================================================
// Settings

void TFloatingFooter::CopyFrom(const TFloatingFooter& s) {
  FCalculateHiddenRows = s.FCalculateHiddenRows;
  FColor = s.FColor;
  FColumn = s.FColumn;
  FCustomTemplate = s.FCustomTemplate;
  FFooterStyle = s.FFooterStyle;
  SetVisible(s.FVisible);
  FShowHint = s.FShowHint;
}

void TFloatingFooter::Invalidate() {
  if (FGrid && FGrid->FooterPanel()) FGrid->FooterPanel()->Invalidate();
}

void TFloatingFooter::SetVisible(bool v) {
  FVisible = v;
  Changed();
  if (!FGrid) return;
  if (TFooterPanel* p = FGrid->FooterPanel()) {
    p->SetHeight(v ? FHeight - 1 : 0);
    p->SetVisible(v);
  }
  const bool lastRow = v && FFooterStyle == fsFixedLastRow;
  FGrid->SetFixedFooters(lastRow ? 1 : 0);
  FGrid->SetHideLastRow(lastRow);
  FGrid->Invalidate();
}

void TFloatingFooter::SetFooterStyle(TFooterStyle v) {
  FFooterStyle = v;
  if (!FGrid) return;
  FGrid->SetHideLastRow(v == fsFixedLastRow && FVisible);
  FGrid->Invalidate();
  Invalidate();
}

void TFloatingFooter::SetHeight(int v) {
  FHeight = v;
  if (FGrid && FGrid->FooterPanel() && v > 0 && FVisible) FGrid->FooterPanel()->SetHeight(v - 1);
}

void TFloatingFooter::SetColor(TColor v) {
  FColor = v;
  Invalidate();
}

void TFloatingFooter::SetColumn(int v) {
  FColumn = v;
  Invalidate();
}

void TFloatingFooter::SetCustomTemplate(const String& v) {
  FCustomTemplate = v;
  Invalidate();
}

void TFloatingFooter::SetBorderColor(TColor v) {
  if (v == FBorderColor) return;
  FBorderColor = v;
  Invalidate();
}

void TFloatingFooter::SetShowHint(bool v) {
  FShowHint = v;
  if (FGrid && FGrid->FooterPanel()) FGrid->FooterPanel()->SetShowHint(v);
}

TColumnCalcType TFloatingFooter::ColumnCalc(int c) const {
  if (!FGrid) return acNONE;
  const int r = FGrid->RowCount() - 1;
  if (!FGrid->HasCellProperties(c, r)) return acNONE;
  return static_cast<TColumnCalcType>(FGrid->GetCellProperties(c, r)->CalcType() & 0x7F);
}

void TFloatingFooter::SetColumnCalc(int c, TColumnCalcType v) {
  if (!FGrid) return;
  FGrid->GetCellProperties(c, FGrid->RowCount() - 1)->SetCalcType(v);
  FGrid->CalcFooter(c);
}

// =============================================================================================
// Calculation

void TAdvStringGrid::UpdateFooterColumn(int RCol) { CalcFooter(RCol); }

void TAdvStringGrid::CalcFooter(int ACol) { DoCalcFooter(ACol); }

void TAdvStringGrid::UpdateFooter() { RepaintFooterPanel(); }

void TAdvStringGrid::DoCalcFooter(int ACol) {
  if (!FFloatingFooter || !FFloatingFooter->Visible() || FFloatingFooter->FooterStyle() != fsFixedLastRow ||
      !FFloatingFooter->EnableCalculation())
    return;
  const int footer = RowCount() - 1;
  if (footer < 0) return;
  const int first = ACol == -1 ? 0 : ACol;
  const int last = ACol == -1 ? TotalColCount() - 1 : ACol;
  for (int c = first; c <= last; ++c) {
    if (!HasCellProperties(c, footer)) continue;
    const auto kind = static_cast<TColumnCalcType>(GetCellProperties(c, footer)->CalcType() & 0x7F);
    if (kind == acNONE) continue;
    const int h = FFloatingFooter->CalculateHiddenRows() ? NumHiddenRows() : 0;
    // Real rows FixedRows .. h + RowCount - 2: read by real index once they reach hidden rows,
    // so that hidden rows count and the footer row never does.
    const int from = FixedRows(), to = h + RowCount() - 2;
    auto value = [&](double v) { SetFloats(c, footer, v); };
    try {
      switch (kind) {
        case acSUM:
          value(ColumnSum(c, from, to));
          break;
        case acAVG:
          value(ColumnAvg(c, from, to));
          break;
        case acMIN:
          value(ColumnMin(c, from, to));
          break;
        case acMAX:
          value(ColumnMax(c, from, to));
          break;
        case acDISTINCT:
          value(ColumnDistinct(c, from, to));
          break;
        case acSTDDEV:
          value(ColumnStdDev(c, from, to));
          break;
        case acCOUNT:
          SetInts(c, footer, h + RowCount() - FixedRows() - 1);
          break;
        case acCUSTOM: {
          String v;
          if (OnFooterCalc) {
            OnFooterCalc(this, c, h + RowCount() - 1, v);
          } else if (FFloatingFooter->OnCalcFooter) {
            FFloatingFooter->OnCalcFooter(this, c, h + RowCount() - 1, v);
          }
          SetCellEx(c, footer, v);
          break;
        }
        default:
          break;
      }
    } catch (const EAdvGridError&) {
      // A cell that is no number where a calculation needs one: the footer keeps its text.
    }
  }
}

// =============================================================================================
// Painting

bool TAdvStringGrid::FooterRightToLeft() { return UseRightToLeftAlignment(); }

int TAdvStringGrid::FooterWidth() {
  int w = 0;
  for (int c = 0; c < FixedCols(); ++c) w += ColWidths(c);
  for (int c = LeftCol(); c < ColCount(); ++c) w += ColWidths(c);
  return w;
}

String TAdvStringGrid::ExpandFooterTemplate(const String& Template) {
  String out;
  String rest = Template;
  for (;;) {
    const size_t at = rest.find(u"<#");
    if (at == String::npos) break;
    const size_t close = rest.find(u'>', at);
    // An unclosed placeholder is text.
    if (close == String::npos) break;
    out += rest.substr(0, at);
    const String num = rest.substr(at + 2, close - at - 2);
    int n = 0;
    if (TryStrToInt(num, n) && n >= 0) out += GetCellEx(n, Row());
    rest = rest.substr(close + 1);
  }
  return out + rest;
}

void TAdvStringGrid::PaintFooterCell(TCanvas* ACanvas, int DCol, const TRect& R) {
  const int row = RowCount() - 1;
  const bool fixed = DCol < FixedCols();
  if (!fixed) {
    const int rc = RealColIndex(DCol);
    if (OnGetCellColor) {
      TBrush brush;
      brush.SetColor(clNone);
      TFont font;
      font.Assign(Font());
      OnGetCellColor(this, row, rc, TGridDrawState{gdFixed}, &brush, &font);
      if (brush.Color() != clNone) {
        ACanvas->Brush()->SetColor(brush.Color());
        ACanvas->FillRect(R);
      }
    }
    if (HasCellProperties(rc, row) && GetCellProperties(rc, row)->BrushColor() != clNone) {
      ACanvas->Brush()->SetColor(GetCellProperties(rc, row)->BrushColor());
      ACanvas->FillRect(R);
    }
  }
  if (!IsBaseCell(RealColIndex(DCol), row)) return;
  if (!fixed && OnFooterPaint) {
    OnFooterPaint(FFooterPanel, DCol, ACanvas, R);
    return;
  }
  PaintCell(ACanvas, DCol, row, R, TGridDrawState{gdFixed});
}

int TAdvStringGrid::PaintFooterRow(TCanvas* ACanvas, const TRect& AClient) {
  const int w = FooterWidth();
  const bool rtl = FooterRightToLeft();
  const int cw = AClient.Width();
  auto flip = [&](TRect r) { return rtl ? TRect{cw - r.Right, r.Top, cw - r.Left, r.Bottom} : r; };
  const TRect area = flip(TRect{0, AClient.Top, w, AClient.Bottom});
  ACanvas->Brush()->SetColor(FFloatingFooter->Color());
  ACanvas->FillRect(area);
  ACanvas->Brush()->SetColor(Color());
  if (rtl) {
    ACanvas->FillRect(TRect{0, AClient.Top, area.Left, AClient.Bottom});
  } else {
    ACanvas->FillRect(TRect{w, AClient.Top, cw, AClient.Bottom});
  }
  std::vector<int> cols;
  for (int c = 0; c < FixedCols(); ++c) cols.push_back(c);
  for (int c = LeftCol(); c < ColCount(); ++c) cols.push_back(c);
  const TGridOptions opt = Options();
  const bool raised = RaisedLook(Look()) && !Flat();
  // The lines, column by column.
  auto xAt = [&](int x) { return rtl ? cw - x : x; };
  int x = 0;
  const int bottom = AClient.Bottom, top = AClient.Top;
  for (int c : cols) {
    ACanvas->Pen()->SetColor(kFooterWhite);
    if (opt.Contains(goFixedVertLine) && raised) {
      ACanvas->MoveTo(xAt(x), bottom);
      ACanvas->LineTo(xAt(x), top);
    }
    const int x0 = x;
    x += ColWidths(c);
    if (opt.Contains(goFixedHorzLine)) {
      ACanvas->Pen()->SetColor(GridLineColor());
      ACanvas->MoveTo(xAt(x0), top);
      ACanvas->LineTo(xAt(x - 1), top);
    }
    if (c >= FixedCols() && Look() != glVista) ACanvas->Pen()->SetColor(kFooterGray);
    if (opt.Contains(goFixedVertLine)) {
      ACanvas->MoveTo(xAt(x - 1), top);
      ACanvas->LineTo(xAt(x - 1), bottom);
    }
  }
  // The cells, in layout coordinates mirrored here (the grid's own orientation stays off).
  int left = 0;
  const int cellTop = top + (opt.Contains(goFixedHorzLine) ? 1 : 0);
  for (int c : cols) {
    TRect r{left, cellTop, left + ColWidths(c) - 1, bottom};
    if (raised && opt.Contains(goFixedHorzLine)) r.Left += 1;
    PaintFooterCell(ACanvas, c, flip(r));
    left += ColWidths(c);
  }
  return w;
}

int TAdvStringGrid::PaintFooterPreview(TCanvas* ACanvas, const TRect& AClient) {
  const int w = FooterWidth();
  const bool rtl = FooterRightToLeft();
  const int cw = AClient.Width();
  const TRect area = rtl ? TRect{cw - w, AClient.Top, cw, AClient.Bottom} : TRect{0, AClient.Top, w, AClient.Bottom};
  ACanvas->Pen()->SetWidth(1);
  ACanvas->Brush()->SetColor(FFloatingFooter->Color());
  ACanvas->FillRect(area);
  ACanvas->Pen()->SetColor(kFooterGray);
  ACanvas->MoveTo(area.Left, area.Bottom - 1);
  ACanvas->LineTo(area.Right - 1, area.Bottom - 1);
  ACanvas->LineTo(area.Right - 1, area.Top);
  ACanvas->Pen()->SetColor(kFooterWhite);
  ACanvas->LineTo(area.Left, area.Top);
  ACanvas->LineTo(area.Left, area.Bottom - 1);
  {
    TFooterScoped<TColor> black(FSelectionTextColor, static_cast<TColor>(0));
    if (FFloatingFooter->FooterStyle() == fsColumnPreview) {
      if (OnFooterPaint) {
        OnFooterPaint(FFooterPanel, FFloatingFooter->Column(), ACanvas, area);
      } else {
        PaintCell(ACanvas, FFloatingFooter->Column(), Row(), area, TGridDrawState{});
      }
    } else {
      TRect t = area;
      t.Top += 2;
      if (Designing()) {
        ACanvas->TextRect(t, t.Left, t.Top, FFloatingFooter->CustomTemplate());
      } else {
        TMiniHTMLRequest q;
        q.Area = t;
        q.ImageList = FGridImages;
        q.LinkColor = URLColor();
        q.UrlPictures = FImageCache.get();
        q.NamedPictures = FPictureContainer;
        TMiniHTMLResult res;
        RenderMiniHTML(ACanvas, ExpandFooterTemplate(FFloatingFooter->CustomTemplate()), q, res);
      }
    }
  }
  ACanvas->Brush()->SetColor(Color());
  if (rtl) {
    ACanvas->FillRect(TRect{0, AClient.Top, area.Left, AClient.Bottom});
  } else {
    ACanvas->FillRect(TRect{w, AClient.Top, cw, AClient.Bottom});
  }
  return w;
}

int TAdvStringGrid::PaintFooter(TCanvas* ACanvas, const TRect& AClient) {
  int w = AClient.Width();
  // Painting never raises.
  try {
    switch (FFloatingFooter->FooterStyle()) {
      case fsFixedLastRow:
        w = PaintFooterRow(ACanvas, AClient);
        break;
      case fsColumnPreview:
      case fsCustomPreview:
        w = PaintFooterPreview(ACanvas, AClient);
        break;
      case fsCustomPaint: {
        if (OnFooterPaint) OnFooterPaint(FFooterPanel, FFloatingFooter->Column(), ACanvas, AClient);
        break;
      }
    }
    if (FFloatingFooter->BorderColor() != clNone) {
      ACanvas->Pen()->SetColor(FFloatingFooter->BorderColor());
      ACanvas->MoveTo(0, 0);
      ACanvas->LineTo(w, 0);
    }
  } catch (const std::exception&) {
  }
  return w;
}

// =============================================================================================
// The panel: hints and clicks by footer column

int TAdvStringGrid::FooterColumnAt(int X) {
  if (FooterRightToLeft()) X = FFooterPanel ? FFooterPanel->ClientWidth() - X : X;
  int sum = 0;
  for (int c = 0; sum < X && c < ColCount() && c < FixedCols(); ++c) sum += ColWidths(c);
  int j = LeftCol();
  while (sum < X && j < ColCount()) sum += ColWidths(j++);
  if (j >= ColCount() && sum < X) return -1;
  return j;
}

bool TAdvStringGrid::KeepSelectionClearOfPanels(int DCol, int DRow) {
  if (DCol < 0 || DRow < 0 || DRow >= RowCount()) return true;
  const int searchHeight = FSearchFooter->Visible() ? FSearchPanel->Height() : 0;
  const auto cellBottom = [&] { return CellRect(DCol, DRow).Bottom; };
  const auto scrollOne = [&] {
    const int top = TopRow();
    ScrollTopRowPastPage(top + 1);
    return TopRow() != top;
  };
  if (FFloatingFooter->Visible()) {
    const int footerTop = ClientHeight() - FFloatingFooter->Height() - searchHeight;
    if (FFloatingFooter->FooterStyle() == fsFixedLastRow) {
      // The footer shows the last row itself.
      if (DRow == RowCount() - 1) return false;
      if (DRow >= TopRow() + VisibleRowCount()) SetTopRow(std::max(FixedRows(), DRow - VisibleRowCount() + 1));
      if (cellBottom() > footerTop) scrollOne();
    } else {
      FFooterPanel->Invalidate();
      if (cellBottom() > footerTop) scrollOne();
    }
  }
  if (searchHeight > 0) {
    const int searchTop = ClientHeight() - searchHeight;
    while (cellBottom() > searchTop && TopRow() < RowCount() - 1 && scrollOne()) {
    }
  }
  return true;
}

namespace {

// The bottom of a row in client pixels; a row below the view counts as below everything.
int FooterRowBottom(const TAdvStringGrid& g, int ARow) {
  const TRect r = g.CellRect(0, ARow);
  if (r.IsEmpty()) return ARow >= g.TopRow() ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
  return r.Bottom;
}

}  // namespace

bool TAdvStringGrid::LastRowAboveSearchFooter() const {
  if (!FSearchFooter->Visible() || TopRow() + VisibleRowCount() < RowCount() - 1) return false;
  return FooterRowBottom(*this, RowCount() - 1) < ClientHeight() - FSearchPanel->Height() + 2;
}

void TAdvStringGrid::AdjustTopRowForSearchFooter() {
  const int panel = FSearchPanel->Height();
  if (ClientHeight() <= DefaultRowHeight() + panel) return;
  while (FooterRowBottom(*this, RowCount() - 1) > ClientHeight() - panel + 2 && Row() >= 0 && Row() < RowCount() &&
         TopRow() < RowCount()) {
    const int top = TopRow();
    ScrollTopRowPastPage(top + 1);
    if (TopRow() == top) break;
  }
}

TFooterPanel::TFooterPanel(TComponent* AOwner) : TPanel(AOwner), FGrid(dynamic_cast<TAdvStringGrid*>(AOwner)) {
  SetCustomHintShow(true);
}

void TFooterPanel::Paint() {
  if (FGrid) FGrid->PaintFooter(Canvas(), ClientRect());
}

void TFooterPanel::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
  TPanel::MouseUp(Button, Shift, X, Y);
  if (!FGrid) return;
  const int j = FGrid->FooterColumnAt(X);
  if (FGrid->OnClick) FGrid->OnClick(FGrid);
  if (FGrid->OnClickCell) FGrid->OnClickCell(FGrid, FGrid->RowCount() - 1, j - 1);
}

void TFooterPanel::MouseMove(TShiftState Shift, int X, int Y) {
  TPanel::MouseMove(Shift, X, Y);
  if (!FGrid) return;
  const int j = FGrid->FooterColumnAt(X);
  if (FGrid->FloatingFooter()->ShowHint() && FLastHintX >= 0 && j != FLastHintX + 1) {
    if (Application) Application->CancelHint();
    FLastHintX = j - 1;
  }
}

void TFooterPanel::WndProc(TMessage& Message) {
  if (Message.Msg == CM_MOUSELEAVE) FLastHintX = -1;
  if (Message.Msg != CM_HINTSHOW || !FGrid) {
    TPanel::WndProc(Message);
    return;
  }
  auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
  const int j = FGrid->FooterColumnAt(info ? info->CursorPos.X : 0);
  String hint;
  if (FGrid->OnGridHint && j > 0) FGrid->OnGridHint(FGrid, FGrid->RowCount() - 1, j - 1, hint);
  const bool show = FGrid->FloatingFooter()->ShowHint();
  FLastHintX = show && j > 0 ? j - 1 : -1;
  if (info) info->HintStr = hint;
  Message.Result = show ? 0 : 1;
}
