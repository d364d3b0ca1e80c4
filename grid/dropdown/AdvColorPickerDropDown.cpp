#include "grid/dropdown/AdvColorPickerDropDown.h"

#include <algorithm>

#include "grid/dropdown/AdvDropDownForm.h"
#include "grid/dropdown/AdvWebColors.h"

// ---- named colours -----------------------------------------------------------------------------

void TColorItem::SetCaption(const String& Value) { StoreItemAndNotify(FCaption, Value, Collection()); }
void TColorItem::SetColor(TColor Value) { StoreItemAndNotify(FColor, Value, Collection()); }

void TColorItem::Assign(TPersistent* Source) {
  auto* s = dynamic_cast<TColorItem*>(Source);
  if (!s) {
    TCollectionItem::Assign(Source);
    return;
  }
  SetCaption(s->FCaption);
  SetColor(s->FColor);
  FEnabled = s->FEnabled;
  FHint = s->FHint;
}

// ---- construction and the choosers -------------------------------------------------------------------

TAdvColorPickerDropDown::TAdvColorPickerDropDown(TComponent* AOwner)
    : TAdvCustomDropDown(AOwner),
      FColors(std::make_unique<TColorItems>(this)),
      FItemAppearance(std::make_unique<TItemAppearance>(this)) {
  FColors->OnChange = [](TObject*) {};
  SetAutoSelect(false);
  SetEditorEnabled(false);
  SetDropDownEnabled(true);
  SetDropDownHeight(200);
  DropDownHeader()->SetVisible(false);
  DropDownFooter()->SetVisible(false);
  SetCursor(crArrow);
  // The base constructor made the popup before this class existed.
  EnsureChooser();
}

TAdvColorPickerDropDown::~TAdvColorPickerDropDown() {
  delete FItemSelector;
  delete FColorSelector;
  delete FColorCubePanel;
  delete FSpectrumPanel;
  FItemSelector = nullptr;
  FColorSelector = nullptr;
  FColorCubePanel = nullptr;
  FSpectrumPanel = nullptr;
}

void TAdvColorPickerDropDown::Prepare(TControl* Chooser) {
  Chooser->SetLeft(0);
  Chooser->SetTop(0);
  Chooser->SetColor(DropDownColor());
  SetControl(Chooser);
}

void TAdvColorPickerDropDown::EnsureItemSelector() {
  if (!DropDownForm()) return;
  if (!FItemSelector) {
    FItemSelector = new TAdvCustomItemSelector(this);
    FItemSelector->SetParent(DropDownForm());
    FItemSelector->SetSelectorType(stColor);
  }
  Prepare(FItemSelector);
  FItemSelector->SetHeight(150);
  FItemSelector->UpdateSelectorPanel();
}

void TAdvColorPickerDropDown::EnsureColorSelector() {
  if (!DropDownForm()) return;
  if (!FColorSelector) {
    FColorSelector = new TCustomColorSelector(this);
    FColorSelector->SetParent(DropDownForm());
    FColorSelector->AddPaletteColors();
  }
  Prepare(FColorSelector);
  FColorSelector->UpdateItemRects();
}

void TAdvColorPickerDropDown::EnsureCubePanel() {
  if (!DropDownForm()) return;
  if (!FColorCubePanel) {
    FColorCubePanel = new TAdvColorCubePanel(this);
    FColorCubePanel->SetParent(DropDownForm());
  }
  Prepare(FColorCubePanel);
}

void TAdvColorPickerDropDown::EnsureSpectrumPanel() {
  if (!DropDownForm()) return;
  if (!FSpectrumPanel) {
    FSpectrumPanel = new TAdvColorSpectrumPanel(this);
    FSpectrumPanel->SetParent(DropDownForm());
  }
  Prepare(FSpectrumPanel);
}

void TAdvColorPickerDropDown::EnsureChooser() {
  switch (FColorSelectionStyle) {
    case csList: EnsureItemSelector(); break;
    case csDiscrete: EnsureColorSelector(); break;
    case csColorCube: EnsureCubePanel(); break;
    case csSpectrum: EnsureSpectrumPanel(); break;
  }
}

void TAdvColorPickerDropDown::CreateDropDownForm() {
  TAdvCustomDropDown::CreateDropDownForm();
  EnsureChooser();
}

void TAdvColorPickerDropDown::PlaceDropDownControl() {
  TAdvCustomDropDown::PlaceDropDownControl();
  if (FColorSelectionStyle != csList && DropDownForm()) DropDownForm()->SetSizeable(false);
}

void TAdvColorPickerDropDown::DropDownFormDestroy() {
  TAdvCustomDropDown::DropDownFormDestroy();
  if (ComponentState().Contains(TComponentStateFlag::csDestroying)) return;
  // The popup form took its children with it.
  FItemSelector = nullptr;
  FColorSelector = nullptr;
  FColorCubePanel = nullptr;
  FSpectrumPanel = nullptr;
}

void TAdvColorPickerDropDown::HideChoosersBut(TControl* Shown) {
  for (TControl* c : std::initializer_list<TControl*>{FItemSelector, FColorSelector, FColorCubePanel, FSpectrumPanel})
    if (c && c != Shown) c->SetVisible(false);
}

void TAdvColorPickerDropDown::SyncItemSelector() {
  if (!FItemSelector) return;
  TAdvCustomItemSelector* sel = FItemSelector;
  sel->OnItemSelect = nullptr;
  sel->SetColumns(FColumns);
  sel->SetImages(Images());
  sel->SetItemLayout(FLayout);
  sel->SetColor(DropDownColor());
  RebuildSelectorItems(sel, FColors->Count(), [this](int i, TSelectorItem* s) {
    const TColorItem* entry = FColors->Items(i);
    s->SetCaption(entry->Caption());
    s->SetColor(entry->Color());
    s->SetHint(entry->Hint());
  });
  sel->SetColorBoxHeight(FColorBoxHeight);
  sel->SetColorBoxWidth(FColorBoxWidth);
  sel->ItemAppearance()->Assign(FItemAppearance.get());
  sel->UpdateSelectorPanel();
  sel->SetItemIndex(FItemIndex);
  sel->OnItemSelect = [this](TObject*) { ListItemSelect(); };
  sel->SetShowHint(ShowHint());
}

void TAdvColorPickerDropDown::PrepareStyle() {
  EnsureChooser();
  switch (FColorSelectionStyle) {
    case csList:
      if (!FItemSelector) return;
      HideChoosersBut(FItemSelector);
      SyncItemSelector();
      if (OnDrawColor)
        FItemSelector->OnDrawItem = [this](TObject*, TCanvas* Canvas, TRect R, int Index) {
          if (OnDrawColor) OnDrawColor(this, Canvas, R, Index);
        };
      else
        FItemSelector->OnDrawItem = nullptr;
      FOldItemIndex = FItemIndex;
      break;
    case csDiscrete:
      if (!FColorSelector) return;
      HideChoosersBut(FColorSelector);
      FColorSelector->OnItemSelect = nullptr;
      FColorSelector->SetSelectedColor(FSelectedColor);
      FColorSelector->UpdateItemRects();
      FColorSelector->OnItemSelect = [this](TObject*) { DiscreteItemSelect(); };
      FColorSelector->SetItemColorStyle(SelectionColorStyle());
      FColorSelector->SetVisible(true);
      break;
    case csColorCube:
      if (!FColorCubePanel) return;
      HideChoosersBut(FColorCubePanel);
      FColorCubePanel->SetSelectedColor(FSelectedColor);
      FColorCubePanel->InitCells();
      FColorCubePanel->ResetHot();
      FColorCubePanel->OnSelect = [this](TObject*) { PanelSelect(FColorCubePanel->SelectedColor()); };
      FColorCubePanel->SetVisible(true);
      break;
    case csSpectrum:
      if (!FSpectrumPanel) return;
      HideChoosersBut(FSpectrumPanel);
      FSpectrumPanel->SetSelectedColor(FSelectedColor);
      FSpectrumPanel->UpdateLayout();
      FSpectrumPanel->OnSelect = [this](TObject*) { PanelSelect(FSpectrumPanel->SelectedColor()); };
      FSpectrumPanel->SetVisible(true);
      break;
  }
}

void TAdvColorPickerDropDown::BeforeDropDown() {
  TAdvCustomDropDown::BeforeDropDown();
  PrepareStyle();
  FOldSelectedColor = FSelectedColor;
}

void TAdvColorPickerDropDown::DoShowDropDown() {
  TAdvCustomDropDown::DoShowDropDown();
  if (!DroppedDown()) return;
  if (FColorSelectionStyle == csList) {
    ShowSelectedItem(FItemSelector);
  } else if (Control()) {
    // The popup keeps the size it was closed with, which may be another chooser's: these
    // choosers cannot be resized, so the popup takes theirs.
    SizeToChooser();
    Control()->SetAlign(alClient);
  }
}

void TAdvColorPickerDropDown::SizeToChooser() {
  TDropDownForm* form = DropDownForm();
  if (!form) return;
  TControl* c = Control();
  if (c) {
    // Aligned to an empty popup the chooser lost its size: it takes its own again.
    c->SetAlign(alNone);
    if (c == FColorSelector) FColorSelector->UpdateItemRects();
    else if (c == FColorCubePanel) FColorCubePanel->SetPanelSize();
    else if (c == FSpectrumPanel) FSpectrumPanel->SetPanelSize();
  }
  const int border = 2 * DropDownBorderWidth();
  const int strips = (DropDownHeader()->Visible() ? DropDownHeader()->Height() : 0) +
                     (DropDownFooter()->Visible() ? DropDownFooter()->Height() : 0);
  const bool shown = c && c->Visible();
  form->SetBounds(form->Left(), form->Top(), shown ? c->Width() + border : Width(),
                  border + strips + (c ? c->Height() : 0));
}

void TAdvColorPickerDropDown::UpdateDropDownSize() {
  if (FColorSelectionStyle != csList) {
    SizeToChooser();
    return;
  }
  if (!FItemSelector) {
    TAdvCustomDropDown::UpdateDropDownSize();
    return;
  }
  SizeItemSelectorPopup(this, FItemSelector, [this] { TAdvCustomDropDown::UpdateDropDownSize(); });
}

void TAdvColorPickerDropDown::SetColorSelectionStyle(TColorSelectionStyle Value) {
  if (Value == FColorSelectionStyle) return;
  FColorSelectionStyle = Value;
  if (FDesignTime) return;
  if (Value == csList) {
    PrepareStyle();
    if (FItemSelector) {
      FItemSelector->SetVisible(true);
      UpdateDropDownSize();
      FItemSelector->SetAlign(alClient);
    }
  } else {
    if (Control()) Control()->SetAlign(alNone);
    if (FItemSelector) FItemSelector->SetVisible(false);
    PrepareStyle();
  }
  FOldSelectedColor = FSelectedColor;
  if (Value != csList && Control()) {
    Control()->SetAlign(alNone);
    SizeToChooser();
    Control()->SetAlign(alClient);
  }
  if (DropDownForm()) DropDownForm()->Invalidate();
}

// ---- choosing ---------------------------------------------------------------------------------------

void TAdvColorPickerDropDown::ListItemSelect() {
  if (!FItemSelector) return;
  SetItemIndex(FItemSelector->ItemIndex());
  if (!FInternalCall) DoHideDropDown(false);
}

void TAdvColorPickerDropDown::DiscreteItemSelect() {
  if (!FColorSelector) return;
  SetSelectedColor(FColorSelector->SelectedColor());
  SetItemIndex(-1);
  if (!FInternalCall) DoHideDropDown(false);
}

void TAdvColorPickerDropDown::PanelSelect(TColor Color) {
  SetSelectedColor(Color);
  SetItemIndex(-1);
  DoHideDropDown(false);
}

void TAdvColorPickerDropDown::SetItemIndex(int Value) {
  if (Value >= FColors->Count() || Value < -1) return;
  FItemIndex = Value;
  if (Value >= 0) FSelectedColor = FColors->Items(Value)->Color();
  Invalidate();
  if (OnSelect) OnSelect(this);
}

void TAdvColorPickerDropDown::SetSelectedColor(TColor Value) {
  if (Value == FSelectedColor) return;
  FSelectedColor = Value;
  for (int i = 0; i < FColors->Count(); ++i) {
    if (FColors->Items(i)->Color() == Value) {
      SetItemIndex(i);
      break;
    }
  }
  Invalidate();
}

void TAdvColorPickerDropDown::SetShowText(bool Value) {
  if (Value == FShowText) return;
  FShowText = Value;
  Invalidate();
}

void TAdvColorPickerDropDown::AddDefaultColors() {
  static const struct {
    const char16_t* Caption;
    TColor Color;
  } defaults[] = {{u"Black", 0x000000},  {u"Maroon", 0x000080}, {u"Green", 0x008000},  {u"Olive", 0x008080},
                  {u"Navy", 0x800000},   {u"Purple", 0x800080}, {u"Teal", 0x808000},   {u"Gray", 0x808080},
                  {u"Silver", 0xC0C0C0}, {u"Red", 0x0000FF},    {u"Lime", 0x00FF00},   {u"Yellow", 0x00FFFF},
                  {u"Blue", 0xFF0000},   {u"Fuchsia", 0xFF00FF}, {u"Aqua", 0xFFFF00}, {u"White", 0xFFFFFF}};
  for (const auto& d : defaults) {
    TColorItem* item = FColors->Add();
    item->SetCaption(d.Caption);
    item->SetColor(d.Color);
  }
}

void TAdvColorPickerDropDown::SelectFirst() { Step(TListStep::First); }
void TAdvColorPickerDropDown::SelectLast() { Step(TListStep::Last); }
void TAdvColorPickerDropDown::SelectNext() { Step(TListStep::Next); }
void TAdvColorPickerDropDown::SelectPrevious() { Step(TListStep::Previous); }

void TAdvColorPickerDropDown::Step(TListStep Step) {
  const int v = ListStepIndex(Step, FItemIndex, FColors->Count());
  if (v >= 0) SetItemIndex(v);
}

void TAdvColorPickerDropDown::DoHideDropDown(bool Cancel) {
  const bool open = DropDownForm() && DropDownForm()->Visible();
  TAdvCustomDropDown::DoHideDropDown(Cancel);
  if (!open || !Cancel) return;
  if (FColorSelectionStyle == csList && FItemSelector) SetItemIndex(FOldItemIndex);
  else if (FColorSelectionStyle == csDiscrete && FColorSelector) FColorSelector->SetSelectedColor(FOldSelectedColor);
}

// ---- the text and the edit ------------------------------------------------------------------------------

String TAdvColorPickerDropDown::GetSelectedColorText() const {
  if (FColorSelectionStyle == csList && FItemIndex >= 0 && FItemIndex < FColors->Count())
    return FColors->Items(FItemIndex)->Caption();
  const TColor rgb = ColorToRGB(FSelectedColor);
  const auto part = [rgb](int Shift) { return static_cast<int>((rgb >> Shift) & 0xFF); };
  switch (FColorValueText) {
    case cvtNone: return String();
    case cvtHex: return IntToHex(static_cast<unsigned>(FSelectedColor), 6);
    case cvtWebName: return ColorToWebName(FSelectedColor);
    case cvtRGB:
      return u"Red:" + IntToStr(part(0)) + u",Green:" + IntToStr(part(8)) + u",Blue:" + IntToStr(part(16));
    case cvtHTML: return u"#" + IntToHex(part(0), 2) + IntToHex(part(8), 2) + IntToHex(part(16), 2);
  }
  return String();
}

void TAdvColorPickerDropDown::DrawSelectedColor(TCanvas* Canvas) {
  if (!Canvas) return;
  const TRect r = Rect(1, 1, Width() - DropDownButtonWidth() - 2, Height() - 2);
  if (OnDrawSelectedColor) {
    OnDrawSelectedColor(this, Canvas, r);
    return;
  }
  const int top = r.Top + (Height() - FColorBoxHeight) / 2;
  const TRect swatch = Rect(r.Left + 4, top, r.Left + 4 + FColorBoxWidth, top + FColorBoxHeight);
  if (FSelectedColor != clNone) {
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(clBlack);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(FSelectedColor);
    Canvas->Rectangle(swatch);
  }
  if (!FShowText) return;
  Canvas->Font()->Assign(Font());
  if (!EditorEnabled() && Focused()) Canvas->Font()->SetColor(clHighlightText);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(Focused() ? clHighlight : Color());
  TRect text = Rect(swatch.Right + 4, r.Top, r.Right, r.Bottom);
  DrawText(Canvas, GetSelectedColorText(), text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | DT_LEFT);
}

void TAdvColorPickerDropDown::PaintFocusedText(TCanvas* Canvas) {
  TAdvCustomDropDown::PaintFocusedText(Canvas);
  DrawSelectedColor(Canvas);
}

void TAdvColorPickerDropDown::SetSelectionColorStyle(TSelectionColorStyle Style) {
  TAdvCustomDropDown::SetSelectionColorStyle(Style);
  if (FItemSelector) FItemSelector->ItemAppearance()->SetColorStyle(Style);
}

void TAdvColorPickerDropDown::SetComponentStyle(TQELStyle AStyle) {
  TAdvCustomDropDown::SetComponentStyle(AStyle);
  SetItemAppearanceStyle(FItemAppearance.get(), AStyle);
}

// ---- wheel and keys ---------------------------------------------------------------------------------------

void TAdvColorPickerDropDown::EditMouseWheelDown() {
  if (!Enabled() || ReadOnly()) return;
  FInternalCall = !DroppedDown();
  if (FColorSelectionStyle == csList && FItemSelector) {
    // A picker never opened has not filled its list yet.
    if (!DroppedDown() && FItemSelector->Items()->Count() != FColors->Count()) SyncItemSelector();
    DroppedDown() ? FItemSelector->HotNext() : FItemSelector->SelectNext();
  } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
    DroppedDown() ? FColorSelector->HotNext() : FColorSelector->SelectNext();
  }
  FInternalCall = false;
}

void TAdvColorPickerDropDown::EditMouseWheelUp() {
  if (!Enabled() || ReadOnly()) return;
  FInternalCall = !DroppedDown();
  if (FColorSelectionStyle == csList && FItemSelector) {
    if (!DroppedDown() && FItemSelector->Items()->Count() != FColors->Count()) SyncItemSelector();
    DroppedDown() ? FItemSelector->HotPrevious() : FItemSelector->SelectPrevious();
  } else if (FColorSelectionStyle == csDiscrete && FColorSelector) {
    DroppedDown() ? FColorSelector->HotPrevious() : FColorSelector->SelectPrevious();
  }
  FInternalCall = false;
}

void TAdvColorPickerDropDown::WndProc(TMessage& Message) {
  if (Message.Msg == WM_KEYDOWN) {
    HandleKeyDownMessage(Message);
    return;
  }
  TAdvCustomDropDown::WndProc(Message);
}

void TAdvColorPickerDropDown::HandleKeyDownMessage(TMessage& Message) {
  const Word key = static_cast<Word>(Message.WParam);
  bool handled = false;
  if (Enabled() && DroppedDown() && key == VK_RETURN) {
    if (FColorSelectionStyle == csList && FItemSelector && FItemSelector->ItemHot() >= 0) {
      FItemSelector->SetItemIndex(FItemSelector->ItemHot());
      handled = true;
    }
    if (FColorSelectionStyle == csDiscrete && FColorSelector && FColorSelector->ItemHot() >= 0) {
      FColorSelector->SetItemIndex(FColorSelector->ItemHot());
      handled = true;
    }
  }
  TAdvCustomDropDown::WndProc(Message);
  if (!Enabled() || GetKeyState(VK_MENU) < 0) return;
  if (FColorSelectionStyle == csDiscrete && FColorSelector) {
    FInternalCall = true;
    FColorSelector->HandleKey(key, EditorEnabled(), DroppedDown());
    FInternalCall = false;
    if (key == VK_RETURN && !handled && OnSelect) OnSelect(this);
    return;
  }
  if (FColorSelectionStyle != csList || !FItemSelector) return;
  if (key == VK_RETURN) {
    if (!handled && OnSelect) OnSelect(this);
    return;
  }
  TSelectorKeyTarget target;
  target.Selector = FItemSelector;
  target.Count = FColors->Count();
  target.Columns = FColumns;
  target.DroppedDown = DroppedDown();
  target.EditorEnabled = EditorEnabled();
  target.InternalCall = &FInternalCall;
  target.Sync = [this] { SyncItemSelector(); };
  target.Own = [this](TListStep S) { Step(S); };
  target.Search = &FSearch;
  HandleSelectorKey(key, GetKeyState(VK_CONTROL) < 0, target);
}
