#pragma once
// The calculator's key panel: 28 owner-drawn push buttons in a fixed arrangement, painted as the
// platform's themed push buttons; a click counts only when released over the key pressed.
#include <functional>
#include <memory>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownItemLayout.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"

class TButtonItem : public TCollectionItem {
 public:
  explicit TButtonItem(TCollection* ACollection);
  String ClassName() const override { return u"TButtonItem"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value) { FCaption = Value; }
  TColor CaptionColor() const { return FCaptionColor; }
  void SetCaptionColor(TColor Value) { FCaptionColor = Value; }
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value) { FImageIndex = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }
  int Height() const { return FHeight; }
  void SetHeight(int Value) { FHeight = Value; }
  int Left() const { return FLeft; }
  void SetLeft(int Value) { FLeft = Value; }
  int Width() const { return FWidth; }
  void SetWidth(int Value) { FWidth = Value; }
  int Top() const { return FTop; }
  void SetTop(int Value) { FTop = Value; }
  const String& Name() const { return FName; }
  void SetName(const String& Value) { FName = Value; }
  bool Special() const { return FSpecial; }
  void SetSpecial(bool Value) { FSpecial = Value; }
  TRect Rect() const { return ::Rect(FLeft, FTop, FLeft + FWidth, FTop + FHeight); }

 private:
  String FCaption;
  int FImageIndex = -1;
  bool FEnabled = true;
  std::unique_ptr<TPicture> FImage;
  int FTag = 0;
  int FHeight = 0, FLeft = 0, FWidth = 0, FTop = 0;
  String FName;
  TColor FCaptionColor = static_cast<TColor>(0xFFFFFF);
  bool FSpecial = false;
};

class TButtonItems : public TCollection {
 public:
  explicit TButtonItems(TPersistent* AOwner);
  String ClassName() const override { return u"TButtonItems"; }
  TButtonItem* Add() { return static_cast<TButtonItem*>(TCollection::Add()); }
  TButtonItem* Insert(int Index) { return static_cast<TButtonItem*>(TCollection::Insert(Index)); }
  TButtonItem* Items(int Index) const { return static_cast<TButtonItem*>(TCollection::Items(Index)); }
  void Update(TCollectionItem* Item) override;
  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

class TButtonAppearance : public TPersistent {
 public:
  TButtonAppearance();
  String ClassName() const override { return u"TButtonAppearance"; }
  void Assign(TPersistent* Source) override;

#define BUTTON_APPEARANCE_COLOR(Name)                 \
  TColor Name() const { return F##Name; }             \
  void Set##Name(TColor Value) { Store(F##Name, Value); }
  BUTTON_APPEARANCE_COLOR(BorderColor)
  BUTTON_APPEARANCE_COLOR(BorderColorHot)
  BUTTON_APPEARANCE_COLOR(BorderColorDown)
  BUTTON_APPEARANCE_COLOR(BorderColorChecked)
  BUTTON_APPEARANCE_COLOR(Color)
  BUTTON_APPEARANCE_COLOR(ColorTo)
  BUTTON_APPEARANCE_COLOR(ColorHot)
  BUTTON_APPEARANCE_COLOR(ColorHotTo)
  BUTTON_APPEARANCE_COLOR(ColorDown)
  BUTTON_APPEARANCE_COLOR(ColorDownTo)
  BUTTON_APPEARANCE_COLOR(ColorChecked)
  BUTTON_APPEARANCE_COLOR(ColorCheckedTo)
  BUTTON_APPEARANCE_COLOR(ColorDisabled)
  BUTTON_APPEARANCE_COLOR(ColorDisabledTo)
#undef BUTTON_APPEARANCE_COLOR
  TColor GlowColorHot() const { return FGlowColorHot; }
  void SetGlowColorHot(TColor Value) { FGlowColorHot = Value; }
  TColor GlowColorDown() const { return FGlowColorDown; }
  void SetGlowColorDown(TColor Value) { FGlowColorDown = Value; }
  TColor ShineColor() const { return FShineColor; }
  void SetShineColor(TColor Value) { FShineColor = Value; }
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TColor TextColor() const { return FTextColor; }
  void SetTextColor(TColor Value) { FTextColor = Value; }
  TColor SpecialTextColor() const { return FSpecialTextColor; }
  void SetSpecialTextColor(TColor Value) { FSpecialTextColor = Value; }

  TNotifyEvent OnChange;

 private:
  void Store(TColor& Field, TColor Value) {
    if (Field == Value) return;
    Field = Value;
    if (OnChange) OnChange(this);
  }
  TColor FBorderColor = static_cast<TColor>(0x000000);
  TColor FBorderColorHot = static_cast<TColor>(0x000000);
  TColor FBorderColorDown = static_cast<TColor>(0x000000);
  TColor FBorderColorChecked = static_cast<TColor>(0xFF0000);
  TColor FColor = static_cast<TColor>(0x9A915F);
  TColor FColorTo = static_cast<TColor>(0xB0A170);
  TColor FColorHot = static_cast<TColor>(0x9F6F1C);
  TColor FColorHotTo = static_cast<TColor>(0xD5C244);
  TColor FColorDown = static_cast<TColor>(0x4B2F08);
  TColor FColorDownTo = static_cast<TColor>(0xADB514);
  TColor FColorChecked = clNone;
  TColor FColorCheckedTo = clNone;
  TColor FColorDisabled = clNone;
  TColor FColorDisabledTo = clNone;
  TColor FGlowColorHot = static_cast<TColor>(0xD5C244);
  TColor FGlowColorDown = static_cast<TColor>(0xD5C244);
  TColor FShineColor = static_cast<TColor>(0xFFFFFF);
  std::unique_ptr<TFont> FFont;
  TColor FTextColor = static_cast<TColor>(0x000000);
  TColor FSpecialTextColor = static_cast<TColor>(0x000080);
};

enum TButtonPanelType : uint8_t { plCalculator, plCustom };
using TCalculatorButtonClickEvent = std::function<void(TObject* Sender, int Index)>;

class TCustomButtonPanel : public TCustomControl {
 public:
  explicit TCustomButtonPanel(TComponent* AOwner);
  ~TCustomButtonPanel() override;
  String ClassName() const override { return u"TCustomButtonPanel"; }

  TButtonItems* Buttons() const { return FButtons.get(); }
  TItemLayout ButtonLayout() const { return FButtonLayout; }
  void SetButtonLayout(TItemLayout Value) { FButtonLayout = Value; }
  TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
  void SetItemColorStyle(TSelectionColorStyle Value) { FItemColorStyle = Value; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  int CaptionGap() const { return FCaptionGap; }
  void SetCaptionGap(int Value) { FCaptionGap = Value; }
  TWinControl* Edit() const { return FEdit; }
  void SetEdit(TWinControl* Value);
  TButtonPanelType ButtonPanelType() const { return FButtonPanelType; }
  void SetButtonPanelType(TButtonPanelType Value);
  TButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
  void SetButtonAppearance(TButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
  TAdvCustomDropDown* AdvDropDown() const { return FAdvDropDown; }
  void SetAdvDropDown(TAdvCustomDropDown* Value) { FAdvDropDown = Value; }
  int HotButton() const { return FHotButton; }
  int DownButton() const { return FDownButton; }

  TRect GetButtonRect(int Index) const;
  int ButtonAtPos(int X, int Y) const;
  void SetButtonHot(int Index);
  void SetButtonDown(int Index);

  // ---- overridable operations, in slot order ----
  virtual void DrawButton(int Index, TCanvas* ACanvas);
  virtual TRect GetButtonArea() const;
  virtual void GetButtonSize(int& W, int& H);
  virtual void ClearButtons();
  virtual void ResetButtons();
  virtual void CreateButtons();
  virtual void ArrangeButtons();
  virtual void InvalidateButton(int Index);
  virtual void ButtonClick(int Index);

  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;

  TCalculatorButtonClickEvent OnButtonClick;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void Resize() override;

 private:
  bool ExistingDisabled(int Index) const;
  void DrawButtonNow(int Index);

  std::unique_ptr<TButtonItems> FButtons;
  TItemLayout FButtonLayout = ilCaptionRight;
  TSelectionColorStyle FItemColorStyle = scCustom;
  int FHotButton = -1;
  int FOffSetX = 8, FOffSetY = 8;
  int FButtonOffSetX = 4, FButtonOffSetY = 4;
  TImageList* FImages = nullptr;
  int FCaptionGap = 0;
  TWinControl* FEdit = nullptr;
  TButtonPanelType FButtonPanelType = plCalculator;
  std::unique_ptr<TButtonAppearance> FButtonAppearance;
  int FDownButton = -1;
  TAdvCustomDropDown* FAdvDropDown = nullptr;
};
