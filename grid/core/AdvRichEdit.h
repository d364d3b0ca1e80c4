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
  // Re-creates the control's window (before each edit).
  void ReCreate();
  // While locked (the edit cycle loads a cell into the editor) typing does not grow the row.
  bool Locked() const { return FLocked; }
  void SetLocked(bool v) { FLocked = v; }
  void WndProc(TMessage& Message) override;

 protected:
  void RequestResize(const TRect& Rect) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  unsigned DialogCode() const override { return TRichEdit::DialogCode() | DLGC_WANTTAB; }

 private:
  void SetSelOffset(int Twips);
  // The inplace editor's row grows with typed text (SizeWhileTyping.Height), never shrinks.
  void GrowRowWhileTyping(int Height);
  int SelOffset();
  TAdvStringGrid* FGrid = nullptr;
  int FReqHeight = 0;
  int FReqWidth = 0;
  bool FLocked = false;
};
