#pragma once
// The image picker: a drop-down edit for choosing one picture out of a list. The edit shows the
// chosen picture centred, with typing off; the popup shows every item in the item selector.
// Items come from the program, from the picture files of a folder, or from the image list.
#include <memory>

#include "grid/dropdown/AdvDropDown.h"
#include "grid/dropdown/AdvItemSelector.h"
#include "platform/Controls.h"

class TImageItem : public TCollectionItem {
 public:
  explicit TImageItem(TCollection* ACollection);
  ~TImageItem() override;
  String ClassName() const override { return u"TImageItem"; }
  void Assign(TPersistent* Source) override;

  const String& Caption() const { return FCaption; }
  void SetCaption(const String& Value);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value) { FEnabled = Value; }
  TPicture* Image() const { return FImage.get(); }
  void SetImage(TPicture* Value) { FImage->Assign(Value); }
  const String& Hint() const { return FHint; }
  void SetHint(const String& Value) { FHint = Value; }

 private:
  String FCaption;
  int FImageIndex = -1;
  bool FEnabled = true;
  std::unique_ptr<TPicture> FImage;
  TRect FRect{};
  String FHint;
};

class TImageItems : public TListItems<TImageItem> {
 public:
  using TListItems::TListItems;
  String ClassName() const override { return u"TImageItems"; }
};

class TAdvImagePickerDropDown : public TAdvCustomDropDown {
 public:
  explicit TAdvImagePickerDropDown(TComponent* AOwner);
  ~TAdvImagePickerDropDown() override;
  String ClassName() const override { return u"TAdvImagePickerDropDown"; }

  int Columns() const { return FColumns; }
  void SetColumns(int Value) { FColumns = Value; }
  TItemLayout Layout() const { return FLayout; }
  void SetLayout(TItemLayout Value) { FLayout = Value; }
  TImageItems* Items() const { return FItems.get(); }
  void SetItems(TImageItems* Value) { FItems->Assign(Value); }
  int ItemIndex() const { return FItemIndex; }
  void SetItemIndex(int Value);
  int ImageIndex() const;
  void SetImageIndex(int Value);
  TItemAppearance* ItemAppearance() const { return FItemAppearance.get(); }
  void SetItemAppearance(TItemAppearance* Value) { FItemAppearance->Assign(Value); }
  TAdvCustomItemSelector* ItemSelector() const { return FItemSelector; }
  const String& CurrentSearch() const { return FSearch.Text(); }

  // AFolder is a path with a file mask ("pictures/*.png"); every entry it matches becomes an item.
  void AddImagesFromFolder(const String& AFolder, bool SetImageCaption);
  void AddImagesFromImageList();
  void SelectFirst();
  void SelectLast();
  void SelectNext();
  void SelectPrevious();

  TNotifyEvent OnSelect;
  TOnDrawSelectedItem OnDrawSelectedImage;
  TDrawItemEvent OnDrawItem;

  void CreateDropDownForm() override;
  void BeforeDropDown() override;
  void UpdateDropDownSize() override;
  void DoShowDropDown() override;
  void DoHideDropDown(bool Cancel) override;
  void DropDownFormDestroy() override;
  void EditMouseWheelDown() override;
  void EditMouseWheelUp() override;
  void PaintFocusedText(TCanvas* Canvas) override;
  void SetSelectionColorStyle(TSelectionColorStyle Style) override;
  void SetComponentStyle(TQELStyle AStyle) override;
  void WndProc(TMessage& Message) override;
  // The chosen picture (or image-list entry) centred in the edit's text rectangle.
  void DrawSelectedImage(TCanvas* Canvas);

 private:
  void CreateItemSelector();
  void SyncItemSelector();
  void ListItemSelect();
  void HandleKeyDownMessage(TMessage& Message);
  void Step(TListStep Step);

  TAdvCustomItemSelector* FItemSelector = nullptr;  // owned by this control, shown on the popup
  int FColumns = 1;
  TItemLayout FLayout = ilCaptionRight;
  std::unique_ptr<TImageItems> FItems;
  int FItemIndex = -1;
  std::unique_ptr<TItemAppearance> FItemAppearance;
  bool FInternalCall = false;
  TTypeAheadSearch FSearch{this};
  int FOldItemIndex = -1;
};
