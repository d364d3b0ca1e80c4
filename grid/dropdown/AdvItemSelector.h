#pragma once
// The item selector: the scrolling grid of items that the list drop-downs show in their popup.
// TAdvCustomItemSelector is the scrolling window that carries the settings; its only child, the
// TCustomItemSelector panel, is sized to hold every item and does the layout, the painting and
// the mouse tracking. The drop-downs turn their keys into the navigation operations.
#include <cstdint>
#include <functional>
#include <memory>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvDropDownItemLayout.h"
#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/ScrollingWinControl.h"

enum TSelectorType : uint8_t { stImage, stColor };

using TDrawItemEvent = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R, int Index)>;
using TItemSizeEvent = std::function<void(TObject* Sender, TSize& ASize)>;
using TOnDrawSelectedItem = std::function<void(TObject* Sender, TCanvas* Canvas, TRect R)>;

// The collections of the list drop-downs' items: an OnChange that the items' setters call.
class TListItemsBase : public TCollection {
 public:
  using TCollection::TCollection;
  TNotifyEvent OnChange;
};

// Items of one type, with the owner given at creation returned for streaming.
template <class TItem>
class TListItems : public TListItemsBase {
 public:
  explicit TListItems(TPersistent* AOwner)
      : TListItemsBase([](TCollection* c) -> TCollectionItem* { return New<TItem>(c); }), FOwner(AOwner) {}
  TItem* Add() { return static_cast<TItem*>(TCollection::Add()); }
  TItem* Insert(int Index) { return static_cast<TItem*>(TCollection::Insert(Index)); }
  TItem* Items(int Index) const { return static_cast<TItem*>(TCollection::Items(Index)); }

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// Stores Value when it differs and tells the owning collection through its OnChange.
template <class T>
void StoreItemAndNotify(T& Field, const T& Value, TCollection* Owner) {
  if (Field == Value) return;
  Field = Value;
  if (auto* c = dynamic_cast<TListItemsBase*>(Owner); c && c->OnChange) c->OnChange(c);
}

class TSelectorItem : public TCollectionItem {
 public:
  explicit TSelectorItem(TCollection* ACollection);
  ~TSelectorItem() override;
  String ClassName() const override { return u"TSelectorItem"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  TColor Color() const { return FColor; }
  void SetColor(TColor Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  // The cell in panel coordinates, written by the layout.
  TRect Rect() const { return FRect; }
  void SetRect(const TRect& Value) { FRect = Value; }

 private:
  String FCaption;
  TColor FColor = clNone;
  int FImageIndex = -1;
  std::unique_ptr<TPicture> FImage;
  String FHint;
  bool FEnabled = true;
  TRect FRect{-1, -1, -1, -1};
};

class TSelectorItems : public TListItems<TSelectorItem> {
 public:
  using TListItems::TListItems;
  String ClassName() const override { return u"TSelectorItems"; }
};

class TItemAppearance : public TPersistent {
 public:
  explicit TItemAppearance(TPersistent* AOwner);
  ~TItemAppearance() override;
  String ClassName() const override { return u"TItemAppearance"; }
  void Assign(TPersistent* Source) override;

  TSelectionColorStyle ColorStyle() const { return FColorStyle; }
  void SetColorStyle(TSelectionColorStyle Value);
  TFont* Font() const { return FFont.get(); }
  void SetFont(TFont* Value) { FFont->Assign(Value); }

  // Plain fields: no change notification.
  TColor ColorHot = clNone, ColorHotTo = clNone, ColorMirrorHot = clNone, ColorMirrorHotTo = clNone;
  TColor ColorSelected = clNone, ColorSelectedTo = clNone, ColorMirrorSelected = clNone,
         ColorMirrorSelectedTo = clNone;
  TColor BorderColor = clNone, BorderColorTop = clNone, BorderColorBottom = clNone, EdgeColor = clNone;
  TColor BorderColorHot = clNone, BorderColorSelected = clNone;
  TColor ColorHotText = clBlack, ColorSelectedText = clBlack;
  TNotifyEvent OnChange;

 protected:
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
  std::unique_ptr<TFont> FFont;
  TSelectionColorStyle FColorStyle = scCustom;
};

// Colours an item selector's appearance for a drop-down style; the list drop-downs call it from
// their SetComponentStyle. Nothing without an appearance; tsCustom changes nothing.
void SetItemAppearanceStyle(TItemAppearance* Appearance, TQELStyle Style);

class TCustomItemSelector;

// Appends the character of a letter or digit key to a type-ahead text (letters in upper case);
// true when the key gives one. Shift, Ctrl and the other keys give none.
bool AppendTypeAheadKey(String& Search, Word Key);

enum class TListStep : uint8_t { First, Last, Next, Previous };
// Where a list operation moves from Current in a list of Count items: First 0, Last Count - 1,
// Next and Previous one on (both 0 from none); -1 when it goes nowhere (no items, past an end).
int ListStepIndex(TListStep Step, int Current, int Count);

// The type-ahead text of a list drop-down: letters and digits typed within 500 ms of the first
// one search together; the timer (owned by Owner) then empties the text.
class TTypeAheadSearch {
 public:
  explicit TTypeAheadSearch(TComponent* Owner);
  ~TTypeAheadSearch();
  TTypeAheadSearch(const TTypeAheadSearch&) = delete;
  TTypeAheadSearch& operator=(const TTypeAheadSearch&) = delete;
  // Adds the key's letter or digit and starts the timer unless it runs; false for other keys.
  bool Add(Word Key);
  const String& Text() const { return FText; }

 private:
  TTimer* FTimer = nullptr;
  String FText;
};

class TAdvCustomItemSelector;

// What the keys of a list drop-down's item selector act on (the image picker's and the colour
// list's keys are the same).
struct TSelectorKeyTarget {
  TAdvCustomItemSelector* Selector = nullptr;
  int Count = 0;    // the drop-down's items
  int Columns = 1;  // Up and Down move a row
  bool DroppedDown = false;
  bool EditorEnabled = false;
  bool* InternalCall = nullptr;        // set while the selector's selection is moved here
  std::function<void()> Sync;          // refills the selector from the drop-down's items
  std::function<void(TListStep)> Own;  // the drop-down's own Select operations (closed)
  TTypeAheadSearch* Search = nullptr;
  bool HomeEndWhileClosed = true;  // else only with typing off
  bool SearchWhileClosed = true;
};
// PgUp, PgDn, End, Home, the arrows and type-ahead for a list drop-down (Alt is not held).
void HandleSelectorKey(Word Key, bool Ctrl, const TSelectorKeyTarget& Target);

class TAdvCustomItemSelector : public TScrollingWinControl {
 public:
  explicit TAdvCustomItemSelector(TComponent* AOwner);
  ~TAdvCustomItemSelector() override;
  String ClassName() const override { return u"TAdvCustomItemSelector"; }

  int Columns() const { return FColumns; }
  void SetColumns(int Value);
  TSelectorItems* Items() const { return FItems.get(); }
  void SetItems(TSelectorItems* Value) { FItems->Assign(Value); }
  int ItemIndex() const;
  void SetItemIndex(int Value);
  int ItemHot() const;
  TSelectorType SelectorType() const { return FSelectorType; }
  void SetSelectorType(TSelectorType Value);
  TItemLayout ItemLayout() const { return FItemLayout; }
  void SetItemLayout(TItemLayout Value) { FItemLayout = Value; }
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* Value);
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  int ColorBoxWidth() const { return FColorBoxWidth; }
  void SetColorBoxWidth(int Value);
  int ColorBoxHeight() const { return FColorBoxHeight; }
  void SetColorBoxHeight(int Value);
  TCustomItemSelector* SelectorPanel() const { return FSelectorPanel; }

  void UpdateSelectorPanel();
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();
  bool LookupItem(const String& S);
  void ScrollItemInView(int Index);
  int GetVisibleItemCount();
  void GetSelectorPanelSize(int& W, int& H) const;

  TNotifyEvent OnItemSelect;
  TDrawItemEvent OnDrawItem;
  TItemSizeEvent OnItemSize;

  void Notification(TComponent* AComponent, TOperation Operation) override;
  void WndProc(TMessage& Message) override;

 protected:
  unsigned DialogCode() const override { return DLGC_WANTARROWS | DLGC_WANTALLKEYS; }

 private:
  void CreateSelectorPanel();

  std::unique_ptr<TSelectorItems> FItems;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  TCustomItemSelector* FSelectorPanel = nullptr;  // a child control
  int FColumns = 1;
  TSelectorType FSelectorType = stImage;
  TItemLayout FItemLayout = ilCaptionRight;
  TImageList* FImages = nullptr;
  int FColorBoxWidth = 14;
  int FColorBoxHeight = 14;
};

// Sizes a list drop-down's popup around its item selector: the selector as large as its panel
// where the drop-down leaves the size open, then the popup's own sizing (BaseSizing), then room
// for the popup's border and, when the items do not fit the height, for the vertical scroll bar.
void SizeItemSelectorPopup(TAdvCustomDropDown* DropDown, TAdvCustomItemSelector* Selector,
                           const std::function<void()>& BaseSizing);
// Rebuilds the selector's items, Count of them, each filled by Fill, with one layout at the end.
void RebuildSelectorItems(TAdvCustomItemSelector* Selector, int Count,
                          const std::function<void(int Index, TSelectorItem* Item)>& Fill);
// Once the open popup has its size: the list from its top, the selected item scrolled into view.
void ShowSelectedItem(TAdvCustomItemSelector* Selector);

class TCustomItemSelector : public TCustomControl {
 public:
  // Raises Exception("Invalid parent") unless AOwner is a TAdvCustomItemSelector.
  explicit TCustomItemSelector(TComponent* AOwner);
  String ClassName() const override { return u"TCustomItemSelector"; }

  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int ItemHot() const { return FItemHot; }
  void SetItemHot(int Index);
  TAdvCustomItemSelector* AdvItemSelector() const { return FAdvItemSelector; }
  int Columns() const { return FAdvItemSelector->Columns(); }
  TSelectorItems* Items() const { return FAdvItemSelector->Items(); }
  TSelectorType SelectorType() const { return FAdvItemSelector->SelectorType(); }
  TItemLayout ItemLayout() const { return FAdvItemSelector->ItemLayout(); }
  TImageList* Images() const { return FAdvItemSelector->Images(); }
  int ColorBoxHeight() const { return FAdvItemSelector->ColorBoxHeight(); }
  int ColorBoxWidth() const { return FAdvItemSelector->ColorBoxWidth(); }
  TSelectionColorStyle ItemColorStyle() const { return FAdvItemSelector->ItemAppearance()->ColorStyle(); }
  TColor ItemColorHot() const { return FAdvItemSelector->ItemAppearance()->ColorHot; }
  TColor ItemColorHotTo() const { return FAdvItemSelector->ItemAppearance()->ColorHotTo; }
  TColor ItemColorSelected() const { return FAdvItemSelector->ItemAppearance()->ColorSelected; }
  TColor ItemColorSelectedTo() const { return FAdvItemSelector->ItemAppearance()->ColorSelectedTo; }

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();
  void HotNext();
  void HotPrevious();
  bool LookupItem(const String& S);
  TRect GetItemRect(int Index) const;
  int ItemAtPos(int X, int Y) const;

  virtual void DrawItem(int Index, TCanvas* Canvas);
  virtual TRect GetItemArea() const;
  virtual void GetItemSize(int& W, int& H);
  virtual void InvalidateItem(int Index);
  virtual void UpdateItemRects();

  TNotifyEvent OnItemSelect;
  void WndProc(TMessage& Message) override;

  static constexpr int OffSetX = 2, OffSetY = 2, ItemOffSetX = 4, ItemOffSetY = 4, CaptionGap = 4;

 protected:
  void Paint() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
  void MouseMove(TShiftState Shift, int X, int Y) override;

 private:
  int Count() const { return Items()->Count(); }
  void Step(TListStep Step, bool Hot);
  bool ValidIndex(int Index) const { return Index >= 0 && Index < Count(); }
  // Draws now on the panel's canvas (a paint of the item's rectangle).
  void DrawItemNow(int Index);
  void DrawContent(TSelectorItem* Item, TCanvas* Canvas, TRect R, bool Hot, bool Selected);

  TAdvCustomItemSelector* FAdvItemSelector = nullptr;
  int FItemIndex = -1;
  int FItemHot = -1;
};
