// Custom editor links (edCustom): the link's base behaviour, its key filter, the popup form the
// popup links open in, and the link's row of the special-editor table.
#include "grid/core/AdvEditLink.h"

#include "grid/core/AdvGrid.h"
#include "grid/core/AdvInplaceEdit.h"

namespace {

TForm* g_linkPopupForm = nullptr;

// Forgets itself when freed, so that the next popup link makes a new one.
class TEditLinkPopupForm : public TForm {
 public:
  using TForm::TForm;
  ~TEditLinkPopupForm() override {
    if (g_linkPopupForm == this) g_linkPopupForm = nullptr;
  }
};

}  // namespace

TForm* EditLinkPopupForm() {
  if (!g_linkPopupForm) {
    // An orphan of that name (left by a popup that lost its pointer) goes first.
    if (Application)
      if (TComponent* stale = Application->FindComponent(u"gridform")) delete stale;
    g_linkPopupForm = New<TEditLinkPopupForm>(Application);
    g_linkPopupForm->SetName(u"gridform");
    g_linkPopupForm->SetBorderStyle(bsNone);
  }
  return g_linkPopupForm;
}

TEditLink::TEditLink(TComponent* AOwner) : TComponent(AOwner) {}

TEditLink::~TEditLink() = default;

void TEditLink::SetFocus(bool Value) {
  TWinControl* c = GetEditControl();
  if (Value && c) {
    if (!c->Visible()) c->SetVisible(true);
    if (!c->Enabled()) c->SetEnabled(true);
  }
  if (FEditStyle == esInplace && !FSubClassed && c && FOwner) {
    FSavedWndProc = c->WindowProc();
    FOwner->HookEditLinkControl(c);
    FSubClassed = true;
  }
  if (Value) {
    if (c && c->CanFocus()) c->SetFocus();
  } else if (FOwner && FOwner->CanFocus()) {
    FOwner->SetFocus();
  }
}

void TEditLink::SetRect(TRect R) {
  TWinControl* c = GetEditControl();
  if (!c || !FOwner) return;
  const int line = FOwner->GridLineWidth();
  c->SetBounds(R.Left, R.Top, R.Right - R.Left - line, R.Bottom - R.Top - line);
}

void TEditLink::SetVisible(bool Value) {
  if (TWinControl* c = GetEditControl()) c->SetVisible(Value);
}

String TEditLink::GetCellValue() { return FOwner->GetCellEx(FOwner->RealColIndex(FOwner->Col()), FOwner->Row()); }

void TEditLink::SetCellValue(const String& s) {
  FOwner->StoreEditText(FOwner->RealColIndex(FOwner->Col()), FOwner->Row(), s);
}

TWinControl* TEditLink::GetParent() {
  if (FEditStyle == esPopup) return FPopupForm;
  return FOwner;
}

void TEditLink::RestoreWinProc() {
  TWinControl* c = GetEditControl();
  if (FEditStyle != esInplace || !c) return;
  if (FSubClassed) {
    c->SetWindowProc(FSavedWndProc);
    FSavedWndProc = nullptr;
    if (FOwner && FOwner->FHookedLinkControl == c) FOwner->FHookedLinkControl = nullptr;
    FSubClassed = false;
  }
  c->SetVisible(false);
}

void TEditLink::HideEditor() {
  SetCellValue(GetEditorValue());
  FOwner->HideInplaceEdit();
  RestoreWinProc();
}

void TEditLink::EditExit(TObject* Sender) {
  (void)Sender;
  HideEditor();
  if (FEditStyle == esPopup && FPopupForm) {
    DestroyEditor();
    FPopupForm->Hide();
  }
}

void TEditLink::FormExit(TObject* Sender) {
  if (TAdvInplaceEdit* e = FOwner->NormalEdit()) e->SetText(GetEditorValue());
  if (FForcedExit) {
    SetCellValue(GetEditorValue());
    return;
  }
  EditExit(Sender);
  FOwner->SetInvokedFocusChange(true);
}

void TEditLink::FocusGridForced() {
  FForcedExit = true;
  try {
    if (FOwner->CanFocus()) FOwner->SetFocus();
  } catch (...) {
    FForcedExit = false;
    throw;
  }
  FForcedExit = false;
}

void TEditLink::EditKeyDown(TObject* Sender, Word& Key, TShiftState Shift) {
  (void)Sender;
  TAdvStringGrid* g = FOwner;
  if (!g) return;
  const Word k = Key;
  const bool alt = Shift.Contains(ssAlt);
  bool ends = alt;
  if (!alt) {
    switch (k) {
      case VK_UP:
      case VK_DOWN: ends = !FWantKeyUpDown; break;
      case VK_LEFT:
      case VK_RIGHT: ends = !FWantKeyLeftRight; break;
      case VK_HOME:
      case VK_END: ends = !FWantKeyHomeEnd; break;
      case VK_PRIOR:
      case VK_NEXT: ends = !FWantKeyPriorNext; break;
      case VK_RETURN: ends = !FWantKeyReturn; break;
      case VK_ESCAPE: ends = !FWantKeyEscape; break;
      case VK_TAB: ends = !FWantTabs; break;
      default: break;
    }
  }
  if (!ends) return;

  auto postEditKeyUnlessControlCell = [g] {
    if (!g->IsControlCell(g->RealColIndex(g->Col()), g->Row())) PostMessage(g, WM_KEYDOWN, VK_F2, 0);
  };
  if (k == VK_TAB) {
    if (g->Navigation()->TabToNextAtEnd()) {
      FocusGridForced();
      g->CommitSpecialEditor(g->Col(), g->Row());
      const int oldCol = g->Col(), oldRow = g->Row();
      g->TabAdvance(Shift.Contains(ssShift));
      if (g->Col() != oldCol || g->Row() != oldRow) postEditKeyUnlessControlCell();
      Key = 0;
      return;
    }
    Key = 0;
  }
  if (k == VK_ESCAPE) SetEditorValue(g->FCellCache);
  FocusGridForced();
  g->CommitSpecialEditor(g->Col(), g->Row());
  if (FEditStyle == esPopup) {
    EditExit(this);
    // The popup's control may be gone with it: nothing of it handles the key any more.
    Key = 0;
  }
  // The edit still counts as open: the select-cell question validates what was stored.
  g->EditMode = false;
  g->SelectCell(g->Col(), g->Row());
  if (!g->LastValidation()) {
    g->EditControl = edCustom;
    g->OpenSpecialEditor(g->Col(), g->Row());
    return;
  }
  if (k == VK_RETURN) {
    g->AdvanceToNextCell(g->Col(), g->Row(), true, false, !Shift.Contains(ssShift), true, false);
    Key = 0;
    return;
  }
  if (k == VK_ESCAPE) Key = 0;
  if (k == VK_TAB || k == VK_LEFT || k == VK_RIGHT || k == VK_UP || k == VK_DOWN) {
    Word gk = k;
    g->KeyDown(gk, Shift);
    Key = 0;
  }
  if (TWinControl* c = GetEditControl()) c->SetEnabled(false);
  FocusGridForced();
  if (k == VK_TAB && g->Options().Contains(goTabs)) postEditKeyUnlessControlCell();
}

// =============================================================================================
// The grid's side

TSpecialEditorOpened TAdvStringGrid::OpenCustomRow(const TSpecialEditorCell& Cell) {
  TEditLink* link = FEditLink;
  if (!link) return {};
  link->FOwner = this;
  // The grid forgets a link that is freed before it.
  link->FreeNotification(this);
  link->FEditCell = Point(Cell.RCol, Cell.DRow);
  TWinControl* parent = this;
  TForm* popup = nullptr;
  if (link->EditStyle() == esPopup) {
    popup = EditLinkPopupForm();
    link->FPopupForm = popup;
    if (link->AutoPopupWidth()) link->SetPopupWidth(Cell.R.Right - Cell.R.Left);
    popup->SetClientWidth(link->PopupWidth());
    popup->SetClientHeight(link->PopupHeight());
    const TPoint at = link->PopupLeft() == -1 || link->PopupTop() == -1
                          ? ClientToScreen(Point(Cell.R.Left, Cell.R.Top))
                          : Point(link->PopupLeft(), link->PopupTop());
    popup->SetLeft(at.X);
    popup->SetTop(at.Y);
    popup->OnDeactivate = [link](TObject* Sender) { link->FormExit(Sender); };
    parent = popup;
  }
  link->CreateEditor(parent);
  link->SetRect(popup ? Rect(0, 0, link->PopupWidth(), link->PopupHeight()) : Cell.R);
  if (popup) popup->Show();
  link->SetVisible(true);
  link->SetCellProps(Cell.Color, Cell.Font);
  link->SetProperties();
  DoGetEditorProp(Cell.RCol, Cell.DRow, link);
  link->SetEditorValue(GetEditText(Cell.DCol, Cell.DRow));
  link->SetFocus(true);
  FEditActive = true;
  TWinControl* control = link->GetEditControl();
  return {control, control};
}

void TAdvStringGrid::CommitCustomRow(int RCol, int DRow) {
  if (FControlLook->DropDownAlwaysVisible()) DoGetEditorType(RCol, DRow, EditControl);
  TEditLink* link = FEditLink;
  if (!link) return;
  StoreEditText(RCol, DRow, link->GetEditorValue());
  EditMode = false;
  if (link->EditStyle() != esPopup) link->SetVisible(false);
  link->RestoreWinProc();
}
