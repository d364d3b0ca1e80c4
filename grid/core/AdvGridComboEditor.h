#pragma once
// The grid's combo editor and what the grid's editor controls share: the grid that owns them
// (checked at construction), the keys they claim from the form, the leave check that validates
// the typed value before a key takes them out of the cell.
#include "grid/core/AdvGridEditorKeys.h"
#include "grid/core/AsgCombo.h"

class TAdvStringGrid;

// The combo editor of edComboEdit (csDropDown) and edComboList (csDropDownList) cells. Its item
// list is filled anew for each cell; it fires the grid's combo events for what the user does.
class TGridCombo : public TAsgComboBox {
 public:
  explicit TGridCombo(TComponent* AOwner);
  String ClassName() const override { return u"TGridCombo"; }
  void WndProc(TMessage& Message) override;

  // Typing completion over the items, then over the grid's LookupItems.
  void DoChange();
  // Widens the dropped list to its longest item (measured with the grid's font).
  void SizeDropDownWidth();
  // The text the commit stores: the combo's text, or the cell's own text after Escape when a list
  // combo could not hold it (it is not an item).
  String CommitText() const;
  // Forgets an Escape (the editor opens anew).
  void ResetCancel() { FCancelled = false; }
  // The platform's edit-change notification (OnEditChange of the grid).
  void Change() override;

  bool WorkMode = true;  // completion armed; Backspace and Delete disarm it
  TNotifyEvent OnReturnKey;
  TAdvStringGrid* Grid() const { return FGrid; }

 protected:
  void DoExit() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void KeyUp(Word& Key, TShiftState Shift) override;

 private:
  // The focus goes back to the grid with Navigation.AlwaysEdit held off.
  void FocusGrid();
  // Puts the accepted cell text back into the combo: the item of that text (none when it is not
  // one) for the list style, the text itself for the edit style.
  void TakeCellText();
  // Fires OnComboChange and OnComboObjectChange for the selected item (an empty text and no
  // object when none), with the real column.
  void FireComboChange(const String& Selection);
  void MouseWheelStep(int Delta);
  void CursorWalk(Word& Key);
  bool CompleteFrom(TStrings* List, const String& Prefix, bool SelectItem);

  TAdvStringGrid* FGrid = nullptr;
  bool FCancelled = false;
  String FCancelText;
};
