#pragma once
// The grid's rich-text control: the platform's rich edit with the grid link, superscript and
// subscript for the selection, and the size it last asked for.
#include "platform/ComCtrls.h"

class TAdvStringGrid;

class TAdvRichEdit : public TRichEdit {
 public:
  explicit TAdvRichEdit(TComponent* AOwner);
  String ClassName() const override { return u"TAdvRichEdit"; }
  int ReqHeight() const { return FReqHeight; }
  int ReqWidth() const { return FReqWidth; }
  // The vertical offset of the selected characters: 0, 40 twips below or above the baseline.
  void SelNormal() { SetSelOffset(0); }
  void SelSubscript() { SetSelOffset(-40); }
  void SelSuperscript() { SetSelOffset(40); }
  bool IsSelNormal() { return SelOffset() == 0; }
  bool IsSelSubscript() { return SelOffset() == -40; }
  bool IsSelSuperscript() { return SelOffset() == 40; }

 protected:
  void RequestResize(const TRect& Rect) override;

 private:
  void SetSelOffset(int Twips);
  int SelOffset();
  TAdvStringGrid* FGrid = nullptr;
  int FReqHeight = 0;
  int FReqWidth = 0;
};
