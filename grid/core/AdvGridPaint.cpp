// The string grid's painting: the colour and font decision of a cell, the cell content drawn over
// the base painter's background (header looks, text, borders, focus), the sort glyph and the
// window paint.
#include <algorithm>
#include <cmath>

#include "grid/core/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/ZazAdez.h"
#include "grid/foundation/ZazAdezFill.h"

namespace {

// The looks that draw their header cells as gradients (the list-view look excepted).
bool GradientHeaderLook(TGridLook l) {
  return l == glQEL || l == glXP || l == glVista || l == glWin7 || l == glOffice2007;
}

// The gradient look and the looks after it in the enumeration (the list-view look among them).
bool QELOrLater(TGridLook l) { return l >= glQEL; }

bool InRect(const TGridRect& s, int DCol, int DRow) {
  return std::min(s.Left, s.Right) <= DCol && DCol <= std::max(s.Left, s.Right) &&
         std::min(s.Top, s.Bottom) <= DRow && DRow <= std::max(s.Top, s.Bottom);
}

// The font settings a cell's properties hold, over AFont.
void ApplyCellFont(const TCellProperties* p, TFont* AFont) {
  if (p->FontColor() != clNone) AFont->SetColor(p->FontColor());
  if (!p->FontStyle().Empty()) AFont->SetStyle(p->FontStyle());
  if (p->FontSize() != 0) AFont->SetSize(p->FontSize());
  if (!p->FontName().empty()) AFont->SetName(p->FontName());
}

}  // namespace

// ---- settings ----

void TAdvStringGrid::SetSelectionColorMixerFactor(int v) { StoreAndRepaint(FSelectionColorMixerFactor, std::clamp(v, 0, 100)); }

void TAdvStringGrid::SetXYOffset(TPoint v) {
  if (v.X == FXYOffset.X && v.Y == FXYOffset.Y) return;
  FXYOffset = v;
  Invalidate();
}

// ---- colour decision ----

TColor TAdvStringGrid::SelectionMix(TColor CellColor) const {
  if (!FSelectionColorMixer) return FSelectionColor;
  const int f = FSelectionColorMixerFactor;
  if (f >= 100) return FSelectionColor;
  if (f < 1 || FSelectionColor == clNone) return CellColor;
  if (CellColor == clNone) return FSelectionColor;
  const TColor s = ColorToRGB(FSelectionColor), c = ColorToRGB(CellColor);
  const double w = f / 100.0;
  TColor out = 0;
  for (int shift = 0; shift <= 16; shift += 8) {
    const int sc = (s >> shift) & 0xFF, cc = (c >> shift) & 0xFF;
    const int v = std::min(255, static_cast<int>(std::nearbyint(w * sc + (1 - w) * cc)));
    out |= static_cast<TColor>(v) << shift;
  }
  return out;
}

TCellStyle TAdvStringGrid::GetVisualProperties(int ACol, int DRow, TGridDrawState& AState, bool Print, bool Select,
                                               bool Remap) {
  const int rcol = Remap ? DisplToRealCol(ACol) : ACol;
  const int dcol = Remap ? ACol : RealToDisplCol(ACol);
  const bool persistent = FMouseActions->DisjunctRowSelect() && FMouseActions->RowSelectPersistent();
  const int rrow = persistent ? DisplToRealRow(DRow) : DRow;
  TCellStyle s;
  const bool normalCell = ACol >= FixedCols() && DRow >= FixedRows();
  const bool printFont = Print && !FPrintSettings->UseDisplayFont();
  if (normalCell)
    s.Font.Assign(printFont ? FPrintSettings->Font() : Font());
  else
    s.Font.Assign(printFont ? FPrintSettings->FixedFont() : FFixedFont.get());
  s.Color = clNone;
  s.ColorTo = clNone;
  s.MirrorColor = clNone;
  s.MirrorColorTo = clNone;
  s.GradientDirection = GradientVertical;
  s.WordWrap = FWordWrapEx;

  bool explicitColor = false;
  if (HasCellProperties(rcol, DRow)) {
    TCellProperties* p = GetCellProperties(rcol, DRow);
    // The cell's type is read at its real column: a hidden column before it must not lend its type.
    const TCellType t = GetCellType(rcol, DRow);
    if (t == ctNone || t == ctRotated || t == ctEmpty) {
      if (p->BrushColor() != clNone) {
        s.Color = p->BrushColor();
        explicitColor = true;
      }
    } else {
      s.Color = p->BrushColor();
    }
    ApplyCellFont(p, &s.Font);
    s.WordWrap = p->WordWrap();
    s.ColorTo = p->BrushColorTo();
    s.GradientDirection = p->GradientDirection();
  }
  if (AState.Contains(gdSelected)) s.GradientDirection = GradientVertical;

  if (s.Color == clNone) {
    s.Color = Color();
    const bool bandArea = ACol >= FixedCols() && ACol < ColCount() - FFixedRightCols + NumHiddenColumns() &&
                          DRow >= FixedRows() && DRow < RowCount() - FFixedFooters;
    if (FBands->Active() && (FBands->Print() == Print || !Print) && bandArea && FBands->TotalLength() > 0) {
      s.Color = (DRow - FixedRows()) % FBands->TotalLength() < FBands->PrimaryLength() ? FBands->PrimaryColor()
                                                                                      : FBands->SecondaryColor();
    }
    if (ACol < FixedCols() || DRow < FixedRows() || dcol >= ColCount() - FFixedRightCols ||
        DRow >= RowCount() - FFixedFooters)
      s.Color = FixedColor();
  }

  const bool fixed = IsFixed(dcol, DRow) || ACol < FixedCols() || DRow < FixedRows();
  if (fixed && !explicitColor && !Print) {
    s.Color = FixedColor();
    s.Font.Assign(FFixedFont.get());
    AState.Include(gdFixed);
  }
  if (fixed && !explicitColor && QELOrLater(FLook)) {
    s.Color = FQELGradFrom;
    s.ColorTo = FQELGradTo;
    s.MirrorColor = FQELMirrorFrom;
    s.MirrorColorTo = FQELMirrorTo;
  }

  TBrush brush;
  brush.SetColor(s.Color);
  if (Print)
    DoGetCellPrintColor(rcol, DRow, AState, &brush, &s.Font);
  else
    DoGetCellColor(rcol, DRow, AState, &brush, &s.Font);
  s.Color = brush.Color();
  if (OnGetCellGradient)
    OnGetCellGradient(this, DRow, rcol, s.Color, s.ColorTo, s.MirrorColor, s.MirrorColorTo, s.GradientDirection);

  const TColor ownBrush = s.Color, ownFont = s.Font.Color();
  auto selectionColours = [&] {
    s.Color = FSelectionColor;
    s.ColorTo = FSelectionColorTo;
    s.MirrorColor = FSelectionMirrorColor;
    s.MirrorColorTo = FSelectionMirrorColorTo;
    if (FSelectionTextColor != clNone) s.Font.SetColor(FSelectionTextColor);
  };

  const bool disjunctArea = !fixed && !Print && Select && FShowSelection;
  if (FMouseActions->DisjunctRowSelect() && disjunctArea) {
    // The mouse handling that selects while the button is down keeps its own state; at rest the
    // row flags alone decide.
    if (rrow >= 0 && GetRowSelect(rrow)) {
      AState = TGridDrawState{gdSelected};
      selectionColours();
    } else {
      AState.Exclude(gdSelected);
    }
  }
  if (FMouseActions->DisjunctColSelect() && disjunctArea) {
    const bool flag = ACol >= 0 && ACol < FColSelect->Count() && FColSelect->Items(ACol) != nullptr;
    if (flag) {
      AState = TGridDrawState{gdSelected};
      selectionColours();
    } else {
      AState.Exclude(gdSelected);
    }
  }
  if (Select && !Print && FShowSelection && !fixed && InRect(Selection(), dcol, DRow) &&
      !FMouseActions->DisjunctRowSelect() && !FMouseActions->DisjunctColSelect() &&
      !FMouseActions->DisjunctCellSelect()) {
    const TColor cell = s.Color;
    selectionColours();
    s.Color = cell == Color() ? FSelectionColor : SelectionMix(cell);
    AState.Include(gdSelected);
  }
  if (FMouseActions->DisjunctCellSelect() && FShowSelection) {
    const int key = (DRow << 16) | (ACol & 0xFFFF);
    if (FSelectedCells->HasValue(key)) {
      selectionColours();
      AState.Include(gdSelected);
    } else if (dcol == Col() && DRow == Row()) {
      AState.Exclude(gdSelected);
      s.Color = ownBrush;
      s.Font.SetColor(ownFont);
    }
  }
  if (FUseDisabledFont && !Enabled()) s.Font.SetColor(FDisabledFontColor);
  if (AState.Contains(gdSelected) && DRow != Row() && FMouseActions->DisjunctRowSelect() &&
      FSelectionColorTo == clNone)
    s.Color = ChangeColorPercent(s.Color, 7);

  DoGetWordWrap(rcol, DRow, s.WordWrap);
  const TCellAlignment a = GetCellAlignment(rcol, DRow);
  s.Alignment = a.HAlign;
  s.VAlignment = a.VAlign;
  return s;
}

void TAdvStringGrid::GetFontProperties(int ACol, int RCol, int ARow, TGridDrawState& AState, TFont* AFont,
                                       TBrush* ABrush, bool Remap) {
  (void)Remap;
  const bool fixed = IsFixed(ACol, ARow) || ACol < FixedCols() || ARow < FixedRows();
  AFont->Assign(fixed ? FFixedFont.get() : Font());
  if (HasCellProperties(RCol, ARow)) {
    ApplyCellFont(GetCellProperties(RCol, ARow), AFont);
  }
  DoGetCellColor(RCol, ARow, AState, ABrush, AFont);
}

// ---- cell content ----

void TAdvStringGrid::DrawCellContent(TCanvas* ACanvas, int DCol, int DRow, TRect ARect, TGridDrawState AState) {
  // Painting never raises: a hook that raises leaves the cell with what was drawn so far.
  try {
    TRect R = ARect;
    const int rcol = DisplToRealCol(DCol);
    FTextWidth = 0;
    const int scrollPos = DrawCellScrollBar(ACanvas, rcol, DRow, R);
    TCellStyle style = GetVisualProperties(DCol, DRow, AState, false, false, true);
    TCellObjectLayout layout;
    layout.Object = GetCellGraphicLayout(rcol, DRow, layout.W, layout.H, layout.TextAllowed, layout.HAlign,
                                         layout.VAlign);
    layout.ScrollPos = scrollPos;
    if (AState.Contains(gdSelected) && !AState.Contains(gdFocused) && FSelectionColor == clNone)
      style.Color = clHighlight;
    if (FZoomFactor != 0) style.Font.SetSize(style.Font.Size() + FZoomFactor);
    ACanvas->Font()->Assign(&style.Font);
    ACanvas->Brush()->SetColor(style.Color);
    const TColor ownBrush = style.Color, ownFont = style.Font.Color();

    bool header = IsFixed(DCol, DRow) || DCol < FixedCols() || DRow < FixedRows();
    if (header && FHoverRow && DRow == FHoverRowIdx && FHoverRowCells.Contains(hcFixed)) header = false;
    if (header && GradientHeaderLook(FLook)) DrawHeaderLook(ACanvas, rcol, DCol, DRow, R, style);
    if (header && FLook == glListView && !FFlat) DrawListViewHeader(ACanvas, DCol, DRow, R);

    if (FShowModified->Enabled() && DCol == 0 && GetRowModified(RealRowIndex(DRow))) {
      ACanvas->Brush()->SetColor(FShowModified->Color());
      ACanvas->FillRect(Rect(R.Right - 4, R.Top, R.Right, R.Bottom));
      ACanvas->Brush()->SetColor(ownBrush);
    }

    if (OnCustomCellBkgDraw) OnCustomCellBkgDraw(this, ACanvas, rcol, DRow, AState, R, false);

    const int savedRight = R.Right;
    if (!header) {
      if (FControlLook->DropDownAlwaysVisible() && DoHasComboBox(rcol, DRow)) R.Right -= 16;
      if (FControlLook->SpinButtonsAlwaysVisible() && DoHasSpinEdit(rcol, DRow)) R.Right -= 16;
    }
    const bool userDraws = (OnDrawCell || OnCustomCellDraw) && NoDefaultDraw;
    if (layout.Object && layout.Object->CellType() == ctInterface)
      DrawInterfacedCell(ACanvas, R, layout.Object, rcol, DRow, AState, true);
    if (!userDraws) {
      // A scrolled text stays inside its cell.
      const int saved = scrollPos > 0 ? ACanvas->SaveDC() : 0;
      if (scrollPos > 0) ACanvas->IntersectClipRect(R);
      DrawCellText(ACanvas, rcol, DCol, DRow, R, AState, style, ownBrush, ownFont, header, layout);
      if (scrollPos > 0) ACanvas->RestoreDC(saved);
    }
    R.Right = savedRight;
    ACanvas->Brush()->SetColor(ownBrush);
    ACanvas->Font()->SetColor(ownFont);

    DrawCellBorders(ACanvas, rcol, DRow, Rect(R.Left - 1, R.Top - 1, R.Right + 1, R.Bottom + 1));

    if (header && !FFlat) DrawHeaderLines(ACanvas, R);
    if (FFixedRightCols > 0 && rcol >= AllColCount() - FFixedRightCols && FLook != glClassic && FFlat) {
      ACanvas->Pen()->SetColor(FFlat ? clGray : clBlack);
      OuterLines(ACanvas, R, Options().Contains(goFixedHorzLine), Options().Contains(goFixedVertLine));
    }

    if (rcol == 0) DrawTreeLines(ACanvas, R, rcol, DRow);
    if (layout.Object) {
      TRect o = R;
      if (header) o.Top += 1;
      DrawCellGraphic(ACanvas, o, layout.Object, style.VAlignment, rcol, DRow, AState, style.Alignment);
    }

    if (OnDrawCell) {
      TRect d = Rect(R.Left + 1, R.Top + 1, R.Right - GridLineWidth(), R.Bottom - GridLineWidth());
      OnDrawCell(this, rcol, DRow, d, AState);
    }
    if (OnCustomCellDraw) OnCustomCellDraw(this, ACanvas, rcol, DRow, AState, R, false);

    if (!FHideFocusRect && DCol == Col() && DRow == Row() && Focused() && !Options().Contains(goRowSelect) &&
        Col() >= FixedCols() && Row() >= FixedRows()) {
      TRect f = R;
      InflateRect(f, GridLineWidth() - 1, GridLineWidth() - 1);
      f.Right -= 1;
      f.Bottom -= 1;
      ACanvas->DrawFocusRect(f);
    }
  } catch (const std::exception&) {
  }
}

int TAdvStringGrid::DrawCellScrollBar(TCanvas* ACanvas, int RCol, int DRow, TRect& R) {
  if (!FPaintScrollBar || !HasScrollBar(RCol, DRow)) return 0;
  const int pos = GetScrollPosition(RCol, DRow);
  const TScrollProp prop = GetScrollProp(RCol, DRow);
  if (prop.PageSize < prop.Range) {
    FPaintScrollBar->SetPageSize(prop.PageSize);
    FPaintScrollBar->SetParams(pos, 0, prop.Range);
    const int w = kScrollBarSize;
    FPaintScrollBar->PaintOn(ACanvas, Rect(R.Right - w, R.Top, R.Right, R.Bottom));
    R.Right -= w;
  }
  return std::max(0, pos);
}

void TAdvStringGrid::OuterLines(TCanvas* ACanvas, const TRect& R, bool Horz, bool Vert) {
  if (Horz) {
    ACanvas->MoveTo(R.Left - 1, R.Top - 1);
    ACanvas->LineTo(R.Right + 1, R.Top - 1);
    ACanvas->MoveTo(R.Left - 1, R.Bottom);
    ACanvas->LineTo(R.Right + 1, R.Bottom);
  }
  if (Vert) {
    ACanvas->MoveTo(R.Left - 1, R.Top - 1);
    ACanvas->LineTo(R.Left - 1, R.Bottom + 1);
    ACanvas->MoveTo(R.Right, R.Top - 1);
    ACanvas->LineTo(R.Right, R.Bottom + 1);
  }
}

void TAdvStringGrid::DrawHeaderLines(TCanvas* ACanvas, TRect R) {
  const bool horz = Options().Contains(goFixedHorzLine), vert = Options().Contains(goFixedVertLine);
  auto lightAndHalved = [&](TRect& L) {
    ACanvas->Pen()->SetColor(HalveColor(FixedColor()));
    ACanvas->MoveTo(L.Left, L.Bottom - 1);
    ACanvas->LineTo(L.Right, L.Bottom - 1);
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->MoveTo(L.Left, L.Bottom - 1);
    ACanvas->LineTo(L.Left, L.Top);
    ACanvas->LineTo(L.Right, L.Top);
  };
  if (FLook == glQEL || FLook == glXP) {
    R.Bottom += 1;
    if (horz) lightAndHalved(R);
  } else if (FLook == glClassic) {
    R.Top += 1;
    R.Bottom += 1;
    R.Left += 1;
    TRect e = R;
    DrawEdge(ACanvas, e, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
    e = R;
    DrawEdge(ACanvas, e, EDGE_RAISED, BF_RIGHT | BF_BOTTOM);
    ACanvas->Pen()->SetColor(clBlack);
    ACanvas->MoveTo(R.Right - 1, R.Top);
    ACanvas->LineTo(R.Right - 1, R.Bottom - 1);
    ACanvas->LineTo(R.Left - 1, R.Bottom - 1);
  } else if (FLook == glSoft) {
    if (!FFlat) {  // Ctl3D follows Flat
      R.Right += 1;
      R.Bottom += 1;
      if (horz) lightAndHalved(R);
      if (vert) {
        ACanvas->Pen()->SetColor(HalveColor(FixedColor()));
        ACanvas->MoveTo(R.Right - 2, R.Top);
        ACanvas->LineTo(R.Right - 2, R.Bottom);
        ACanvas->Pen()->SetColor(clWhite);
        ACanvas->MoveTo(R.Right - 1, R.Top);
        ACanvas->LineTo(R.Right - 1, R.Bottom);
      }
    } else {
      ACanvas->Pen()->SetColor(clBlack);
      OuterLines(ACanvas, R, horz, vert);
    }
  }
}

void TAdvStringGrid::DrawListViewHeader(TCanvas* ACanvas, int DCol, int DRow, const TRect& R) {
  if (ThemesAvailable()) {
    using namespace ThemeParts;
    // The hover fixed cell counts too: it stays while the cell's drop-down menu is open.
    const bool over =
        (FHotFixedCell.X == DCol && FHotFixedCell.Y == DRow) || (FHoverFixedX == DCol && FHoverFixedY == DRow);
    // The platform's header part serves for the right-hand item too.
    const int state = !over ? HIS_NORMAL : FMouseDownOnFixed ? HIS_PRESSED : HIS_HOT;
    ThemeDrawBackground(ACanvas, u"header", HP_HEADERITEM, state, Rect(R.Left, R.Top, R.Right, R.Bottom + 1));
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->MoveTo(R.Left, R.Top);
    ACanvas->LineTo(R.Right, R.Top);
  } else {
    ACanvas->Brush()->SetColor(clBtnFace);
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->Rectangle(R);
  }
}

void TAdvStringGrid::DrawHeaderLook(TCanvas* ACanvas, int RCol, int DCol, int DRow, TRect& R,
                                    const TCellStyle& Style) {
  if (DrawHeaderState(ACanvas, RCol, DCol, DRow, R)) return;
  const bool activeHeader =
      FActiveCellShow && ((DRow == Row() && DCol == FixedCols() - 1 && FixedCols() > 0) ||
                          (DCol == Col() && DRow == FixedRows() - 1 && FixedRows() > 0));
  const bool sortedHeader = FSortSettings->Column() != -1 && FSortSettings->HeaderColor() != clNone &&
                            RCol == FSortSettings->Column() && DRow == FixedRows() - 1 &&
                            (DCol >= FixedCols() || FSortSettings->FixedCols());
  if (activeHeader) {
    FillGradient(ACanvas, FActiveCellColor, FActiveCellColorTo, 128, R, false);
  } else if (sortedHeader) {
    DrawGradientBackground(ACanvas, R, FSortSettings->HeaderColor(), FSortSettings->HeaderColorTo(),
                           FSortSettings->HeaderMirrorColor(), FSortSettings->HeaderMirrorColorTo(), 1, clNone,
                           false, true);
  } else if (!FFlat) {
    if (Style.MirrorColorTo != clNone)
      DrawGradientBackground(ACanvas, R, Style.Color, Style.ColorTo, Style.MirrorColor, Style.MirrorColorTo, 1,
                             clNone, false, true);
    else
      FillGradient(ACanvas, Style.Color, Style.ColorTo, 128, R, false);
    if (FLook == glVista) {
      ACanvas->Pen()->SetColor(clWhite);
      ACanvas->MoveTo(R.Left, R.Top);
      ACanvas->LineTo(R.Left, R.Bottom);
      ACanvas->MoveTo(R.Right - 1, R.Top);
      ACanvas->LineTo(R.Right - 1, R.Bottom);
    }
  }
}

void TAdvStringGrid::DrawCellText(TCanvas* ACanvas, int RCol, int DCol, int DRow, TRect R, TGridDrawState AState,
                                  const TCellStyle& Style, TColor OwnBrush, TColor OwnFont, bool Header,
                                  const TCellObjectLayout& Layout) {
  TRect T = R;
  const bool rowFlag = Options().Contains(goRowSelect) && FMouseActions->DisjunctRowSelect() && DRow >= 0 &&
                       GetRowSelect(DRow) && RCol >= FixedCols() && RCol < ColCount() - FFixedRightCols;
  TColor urlColor = FURLColor;
  const bool selected = AState.Contains(gdSelected) || rowFlag;
  if (selected) {
    if (!Header && FShowSelection) {
      if (FSelectionColor != clNone) ACanvas->Brush()->SetColor(FSelectionColor);
      if (FSelectionTextColor != clNone && Enabled()) ACanvas->Font()->SetColor(FSelectionTextColor);
      urlColor = FSelectionTextColor;
    }
    if ((!Focused() || HasCheckBox(RCol, DRow)) && !FShowSelection) {
      ACanvas->Brush()->SetColor(OwnBrush);
      ACanvas->Font()->SetColor(OwnFont);
      urlColor = FURLColor;
    }
  }

  String text = GetFormattedCell(RCol, DRow);
  int kind = ClassifyCellText(text, FEnableHTML);
  if (kind == 3) {
    GetCalcCellText(RCol, DRow, text);
    kind = ClassifyCellText(text, FEnableHTML);
  }
  if (IsPasswordCell(RCol, DRow)) {
    text = String(text.size(), FPasswordChar);
    kind = 0;
  }
  if (IsFixed(DisplColIndex(RCol), DRow)) {
    T.Left += GridLineWidth();
    T.Top += GridLineWidth();
  }
  T.Top -= Layout.ScrollPos;
  const bool filterButton = DRow == FFilterDropDownRow && DRow < FixedRows() && DoGetColumnFilter(RCol);
  if (filterButton) DrawFilterButton(ACanvas, T, RCol);
  DrawCellBackGround(ACanvas, RCol, DCol, DRow, R, AState);
  DrawSelectionRectangle(ACanvas, DCol, DRow, R, Header);
  if (!Layout.TextAllowed) return;
  T.Left += FXYOffset.X;
  T.Top += FXYOffset.Y;
  if (!FXYOffsetTopLeftOnly) T.Right -= FXYOffset.X;
  if (Layout.HAlign == haBeforeText) T.Left += Layout.W;
  if (Layout.HAlign == haAfterText) T.Right -= Layout.W;
  if (Layout.VAlign == vaAboveText) T.Top += Layout.H;
  if (Layout.VAlign == vaUnderText) T.Bottom -= Layout.H;

  const bool sortCell = FSortSettings->Show() && DRow == FSortSettings->Row() && RCol == FSortSettings->Column() &&
                        Header;
  if (kind == 1) {
    if (filterButton) T.Right -= 18;
    const int hot = DCol == FHoverCell.X && DRow == FHoverCell.Y ? std::max(0, FHoverlink) : 0;
    DrawHTMLText(ACanvas, text, T, selected, urlColor, sortCell, Style.VAlignment, DCol, hot);
    return;
  }
  if (kind == 2) {
    ACanvas->Pen()->SetColor(ACanvas->Brush()->Color());
    if (!(selected && !Focused() && FSelectionColor == clNone)) ACanvas->FillRect(T);
    DrawRichTextCell(DCol, DRow, T, ACanvas);
    ACanvas->Brush()->SetStyle(bsSolid);
    ACanvas->Font()->SetColor(clBlack);
    return;
  }
  if (sortCell && Style.Alignment == taCenter) T.Left += 10;
  if (filterButton) T.Right -= 16;
  const bool link = FURLShow && (text.find(u"://") != String::npos || PosInUpperCase(u"MAILTO:", text) > 0);
  const TFontStyles plainStyle = ACanvas->Font()->Style();
  if (link) {
    if (!FURLFull) StripURLProtocol(text);
    ACanvas->Font()->SetStyle(plainStyle | TFontStyles(fsUnderline));
    ACanvas->Font()->SetColor(urlColor);
  }

  unsigned flags = DT_EDITCONTROL;
  const int lines = CountLines(text, Multilinecells);
  if (lines <= 1 && !Style.WordWrap) {
    const size_t cr = text.find(u'\r');
    if (cr != String::npos) text.resize(cr);
    flags = DT_SINGLELINE;
    if (FEnhTextSize) flags |= DT_END_ELLIPSIS;
  }
  if (Style.WordWrap && !Multilinecells && FEnhTextSize) flags |= DT_END_ELLIPSIS;
  flags |= DT_EXPANDTABS | DT_NOPREFIX;
  if (Style.Alignment == taRightJustify) flags |= DT_RIGHT;
  if (Style.Alignment == taCenter) flags |= DT_CENTER;
  unsigned vflag = 0;
  if (Style.VAlignment == vtaCenter) vflag = DT_VCENTER;
  if (Style.VAlignment == vtaBottom) vflag = DT_BOTTOM;
  flags |= vflag;
  FVAlignFlag = vflag;
  if (Style.WordWrap || Multilinecells)
    flags |= DT_WORDBREAK | DT_EDITCONTROL;
  else
    flags |= DT_SINGLELINE;
  if (UseRightToLeftAlignment()) flags |= DT_RTLREADING;

  // The width is wanted by a cell object beside the text and by the sort glyph.
  if ((sortCell || Layout.Object) && !text.empty()) {
    TRect calc = T;
    DrawText(ACanvas, text, calc, flags | DT_CALCRECT);
    FTextWidth = calc.Right - calc.Left + 2;
  }
  const int oldMode = ACanvas->SetBkMode(TRANSPARENT);
  DrawText(ACanvas, text, T, flags);
  ACanvas->SetBkMode(oldMode);
  FTextHeight = ACanvas->TextHeight(u"hg");
  if (link) ACanvas->Font()->SetStyle(plainStyle);

  if (sortCell) {
    TRect S = R;
    if (filterButton) S.Right -= 16;
    int x;
    if (Style.Alignment == taCenter)
      x = S.Left + 8;
    else if (Style.Alignment == taRightJustify)
      x = S.Right - std::max(0, std::min(S.Right - S.Left - 16, FTextWidth)) - 10;
    else
      x = S.Left + std::max(0, std::min(S.Right - S.Left - 16, FTextWidth)) + 10;
    int y = S.Top + 8;
    if (Style.VAlignment == vtaCenter) y = (S.Top + S.Bottom) / 2;
    if (Style.VAlignment == vtaBottom) y = S.Bottom - 8;
    DrawSortGlyph(ACanvas, DCol, x, y);
  }
}

void TAdvStringGrid::DrawHTMLText(TCanvas* ACanvas, const String& Text, TRect T, bool Selected, TColor URLColor,
                                  bool SortCell, TVAlignment VA, int DCol, int HotLink) {
  T.Left -= 1;
  if (SortCell) T.Right -= 10;
  TMiniHTMLRequest q;
  q.Area = T;
  q.ImageList = FGridImages;
  q.LinkColor = URLColor;
  q.UnderlineHotOnly = URLUnderlineOnHover;
  q.HotLink = HotLink;
  q.InSelection = Selected;
  q.BlinkOn = !FEnableBlink || FGridBlink;  // steady text while the grid does not blink
  q.ControlPressed = GetKeyState(VK_CONTROL) < 0;
  q.WrapWords = FEnhTextSize;
  q.UrlPictures = FImageCache.get();
  q.NamedPictures = FPictureContainer;
  q.ThemeWindow = this;
  q.ReadingOrder = BiDiMode();
  TMiniHTMLResult res;
  RenderMiniHTML(ACanvas, Text, q, res);
  FTextWidth = res.ExtentX + 2;
  FTextHeight = ACanvas->TextHeight(u"hg");
  if (SortCell) {
    int y = T.Top + 8;
    if (VA == vtaCenter) y = (T.Top + T.Bottom) / 2;
    if (VA == vtaBottom) y = T.Bottom - 8;
    DrawSortGlyph(ACanvas, DCol, T.Right + 2, y);
  }
}

void TAdvStringGrid::DrawSelectionRectangle(TCanvas* ACanvas, int DCol, int DRow, const TRect& R, bool Header) {
  if (!FSelectionRectangle || Header) return;
  const TGridRect s = Selection();
  const int l = std::min(s.Left, s.Right), r = std::max(s.Left, s.Right);
  const int t = std::min(s.Top, s.Bottom), b = std::max(s.Top, s.Bottom);
  if (DCol < l || DCol > r || DRow < t || DRow > b) return;
  TPen saved;
  saved.Assign(ACanvas->Pen());
  ACanvas->Pen()->SetColor(FSelectionRectangleColor);
  ACanvas->Pen()->SetWidth(2);
  if (DCol == l) {
    ACanvas->MoveTo(R.Left, R.Top);
    ACanvas->LineTo(R.Left, R.Bottom);
  }
  if (DCol == r) {
    ACanvas->MoveTo(R.Right - 1, R.Top);
    ACanvas->LineTo(R.Right - 1, R.Bottom);
  }
  if (DRow == t) {
    ACanvas->MoveTo(R.Left, R.Top);
    ACanvas->LineTo(R.Right, R.Top);
  }
  if (DRow == b) {
    ACanvas->MoveTo(R.Left, R.Bottom - 1);
    ACanvas->LineTo(R.Right, R.Bottom - 1);
  }
  if (FSelectionResizer && DCol == r && DRow == b) {
    ACanvas->Brush()->SetColor(FSelectionRectangleColor);
    ACanvas->FillRect(Rect(R.Right - 4, R.Bottom - 4, R.Right, R.Bottom));
  }
  ACanvas->Pen()->Assign(&saved);
  ACanvas->Pen()->SetWidth(1);
}

void TAdvStringGrid::DrawCellBorders(TCanvas* ACanvas, int RCol, int DRow, TRect R) {
  TPen saved;
  saved.Assign(ACanvas->Pen());
  TCellBorders borders;
  DoGetCellBorder(RCol, DRow, ACanvas->Pen(), borders);
  if (borders.Empty() && !OnGetCellBorderProp) {
    // Most cells have none: no pens to make.
    ACanvas->Pen()->Assign(&saved);
    return;
  }
  TPen lp, tp, rp, bp;
  for (TPen* p : {&lp, &tp, &rp, &bp}) p->Assign(ACanvas->Pen());
  if (OnGetCellBorderProp) OnGetCellBorderProp(this, DRow, RCol, &lp, &tp, &rp, &bp);
  const int w = (ACanvas->Pen()->Width() + 1) / 2;
  if (Options().Contains(goVertLine)) R.Left += w;
  if (Options().Contains(goHorzLine)) R.Bottom -= w;
  if (borders.Contains(cbLeft)) {
    ACanvas->Pen()->Assign(&lp);
    ACanvas->MoveTo(std::max(0, R.Left), R.Top);
    ACanvas->LineTo(std::max(0, R.Left), R.Bottom);
  }
  if (borders.Contains(cbRight)) {
    R.Right -= w;
    ACanvas->Pen()->Assign(&rp);
    ACanvas->MoveTo(R.Right - 1, R.Top);
    ACanvas->LineTo(R.Right - 1, R.Bottom);
  }
  if (borders.Contains(cbTop)) {
    if (Options().Contains(goHorzLine)) R.Top += w;
    const int y = GridLineWidth() == 0 ? R.Top + 1 : std::max(0, R.Top - GridLineWidth());
    ACanvas->Pen()->Assign(&tp);
    ACanvas->MoveTo(R.Left, y);
    ACanvas->LineTo(R.Right, y);
  }
  if (borders.Contains(cbBottom)) {
    ACanvas->Pen()->Assign(&bp);
    ACanvas->MoveTo(R.Left - GridLineWidth() - 1, R.Bottom - 1);
    ACanvas->LineTo(R.Right, R.Bottom - 1);
  }
  ACanvas->Pen()->Assign(&saved);
}

void TAdvStringGrid::DrawSortGlyph(TCanvas* ACanvas, int ACol, int X, int Y) {
  (void)ACol;
  if (FSortSettings->Direction() == sdDescending) {
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->MoveTo(X + 4, Y - 4);
    ACanvas->LineTo(X, Y + 4);
    ACanvas->Pen()->SetColor(clGray);
    ACanvas->LineTo(X - 4, Y - 4);
    ACanvas->LineTo(X + 4, Y - 4);
  } else {
    ACanvas->Pen()->SetColor(clWhite);
    ACanvas->MoveTo(X - 4, Y + 4);
    ACanvas->LineTo(X + 4, Y + 4);
    ACanvas->LineTo(X, Y - 4);
    ACanvas->Pen()->SetColor(clGray);
    ACanvas->LineTo(X - 4, Y + 4);
  }
  ACanvas->Pen()->SetColor(clBlack);
}

void TAdvStringGrid::SetHotLink(int Link, int DCol, int DRow) {
  if (Link < 0) DCol = DRow = -1;
  if (Link == FHoverlink && DCol == FHoverCell.X && DRow == FHoverCell.Y) return;
  const TPoint was = FHoverCell;
  FHoverlink = Link;
  FHoverCell = {DCol, DRow};
  if (was.X >= 0 && was.Y >= 0) RepaintCell(was.X, was.Y);
  if (DCol >= 0 && DRow >= 0 && (was.X != DCol || was.Y != DRow)) RepaintCell(DCol, DRow);
}

// ---- window paint ----

void TAdvStringGrid::Paint() {
  if (FUpdateCount >= 1) return;  // locked: the region stays invalid for the paint after EndUpdate
  if (FScrollProportional && !Designing()) {
    UpdateVScrollBar();
    UpdateHScrollBar();
  }
  Canvas()->Pen()->SetStyle(psSolid);
  Canvas()->Brush()->SetStyle(bsSolid);
  TBaseGrid::Paint();
  if (EditorMode()) {
    TColor c = GridLineWidth() > 0 ? GridLineColor() : Color();
    if (!Options().Contains(goHorzLine) && !Options().Contains(goVertLine)) c = Color();
    Canvas()->Pen()->SetColor(c);
    Canvas()->Brush()->SetStyle(bsClear);
    Canvas()->Rectangle(CellRect(Col(), Row()));
    Canvas()->Brush()->SetStyle(bsSolid);
  }
  Canvas()->Pen()->SetColor(clBlack);
  if (!FBackGround->Bitmap()->Empty() || FBackGround->ColorTo() != clNone) PaintBackGround(Canvas());
  if (OnPainted) {
    try {
      OnPainted(this);
    } catch (const std::exception&) {
    }
  }
}

// ---- look border and settings ----

void TAdvStringGrid::DrawLookBorder(TCanvas* WindowCanvas) {
  const bool look = FLook == glSoft || FLook == glQEL || FLook == glXP || FLook == glListView || FLook == glVista ||
                    FLook == glWin7 || FLook == glOffice2007;
  if (!look || BorderStyle() == bsNone || FBorderColor == clNone || FFlat) return;
  const int W = Width(), H = Height();
  TCanvas* c = WindowCanvas;
  c->Pen()->SetColor(FBorderColor);
  if (FFitCellsInGrid) {
    c->MoveTo(1, H);
    c->LineTo(1, 1);
    c->LineTo(W - 2, 1);
    c->LineTo(W - 2, H - 2);
    c->LineTo(1, H - 2);
    if (Parent()) {
      c->Pen()->SetColor(Parent()->Color());
      c->MoveTo(0, H);
      c->LineTo(0, 0);
      c->LineTo(W - 1, 0);
      c->LineTo(W - 1, H - 1);
      c->LineTo(0, H - 1);
    }
  } else if (FIsComCtl6) {
    c->MoveTo(0, H - 1);
    c->LineTo(0, 0);
    c->LineTo(W - 1, 0);
    c->LineTo(W - 1, H - 1);
    c->LineTo(0, H - 1);
  }
}

void TAdvStringGrid::PaintLookBorder() {
  if (TCanvas* wc = WindowCanvas()) DrawLookBorder(wc);
  else InvalidateFrame();
}

void TAdvStringGrid::SetFlat(bool v) {
  FFlat = v;
  if (!Loading()) Invalidate();
}

void TAdvStringGrid::SetVAlignment(TVAlignment v) {
  FVAlignment = v;
  FVAlignFlag = v == vtaCenter ? DT_VCENTER : v == vtaBottom ? DT_BOTTOM : 0;
  if (FUpdateCount == 0) Invalidate();
}

void TAdvStringGrid::SetAutoSize(bool v) {
  FAutoSize = v;
  if (v && !Loading()) AutoSizeColumns(false, 10);
}

void TAdvStringGrid::SetSpreadSheet(bool v) {
  FSpreadSheet = v;
  SetSelectionRectangle(true);
  SetSelectionResizer(true);
  FNavigation->SetAllowSmartClipboard(true);
  TGridOptions o = Options();
  o.Include(goRangeSelect);
  o.Include(goEditing);
  SetOptions(o);
  FMouseActions->SetRangeSelectAndEdit(true);
}
