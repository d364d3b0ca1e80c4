#pragma once
// What every drop-down cell editor shares over its drop-down edit: the keys it hands back to its
// grid, the leave check and the grid events it fires. Its operations are in
// AdvGridDropDownEditorImpl.h, for the files that make wrappers of it; it meets the grid only
// through the seam (AdvGridDropDownSeam.h).
#include "grid/core/AdvGridDropDownSeam.h"

// What every drop-down wrapper shares, over the drop-down edit TBase. The virtual hooks below are
// where one wrapper differs.
template <class TBase>
class TGridDropDownEditor : public TBase {
 public:
  explicit TGridDropDownEditor(TComponent* AOwner);
  void WndProc(TMessage& Message) override;
  TAdvStringGrid* Grid() const { return FGrid; }
  // The value the leave check validates and the commit stores.
  virtual String EditorText() const { return this->GetText(); }

 protected:
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyPress(Char& Key) override;
  void DoExit() override;
  void Change() override;

  // Whether Key ends the edit or goes to the drop-down.
  virtual bool IsSpecialKey(Word Key, TShiftState Shift) const;
  virtual bool ClaimsEnterAndEscape() const { return false; }
  // Whether a click that opened the editor puts the caret under the mouse.
  virtual bool CaretToClick() const { return false; }
  virtual bool ChecksLeaving(Word Key) const {
    (void)Key;
    return true;
  }
  virtual void BeforeLeaveCheck(Word Key) { (void)Key; }
  // The cell text put back by Esc, or the text a refused check left.
  virtual void PutBackText(const String& Text) { this->SetTextDirect(Text); }
  // The text Esc puts back.
  virtual String EscapeText() const { return DropDownGridCurrentCell(FGrid); }

 private:
  void CaretToMouse();
  TAdvStringGrid* FGrid = nullptr;
};
