#pragma once
// The search footer's panel with its edit, buttons and check box, and the two lists of the
// filter drop-down.
#include <functional>

#include "grid/foundation/AdvObjCheckBox.h"
#include "grid/foundation/AdvObjGridButton.h"
#include "platform/CheckLst.h"
#include "platform/ExtCtrls.h"
#include "platform/StdCtrls.h"

class TAdvStringGrid;

// Reports the item a list hands over (-1 for a check toggle).
using TDropListSelectEvent = std::function<void(TObject* Sender, int ItemIndex)>;

// The plain filter list: Enter or a mouse release hides it and reports the selected item.
class TDropList : public TListBox {
 public:
  explicit TDropList(TComponent* AOwner) : TListBox(AOwner) {}
  String ClassName() const override { return u"TDropList"; }
  void WndProc(TMessage& Message) override;
  TDropListSelectEvent OnSelect;
  // The list closed by the cancel-mode notification (the mouse outside it).
  TNotifyEvent OnCancel;

 protected:
  void KeyPress(Char& Key) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

 private:
  void Choose();
};

// The check list of several values: every toggle is reported; it stays open.
class TDropCheckList : public TCheckListBox {
 public:
  explicit TDropCheckList(TComponent* AOwner);
  String ClassName() const override { return u"TDropCheckList"; }
  void WndProc(TMessage& Message) override;
  TDropListSelectEvent OnSelect;
  TNotifyEvent OnCancel;
};

// An edit that reports Enter and Ctrl+Enter instead of taking them as text.
class TRetEdit : public TEdit {
 public:
  explicit TRetEdit(TComponent* AOwner) : TEdit(AOwner) {}
  String ClassName() const override { return u"TRetEdit"; }
  TNotifyEvent OnReturn;
  TNotifyEvent OnCtrlReturn;

 protected:
  void KeyPress(Char& Key) override;
  unsigned DialogCode() const override { return TEdit::DialogCode() | DLGC_WANTALLKEYS; }
};

class TSearchPanel : public TPanel {
 public:
  // Panel height while the footer is shown.
  static constexpr int kPanelHeight = 32;
  // The grid is the owner (when it is one).
  explicit TSearchPanel(TComponent* AOwner);
  String ClassName() const override { return u"TSearchPanel"; }
  TAdvStringGrid* Grid() const { return FGrid; }

  TRetEdit* EditControl() const { return FEditControl; }
  TAdvGridButton* ForwardButton() const { return FForwardButton; }
  TAdvGridButton* BackwardButton() const { return FBackwardButton; }
  TAdvGridButton* ExitButton() const { return FExitButton; }
  TAdvGridButton* HiliteButton() const { return FHiliteButton; }
  TAdvCheckBox* MatchCase() const { return FMatchCase; }

  TColor ColorTo() const { return FColorTo; }
  void SetColorTo(TColor v);
  // Places the controls at their fixed offsets, mirrored in right-to-left reading.
  void PlaceControls();
  // Hints shown only when not empty.
  void ApplyTexts();

  String FindNextCaption, FindPrevCaption, MatchCaseCaption, HighLightCaption;
  String HintClose, HintFindNext, HintFindPrev, HintHighlight;
  TNotifyEvent OnForwardClick;
  TNotifyEvent OnBackwardClick;
  TNotifyEvent OnEditChange;
  TNotifyEvent OnExitClick;
  TNotifyEvent OnHighlightClick;

 protected:
  void Paint() override;
  void Resize() override;

 private:
  void EditChanged();
  TAdvStringGrid* FGrid;
  TRetEdit* FEditControl;
  TAdvGridButton* FForwardButton;
  TAdvGridButton* FBackwardButton;
  TAdvGridButton* FExitButton;
  TAdvGridButton* FHiliteButton;
  TAdvCheckBox* FMatchCase;
  TColor FColorTo = clNone;
};
