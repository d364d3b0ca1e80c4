#pragma once
// The pack's edit with a button inside its right edge (the button or F4 report a click), and the
// unit edit built on it: a value in the edit, its unit painted beside it and chosen from a menu.
#include <functional>
#include <memory>

#include "platform/Buttons.h"
#include "platform/Mask.h"

// The embedded button; it paints with its container's colours.
class TAdvSpeedButton : public TSpeedButton {
 public:
  explicit TAdvSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner) {}
  String ClassName() const override { return u"TAdvSpeedButton"; }
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value) { FIsWinXP = Value; Invalidate(); }
  bool Hot() const { return FHot; }
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;

 private:
  bool FIsWinXP = false;
  bool FHot = false;
};

// The container of the embedded button: a left release on the button clicks the container.
class TAsgEditButton : public TWinControl {
 public:
  explicit TAsgEditButton(TComponent* AOwner);
  String ClassName() const override { return u"TAsgEditButton"; }
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void Loaded() override;

  TAdvSpeedButton* Button() const { return FButton; }
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  String ButtonCaption() const { return FButton->Caption(); }
  void SetButtonCaption(const String& Value) { FButton->SetCaption(Value); }
  int NumGlyphs() const { return FButton->NumGlyphs(); }
  void SetNumGlyphs(int Value) { FButton->SetNumGlyphs(Value); }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);

  TColor ButtonColorDown = clNone;
  TColor ButtonBorderColor = clNone;
  TColor ButtonTextColor = clNone;
  TColor ButtonTextColorHot = clNone;
  TColor ButtonColor = clNone;
  TColor ButtonColorHot = clNone;
  TColor ButtonTextColorDown = clNone;

 private:
  void BtnMouseUp(TMouseButton Button);
  TAdvSpeedButton* FButton = nullptr;
  TWinControl* FFocusControl = nullptr;
  bool FFlat = false;
};

class TAsgEditBtn : public TCustomMaskEdit {
 public:
  explicit TAsgEditBtn(TComponent* AOwner);
  ~TAsgEditBtn() override;
  String ClassName() const override { return u"TAsgEditBtn"; }
  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;

  TAsgEditButton* Button() const { return FButton; }
  int ButtonWidth() const { return FButton->Width(); }
  void SetButtonWidth(int Value);
  String ButtonCaption() const { return FButton->ButtonCaption(); }
  void SetButtonCaption(const String& Value) { FButton->SetButtonCaption(Value); }
  TBitmap* Glyph() const { return FButton->Glyph(); }
  void SetGlyph(TBitmap* Value) { FButton->SetGlyph(Value); }
  bool RightAlign() const { return FRightAlign; }
  void SetRightAlign(bool Value);
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value) { FEditorEnabled = Value; }
  bool IsWinXP() const { return FIsWinXP; }
  void SetIsWinXP(bool Value);

  // The button's click (also F4).
  virtual void BtnClick(TObject* Sender);

  TNotifyEvent OnClickBtn;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  // Lays out the text left of the button and of the unit's room.
  void SetEditRectNow();
  int FUnitSize = 0;

 private:
  void LayoutButton();
  bool FRightAlign = false;
  TAsgEditButton* FButton = nullptr;
  bool FEditorEnabled = true;
  bool FIsWinXP = false;
  bool FLaying = false;
};

using TUnitChangeEvent = std::function<void(TObject* Sender, const String& NewUnit)>;

class TAsgUnitEditBtn : public TAsgEditBtn {
 public:
  explicit TAsgUnitEditBtn(TComponent* AOwner);
  ~TAsgUnitEditBtn() override;
  String ClassName() const override { return u"TAsgUnitEditBtn"; }
  void WndProc(TMessage& Message) override;
  void PaintOverlay(TCanvas* Canvas) override;

  const String& UnitID() const { return FUnitID; }
  void SetUnitID(const String& Value);
  TStringList* Units() const { return FUnits.get(); }
  void SetUnits(TStrings* Value);  // copies the list; nullptr is ignored
  int UnitSpace() const { return FUnitSize; }
  void SetUnitSpace(int Value);
  // The text followed by the unit. Written: the first unit of the list (in list order) that the
  // value ends in is split off; a value that ends in none is all text, with no unit.
  String TextAndUnit() const;
  void SetTextAndUnit(const String& Value);

  // Opens the unit menu under the button (after OnClickBtn).
  void BtnClick(TObject* Sender) override;

  TUnitChangeEvent OnUnitChanged;

 private:
  String FUnitID;
  std::unique_ptr<TStringList> FUnits;
};
