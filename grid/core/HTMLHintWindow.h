#pragma once
// The grid pack's hint window: mini-HTML hint texts (bold, italic, colours, pictures, links in
// blue), and a cell text in packed Unicode form as one line of Unicode text.
#include "platform/HintWindow.h"

class TImageList;
class TPictureContainer;

// The font name of packed Unicode hints; the grid sets it to its font's name at each hint.
extern String HintFontName;

class THTMLHintWindow : public THintWindow {
 public:
  explicit THTMLHintWindow(TComponent* AOwner);
  String ClassName() const override { return u"THTMLHintWindow"; }
  // The text alone (no margins): one measured line for packed Unicode, the mini-HTML extent
  // within MaxWidth otherwise.
  TRect CalcHintRect(int MaxWidth, const String& AHint, TObject* AData) override;
  // Measures within 1008 pixels, adds the margins and keeps the window on the monitor nearest
  // to the rectangle's top-left corner, 2 pixels inside its right and bottom edges.
  void ActivateHint(TRect Rect, const String& AHint) override;
  // With a string grid as the data, its images and picture container serve IMG tags.
  void ActivateHintData(TRect Rect, const String& AHint, TObject* AData) override;
  int TextWidth() const { return FTextWidth; }
  int TextHeight() const { return FTextHeight; }
  TImageList* Images() const { return FImages; }

 protected:
  void Paint() override;

 private:
  // Width and height of the text measured within MaxWidth; Wide tells the packed Unicode kind.
  TSize Measure(const String& AHint, int MaxWidth, bool& Wide);
  TImageList* FImages = nullptr;
  TPictureContainer* FPictureContainer = nullptr;
  int FTextHeight = 0;
  int FTextWidth = 0;
  String FWideCaption;
};
