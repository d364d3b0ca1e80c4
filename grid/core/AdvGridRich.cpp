// Rich-text cells: the grid's hidden rich edit, painting a cell through it, and the grid's rich
// control itself.
#include "grid/core/AdvGrid.h"
#include "grid/core/AdvRichEdit.h"

// =============================================================================================
// The rich control

TAdvRichEdit::TAdvRichEdit(TComponent* AOwner) : TRichEdit(AOwner), FGrid(dynamic_cast<TAdvStringGrid*>(AOwner)) {
  SetResizeRequests(true);
}

void TAdvRichEdit::RequestResize(const TRect& Rect) {
  if (!FGrid || !FGrid->ComponentState().Contains(TComponentStateFlag::csDesigning)) {
    FReqWidth = Rect.Width();
    FReqHeight = Rect.Height();
    if (FGrid && this == FGrid->FInplaceRichEdit) GrowRowWhileTyping(Rect.Height());
  }
  TRichEdit::RequestResize(Rect);
}

void TAdvRichEdit::SetSelOffset(int Twips) {
  TCharFormat2 f;
  f.Mask = CFM_OFFSET;
  f.Offset = Twips;
  Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<intptr_t>(&f));
}

int TAdvRichEdit::SelOffset() {
  TCharFormat2 f;
  f.Mask = CFM_OFFSET;
  Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<intptr_t>(&f));
  return f.Offset;
}

// =============================================================================================
// The grid's side

TAdvRichEdit* TAdvStringGrid::RichEdit() {
  if (!FRichEdit) {
    FRichEdit = New<TAdvRichEdit>(this);
    FRichEdit->SetVisible(false);
    FRichEdit->SetBorderStyle(bsNone);
    FRichEdit->SetParent(this);
    FRichEdit->SetBounds(0, 0, 0, 0);
    SetWindowExStyle(FRichEdit, GetWindowExStyle(FRichEdit) | WS_EX_TRANSPARENT);
  }
  return FRichEdit;
}

String TAdvStringGrid::RichCellPlainText(int RCol, int DRow) {
  CellToRich(RCol, DRow, RichEdit());
  return RichEdit()->GetText();
}

void TAdvStringGrid::DrawRichTextCell(int ACol, int ARow, TRect ARect, TCanvas* ACanvas) {
  if (Designing()) return;
  TAdvRichEdit* re = RichEdit();
  CellToRich(RealColIndex(ACol), ARow, re);
  ACanvas->Brush()->SetStyle(bsClear);
  const TGridRect s = Selection();
  const bool disjunctRows = FMouseActions->DisjunctRowSelect();
  const bool focusedCurrent = ACol == Col() && ARow == Row() && Focused() && !Options().Contains(goDrawFocusSelected);
  bool selected = ACol >= s.Left && ACol <= s.Right && ARow >= s.Top && ARow <= s.Bottom && !focusedCurrent &&
                  !disjunctRows;
  if (disjunctRows && GetRowSelect(ARow)) selected = true;
  if (FMouseActions->DisjunctColSelect() && GetColSelect(ACol)) selected = true;
  if (selected && !SelectionRTFKeep && FSelectionTextColor != clNone) {
    re->SelectAll();
    re->SelAttributes()->SetColor(FSelectionTextColor);
  }
  // The cell in device pixels less the text offset at the device's resolution (a printer's page
  // has its own), then in twips.
  const int dpiX = std::max(1, GetDeviceCaps(ACanvas, LOGPIXELSX));
  const int dpiY = std::max(1, GetDeviceCaps(ACanvas, LOGPIXELSY));
  TRect r = ARect;
  r.Left += FXYOffset.X * dpiX / 96;
  r.Right -= FXYOffset.X * dpiX / 96;
  r.Top += FXYOffset.Y * dpiY / 96;
  r.Bottom -= FXYOffset.Y * dpiY / 96;
  TFormatRange fr;
  fr.Canvas = ACanvas;
  fr.DpiX = dpiX;
  fr.DpiY = dpiY;
  fr.Rect = Rect(r.Left * 1440 / dpiX, r.Top * 1440 / dpiY, r.Right * 1440 / dpiX, r.Bottom * 1440 / dpiY);
  fr.Page = fr.Rect;
  fr.Chars = TCharRange{0, -1};
  re->Perform(EM_FORMATRANGE, 1, reinterpret_cast<intptr_t>(&fr));
  re->Perform(EM_FORMATRANGE, 0, 0);
}
