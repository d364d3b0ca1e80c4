#pragma once
// The drop-down edit: a masked edit holding a typed value between a fixed prefix and suffix, with
// a button at its right edge that opens a borderless popup form (header, hosted control, footer).
// It is the base of the grid's drop-down editors, which override the operations below by name.
#include <cstdint>
#include <functional>
#include <memory>

#include "grid/dropdown/AdvDropDownAppearance.h"
#include "grid/dropdown/AdvDropDownButton.h"
#include "grid/dropdown/AdvDropDownHost.h"
#include "grid/dropdown/AdvDropDownPlacement.h"
#include "grid/dropdown/AdvDropDownPushButton.h"
#include "grid/dropdown/AdvDropDownValue.h"
#include "grid/dropdown/AdvLabelPosition.h"
#include "grid/foundation/AdvStyleIF.h"
#include "platform/Mask.h"
#include "platform/StdCtrls.h"

class TDropDownForm;

enum TSelectionColorStyle : uint8_t { scCustom, scOffice2007, scWindowsVista, scWindows7 };

using TDropDown = std::function<void(TObject* Sender, bool& acceptdrop)>;
using TDropUp = std::function<void(TObject* Sender, bool Cancelled)>;
using TDropDownButtonItemClick = std::function<void(TObject* Sender, int ButtonIndex)>;
using TDrawBackGroundEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect)>;
using TGetTextEvent = std::function<void(TObject* Sender, String& Text)>;

// Where the label sits against the edit E for a label L of caption width CaptionWidth.
TPoint DropDownLabelPlace(TLabelPosition Position, const TRect& Edit, TSize Label, int CaptionWidth, int Margin);

class TAdvCustomDropDown : public TCustomMaskEdit, public IDropDownEdit, public IQELStyle, public IQELTones {
 public:
  explicit TAdvCustomDropDown(TComponent* AOwner);
  ~TAdvCustomDropDown() override;
  String ClassName() const override { return u"TAdvCustomDropDown"; }

  // ---- public operations ----
  void ShowDropDown() { DoShowDropDown(); }
  void HideDropDown(bool CancelChanges) { DoHideDropDown(CancelChanges); }
  void SelectAll();
  void SelectAfterDecimal();
  void SelectBeforeDecimal();
  void Assign(TPersistent* Source) override;
  void SetControl(TControl* Control);
  TControl* Control() const { return FControl; }
  TRect GetEditRect() const { return FEditRect; }
  String Version() const;

  // ---- the value (prefix, value, suffix) ----
  String GetText() const override;
  void SetText(const String& Value) override;
  void SetTextDirect(const String& S);
  double GetFloatValue() const;
  void SetFloatValue(double X);
  void SetIntValue(int N);
  TDropDownEditType EditType() const { return FEditType; }
  void SetEditType(TDropDownEditType T);
  int Precision() const { return FPrecision; }
  void SetPrecision(int P);
  int LengthLimit() const { return FLengthLimit; }
  void SetLengthLimit(int Value) { FLengthLimit = static_cast<int16_t>(Value); }
  const String& Prefix() const { return FPrefix; }
  void SetPrefix(const String& Value) { FPrefix = Value; }
  const String& Suffix() const { return FSuffix; }
  void SetSuffix(const String& Value) { FSuffix = Value; }
  bool Signed() const { return FSigned; }
  void SetSigned(bool Value) { FSigned = Value; }
  bool AllowNumericNullValue() const { return FAllowNumericNullValue; }
  void SetAllowNumericNullValue(bool Value) { FAllowNumericNullValue = Value; }
  bool AutoThousandSeparator() const { return FAutoThousandSeparator; }
  void SetAutoThousandSeparator(bool Value) { FAutoThousandSeparator = Value; }
  bool ExcelStyleDecimalSeparator() const { return FExcelStyleDecimalSeparator; }
  void SetExcelStyleDecimalSeparator(bool Value) { FExcelStyleDecimalSeparator = Value; }
  const String& ValidChars() const { return FValidChars; }
  void SetValidChars(const String& Value) { FValidChars = Value; }
  bool ReturnIsTab() const { return FReturnIsTab; }
  void SetReturnIsTab(bool Value) { FReturnIsTab = Value; }
  bool DefaultHandling() const { return FDefaultHandling; }
  void SetDefaultHandling(bool Value) { FDefaultHandling = Value; }
  bool CanUndo() const { return FCanUndo; }
  void SetCanUndo(bool Value) { FCanUndo = Value; }
  bool IsModified() const { return FIsModified; }
  void SetModifiedFlag(bool B);
  // Money edits: the value re-grouped from its typed digits, the caret moved by the growth.
  void FormatMoneyText();

  // ---- published properties ----
  TColor BorderColor() const override { return FBorderColor; }
  void SetBorderColor(TColor Value);
  bool DisabledBorder() const { return FDisabledBorder; }
  void SetDisabledBorder(bool Value);
  TColor FocusBorderColor() const { return FFocusBorderColor; }
  void SetFocusBorderColor(TColor Value) { FFocusBorderColor = Value; }
  TColor DropDownBorderColor() const { return FDropDownBorderColor; }
  void SetDropDownBorderColor(TColor Value) { FDropDownBorderColor = Value; }
  int DropDownBorderWidth() const { return FDropDownBorderWidth; }
  void SetDropDownBorderWidth(int Value) { FDropDownBorderWidth = Value; }
  bool DropDownShadow() const { return FDropDownShadow; }
  void SetDropDownShadow(bool Value) { FDropDownShadow = Value; }
  int DropDownWidth() const { return FDropDownWidth; }
  void SetDropDownWidth(int Value);
  int DropDownHeight() const { return FDropDownHeight; }
  void SetDropDownHeight(int Value);
  TDropPosition DropPosition() const { return FDropPosition; }
  void SetDropPosition(TDropPosition Value) { FDropPosition = Value; }
  int DropDownButtonWidth() const { return FButtonWidth; }
  void SetDropDownButtonWidth(int Value);
  const String& DropDownButtonHint() const { return FButtonHint; }
  void SetDropDownButtonHint(const String& Value);
  TBitmap* DropDownButtonGlyph() const;
  void SetDropDownButtonGlyph(TBitmap* Value);
  bool DropDownSizeable() const { return FDropDownSizeable; }
  void SetDropDownSizeable(bool Value) { FDropDownSizeable = Value; }
  TColor DropDownColor() const { return FDropDownColor; }
  void SetDropDownColor(TColor Value) { FDropDownColor = Value; }
  TColor DropDownColorTo() const { return FDropDownColorTo; }
  void SetDropDownColorTo(TColor Value) { FDropDownColorTo = Value; }
  TGradientDirection DropDownGradient() const { return FDropDownGradient; }
  void SetDropDownGradient(TGradientDirection Value) { FDropDownGradient = Value; }
  bool EditorEnabled() const { return FEditorEnabled; }
  void SetEditorEnabled(bool Value);
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TAdvButtonAppearance* ButtonAppearance() const { return FButtonAppearance.get(); }
  void SetButtonAppearance(TAdvButtonAppearance* Value) { FButtonAppearance->Assign(Value); }
  THeaderAppearance* DropDownHeader() const { return FDropDownHeader.get(); }
  void SetDropDownHeader(THeaderAppearance* Value) { FDropDownHeader->Assign(Value); }
  TFooterAppearance* DropDownFooter() const { return FDropDownFooter.get(); }
  void SetDropDownFooter(TFooterAppearance* Value) { FDropDownFooter->Assign(Value); }
  bool DropDownEnabled() const { return FDropDownEnabled; }
  void SetDropDownEnabled(bool Value) { FDropDownEnabled = Value; }
  String LabelCaption() const;
  void SetLabelCaption(const String& Value);
  TLabelPosition LabelPosition() const { return FLabelPosition; }
  void SetLabelPosition(TLabelPosition Value);
  int LabelMargin() const { return FLabelMargin; }
  void SetLabelMargin(int Value);
  bool LabelTransparent() const { return FLabelTransparent; }
  void SetLabelTransparent(bool Value);
  bool LabelAlwaysEnabled() const { return FLabelAlwaysEnabled; }
  void SetLabelAlwaysEnabled(bool Value) { FLabelAlwaysEnabled = Value; }
  TFont* LabelFont() const { return FLabelFont.get(); }
  void SetLabelFont(TFont* Value);
  TLabel* EditLabel() const { return FLabel; }
  TColor SelectionColor() const { return FSelectionColor; }
  void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
  TColor SelectionColorTo() const { return FSelectionColorTo; }
  void SetSelectionColorTo(TColor Value) { FSelectionColorTo = Value; }
  TSelectionColorStyle SelectionColorStyle() const { return FSelectionColorStyle; }
  bool Flat() const { return FFlat; }
  void SetFlat(bool Value);
  bool Etched() const { return FEtched; }
  bool FocusDraw() const { return FFocusDraw; }
  void SetFocusDraw(bool Value) { FFocusDraw = Value; }
  bool ForceShadow() const { return FForceShadow; }
  void SetForceShadow(bool Value) { FForceShadow = Value; }
  TWinControl* FocusControl() const { return FFocusControl; }
  void SetFocusControl(TWinControl* Value);
  bool DroppedDown() const { return FDroppedDown; }
  TDropDownEditButton* Button() const { return FButton; }
  TDropDownForm* DropDownForm() const { return FDropDownForm; }
  TQELStyle GetComponentStyle() const { return FQELStyle; }
  // The minimum height of the control for its font.
  int MinimumHeight() const;

  // ---- events ----
  // Its own type, not the grid's clipboard event of the same name.
  using TClipboardEvent = std::function<void(TObject* Sender, const String& value, bool& allow)>;
  TNotifyEvent OnBeforeDropDown;
  TDropDown OnDropDown;
  TDropUp OnDropUp;
  TNotifyEvent OnBeforeDropUp;
  TDropDownButtonItemClick OnDropDownHeaderButtonClick;
  TDropDownButtonItemClick OnDropDownFooterButtonClick;
  TDrawBackGroundEvent OnDrawHeader;
  TDrawBackGroundEvent OnDrawFooter;
  TGetTextEvent OnGetHeaderText;
  TGetTextEvent OnGetFooterText;
  TClipboardEvent OnClipboardCopy;
  TClipboardEvent OnClipboardPaste;
  TClipboardEvent OnClipboardCut;
  TNotifyEvent OnLabelClick;
  TNotifyEvent OnLabelDblClick;

  // ---- the grid wrappers' entry points ----
  void ProcessKeyDown(Word& Key, TShiftState Shift);
  void ProcessKeyPress(Char& Key);
  void HandleSetFocusMessage(TMessage& Message);
  void HandleWantSpecialKeyMessage(TMessage& Message);
  void DispatchWindowMessage(TMessage& Message) { WndProc(Message); }

  // ---- overridable operations, in slot order ----
  virtual void LabelClick();
  virtual void LabelDblClick();
  virtual uint32_t GetVersionNr() const { return 0x01020104; }
  virtual void CreateDropDownForm();
  virtual void CreateDropDownButton();
  virtual void UpdateDropDownButton();
  virtual void BeforeDropDown();
  virtual void AdjustDropDownHeight(int& Height) { (void)Height; }
  virtual void FocusDropDownControl();
  virtual void DoShowDropDown();
  virtual void PlaceDropDownControl();
  virtual void UpdateDropDownSize();
  void DoHideDropDown(bool Cancel) override;
  virtual void AfterDropUp();
  virtual void DropDownFormDestroy() {}
  virtual void DropDownMouseWheelDown() { EditMouseWheelDown(); }
  virtual void DropDownMouseWheelUp() { EditMouseWheelUp(); }
  virtual void DropDownKeyPress(Char& Key);
  virtual void DropDownKeyDown(Word& Key, TShiftState Shift);
  virtual void DropDownKeyUp(Word& Key, TShiftState Shift);
  virtual void ControlKeyDown(Word& Key, TShiftState Shift);
  virtual void ControlKeyUp(Word& Key, TShiftState Shift);
  virtual void ControlKeyPress(Char& Key);
  virtual void DropDownSizing() {}
  virtual void EditMouseWheelDown() {}
  virtual void EditMouseWheelUp() {}
  virtual void PaintFocusedText(TCanvas* Canvas);
  virtual void SetEditRect();
  virtual void ResizeControl();
  // (SetText above is the 30th.)
  virtual void SetSelectionColorStyle(TSelectionColorStyle Style);
  virtual void DrawSelection(TCanvas* Canvas, TRect R, TColor BackgroundColor, int Kind);
  virtual void DrawGradientFill(TCanvas* Canvas, TColor FromColor, TColor ToColor, int Steps, TRect R,
                                TGradientDirection Direction);
  void SetComponentStyle(TQELStyle AStyle) override;
  void SetColorTones(TColorTones ATones) override;

  // ---- the class library's overrides ----
  bool ReadOnly() const override { return TCustomMaskEdit::ReadOnly(); }
  void WndProc(TMessage& Message) override;
  void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
  void SetEnabled(bool Value) override;
  void SetVisible(bool Value) override;
  void SetParent(TWinControl* AParent) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void PaintOverlay(TCanvas* Canvas) override;
  // The border of the window (design rules by state), drawn on Canvas over the whole control.
  void DrawBorders(TCanvas* Canvas);

  // The button's click, and a left press on the edit when typing is off: opens the popup unless
  // it is open or closed less than 250 ms ago.
  void DropDownButtonClick();

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
  void DoEnter() override;
  unsigned DialogCode() const override { return TCustomMaskEdit::DialogCode(); }

 private:
  // Message handlers (AdvDropDown.cpp, AdvDropDownEditKeys.cpp, AdvDropDownClipboard.cpp).
  void WMKeyDown(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMCopy();
  void WMCut();
  void WMPaste();
  // The navigation keys that keep the caret out of prefix and suffix; true when swallowed.
  bool PrefixSuffixKey(Word Key, TShiftState Shift);
  void PopupKeys(Word Key);
  void CaretOutOfPrefixSuffix();
  bool Loading() const { return ComponentState().Contains(TComponentStateFlag::csLoading); }
  String Value() const { return GetText(); }
  void UpdateLabel();
  void RedrawBorder() { Invalidate(); }
  bool IsNumberType() const { return FEditType == etNumeric || FEditType == etFloat || FEditType == etMoney; }
  void StripsChanged();

  TLabel* FLabel = nullptr;
  bool FParentFnt = false;
  int FDropDownWidth = 0;
  int FDropDownHeight = 0;
  int FUserDropDownWidth = -1;
  int FUserDropDownHeight = -1;
  bool FEditorEnabled = true;
  TDropPosition FDropPosition = dpAuto;
  bool FFlat = false;
  TImageList* FImages = nullptr;
  bool FDropDownShadow = true;
  int FDropDownBorderWidth = 1;
  String FButtonHint;
  TColor FDropDownColorTo = clNone;
  TColor FDropDownColor = clWhite;
  TColor FDropDownBorderColor = clBlack;
  int FButtonWidth = 17;
  bool FMouseInControl = false;
  bool FEtched = false;
  TWinControl* FFocusControl = nullptr;
  std::unique_ptr<THeaderAppearance> FDropDownHeader;
  std::unique_ptr<TAdvButtonAppearance> FButtonAppearance;
  std::unique_ptr<TFooterAppearance> FDropDownFooter;
  TControl* FControl = nullptr;
  TGradientDirection FDropDownGradient = gdHorizontal;
  bool FDropDownSizeable = true;
  TColor FSelectionColor = clNone;
  TColor FSelectionColorTo = clNone;
  TSelectionColorStyle FSelectionColorStyle = scCustom;
  TDropDownEditType FEditType = etString;
  int16_t FLengthLimit = 0;
  int16_t FPrecision = 0;
  String FPrefix, FSuffix;
  String FOldString;
  bool FSigned = false;
  bool FReturnIsTab = false;
  bool FIsWinXP = true;
  bool FIsThemed = true;
  bool FBlockChange = false;
  bool FAllowNumericNullValue = false;
  bool FDefaultHandling = true;
  bool FCanUndo = true;
  bool FExcelStyleDecimalSeparator = false;
  String FValidChars;
  bool FBlockCopy = false;
  bool FButtonDown = false;
  bool FAutoThousandSeparator = true;
  bool FIsModified = false;
  TRect FEditRect{};
  bool FDropDownEnabled = false;
  bool FDroppedDown = false;
  bool FFocusDraw = true;
  bool FForceShadow = false;
  TQELStyle FQELStyle = tsOffice2007Luna;
  int FLabelMargin = 4;
  TLabelPosition FLabelPosition = lpLeftTop;
  bool FLabelAlwaysEnabled = false;
  bool FLabelTransparent = false;
  std::unique_ptr<TFont> FLabelFont;
  TColor FBorderColor = clNone;
  TColor FFocusBorderColor = clNone;
  bool FDisabledBorder = true;
  TDropDownForm* FDropDownForm = nullptr;  // owned as a component
  TDropDownEditButton* FButton = nullptr;  // owned as a child
  String FOldText;
  bool FResizing = false;
};
