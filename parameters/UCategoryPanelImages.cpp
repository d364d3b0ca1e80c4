#include "parameters/UCategoryPanelImages.h"

namespace {

constexpr TColor kMask = clFuchsia;

void DrawHeaderImage(TBitmap& b, bool up) {
  TCanvas* c = b.Canvas();
  c->Brush()->SetColor(kMask);
  c->FillRect(Rect(0, 0, 16, 16));
  c->Pen()->SetColor(clGray);
  c->Brush()->SetColor(0xF0F0F0);
  c->Ellipse(1, 1, 15, 15);
  c->Pen()->SetColor(0x404040);
  // Two stacked chevrons, 9 pixels wide (LineTo leaves out its end pixel, hence 13).
  for (int k = 0; k < 2; ++k) {
    const int y = up ? 8 + k * 3 : 4 + k * 3;
    const int tip = up ? y - 4 : y + 4;
    c->MoveTo(4, y);
    c->LineTo(8, tip);
    c->LineTo(13, up ? y + 1 : y - 1);
  }
}

}  // namespace

TImageList* Create_Category_Panel_Images(TComponent* Owner) {
  TImageList* list = New<TImageList>(Owner);
  list->SetWidth(16);
  list->SetHeight(16);
  for (bool up : {true, false}) {
    TBitmap b;
    b.SetPixelFormat(pf24bit);
    b.SetSize(16, 16);
    DrawHeaderImage(b, up);
    list->AddMasked(&b, kMask);
  }
  return list;
}
