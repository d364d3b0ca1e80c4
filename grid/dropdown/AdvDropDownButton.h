#pragma once
// The button at the right edge of a drop-down edit: a windowed container of fixed width holding
// a speed button that paints the drop-down arrow (in the edit's custom colours, as a glyph, as
// the themed combo-box button or classic), or a push button. A left release on it is a click.
#include <cstdint>

#include "grid/dropdown/AdvDropDownHost.h"
#include "platform/Buttons.h"
#include "platform/Controls.h"

enum TButtonStyle : uint8_t { bsButton, bsDropDown };

class TDropDownEditButton;

class TAdvDropDownSpeedButton : public TSpeedButton {
 public:
  explicit TAdvDropDownSpeedButton(TComponent* AOwner);
  String ClassName() const override { return u"TAdvDropDownSpeedButton"; }

  TButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TButtonStyle Value);
  bool Etched() const { return FEtched; }
  void SetEtched(bool Value);
  bool Focused() const { return FFocused; }
  void SetFocused(bool Value);
  bool Hot() const { return FHot; }
  // From now on the button never shows the pressed look.
  void SetUp() { FUp = true; }
  bool IsWinXP() const { return FIsWinXP; }

  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;

 private:
  bool Pressed() const { return (FState == bsDown || FState == bsExclusive) && !FUp; }
  bool Themed() const;
  int ThemeState() const;
  void PaintDropDown(TCanvas* Canvas);
  void PaintButton(TCanvas* Canvas);
  TDropDownEditButton* Container() const;
  // The edit the container stands in (nullptr when the container is not in one).
  TWinControl* EditControl() const;
  IDropDownEdit* Edit() const;

  bool FEtched = false;
  bool FFocused = false;
  bool FHot = false;
  bool FUp = false;
  bool FIsWinXP = false;
  TButtonStyle FButtonStyle = bsDropDown;
};

class TDropDownEditButton : public TWinControl {
 public:
  explicit TDropDownEditButton(TComponent* AOwner);
  ~TDropDownEditButton() override;
  String ClassName() const override { return u"TDropDownEditButton"; }

  TAdvDropDownSpeedButton* Button() const { return FButton; }
  // The button width the container keeps whatever bounds it is given.
  int BWidth() const { return FBWidth; }
  void SetBWidth(int Value) { FBWidth = Value; }
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  int NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
  String ButtonCaption() const { return FButton->Caption(); }
  void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }

  TColor ButtonColorDown() const { return FButtonColorDown; }
  void SetButtonColorDown(TColor Value) { FButtonColorDown = Value; }
  TColor ButtonBorderColor() const { return FButtonBorderColor; }
  void SetButtonBorderColor(TColor Value) { FButtonBorderColor = Value; }
  TColor ButtonTextColor() const { return FButtonTextColor; }
  void SetButtonTextColor(TColor Value) { FButtonTextColor = Value; }
  TColor ButtonTextColorHot() const { return FButtonTextColorHot; }
  void SetButtonTextColorHot(TColor Value) { FButtonTextColorHot = Value; }
  TColor ButtonColor() const { return FButtonColor; }
  void SetButtonColor(TColor Value) { FButtonColor = Value; }
  TColor ButtonColorHot() const { return FButtonColorHot; }
  void SetButtonColorHot(TColor Value) { FButtonColorHot = Value; }
  TColor ButtonTextColorDown() const { return FButtonTextColorDown; }
  void SetButtonTextColorDown(TColor Value) { FButtonTextColorDown = Value; }

  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool Value) override;
  void WndProc(TMessage& Message) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Loaded() override;

 private:
  // Applies the width rule; true when the bounds had to change.
  bool ApplySizeRule();
  void ButtonMouseUp(TMouseButton Button, int X, int Y);

  TAdvDropDownSpeedButton* FButton = nullptr;  // owned as a child
  TWinControl* FFocusControl = nullptr;
  int FBWidth = 16;
  TColor FButtonColorDown = clNone;
  TColor FButtonBorderColor = clNone;
  TColor FButtonTextColor = clNone;
  TColor FButtonTextColorHot = clNone;
  TColor FButtonColor = clNone;
  TColor FButtonColorHot = clNone;
  TColor FButtonTextColorDown = clNone;
};
