#pragma once
// The colour picker's palette chooser: 60 colour boxes in ten columns, the first row standing
// alone and the others joined into framed strips, with keyboard navigation for the picker.
#include <memory>

#include "grid/dropdown/AdvColorPanels.h"
#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvItemSelector.h"

enum TItemPos : uint8_t { ipStandAlone, ipTop, ipMiddle, ipBottom };

class TColorBoxItem : public TCollectionItem {
 public:
  explicit TColorBoxItem(TCollection* ACollection) : TCollectionItem(ACollection) {}
  String ClassName() const override { return u"TColorBoxItem"; }
  void Assign(TPersistent* Source) override;

  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  TItemPos ColorBoxPos() const { return FColorBoxPos; }
  void SetColorBoxPos(TItemPos Value) { FColorBoxPos = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TRect Rect() const { return FRect; }
  void SetRect(const TRect& Value) { FRect = Value; }

 private:
  TColor FColor = clNone;
  bool FEnabled = true;
  TRect FRect{-1, -1, -1, -1};
  TItemPos FColorBoxPos = ipStandAlone;
};

class TColorBoxItems : public TListItems<TColorBoxItem> {
 public:
  using TListItems::TListItems;
  String ClassName() const override { return u"TColorBoxItems"; }
};

class TColorBoxAppearance : public TPersistent {
 public:
  String ClassName() const override { return u"TColorBoxAppearance"; }
  void Assign(TPersistent* Source) override;
  TNotifyEvent OnChange;
  TColor BorderColor = 0xC5C5C5;
  TColor OuterBorderColorHot = 0x3694F2;
  TColor InnerBorderColorHot = 0x94E2FF;
  TColor OuterBorderColorSelected = 0x0000FF;
  TColor InnerBorderColorSelected = 0x94E2FF;
};

class TCustomColorSelector : public TAdvCustomColorSelectorPanel {
 public:
  explicit TCustomColorSelector(TComponent* AOwner);
  ~TCustomColorSelector() override;
  String ClassName() const override { return u"TCustomColorSelector"; }

  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Index);
  int ItemHot() const { return FItemHot; }
  void SetItemHot(int Index);
  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  int ColumnGap() const { return FColumnGap; }
  void SetColumnGap(int Value);
  int ColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(int Value);
  int ColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(int Value);
  TColorBoxAppearance* ColorBoxAppearance() const { return FColorBoxAppearance.get(); }
  void SetColorBoxAppearance(TColorBoxAppearance* Value) { FColorBoxAppearance->Assign(Value); }
  TColorBoxItems* Items() const { return FItems.get(); }
  void SetItems(TColorBoxItems* Value) { FItems->Assign(Value); }
  TSelectionColorStyle ItemColorStyle() const { return FItemColorStyle; }
  void SetItemColorStyle(TSelectionColorStyle Value);
  TColor SelectedColor() const { return FSelectedColor; }
  void SetSelectedColor(TColor Value);

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();
  // Keyboard navigation for the picker: PgUp, PgDn, End, Home and the arrows.
  void HandleKey(Word Key, bool EditorEnabled, bool DroppedDown);
  int ItemAtPos(int X, int Y) const;
  TRect GetItemRect(int Index) const;
  // Empties the boxes and adds the 60 of the palette.
  void AddPaletteColors();

  virtual void DrawItem(int Index, TCanvas* Canvas);
  virtual void GetItemArea(TRect& Rect) const;
  virtual void GetItemSize(int& Width, int& Height) const;
  virtual void UpdateItemRects();
  virtual void InvalidateItem(int Index);

  TNotifyEvent OnItemSelect;
  void WndProc(TMessage& Message) override;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  bool ValidIndex(int Index) const { return Index >= 0 && Index < FItems->Count(); }

  int FItemIndex = -1;
  int FItemHot = -1;
  int FOffSetX = 4, FOffSetY = 4;
  int FColumns = 10;
  int FColumnGap = 4;
  int FColorBoxHeight = 12, FColorBoxWidth = 12;
  std::unique_ptr<TColorBoxAppearance> FColorBoxAppearance;
  std::unique_ptr<TColorBoxItems> FItems;
  TSelectionColorStyle FItemColorStyle = scCustom;
  TColor FSelectedColor = clNone;
};
