#include "grid/dropdown/AdvImagePickerDropDown.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownForm.h"
#include "platform/Files.h"

// ---- items --------------------------------------------------------------------------------------

TImageItem::TImageItem(TCollection* ACollection) : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TImageItem::~TImageItem() = default;

void TImageItem::SetCaption(const String& Value) { StoreItemAndNotify(FCaption, Value, Collection()); }
void TImageItem::SetImageIndex(int Value) { StoreItemAndNotify(FImageIndex, Value, Collection()); }

void TImageItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TImageItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  SetImageIndex(s->FImageIndex);
  FImage->Assign(s->FImage.get());
  FEnabled = s->FEnabled;
  FHint = s->FHint;
}

// ---- the drop-down ---------------------------------------------------------------------------------

TAdvImagePickerDropDown::TAdvImagePickerDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner),
      FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
  FItems->OnChange = [](TObject*) {};
  SetAutoSelect(false);
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  SetCursor(crArrow);
  // The base constructor made the popup before this class existed.
  CreateItemSelector();
}

TAdvImagePickerDropDown::~TAdvImagePickerDropDown() {
  delete FItemSelector;
  FItemSelector = nullptr;
}

void TAdvImagePickerDropDown::CreateDropDownForm() {
  TAdvCustomDropDown::CreateDropDownForm();
  CreateItemSelector();
}

void TAdvImagePickerDropDown::CreateItemSelector() {
  if (!DropDownForm()) return;
  if (!FItemSelector) {
    FItemSelector = new TAdvCustomItemSelector(this);
    FItemSelector->SetParent(DropDownForm());
    FItemSelector->SetSelectorType(stImage);
    FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
  }
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->UpdateSelectorPanel();
  SetControl(FItemSelector);
}

void TAdvImagePickerDropDown::DropDownFormDestroy() {
  TAdvCustomDropDown::DropDownFormDestroy();
  if (!ComponentState().Contains(TComponentStateFlag::csDestroying)) FItemSelector = nullptr;
}

void TAdvImagePickerDropDown::AddImagesFromFolder(const String& AFolder, bool SetImageCaption) {
  const String folder = ExtractFilePath(AFolder);
  for (const TSearchEntry& entry : ListDirectoryMatching(AFolder)) {
    TImageItem* item = FItems->Add();
    try {
      item->Image()->LoadFromFile(folder + entry.Name);
      if (SetImageCaption) item->SetCaption(entry.Name);
    } catch (const Exception&) {
      // Not a picture (or unreadable): the item stays without picture and caption.
      item->Image()->Assign(nullptr);
    }
  }
}

void TAdvImagePickerDropDown::AddImagesFromImageList() {
  if (!Images()) return;
  for (int i = 0; i < Images()->Count(); ++i) FItems->Add()->SetImageIndex(i);
}

void TAdvImagePickerDropDown::SetItemIndex(int Value) {
  if (Value == FItemIndex || Value >= FItems->Count() || Value < -1) return;
  FItemIndex = Value;
  Invalidate();
  if (OnChange) OnChange(this);
  if (OnSelect) OnSelect(this);
}

int TAdvImagePickerDropDown::ImageIndex() const {
  return FItemIndex >= 0 && FItemIndex < FItems->Count() ? FItems->Items(FItemIndex)->ImageIndex() : -1;
}

void TAdvImagePickerDropDown::SetImageIndex(int Value) {
  for (int i = 0; i < FItems->Count(); ++i) {
    if (FItems->Items(i)->ImageIndex() == Value) {
      SetItemIndex(i);
      return;
    }
  }
  SetItemIndex(-1);
}

void TAdvImagePickerDropDown::SelectFirst() { Step(TListStep::First); }
void TAdvImagePickerDropDown::SelectLast() { Step(TListStep::Last); }
void TAdvImagePickerDropDown::SelectNext() { Step(TListStep::Next); }
void TAdvImagePickerDropDown::SelectPrevious() { Step(TListStep::Previous); }

void TAdvImagePickerDropDown::Step(TListStep Step) {
  const int v = ListStepIndex(Step, FItemIndex, FItems->Count());
  if (v >= 0) SetItemIndex(v);
}

void TAdvImagePickerDropDown::SyncItemSelector() {
  if (!FItemSelector) return;
  TAdvCustomItemSelector* sel = FItemSelector;
  sel->OnItemSelect = nullptr;
  sel->SetColumns(FColumns);
  sel->SetImages(Images());
  sel->SetItemLayout(FLayout);
  sel->SetColor(DropDownColor());
  sel->ItemAppearance()->Assign(FItemAppearance.get());
  RebuildSelectorItems(sel, FItems->Count(), [this](int i, TSelectorItem* s) {
    const TImageItem* item = FItems->Items(i);
    s->SetCaption(item->Caption());
    s->SetImage(item->Image());
    s->SetImageIndex(item->ImageIndex());
    s->SetHint(item->Hint());
  });
  sel->SetItemIndex(FItemIndex);
  sel->OnItemSelect = [this](TObject*) { ListItemSelect(); };
  sel->SetShowHint(ShowHint());
}

void TAdvImagePickerDropDown::ListItemSelect() {
  if (!FItemSelector) return;
  SetItemIndex(FItemSelector->ItemIndex());
  if (!FInternalCall) DoHideDropDown(false);
}

void TAdvImagePickerDropDown::BeforeDropDown() {
  TAdvCustomDropDown::BeforeDropDown();
  SyncItemSelector();
  if (FItemSelector) {
    if (OnDrawItem)
      FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, int Index) {
        if (OnDrawItem) OnDrawItem(this, Canvas, R, Index);
      };
    else
      FItemSelector->OnDrawItem = nullptr;
  }
  FOldItemIndex = FItemIndex;
}

void TAdvImagePickerDropDown::UpdateDropDownSize() {
  if (!FItemSelector) {
    TAdvCustomDropDown::UpdateDropDownSize();
    return;
  }
  SizeItemSelectorPopup(this, FItemSelector, [this] { TAdvCustomDropDown::UpdateDropDownSize(); });
}

void TAdvImagePickerDropDown::DoShowDropDown() {
  TAdvCustomDropDown::DoShowDropDown();
  if (DroppedDown()) ShowSelectedItem(FItemSelector);
}

void TAdvImagePickerDropDown::DoHideDropDown(bool Cancel) {
  const bool open = DropDownForm() && DropDownForm()->Visible();
  TAdvCustomDropDown::DoHideDropDown(Cancel);
  if (open && Cancel && FItemSelector) SetItemIndex(FOldItemIndex);
}

void TAdvImagePickerDropDown::EditMouseWheelDown() {
  if (!Enabled() || ReadOnly() || !FItemSelector) return;
  if (DroppedDown()) {
    FItemSelector->HotNext();
    return;
  }
  // A picker never opened has not filled its list yet.
  if (FItemSelector->Items()->Count() != FItems->Count()) SyncItemSelector();
  FInternalCall = true;
  FItemSelector->SelectNext();
  FInternalCall = false;
}

void TAdvImagePickerDropDown::EditMouseWheelUp() {
  if (!Enabled() || ReadOnly() || !FItemSelector) return;
  if (DroppedDown()) {
    FItemSelector->HotPrevious();
    return;
  }
  if (FItemSelector->Items()->Count() != FItems->Count()) SyncItemSelector();
  FInternalCall = true;
  FItemSelector->SelectPrevious();
  FInternalCall = false;
}

void TAdvImagePickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Style) {
  TAdvCustomDropDown::SetSelectionColorStyle(Style);
  if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Style);
}

void TAdvImagePickerDropDown::SetComponentStyle(TQELStyle AStyle) {
  TAdvCustomDropDown::SetComponentStyle(AStyle);
  SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TAdvImagePickerDropDown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN) {
    HandleKeyDownMessage(Message);
    return;
  }
  TAdvCustomDropDown::WndProc(Message);
}

void TAdvImagePickerDropDown::HandleKeyDownMessage(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  bool handled = false;
  if (Enabled() && DroppedDown() && key == VK_RETURN && FItemSelector && FItemSelector->ItemHot() >= 0) {
    FItemSelector->SetItemIndex(FItemSelector->ItemHot());
    handled = true;
  }
  TAdvCustomDropDown::WndProc(Message);
  if (!Enabled() || GetKeyState(VK_MENU) < 0 || !FItemSelector) return;
  if (key == VK_RETURN) {
    if (!handled && OnSelect) OnSelect(this);
    return;
  }
  TSelectorKeyTarget target;
  target.Selector = FItemSelector;
  target.Count = FItems->Count();
  target.Columns = FColumns;
  target.DroppedDown = DroppedDown();
  target.EditorEnabled = EditorEnabled();
  target.InternalCall = &FInternalCall;
  target.Sync = [this] { SyncItemSelector(); };
  target.Own = [this](TListStep S) { Step(S); };
  target.Search = &FSearch;
  HandleSelectorKey(key, GetKeyState(VK_CONTROL) < 0, target);
}

void TAdvImagePickerDropDown::PaintFocusedText(TCanvas* Canvas) {
  TAdvCustomDropDown::PaintFocusedText(Canvas);
  DrawSelectedImage(Canvas);
}

void TAdvImagePickerDropDown::DrawSelectedImage(TCanvas* Canvas) {
  if (!Canvas) return;
  TRect r = GetEditRect();
  if (r.Width() <= 0 || r.Height() <= 0) r = Rect(2, 2, Width() - DropDownButtonWidth() - 1, Height() - 2);
  if (OnDrawSelectedImage) {
    OnDrawSelectedImage(this, Canvas, r);
    return;
  }
  if (FItemIndex < 0 || FItemIndex >= FItems->Count()) return;
  TImageItem* item = FItems->Items(FItemIndex);
  TGraphic* picture = item->Image()->Graphic();
  if (picture && !picture->Empty()) {
    Canvas->Draw(r.Left + (r.Width() - picture->Width()) / 2, r.Top + (r.Height() - picture->Height()) / 2, picture);
  } else if (Images() && item->ImageIndex() >= 0) {
    Images()->Draw(Canvas, r.Left + (r.Width() - Images()->Width()) / 2, r.Top + (r.Height() - Images()->Height()) / 2,
                   item->ImageIndex(), true);
  }
}
