#pragma once
// The colour picker: a drop-down edit that shows a swatch of the chosen colour and its caption or
// value text, with one of four choosers in its popup: the named colours in the item selector, a
// palette of 60 boxes, the colour cube, or the spectrum. Choosers are made when first used and
// kept until the popup goes.
#include <memory>

#include "grid/dropdown/AdvColorPanels.h"
#include "grid/dropdown/AdvColorSelector.h"
#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvItemSelector.h"

enum TColorSelectionStyle : uint8_t { csList, csDiscrete, csColorCube, csSpectrum };
enum TColorValueText : uint8_t { cvtNone, cvtHex, cvtWebName, cvtRGB, cvtHTML };

class TColorItem : public TCollectionItem {
 public:
  explicit TColorItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  String ClassName() const override { return u"TColorItem"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }

 private:
  String FCaption;
  TColor FColor = clNone;
  bool FEnabled = true;
  TRect FRect{};
  String FHint;
};

class TColorItems : public TListItems<TColorItem> {
 public:
  using TListItems::TListItems;
  String ClassName() const override { return u"TColorItems"; }
};

class TAdvColorPickerDropDown : public TAdvCustomDropDown {
 public:
  explicit TAdvColorPickerDropDown(TComponent* AOwner);
  ~TAdvColorPickerDropDown() override;
  String ClassName() const override { return u"TAdvColorPickerDropDown"; }

  int Columns() const { return FColumns; }
  void SetColumns(int Value) { FColumns = Value; }
  TItemLayout Layout() const { return FLayout; }
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  TColorItems* Colors() const { return FColors.get(); }
  void SetColors(TColorItems* Value) { FColors->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int ColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(int Value) { FColorBoxWidth = Value; }
  int ColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(int Value) { FColorBoxHeight = Value; }
  TColorSelectionStyle ColorSelectionStyle() const { return FColorSelectionStyle; }
  void SetColorSelectionStyle(TColorSelectionStyle Value);
  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value);
  bool ShowText() const { return FShowText; }
  void SetShowText(bool Value);
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  TColorValueText ColorValueText() const { return FColorValueText; }
  void SetColorValueText(TColorValueText Value) { FColorValueText = Value; Invalidate(); }
  String SelectedColorText() const { return GetSelectedColorText(); }
  const String& CurrentSearch() const { return FSearch.Text(); }

  // The choosers, once made (nullptr before and after the popup goes).
  TAdvCustomItemSelector* ItemSelector() const { return FItemSelector; }
  TCustomColorSelector* ColorSelector() const { return FColorSelector; }
  TAdvColorCubePanel* ColorCubePanel() const { return FColorCubePanel; }
  TAdvColorSpectrumPanel* SpectrumPanel() const { return FSpectrumPanel; }

  // Appends the sixteen default colours ("Black" to "White") to Colors.
  void AddDefaultColors();
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  // The swatch and the colour's text in the edit (R: the edit less its button).
  void DrawSelectedColor(TCanvas* Canvas);

  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedColor;
  TDrawItemEvent OnDrawColor;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void DoShowDropDown() override;
  void PlaceDropDownControl() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool Cancel) override;
  void DropDownFormDestroy() override;
  void EditMouseWheelDown() override;
  void EditMouseWheelUp() override;
  void PaintFocusedText(TCanvas* Canvas) override;
  void SetSelectionColorStyle(TSelectionColorStyle Style) override;
  void SetComponentStyle(TQELStyle AStyle) override;
  void WndProc(TMessage& Message) override;
  virtual String GetSelectedColorText() const;

 private:
  // Each makes its chooser once and prepares it as the popup's hosted control.
  void EnsureItemSelector();
  void EnsureColorSelector();
  void EnsureCubePanel();
  void EnsureSpectrumPanel();
  void EnsureChooser();
  void Prepare(TControl* Chooser);
  void HideChoosersBut(TControl* Shown);
  // Readies the chooser of the style in effect, as an opening does.
  void PrepareStyle();
  void SizeToChooser();
  void SyncItemSelector();
  void ListItemSelect();
  void DiscreteItemSelect();
  void PanelSelect(TColor Color);
  void HandleKeyDownMessage(TMessage& Message);
  void Step(TListStep Step);

  TAdvCustomItemSelector* FItemSelector = nullptr;  // the choosers: owned by this control, on the popup
  TAdvColorCubePanel* FColorCubePanel = nullptr;
  TAdvColorSpectrumPanel* FSpectrumPanel = nullptr;
  TCustomColorSelector* FColorSelector = nullptr;
  int FColumns = 1;
  TItemLayout FLayout = ilCaptionRight;
  std::unique_ptr<TColorItems> FColors;
  int FItemIndex = -1;
  int FColorBoxWidth = 14, FColorBoxHeight = 14;
  TColorSelectionStyle FColorSelectionStyle = csList;
  TColor FSelectedColor = clNone;
  bool FShowText = true;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTypeAheadSearch FSearch{this};
  int FOldItemIndex = -1;
  TColor FOldSelectedColor = clNone;
  // Placed in a designer: this platform never designs, so the designer's default colours never
  // come and a picker starts without colours.
  bool FDesignTime = false;
  TColorValueText FColorValueText = cvtNone;
};
