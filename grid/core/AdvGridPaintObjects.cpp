// Cell objects in the paint: each kind's extent and whether the cell text shows beside it, where
// the object lies in its cell relative to the text, and the drawing of the check boxes and radio
// buttons (the other kinds: AdvGridCellObjectsPaint.cpp).
#include <algorithm>

#include "grid/core/AdvGrid.h"

namespace {

TPoint GraphicExtent(TObject* Obj) {
  if (auto* g = dynamic_cast<TGraphic*>(Obj)) return TPoint(g->Width(), g->Height());
  if (auto* p = dynamic_cast<TPicture*>(Obj)) return TPoint(p->Width(), p->Height());
  return TPoint(0, 0);
}

constexpr TCellTypes kGlyphControls{ctCheckBox,    ctDataCheckBox, ctVirtCheckBox,
                                    ctRowCheckBox, ctRadioButton,  ctTriStateCheckBox};
// The boxes that sit beside their own text (the data boxes show none).
constexpr TCellTypes kBoxesWithText{ctCheckBox, ctRadioButton, ctTriStateCheckBox};

}  // namespace

TCellVAlign TAdvStringGrid::CellVAlignFromText(TVAlignment V) {
  switch (V) {
    case vtaCenter:
      return vaCenter;
    case vtaBottom:
      return vaBottom;
    default:
      return vaTop;
  }
}

TCellGraphic* TAdvStringGrid::GetCellGraphicLayout(int ACol, int ARow, int& W, int& H, bool& TextAllowed,
                                                   TCellHAlign& HAlign, TCellVAlign& VAlign) {
  W = 0;
  H = 0;
  TextAllowed = true;
  HAlign = haLeft;
  VAlign = vaTop;
  TCellGraphic* cg = GetCellGraphic(ACol, ARow);
  if (!cg) return nullptr;
  HAlign = cg->CellHAlign();
  VAlign = cg->CellVAlign();
  TImageList* il = GetCellImageList(ACol, ARow);
  TPoint s(0, 0);
  switch (cg->CellType()) {
    case ctBitmap:
      s = GraphicExtent(cg->CellBitmap());
      break;
    case ctIcon:
      s = GraphicExtent(cg->CellIcon());
      break;
    case ctImageList:
      if (il) s = TPoint(il->Width(), il->Height());
      break;
    case ctDataImage:
      if (il) s = TPoint(il->Width(), il->Height());
      TextAllowed = il == nullptr;
      break;
    case ctCheckBox:
    case ctTriStateCheckBox:
      s = TPoint(FControlLook->CheckSize(), FControlLook->CheckSize());
      break;
    case ctDataCheckBox:
    case ctVirtCheckBox:
    case ctRowCheckBox:
      s = TPoint(FControlLook->CheckSize(), FControlLook->CheckSize());
      TextAllowed = false;
      break;
    case ctRotated:
    case ctRadio:
    case ctProgress:
    case ctRangeIndicator:
    case ctXPProgress:
      TextAllowed = false;
      break;
    case ctImages:
      if (il) {
        const int n = GetCellImages(ACol, ARow) ? GetCellImages(ACol, ARow)->Count() : 0;
        s = cg->CellBoolean() ? TPoint(n * il->Width(), il->Height()) : TPoint(il->Width(), n * il->Height());
      }
      break;
    case ctPicture:
    case ctFilePicture: {
      const TPoint cell = CellSize(DisplColIndex(ACol), ARow);
      cg->GetPictureSize(cell.X, cell.Y, !GetCellEx(ACol, ARow).empty(), s);
      break;
    }
    case ctButton:
    case ctBitButton:
      s = TPoint(cg->CellIndex() & 0xFFFF, static_cast<int>((static_cast<uint32_t>(cg->CellIndex()) >> 16) & 0xFFFF));
      break;
    case ctProgressPie:
      s = TPoint(20, 20);
      break;
    case ctRadioButton:
      s = TPoint(FControlLook->RadioSize() + 4, FControlLook->RadioSize() + 4);
      break;
    case ctShape: {
      const int e = RowHeights(ARow) - 2 * FXYOffset.Y;
      s = TPoint(e, e);
      break;
    }
    case ctRating:
      s = TPoint(cg->CellAngle() * 18, 16);
      TextAllowed = false;
      break;
    case ctInterface:
      if (auto* draw = dynamic_cast<ICellDraw*>(cg->CellBitmap())) s = TPoint(draw->GetWidth(), draw->GetHeight());
      break;
    default:
      break;
  }
  W = s.X;
  H = s.Y;
  return cg;
}

void TAdvStringGrid::DrawCellGraphic(TCanvas* ACanvas, TRect ARect, TCellGraphic* AObject, TVAlignment VA,
                                     int RCol, int DRow, TGridDrawState AState, TAlignment HA) {
  if (!AObject) return;
  int W = 0, H = 0;
  bool textAllowed = true;
  TCellHAlign ha = haLeft;
  TCellVAlign va = vaTop;
  GetCellGraphicLayout(RCol, DRow, W, H, textAllowed, ha, va);
  const TCellType type = AObject->CellType();
  TRect R = ARect;
  if (type != ctNode && type != ctProgress && type != ctRangeIndicator && type != ctXPProgress)
    InflateRect(R, -(FXYOffset.X - 1), -(FXYOffset.Y - 1));
  const int t = FTextWidth > 0 ? FTextWidth + 2 : FTextWidth;
  const int rw = R.Width(), rh = R.Height();
  TRect O = Rect(R.Left + 1, R.Top + 1, R.Left + 1 + W, R.Top + 1 + H);
  auto setLeft = [&](int l) { O = Rect(l, O.Top, l + W, O.Bottom); };
  auto setTop = [&](int tp) { O = Rect(O.Left, tp, O.Right, tp + H); };
  switch (ha) {
    case haLeft:
      setLeft(R.Left + 1);
      break;
    case haRight:
      setLeft(R.Right - 1 - W);
      break;
    case haCenter:
      setLeft(W < rw ? R.Left + (rw - W) / 2 : R.Left + 1);
      break;
    case haBeforeText:
      if (HA == taRightJustify)
        setLeft(R.Right - t - W);
      else if (HA == taCenter)
        setLeft(R.Left + (rw - t - W) / 2);
      else
        setLeft(R.Left + 1);
      if (O.Left < R.Left) setLeft(R.Left + 1);
      break;
    case haAfterText:
      if (HA == taRightJustify)
        setLeft(R.Right - 1 - W);
      else if (HA == taCenter)
        setLeft(std::max(R.Left, R.Left + t + (rw - t - W) / 2));
      else
        setLeft(R.Left + t);
      break;
    case haFull:
      O.Left = R.Left;
      O.Right = R.Right;
      break;
  }
  TCellVAlign v = va;
  if (kGlyphControls.Contains(type) && VA != FVAlignment) v = CellVAlignFromText(VA);
  switch (v) {
    case vaTop:
    case vaAboveText:
      setTop(R.Top + 1);
      break;
    case vaBottom:
      setTop(R.Bottom - 1 - H);
      break;
    case vaCenter:
      setTop(H < rh ? R.Top + (rh - H) / 2 : R.Top + 1);
      break;
    case vaUnderText:
      setTop(R.Bottom - H);
      break;
    case vaFull:
      O.Top = R.Top;
      O.Bottom = R.Bottom;
      break;
  }
  if (kGlyphControls.Contains(type)) {
    // Boxes follow their cell text's alignment.
    const bool withText = kBoxesWithText.Contains(type);
    if (HA == taRightJustify)
      setLeft(R.Right - 1 - W - (withText ? t : 0));
    else if (HA == taCenter)
      setLeft(withText && t > 0 ? R.Left + std::max(0, rw - t) / 2 - W : R.Left + std::max(0, rw - W) / 2);
    else
      setLeft(R.Left + 1);
    if (O.Left < R.Left) setLeft(R.Left + 1);
  }

  bool enabled = true;
  CanEditCell(RCol, DRow, enabled);
  const TControlLookStyle style = FControlLook->ControlStyle();
  switch (type) {
    case ctCheckBox:
    case ctRowCheckBox:
      DrawCheckGlyph(ACanvas, O, AObject->CellBoolean(), enabled, AObject->CellAngle() > 0, style);
      break;
    case ctDataCheckBox:
    case ctVirtCheckBox: {
      String checked;
      DoGetCheckTrue(RCol, DRow, checked);
      DrawCheckGlyph(ACanvas, O, GetCellEx(RCol, DRow) == checked, enabled, false, style);
      break;
    }
    case ctTriStateCheckBox:
      DrawCheckGlyph(ACanvas, O, false, enabled, AObject->CellAngle() > 0, style, true,
                     AObject->CellCheckBoxState());
      break;
    case ctRadioButton: {
      const int l = O.Left + FXYOffset.X, s = FControlLook->RadioSize();
      DrawRadioGroup(ACanvas, Rect(l, O.Top, l + s, O.Top + s), 1, AObject->CellBoolean() ? 0 : 1, false, !enabled,
                     nullptr, AState.Contains(gdSelected), RCol, DRow, style, 1.0, false);
      break;
    }
    case ctRadio: {
      auto* items = dynamic_cast<TStrings*>(AObject->CellBitmap());
      DrawRadioGroup(ACanvas, R, items ? items->Count() : 0, AObject->CellIndex(), AObject->CellBoolean(),
                     !enabled, items, AState.Contains(gdSelected), RCol, DRow, style, 1.0, false);
      break;
    }
    default:
      DrawCellObject(ACanvas, ARect, R, O, AObject, RCol, DRow, AState, HA, VA);
      break;
  }
}
