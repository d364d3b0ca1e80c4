#include "grid/dropdown/AdvImagePickerDropDown.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownForm.h"
#include "platform/Files.h"

// ---- items --------------------------------------------------------------------------------------

TImageItem::TImageItem(TCollection* ACollection) : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TImageItem::~TImageItem() = default;

void TImageItem::SetCaption(const String& Value) { StoreItemAndNotify<String, TImageItems>(FCaption, Value, Collection()); }
void TImageItem::SetImageIndex(int Value) { StoreItemAndNotify<int, TImageItems>(FImageIndex, Value, Collection()); }

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

TImageItems::TImageItems(TPersistent* AOwner)
    : TCollection([](TCollection* c) -> TCollectionItem* { return New<TImageItem>(c); }), FOwner(AOwner) {}

// ---- the drop-down ---------------------------------------------------------------------------------

TAdvImagePickerDropDown::TAdvImagePickerDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner),
      FItems(std::make_unique<TImageItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
  FItems->OnChange = [](TObject*) {};
  SetAutoSelect(false);
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  FKeyTimer = new TTimer(this);
  FKeyTimer->SetEnabled(false);
  FKeyTimer->SetInterval(500);
  FKeyTimer->OnTimer = [this](TObject*) {
    FKeyTimer->SetEnabled(false);
    FCurSearch.clear();
  };
  SetCursor(crArrow);
  // The base constructor made the popup before this class existed.
  CreateItemSelector();
}

TAdvImagePickerDropDown::~TAdvImagePickerDropDown() {
  FKeyTimer->SetEnabled(false);
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

void TAdvImagePickerDropDown::SelectFirst() {
  if (FItems->Count() > 0) SetItemIndex(0);
}
void TAdvImagePickerDropDown::SelectLast() {
  if (FItems->Count() > 0) SetItemIndex(FItems->Count() - 1);
}
void TAdvImagePickerDropDown::SelectNext() {
  if (FItems->Count() == 0) return;
  if (FItemIndex == -1) SetItemIndex(0);
  else if (FItemIndex + 1 < FItems->Count()) SetItemIndex(FItemIndex + 1);
}
void TAdvImagePickerDropDown::SelectPrevious() {
  if (FItems->Count() == 0) return;
  if (FItemIndex == -1) SetItemIndex(0);
  else if (FItemIndex - 1 >= 0) SetItemIndex(FItemIndex - 1);
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
  const TNotifyEvent changed = sel->Items()->OnChange;
  sel->Items()->OnChange = nullptr;
  sel->Items()->Clear();
  for (int i = 0; i < FItems->Count(); ++i) {
    TImageItem* item = FItems->Items(i);
    TSelectorItem* s = sel->Items()->Add();
    s->SetCaption(item->Caption());
    s->SetImage(item->Image());
    s->SetImageIndex(item->ImageIndex());
    s->SetHint(item->Hint());
  }
  sel->Items()->OnChange = changed;
  sel->UpdateSelectorPanel();
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

void TAdvImagePickerDropDown::SelectInSelector(int Value) {
  if (!FItemSelector || Value >= FItemSelector->Items()->Count()) return;
  FInternalCall = true;
  FItemSelector->SetItemIndex(Value);
  FInternalCall = false;
  FItemSelector->ScrollItemInView(Value);
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
  TAdvCustomItemSelector* sel = FItemSelector;
  const auto internal = [this](auto&& Step) {
    FInternalCall = true;
    Step();
    FInternalCall = false;
  };
  switch (key) {
    case VK_RETURN:
      if (!handled && OnSelect) OnSelect(this);
      break;
    case VK_PRIOR:
    case VK_NEXT: {
      if (sel->Items()->Count() != FItems->Count()) SyncItemSelector();
      const int n = sel->GetVisibleItemCount();
      if (n < 1) break;
      if (key == VK_PRIOR) {
        SelectInSelector(std::max(0, sel->ItemIndex() - n));
      } else {
        const int v = std::min(sel->ItemIndex() + n, FItems->Count() - 1);
        if (v >= 0) SelectInSelector(v);
      }
      break;
    }
    case VK_END:
    case VK_HOME:
      if (DroppedDown()) internal([&] { key == VK_END ? sel->SelectLast() : sel->SelectFirst(); });
      else key == VK_END ? SelectLast() : SelectFirst();
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (!EditorEnabled() && DroppedDown())
        internal([&] { key == VK_LEFT ? sel->SelectPrevious() : sel->SelectNext(); });
      break;
    case VK_UP:
    case VK_DOWN:
      if (DroppedDown()) {
        const int v = sel->ItemIndex() < 0 ? 0 : sel->ItemIndex() + (key == VK_UP ? -FColumns : FColumns);
        if (v >= 0) SelectInSelector(v);
      } else {
        key == VK_UP ? SelectPrevious() : SelectNext();
      }
      break;
    default:
      // Only keys that give a letter or a digit join the search (not the Shift of a capital).
      if (GetKeyState(VK_CONTROL) >= 0 && AppendTypeAheadKey(FCurSearch, key)) {
        if (sel->Items()->Count() != FItems->Count()) SyncItemSelector();
        internal([&] { sel->LookupItem(FCurSearch); });
        FKeyTimer->SetEnabled(true);  // a running timer goes on: the search ends 500 ms after its first key
      }
      break;
  }
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
