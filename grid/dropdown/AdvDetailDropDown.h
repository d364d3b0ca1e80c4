#pragma once
// The detail drop-down: an edit with a list popup whose items carry a caption, notes in mini-HTML
// and a picture. Typing completes the text from the captions; keys step through the items, and
// letters typed while the popup is open search the captions for 500 ms.
#include <memory>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvItemSelector.h"
#include "platform/Controls.h"

class TDetailItem : public TCollectionItem {
 public:
  explicit TDetailItem(TCollection* ACollection);
  ~TDetailItem() override;
  String ClassName() const override { return u"TDetailItem"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  const String& Notes() const { return FNotes; }
  void SetNotes(const String& Value) { FNotes = Value; }
  TObject* ItemObject() const { return FItemObject; }
  void SetItemObject(TObject* Value) { FItemObject = Value; }
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

 private:
  String FCaption;
  int FImageIndex = -1;
  bool FEnabled = true;
  std::unique_ptr<TPicture> FImage;
  TRect FRect{};
  String FNotes;
  TObject* FItemObject = nullptr;
  int FTag = 0;
};

class TDetailItems : public TListItems<TDetailItem> {
 public:
  using TListItems::TListItems;
  String ClassName() const override { return u"TDetailItems"; }
  // The first item whose Caption equals Text exactly, -1 when none.
  int IndexOf(const String& Text) const;
};

class TAdvDetailDropDown : public TAdvCustomDropDown {
 public:
  explicit TAdvDetailDropDown(TComponent* AOwner);
  ~TAdvDetailDropDown() override;
  String ClassName() const override { return u"TAdvDetailDropDown"; }

  TItemLayout Layout() const { return FLayout; }
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  TDetailItems* Items() const { return FItems.get(); }
  void SetItems(TDetailItems* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  int ItemHeight() const { return FItemHeight; }
  void SetItemHeight(int Value) { FItemHeight = Value; }
  TFont* CaptionFont() const { return FCaptionFont.get(); }
  void SetCaptionFont(TFont* Value) { FCaptionFont->Assign(Value); }
  TFont* NotesFont() const { return FNotesFont.get(); }
  void SetNotesFont(TFont* Value) { FNotesFont->Assign(Value); }
  bool MatchCase() const { return FMatchCase; }
  void SetMatchCase(bool Value) { FMatchCase = Value; }
  TAdvCustomItemSelector* ItemSelector() const { return FItemSelector; }
  // The type-ahead text typed so far (emptied 500 ms after the timer starts).
  const String& CurrentSearch() const { return FSearch.Text(); }

  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();

  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedImage;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void DoShowDropDown() override;
  void UpdateDropDownSize() override;
  void DoHideDropDown(bool Cancel) override;
  void DropDownSizing() override;
  void EditMouseWheelDown() override;
  void EditMouseWheelUp() override;
  void SetSelectionColorStyle(TSelectionColorStyle Style) override;
  void SetComponentStyle(TQELStyle AStyle) override;
  void WndProc(TMessage& Message) override;

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void Change() override;
  void DoEnter() override;

 private:
  void CreateItemSelector();
  void FillSelector();
  void SelectorItemSelect();
  void HandleKeyDownMessage(TMessage& Message);
  void SelectorStep(int Delta);
  void Step(TListStep Step);
  void ItemSize(TSize& ASize);
  void DrawDetailItem(TCanvas* Canvas, TRect R, int Index);

  TAdvCustomItemSelector* FItemSelector = nullptr;  // owned by this control, shown on the popup
  TItemLayout FLayout = ilCaptionRight;
  std::unique_ptr<TDetailItems> FItems;
  int FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTypeAheadSearch FSearch{this};
  int FOldItemIndex = -1;
  int FItemHeight = 22;
  std::unique_ptr<TFont> FCaptionFont;
  std::unique_ptr<TFont> FNotesFont;
  bool FWorkMode = true;
  bool FItemChange = false;
  int FItemIdx = -1;
  int FItemSel = 0;
  String FOldValue;
  bool FMatchCase = false;
  bool FCompleting = false;
};
