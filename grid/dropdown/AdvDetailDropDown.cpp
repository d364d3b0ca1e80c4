#include "grid/dropdown/AdvDetailDropDown.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownDraw.h"
#include "grid/dropdown/AdvDropDownForm.h"

// ---- items --------------------------------------------------------------------------------------

TDetailItem::TDetailItem(TCollection* ACollection)
    : TCollectionItem(ACollection), FImage(std::make_unique<TPicture>()) {}

TDetailItem::~TDetailItem() = default;

void TDetailItem::SetCaption(const String& Value) {
  StoreItemAndNotify(FCaption, Value, Collection());
}
void TDetailItem::SetImageIndex(int Value) { StoreItemAndNotify(FImageIndex, Value, Collection()); }

void TDetailItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TDetailItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  SetImageIndex(s->FImageIndex);
  FImage->Assign(s->FImage.get());
  FEnabled = s->FEnabled;
  FTag = s->FTag;
  FItemObject = s->FItemObject;
  FNotes = s->FNotes;
}

int TDetailItems::IndexOf(const String& Text) const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Caption() == Text) return i;
  return -1;
}

// ---- the drop-down ---------------------------------------------------------------------------------

TAdvDetailDropDown::TAdvDetailDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner),
      FItems(std::make_unique<TDetailItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)),
      FCaptionFont(std::make_unique<TFont>()),
      FNotesFont(std::make_unique<TFont>()) {
  FItems->OnChange = [](TObject*) {};
  FCaptionFont->Assign(Font());
  FNotesFont->Assign(Font());
  SetEditorEnabled(true);
  SetDropDownEnabled(true);
  // The base constructor made the popup before this class existed.
  CreateItemSelector();
}

TAdvDetailDropDown::~TAdvDetailDropDown() {
  delete FItemSelector;
  FItemSelector = nullptr;
}

void TAdvDetailDropDown::CreateDropDownForm() {
  TAdvCustomDropDown::CreateDropDownForm();
  CreateItemSelector();
}

void TAdvDetailDropDown::CreateItemSelector() {
  if (!DropDownForm()) return;
  if (!FItemSelector) {
    FItemSelector = new TAdvCustomItemSelector(this);
    FItemSelector->SetParent(DropDownForm());
    FItemSelector->SetSelectorType(stImage);
    FItemSelector->SetBounds(0, 0, FItemSelector->Width(), 150);
    FItemSelector->SetDoubleBuffered(true);
    FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, int Index) {
      DrawDetailItem(Canvas, R, Index);
    };
    FItemSelector->OnItemSize = [this](TObject*, TSize& ASize) { ItemSize(ASize); };
    FItemSelector->OnResize = [this](TObject*) {
      if (FItemSelector) FItemSelector->UpdateSelectorPanel();
    };
    FItemSelector->UpdateSelectorPanel();
  }
  FItemSelector->SetColor(DropDownColor());
  FItemSelector->UpdateSelectorPanel();
  SetControl(FItemSelector);
}

void TAdvDetailDropDown::FillSelector() {
  if (!FItemSelector) return;
  TAdvCustomItemSelector* sel = FItemSelector;
  sel->OnItemSelect = nullptr;
  sel->SetColumns(1);
  sel->SetImages(Images());
  sel->SetItemLayout(FLayout);
  sel->SetColor(DropDownColor());
  sel->ItemAppearance()->Assign(FItemAppearance.get());
  RebuildSelectorItems(sel, FItems->Count(), [this](int i, TSelectorItem* s) {
    const TDetailItem* d = FItems->Items(i);
    s->SetCaption(d->Caption());
    s->SetImage(d->Image());
    s->SetImageIndex(d->ImageIndex());
  });
  sel->SetItemIndex(FItemIndex);
  sel->OnItemSelect = [this](TObject*) { SelectorItemSelect(); };
}

void TAdvDetailDropDown::SelectorItemSelect() {
  if (!FItemSelector) return;
  const int index = FItemSelector->ItemIndex();
  SetItemIndex(index);
  if (index >= 0 && index < FItems->Count()) {
    FCompleting = true;
    SetText(FItems->Items(index)->Caption());
    FCompleting = false;
    SelectAll();
  }
  if (!FInternalCall) DoHideDropDown(false);
}

void TAdvDetailDropDown::SetItemIndex(int Value) {
  if (Value != FItemIndex && Value >= 0 && Value < FItems->Count()) {
    FItemIndex = Value;
    FCompleting = true;
    SetText(FItems->Items(Value)->Caption());
    FCompleting = false;
    SelectAll();
    Invalidate();
    if (FItemSelector) FItemSelector->Invalidate();
    if (OnSelect) OnSelect(this);
  } else if (Value == -1 && FItemIndex != -1) {
    FCompleting = true;
    SetText(String());
    FCompleting = false;
    FItemIndex = -1;
  }
}

void TAdvDetailDropDown::SelectFirst() { Step(TListStep::First); }
void TAdvDetailDropDown::SelectLast() { Step(TListStep::Last); }
void TAdvDetailDropDown::SelectNext() { Step(TListStep::Next); }
void TAdvDetailDropDown::SelectPrevious() { Step(TListStep::Previous); }

void TAdvDetailDropDown::Step(TListStep Step) {
  const int v = ListStepIndex(Step, FItemIndex, FItems->Count());
  if (v >= 0) SetItemIndex(v);
}

void TAdvDetailDropDown::BeforeDropDown() {
  TAdvCustomDropDown::BeforeDropDown();
  FillSelector();
  FOldItemIndex = FItemIndex;
}

void TAdvDetailDropDown::DoShowDropDown() {
  TAdvCustomDropDown::DoShowDropDown();
  if (!DroppedDown()) return;
  ShowSelectedItem(FItemSelector);
  if (FItemSelector && FItemSelector->CanFocus()) FItemSelector->SetFocus();
}

void TAdvDetailDropDown::UpdateDropDownSize() {
  if (FItemSelector) {
    FItemSelector->SetAlign(alNone);
    if (DropDownWidth() <= 0) FItemSelector->SetWidth(Width());
    if (DropDownHeight() <= 0) FItemSelector->SetHeight(100);
  }
  TAdvCustomDropDown::UpdateDropDownSize();
}

void TAdvDetailDropDown::DoHideDropDown(bool Cancel) {
  const bool open = DropDownForm() && DropDownForm()->Visible();
  TAdvCustomDropDown::DoHideDropDown(Cancel);
  if (open && Cancel && FItemSelector && FOldItemIndex != -1) SetItemIndex(FOldItemIndex);
}

void TAdvDetailDropDown::DropDownSizing() {
  if (FItemSelector) FItemSelector->UpdateSelectorPanel();
}

void TAdvDetailDropDown::SelectorStep(int Delta) {
  if (!FItemSelector) return;
  const int current = FItemSelector->ItemIndex();
  const int v = current < 0 ? 0 : current + Delta;
  if (v < 0 || v >= FItemSelector->Items()->Count()) return;
  FInternalCall = true;
  FItemSelector->SetItemIndex(v);
  FInternalCall = false;
}

void TAdvDetailDropDown::EditMouseWheelDown() {
  if (DroppedDown()) {
    SelectorStep(1);
    Invalidate();
  } else {
    SelectNext();
  }
}

void TAdvDetailDropDown::EditMouseWheelUp() {
  if (DroppedDown()) {
    SelectorStep(-1);
    Invalidate();
  } else {
    SelectPrevious();
  }
}

void TAdvDetailDropDown::SetSelectionColorStyle(TSelectionColorStyle Style) {
  TAdvCustomDropDown::SetSelectionColorStyle(Style);
  if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Style);
}

void TAdvDetailDropDown::SetComponentStyle(TQELStyle AStyle) {
  TAdvCustomDropDown::SetComponentStyle(AStyle);
  SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

void TAdvDetailDropDown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN) {
    HandleKeyDownMessage(Message);
    return;
  }
  TAdvCustomDropDown::WndProc(Message);
}

void TAdvDetailDropDown::HandleKeyDownMessage(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  if (Enabled() && GetKeyState(VK_MENU) >= 0 && FItemSelector) {
    TSelectorKeyTarget target;
    target.Selector = FItemSelector;
    target.Count = FItems->Count();
    target.DroppedDown = DroppedDown();
    target.EditorEnabled = EditorEnabled();
    target.InternalCall = &FInternalCall;
    target.Sync = [this] { FillSelector(); };
    target.Own = [this](TListStep S) { Step(S); };
    target.Search = &FSearch;
    target.HomeEndWhileClosed = false;
    // Typed letters go to the edit's auto-completion while the list is closed.
    target.SearchWhileClosed = false;
    HandleSelectorKey(key, GetKeyState(VK_CONTROL) < 0, target);
  }
  if (DroppedDown() && (key == VK_PRIOR || key == VK_NEXT || key == VK_LEFT || key == VK_UP || key == VK_RIGHT ||
                        key == VK_DOWN))
    return;
  TAdvCustomDropDown::WndProc(Message);
}

void TAdvDetailDropDown::KeyDown(Word& Key, TShiftState Shift) {
  if (FItems->Count() == 0) {
    TAdvCustomDropDown::KeyDown(Key, Shift);
    return;
  }
  const Word pressed = Key;
  if (Key == VK_BACK || Key == VK_ESCAPE || Key == VK_DELETE) {
    FWorkMode = false;
  } else if (Key == VK_RETURN) {
    const int found = FItems->IndexOf(GetText());
    if (found >= 0) {
      FCompleting = true;
      SetText(FItems->Items(found)->Caption());
      FCompleting = false;
      SetItemIndex(found);
      Change();
    }
  } else {
    FWorkMode = true;
  }
  TAdvCustomDropDown::KeyDown(Key, Shift);
  if (pressed == VK_ESCAPE) {
    const int found = FItems->IndexOf(GetText());
    if (found >= 0) SetItemIndex(found);
  }
}

void TAdvDetailDropDown::KeyUp(Word& Key, TShiftState Shift) {
  TAdvCustomDropDown::KeyUp(Key, Shift);
  if (!FItemChange) return;
  SetItemIndex(FItemIdx);
  const int length = static_cast<int>(EditText().size());
  SetSelStart(FItemSel);
  SetSelLength(std::max(0, length - FItemSel));
  FItemChange = false;
}

void TAdvDetailDropDown::DoEnter() {
  TAdvCustomDropDown::DoEnter();
  // The modified flag tells whether the text differs from the one the edit had on entry.
  FOldValue = GetText();
}

void TAdvDetailDropDown::Change() {
  FItemChange = false;
  TAdvCustomDropDown::Change();
  if (FCompleting || !FWorkMode || ComponentState().Contains(TComponentStateFlag::csDesigning)) return;
  SetModifiedFlag(GetText() != FOldValue);
  const String text = EditText();
  const int caret = std::clamp(SelStart(), 0, static_cast<int>(text.size()));
  const String typed = text.substr(0, static_cast<size_t>(caret));
  const String folded = CaseFoldText(typed, FMatchCase);
  if (!folded.empty()) {
    for (int i = 0; i < FItems->Count(); ++i) {
      const String& caption = FItems->Items(i)->Caption();
      if (CaseFoldText(caption, FMatchCase).compare(0, folded.size(), folded) != 0) continue;
      // The completed text is the caption's own spelling, the typed part included.
      const String completed = caption.substr(0, typed.size() + 255);
      FCompleting = true;
      SetTextDirect(completed);
      FCompleting = false;
      FItemIndex = i;
      FItemIdx = i;
      FItemSel = static_cast<int>(folded.size());
      FItemChange = true;
      SetSelStart(static_cast<int>(typed.size()));
      SetSelLength(static_cast<int>(completed.size() - typed.size()));
      return;
    }
  }
  if (!typed.empty()) {
    FCompleting = true;
    SetTextDirect(typed);
    FCompleting = false;
    SetSelStart(static_cast<int>(typed.size()));
  }
}

void TAdvDetailDropDown::ItemSize(TSize& ASize) {
  const int popupWidth = DropDownWidth() > 0 ? DropDownWidth() : (DropDownForm() ? DropDownForm()->Width() : 0);
  const int bar = FItemSelector && FItemSelector->VertScrollBar()->IsScrollBarVisible()
                      ? TScrollingWinControl::kScrollBarSize
                      : 0;
  ASize.cx = std::max(0, popupWidth - bar - 2 * DropDownBorderWidth() - 4);
  ASize.cy = FItemHeight;
}

void TAdvDetailDropDown::DrawDetailItem(TCanvas* Canvas, TRect R, int Index) {
  if (OnDrawSelectedImage) {
    OnDrawSelectedImage(this, Canvas, R);
    return;
  }
  if (Index < 0 || Index >= FItems->Count()) return;
  TDetailItem* item = FItems->Items(Index);
  TGraphic* picture = item->Image()->Graphic();
  if (picture && picture->Empty()) picture = nullptr;
  const bool listImage = !picture && Images() && item->ImageIndex() >= 0;
  if (picture || listImage) {
    const int w = picture ? picture->Width() : Images()->Width();
    const int h = picture ? picture->Height() : Images()->Height();
    const int x = !item->Caption().empty() ? R.Left + 2 : R.Left + (R.Width() - w) / 2;
    const int y = R.Top + (R.Height() - h) / 2;
    if (picture) {
      if (dynamic_cast<TBitmap*>(picture)) picture->SetTransparent(true);
      Canvas->Draw(x, y, picture);
    } else {
      Images()->Draw(Canvas, x, y, item->ImageIndex(), true);
    }
    R.Left += w + 4;
  }
  const bool hot = FItemSelector && FItemSelector->ItemHot() == Index;
  const bool selected = Index == FItemIndex;
  const auto colour = [&](TFont* Font) {
    Canvas->Font()->Assign(Font);
    if (selected) Canvas->Font()->SetColor(FItemAppearance->ColorSelectedText);
    else if (hot) Canvas->Font()->SetColor(FItemAppearance->ColorHotText);
  };
  colour(FCaptionFont.get());
  Canvas->Brush()->SetStyle(bsClear);
  TRect caption = Rect(R.Left + 4, R.Top + 2, R.Right - 4, R.Bottom);
  DrawText(Canvas, item->Caption(), caption, DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT | DT_TOP);
  if (item->Notes().empty()) return;
  const int top = R.Top + 2 + Canvas->TextHeight(u"gh");
  colour(FNotesFont.get());
  TPoint size{0, 0};
  DrawHTMLText(Canvas, item->Notes(), Rect(R.Left + 4, top, R.Right - 4, R.Bottom), size, FItemSelector, true,
               Images());
}
