#include "platform/CheckLst.h"

#include <algorithm>

#include "platform/Graphics.h"
#include "platform/Messages.h"

TCheckListBox::TCheckListBox(TComponent* AOwner) : TListBox(AOwner) {
  // The flags follow the items: a cleared or shortened list loses the checks of removed lines.
  Items()->OnChange = [this](TObject*) {
    SyncChecks();
    ItemsChanged();
  };
}

void TCheckListBox::SyncChecks() const { FChecked.resize(static_cast<size_t>(Items()->Count()), false); }

bool TCheckListBox::Checked(int Index) const {
  SyncChecks();
  return Index >= 0 && Index < static_cast<int>(FChecked.size()) && FChecked[static_cast<size_t>(Index)];
}

void TCheckListBox::SetChecked(int Index, bool Value) {
  SyncChecks();
  if (Index < 0 || Index >= static_cast<int>(FChecked.size())) return;
  FChecked[static_cast<size_t>(Index)] = Value;
  Invalidate();
}

void TCheckListBox::Toggle(int Index) {
  if (Index < 0 || Index >= Count()) return;
  SetChecked(Index, !Checked(Index));
  ClickCheck();
}

void TCheckListBox::ClickCheck() {
  if (OnClickCheck) OnClickCheck(this);
}

void TCheckListBox::DefaultChar(Char Key) {
  if (Key == u' ') Toggle(ItemIndex());
}

void TCheckListBox::WndProc(TMessage& Message) {
  if (Message.Msg == WM_LBUTTONDOWN) {
    const int x = LParamX(Message.LParam);
    const int i = ItemAtPos(Point(x, LParamY(Message.LParam)), true);
    TListBox::WndProc(Message);
    if (i >= 0 && x >= 2 && x < 2 + kBoxWidth) Toggle(i);
    return;
  }
  TListBox::WndProc(Message);
}

void TCheckListBox::PaintItemPrefix(TCanvas* Canvas, int Index, TRect& ItemRect) {
  const int box = std::min(ItemRect.Bottom - ItemRect.Top, 13);
  const int top = ItemRect.Top + (ItemRect.Bottom - ItemRect.Top - box) / 2;
  TRect br = Rect(ItemRect.Left + 1, top, ItemRect.Left + 1 + box, top + box);
  Canvas->Brush()->SetStyle(bsSolid);
  Canvas->Brush()->SetColor(Color());
  Canvas->FillRect(Rect(ItemRect.Left, ItemRect.Top, ItemRect.Left + kBoxWidth, ItemRect.Bottom));
  DrawFrameControl(Canvas, br, DFC_BUTTON, DFCS_BUTTONCHECK | (Checked(Index) ? DFCS_CHECKED : 0u));
  ItemRect.Left += kBoxWidth;
}
