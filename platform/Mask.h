#pragma once
// Edit masks in the class library's syntax and the edit that types through one (the grid's
// inplace editor is one).
#include <vector>

#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"

// Raised when a masked edit is left with a required position still blank.
class EDBEditError : public Exception { public: using Exception::Exception; };

// One position of a parsed edit mask: a literal, or a slot the user fills.
struct TMaskPosition {
  enum Kind { Literal, Digit, DigitOrSign, Letter, AlphaNum, AnyChar };
  Kind kind = Literal;
  Char literal = 0;         // the literal shown (Literal only)
  bool required = false;    // slot must be filled before leaving
  int caseMode = 0;         // 0 as typed, 1 upper, 2 lower
};

// An edit mask in the class library's syntax: "mask;saveLiterals;blank".
struct TEditMaskInfo {
  std::vector<TMaskPosition> positions;
  bool saveLiterals = true;  // second field "0": literals left out of Text
  Char blank = u'_';         // third field: the character shown for an empty slot
  bool dropLeadingBlanks = false;  // "!" in the mask
  static TEditMaskInfo Parse(const String& mask);
  // Whether Key may fill position i (a slot), after case conversion.
  bool Accepts(size_t i, Char key) const;
  Char Convert(size_t i, Char key) const;
  // Lays a value into the mask: the edit text (with literals and blanks).
  String Format(const String& value) const;
  // The text reported by Text(): literals as saveLiterals says; empty slots as spaces.
  String Strip(const String& editText) const;
  // 0-based index of the first required slot left blank, or -1.
  int FirstMissing(const String& editText) const;
  bool IsSlot(size_t i) const { return i < positions.size() && positions[i].kind != TMaskPosition::Literal; }
};

// An edit with an edit mask. With a mask the edit text holds every position of it (literals and
// blanks); typing fills slots only, skips over literals and refuses characters that do not fit.
class TCustomMaskEdit : public TCustomEdit {
 public:
  explicit TCustomMaskEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
  String ClassName() const override { return u"TCustomMaskEdit"; }
  const String& EditMask() const { return editMask_; }
  void SetEditMask(const String& m);
  bool IsMasked() const { return !editMask_.empty(); }
  String GetText() const override;
  void SetText(const String& s) override;
  // The text with literals and blank characters, as shown.
  String EditText() const { return text_; }
  // Raises EDBEditError when a required position is blank (and selects it).
  virtual void ValidateEdit();

 protected:
  void DefaultChar(Char Key) override;
  void DefaultKeyDown(Word Key, TShiftState Shift) override;
  void DoExit() override;
  // Clears the slots in [from, to) to blanks.
  String ClearSlots(const String& t, int from, int to) const;
  int NextSlot(int pos) const;  // first slot at or after pos; size when none

  String editMask_;
  TEditMaskInfo maskInfo_;
};
