// Cell object painting beyond check boxes and radios: pictures and images, progress bars, pies,
// range indicators, comments, shapes, ratings, buttons and expand chevrons, rotated text, the node
// glyph and the tree lines, and application-drawn cells. Painting never raises: a cell text that
// is no number counts as 0 here.
#include <algorithm>
#include <cmath>
#include <mutex>

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvGridControlLook.h"
#include "platform/SysUtils.h"

namespace {

int CellPaintInt(TAdvStringGrid* G, int RCol, int DRow) {
  try {
    return G->Ints(RCol, DRow);
  } catch (const std::exception&) {
    return 0;
  }
}

double CellPaintFloat(TAdvStringGrid* G, int RCol, int DRow) {
  try {
    return G->Floats(RCol, DRow);
  } catch (const std::exception&) {
    return 0;
  }
}


void CellPaintLine(TCanvas* C, int X1, int Y1, int X2, int Y2) {
  C->MoveTo(X1, Y1);
  C->LineTo(X2, Y2);
}

// The node glyph bitmaps: leaves 16 x 16, XP boxes 9 x 9, drawn by this program.
constexpr TColor kNodeXPBorder = 0x00A2957A;
constexpr TColor kNodeXPFace = 0x00F4F0EC;
constexpr TColor kNodeLeafBorder = 0x00207020;
constexpr TColor kNodeLeafFace = 0x0070C070;

void PaintNodeXP(TBitmap* B, bool Contracted) {
  B->SetPixelFormat(pf24bit);
  B->SetSize(9, 9);
  TCanvas* c = B->Canvas();
  c->Brush()->SetColor(kNodeXPFace);
  c->Pen()->SetColor(kNodeXPBorder);
  c->Rectangle(0, 0, 9, 9);
  c->Pen()->SetColor(clBlack);
  CellPaintLine(c, 2, 4, 7, 4);
  if (Contracted) CellPaintLine(c, 4, 2, 4, 7);
}

void PaintNodeLeaf(TBitmap* B, bool Contracted) {
  B->SetPixelFormat(pf24bit);
  B->SetSize(16, 16);
  TCanvas* c = B->Canvas();
  c->Brush()->SetColor(clWhite);
  c->FillRect(Rect(0, 0, 16, 16));
  c->Brush()->SetColor(kNodeLeafFace);
  c->Pen()->SetColor(kNodeLeafBorder);
  // A leaf on its stem; the open one lies down, the closed one stands.
  if (Contracted)
    c->Ellipse(5, 1, 11, 13);
  else
    c->Ellipse(2, 4, 14, 10);
  CellPaintLine(c, 8, 12, 8, 16);
}

void RegisterNodeGlyphs() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterBitmapResource(u"XPNODEO", [](TBitmap* B) { PaintNodeXP(B, false); });
    RegisterBitmapResource(u"XPNODEC", [](TBitmap* B) { PaintNodeXP(B, true); });
    RegisterBitmapResource(u"ASGLEAFOPEN", [](TBitmap* B) { PaintNodeLeaf(B, false); });
    RegisterBitmapResource(u"ASGLEAFCLOSE", [](TBitmap* B) { PaintNodeLeaf(B, true); });
  });
}

}  // namespace

void TAdvStringGrid::DrawCellObject(TCanvas* ACanvas, TRect ARect, TRect R, TRect O, TCellGraphic* AObject,
                                    int RCol, int DRow, TGridDrawState AState, TAlignment HA, TVAlignment VA) {
  switch (AObject->CellType()) {
    case ctBitmap: {
      auto* bmp = dynamic_cast<TBitmap*>(AObject->CellBitmap());
      if (!bmp || bmp->Empty()) break;
      if (UseRightToLeftAlignment()) {
        const int w = O.Right - O.Left;
        O.Left = ARect.Right - (O.Left - ARect.Left) - w;
      }
      if (AObject->CellTransparent()) {
        const bool was = bmp->Transparent();
        const TTransparentMode mode = bmp->TransparentMode();
        bmp->SetTransparentMode(tmAuto);
        bmp->SetTransparent(true);
        ACanvas->Draw(O.Left, O.Top, bmp);
        bmp->SetTransparent(was);
        bmp->SetTransparentMode(mode);
      } else {
        ACanvas->Draw(O.Left, O.Top, bmp);
      }
      break;
    }
    case ctIcon:
      if (auto* icon = dynamic_cast<TIcon*>(AObject->CellIcon()); icon && !icon->Empty())
        ACanvas->Draw(O.Left, O.Top, icon);
      break;
    case ctImageList:
      if (TImageList* il = GetCellImageList(RCol, DRow)) il->Draw(ACanvas, O.Left, O.Top, AObject->CellIndex(), true);
      break;
    case ctDataImage:
      if (TImageList* il = GetCellImageList(RCol, DRow)) {
        const int idx = CellPaintInt(this, RCol, DRow) + AObject->CellIndex();
        if (idx >= 0 && idx < il->Count()) il->Draw(ACanvas, O.Left, O.Top, idx, true);
      }
      break;
    case ctImages:
      if (TImageList* il = GetCellImageList(RCol, DRow))
        if (TIntList* list = GetCellImages(RCol, DRow)) {
          int x = O.Left, y = O.Top;
          for (int i = 0; i < list->Count(); ++i) {
            il->Draw(ACanvas, x, y, list->Items(i), true);
            if (AObject->CellBoolean())
              x += il->Width();
            else
              y += il->Height();
          }
        }
      break;
    case ctPicture:
      if (auto* pic = dynamic_cast<TPicture*>(AObject->CellBitmap()); pic && pic->Graphic()) {
        if (AObject->CellAngle() != noStretch) {
          ACanvas->StretchDraw(O, pic->Graphic());
        } else {
          int x = O.Left;
          if (UseRightToLeftAlignment()) x = ARect.Right - (O.Left - ARect.Left) - (O.Right - O.Left);
          ACanvas->Draw(x, O.Top, pic->Graphic());
        }
      }
      break;
    case ctFilePicture:
      if (auto* fp = dynamic_cast<TFilePicture*>(AObject->CellBitmap())) fp->DrawPicture(ACanvas, O);
      break;
    case ctRotated:
      DrawCellRotated(ACanvas, ARect, R, AObject, RCol, DRow, HA, VA);
      break;
    case ctNode:
      if (RCol == 0) DrawNodeGlyph(ACanvas, R, AObject, RCol, DRow, AState);
      break;
    case ctProgress:
    case ctXPProgress:
      DrawCellProgress(ACanvas, R, AObject, RCol, DRow);
      break;
    case ctComment:
      if (FControlLook->CommentColor() != clNone) {
        const int r = R.Right + FXYOffset.X, t = R.Top - FXYOffset.Y;
        TColor c = static_cast<TColor>(AObject->CellIndex());
        if (c == clNone) c = FControlLook->CommentColor();
        ACanvas->Brush()->SetColor(c);
        ACanvas->Pen()->SetColor(c);
        ACanvas->Polygon({TPoint(r - 8, t + 1), TPoint(r - 3, t + 1), TPoint(r - 3, t + 6)});
        ACanvas->Brush()->SetColor(Color());
      }
      break;
    case ctButton:
    case ctBitButton:
    case ctExpand:
      DrawCellButton(ACanvas, ARect, R, O, AObject, RCol, DRow);
      break;
    case ctProgressPie:
      DrawProgressPie(ACanvas, Rect(O.Left, O.Top, O.Left + 20, O.Top + 20), AObject->CellBitmapColor(),
                      AObject->CellAngle(), false);
      break;
    case ctRangeIndicator: {
      TRect b = R;
      InflateRect(b, -FControlLook->ProgressMarginX(), -FControlLook->ProgressMarginY());
      DrawBalanceBar(ACanvas, b, CellPaintInt(this, RCol, DRow), AObject->CellIndex(), AObject->CellBoolean(),
                     AObject->CellBitmapColor(), AObject->CellIconColor());
      break;
    }
    case ctShape:
      DrawCellShape(ACanvas, O.Left, O.Top, O.Right - O.Left - 1, O.Bottom - O.Top - 1,
                    static_cast<TCellShape>(AObject->CellAngle()), static_cast<TColor>(AObject->CellIndex()),
                    AObject->CellBitmapColor());
      break;
    case ctRating: {
      const double v = std::trunc(CellPaintFloat(this, RCol, DRow) * 2) / 2;
      const TColor fill = static_cast<TColor>(AObject->CellIndex()), empty = AObject->CellBitmapColor();
      for (int k = 0; k < AObject->CellAngle(); ++k) {
        const int x = O.Left + 18 * k;
        const bool beyond = k + 1 > v;
        const TColor c = beyond ? empty : fill;
        DrawCellShape(ACanvas, x, O.Top, 16, 16, csStar, c, c);
        if (beyond && k < v) DrawCellShape(ACanvas, x, O.Top, 16, 16, csHalfStar, fill, fill);
      }
      break;
    }
    case ctInterface:
      DrawInterfacedCell(ACanvas, ARect, AObject, RCol, DRow, AState, false);
      break;
    default:
      break;  // nothing of its own (markers, scroll bars and balloons are drawn elsewhere)
  }
}

void TAdvStringGrid::DrawCellProgress(TCanvas* ACanvas, TRect R, TCellGraphic* AObject, int RCol, int DRow) {
  const TControlLook* look = FControlLook.get();
  if (AObject->CellType() == ctXPProgress) {
    InflateRect(R, -look->ProgressMarginX(), -look->ProgressMarginY());
    R.Right -= 1;
    R.Bottom -= 1;
    const int lo = AObject->CellErrFrom(), hi = AObject->CellErrLen();
    // Equal bounds give an empty bar rather than a division by zero.
    int percent = 0;
    if (hi != lo) {
      const double share = std::abs(static_cast<double>(CellPaintInt(this, RCol, DRow)) - lo) /
                           (static_cast<double>(hi) - lo) * 100.0;
      percent = std::clamp(static_cast<int>(std::nearbyint(share)), 0, 100);
    }
    const TGridProgressAppearance* pa = FProgressAppearance.get();
    TStyledProgressParams p;
    p.Level0Color = pa->Level0Color();
    p.Level0ColorTo = pa->Level0ColorTo();
    p.Level1Color = pa->Level1Color();
    p.Level1ColorTo = pa->Level1ColorTo();
    p.Level2Color = pa->Level2Color();
    p.Level2ColorTo = pa->Level2ColorTo();
    p.Level3Color = pa->Level3Color();
    p.Level3ColorTo = pa->Level3ColorTo();
    p.Level1Perc = pa->Level1Perc();
    p.Level2Perc = pa->Level2Perc();
    p.BorderColor = pa->BorderColor();
    p.ShowBorder = pa->ShowBorder();
    p.Stacked = pa->Stacked();
    p.ShowPercentage = pa->ShowPercentage();
    p.Font = Font();
    p.CompleteFontColor = pa->CompleteFontColor();
    p.CompletionSmooth = pa->CompletionSmooth();
    p.ShowGradient = pa->ShowGradient();
    p.Steps = pa->Steps();
    p.UnCompleteColor = pa->UnCompleteColor() == clNone ? Color() : pa->UnCompleteColor();
    DrawStyledProgressBar(ACanvas, R, percent, p);
    return;
  }
  const double value = CellPaintFloat(this, RCol, DRow);
  const TControlLookStyle style = look->ControlStyle();
  if (look->ProgressXP() && (style == csWinXP || style == csTheme) && ThemesAvailable()) {
    using namespace ThemeParts;
    InflateRect(R, -look->ProgressMarginX(), -look->ProgressMarginY());
    ThemeDrawBackground(ACanvas, u"Progress", PP_BAR, 0, R);
    InflateRect(R, -2, -2);
    const double p = std::clamp(value, 0.0, 100.0);
    const int w = static_cast<int>(std::nearbyint(p * (R.Right - R.Left) / 100.0));
    ThemeDrawBackground(ACanvas, u"Progress", PP_CHUNK, 0, Rect(R.Left, R.Top, R.Left + w, R.Bottom));
    return;
  }
  InflateRect(R, -2, -2);
  const TColor bar = AObject->CellBitmapColor(), ground = AObject->CellIconColor();
  TColor barText = static_cast<TColor>(AObject->CellIndex()), groundText = static_cast<TColor>(AObject->CellAngle());
  if (!AObject->CellBoolean()) {
    barText = ColorToRGB(bar) ^ 0xFFFFFF;
    groundText = ColorToRGB(ground) ^ 0xFFFFFF;
  }
  DrawProgressBar(ACanvas, R, bar, barText, ground, groundText, value, look->ProgressMarginX(),
                  look->ProgressMarginY(), AObject->CellErrFrom(), AObject->CellErrLen(), AObject->CellText(),
                  look->ProgressBorderColor(), false);
}

void TAdvStringGrid::DrawCellButton(TCanvas* ACanvas, TRect ARect, TRect R, TRect O, TCellGraphic* AObject, int RCol,
                                    int DRow) {
  const TCellType type = AObject->CellType();
  if (type == ctExpand) O = Rect(R.Right - 13, R.Top, R.Right, R.Top + 13);
  // Where the mouse finds the button again: its offset in the cell, x low and y high.
  const uint32_t dx = static_cast<uint32_t>(std::max(0, O.Left - ARect.Left)) & 0xFFFF;
  const uint32_t dy = static_cast<uint32_t>(std::max(0, O.Top - ARect.Top)) & 0xFFFF;
  AObject->SetCellValue(static_cast<double>((dy << 16) | dx));

  bool enabled = true;
  if (!FControlLook->NoDisabledButtonLook()) CanEditCell(RCol, DRow, enabled);
  const bool tones = FControlLook->FlatButton() && FColorTones.Background.BrushColor != clNone;
  uint8_t lookKind = 1;
  if (tones)
    lookKind = 3;
  else if (FControlLook->FlatButton())
    lookKind = 2;
  else if (ThemesAvailable())
    lookKind = 0;
  const bool down = AObject->CellBoolean();
  const bool hot = FHoverButton.X == DisplColIndex(RCol) && FHoverButton.Y == DRow;
  uint8_t state = down ? 2 : hot ? 1 : 0;
  if (!enabled && type != ctExpand) state = 3;
  DrawPushButton(ACanvas, this, O, lookKind, state, FColorTones);

  TRect C = O;
  if (down) OffsetRect(C, 1, 1);
  if (type == ctExpand) {
    const int r = R.Right, t = R.Top;
    ACanvas->Pen()->SetColor(clBlack);
    ACanvas->Pen()->SetWidth(1);
    if (AObject->CellVar() != 0)
      ACanvas->Polyline({TPoint(r - 10, t + 8), TPoint(r - 7, t + 5), TPoint(r - 3, t + 9)});
    else
      ACanvas->Polyline({TPoint(r - 10, t + 5), TPoint(r - 7, t + 8), TPoint(r - 3, t + 4)});
    return;
  }
  const String& caption = AObject->CellText();
  if (type == ctBitButton) {
    auto* glyph = dynamic_cast<TBitmap*>(AObject->CellBitmap());
    if (glyph && !glyph->Empty()) {
      const int gw = glyph->Width(), gh = glyph->Height(), ow = C.Right - C.Left, oh = C.Bottom - C.Top;
      const int y = gh < oh ? C.Top + (oh - gh) / 2 : C.Top + 3;
      int x;
      if (!caption.empty() || gw > ow) {
        x = C.Left + 3;
        C.Left = x + gw + 4;
      } else {
        x = C.Left + (ow - gw) / 2;
      }
      const bool was = glyph->Transparent();
      glyph->SetTransparent(true);
      ACanvas->Draw(x, y, glyph);
      glyph->SetTransparent(was);
    }
  }
  if (caption.empty()) return;
  C.Left += 1;
  const TColor savedFont = ACanvas->Font()->Color();
  if (tones) {
    static constexpr TColorTone TColorTones::*kToneOfState[] = {&TColorTones::Background, &TColorTones::Hover,
                                                                &TColorTones::Selected, &TColorTones::Disabled};
    const TColor tc = (FColorTones.*kToneOfState[state]).TextColor;
    if (tc != clNone) ACanvas->Font()->SetColor(tc);
  }
  unsigned flags = DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
  flags |= caption.find(u'\r') != String::npos ? DT_WORDBREAK : DT_SINGLELINE;
  const int oldMode = ACanvas->SetBkMode(TRANSPARENT);
  DrawText(ACanvas, caption, C, flags);
  ACanvas->SetBkMode(oldMode);
  ACanvas->Font()->SetColor(savedFont);
}

void TAdvStringGrid::DrawCellRotated(TCanvas* ACanvas, TRect ARect, TRect R, TCellGraphic* AObject, int RCol,
                                     int DRow, TAlignment HA, TVAlignment VA) {
  const String text = GetCellEx(RCol, DRow);
  TRect origin = ARect;
  PlaceRotatedText(ACanvas, origin, AObject->CellAngle(), VA, HA, text);
  TFont saved;
  saved.Assign(ACanvas->Font());
  const TBrushStyle brush = ACanvas->Brush()->Style();
  ACanvas->Font()->SetOrientation(AObject->CellAngle() * 10);
  InflateRect(R, -2, -2);
  ACanvas->Brush()->SetStyle(bsClear);
  ACanvas->TextRect(R, origin.Left, origin.Top, text);
  ACanvas->Font()->Assign(&saved);
  ACanvas->Brush()->SetStyle(brush);
  const int dcol = DisplColIndex(RCol);
  if (FSortSettings->Show() && DRow == FSortSettings->Row() && RCol == FSortSettings->Column() &&
      DRow < FixedRows())
    DrawSortGlyph(ACanvas, dcol, R.Right - 10, R.Top + 8);
}

void TAdvStringGrid::DrawNodeGlyph(TCanvas* ACanvas, TRect R, TCellGraphic* AObject, int RCol, int DRow,
                                   TGridDrawState AState) {
  const TCellNode* node = FCellNode.get();
  const int i = node->NodeIndent();
  const int x0 = GetRowIndent(DRow);
  const bool contracted = AObject->CellBoolean();
  const int mid = (R.Top + R.Bottom) / 2;
  if (node->ShowTree() && DRow >= FixedRows()) {
    ACanvas->Pen()->SetColor(node->TreeColor());
    ACanvas->Pen()->SetWidth(1);
    const int x = R.Left + x0 - i + i / 2 + 2;
    if (DRow + 1 < RowCount()) {
      const int next = GetRowIndent(DRow + 1);
      if (next > 0 && !(contracted && next < x0)) CellPaintLine(ACanvas, x, mid, x, R.Bottom);
    }
    if (DRow > 0 && GetRowIndent(DRow - 1) >= x0) CellPaintLine(ACanvas, x, R.Top, x, R.Top + 6);
  }
  int left = R.Left + x0 - i / 2 - 4;
  if (RCol < FixedCols() && !FFlat && (FLook == glSoft || FLook == glQEL || FLook == glXP || FLook == glListView))
    left += 1;
  TColor ground = ACanvas->Brush()->Color();
  if (ground == clNone) ground = FixedCols() > 0 ? FixedColor() : Color();
  const bool rowFlag = FMouseActions->DisjunctRowSelect() && Options().Contains(goRowSelect) &&
                       RCol >= FixedCols() && GetRowSelect(RealRowIndex(DRow));
  if (FShowSelection && (AState.Contains(gdSelected) || rowFlag)) ground = FSelectionColor;

  const TCellNodeType type = node->NodeType();
  const TRect area = Rect(left, mid - 8, left + 16, mid + 8);
  if (type == cn3D) {
    ACanvas->Brush()->SetColor(node->Color());
    ACanvas->FillRect(area);
    ACanvas->Pen()->SetColor(clWhite);
    CellPaintLine(ACanvas, area.Left, area.Bottom - 1, area.Left, area.Top);
    ACanvas->LineTo(area.Right - 1, area.Top);
    ACanvas->Pen()->SetColor(clGray);
    ACanvas->LineTo(area.Right - 1, area.Bottom - 1);
    ACanvas->LineTo(area.Left - 1, area.Bottom - 1);
  }
  if (type == cnLeaf || type == cnXP) {
    RegisterNodeGlyphs();
    if (type == cnLeaf)
      DrawResourceBitmap(ACanvas, ground, Rect(left, R.Top + (R.Bottom - R.Top - 12) / 2, left + 16, R.Bottom),
                         contracted ? u"ASGLEAFCLOSE" : u"ASGLEAFOPEN");
    else
      DrawResourceBitmap(ACanvas, ground,
                         Rect(left + 4, R.Top + (R.Bottom - R.Top - 10) / 2, left + 13, R.Bottom),
                         contracted ? u"XPNODEC" : u"XPNODEO");
    return;
  }
  TBitmap* cg = node->ContractGlyph();
  TBitmap* eg = node->ExpandGlyph();
  if (type == cnGlyph && !cg->Empty() && !eg->Empty()) {
    TBitmap* g = contracted ? cg : eg;
    DrawTransparentBitmap(ACanvas, g, ground,
                          Rect(left, R.Top + (R.Bottom - R.Top - g->Height()) / 2, R.Right, R.Bottom));
    return;
  }
  TRect box = Rect(left + 4, mid - 4, left + 12, mid + 4);
  ACanvas->Brush()->SetColor(node->Color());
  ACanvas->FillRect(box);
  if (type == cnFlat) {
    ACanvas->Pen()->SetColor(node->NodeColor());
    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Rectangle(box.Left, box.Top, box.Left + 9, box.Top + 9);
    ACanvas->Brush()->SetStyle(bsSolid);
    CellPaintLine(ACanvas, box.Left + 2, box.Top + 4, box.Left + 7, box.Top + 4);
    if (contracted) CellPaintLine(ACanvas, box.Left + 4, box.Top + 2, box.Left + 4, box.Top + 7);
  } else {
    DrawEdge(ACanvas, box, contracted ? BDR_RAISED : BDR_SUNKEN, BF_RECT | BF_SOFT);
  }
  ACanvas->Brush()->SetColor(ground);
}

void TAdvStringGrid::DrawTreeLines(TCanvas* ACanvas, TRect R, int RCol, int DRow) {
  if (RCol != 0 || DRow < FixedRows() || !FCellNode->ShowTree() || !HasNodes()) return;
  const int i = FCellNode->NodeIndent();
  const int x0 = GetRowIndent(DRow);
  const int level = i > 0 ? x0 / i : 0;
  const int c = R.Left + x0 + i / 2 - i + 2;
  const int mid = (R.Top + R.Bottom) / 2;
  ACanvas->Pen()->SetColor(FCellNode->TreeColor());
  ACanvas->Pen()->SetWidth(1);
  if (level > 0) CellPaintLine(ACanvas, c, mid, FCellNode->ShowTreeFull() ? R.Right : R.Left + x0 + 4, mid);
  const int span = IsNode(DRow) ? 0 : GetNodeSpanType(DRow);
  if (span == 1) CellPaintLine(ACanvas, c, R.Top, c, mid);
  if (span == 2) CellPaintLine(ACanvas, c, R.Top, c, R.Bottom + 4);
  const bool last = DRow + 1 >= RowCount();
  const bool nextHasLevel = !last && GetRowIndent(DRow + 1) > 0;
  for (int k = 1; k <= level; ++k) {
    const int x = c - i * k;
    CellPaintLine(ACanvas, x, R.Top, x, mid);
    if (nextHasLevel)
      CellPaintLine(ACanvas, x, mid, x, R.Bottom + 4);
    else if (k < level)
      CellPaintLine(ACanvas, x, mid, c + i - i * k, mid);
  }
}

void TAdvStringGrid::DrawInterfacedCell(TCanvas* ACanvas, TRect R, TCellGraphic* AObject, int RCol, int DRow,
                                        TGridDrawState AState, bool BeforeText) {
  auto* draw = dynamic_cast<ICellDraw*>(AObject->CellBitmap());
  if (!draw || draw->IsBefore() != BeforeText) return;
  if (BeforeText)
    InflateRect(R, 1, 1);
  else
    R = Rect(R.Left - 1, R.Top - 1, R.Right, R.Bottom);
  draw->Draw(ACanvas, R, this, AState.Contains(gdSelected), RCol, DRow);
}
