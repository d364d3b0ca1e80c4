#pragma once
// The grid's drop-down editors: thin wrappers that make the drop-down edits of the drop-down pack
// cell editors. Each hands Enter, Esc, Tab and the navigation keys back to its grid, checks the
// value before a key takes it out of the cell, and fires the grid's change and key events. This
// header meets the grid's own only through the seam (AdvGridDropDownSeam.h).
#include "grid/core/AdvGridDropDownEditor.h"
#include "grid/dropdown/AdvCalculatorDropdown.h"
#include "grid/dropdown/AdvColorPickerDropDown.h"
#include "grid/dropdown/AdvDetailDropDown.h"
#include "grid/dropdown/AdvImagePickerDropDown.h"
#include "grid/dropdown/AdvMemoDropDown.h"
#include "grid/dropdown/AdvTimePickerDropDown.h"
#include "grid/dropdown/AdvTrackBarDropDown.h"

// The editor of edTrackbarDropDown: typing into its edit is on.
class TGridTrackbarDropDown : public TGridDropDownEditor<TAdvTrackBarDropDown> {
 public:
  explicit TGridTrackbarDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
  String ClassName() const override { return u"TGridTrackbarDropDown"; }

 protected:
  bool ClaimsEnterAndEscape() const override { return true; }
  bool CaretToClick() const override { return true; }
  // Through the track bar's own setter, which formats the number.
  void PutBackText(const String& Text) override { SetText(Text); }
};

// The editor of edMemoDropDown: its value is the memo's lines.
class TGridMemoDropDown : public TGridDropDownEditor<TAdvMemoDropDown> {
 public:
  explicit TGridMemoDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
  String ClassName() const override { return u"TGridMemoDropDown"; }
  // The lines joined by line breaks, with none after the last: a cell opened and closed keeps its
  // text.
  String EditorText() const override;

 protected:
  bool CaretToClick() const override { return true; }
  // Every change reaches the cell at once, so the cell holds the typed text by now: Esc takes
  // the text the cell had when the editor opened.
  String EscapeText() const override { return DropDownGridCellCache(Grid()); }
};

// The editor of edCalculatorDropDown: Enter completes the pending operation first.
class TGridCalculatorDropDown : public TGridDropDownEditor<TAdvCalculatorDropdown> {
 public:
  explicit TGridCalculatorDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
  String ClassName() const override { return u"TGridCalculatorDropDown"; }

 protected:
  bool CaretToClick() const override { return true; }
  void BeforeLeaveCheck(Word Key) override {
    if (Key == VK_RETURN) CalcResult();
  }
};

// The editor of edTimePickerDropDown.
class TGridTimepickerDropDown : public TGridDropDownEditor<TAdvTimePickerDropDown> {
 public:
  explicit TGridTimepickerDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) { SetFocusDraw(false); }
  String ClassName() const override { return u"TGridTimepickerDropDown"; }
};

// The editor of edDetailDropDown.
class TGridDetailPickerDropDown : public TGridDropDownEditor<TAdvDetailDropDown> {
 public:
  explicit TGridDetailPickerDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
  String ClassName() const override { return u"TGridDetailPickerDropDown"; }
};

// The editor of edColorPickerDropDown: while its popup is open, every key but Tab, Enter and Esc
// goes to the colour chooser; only Enter checks the value before leaving.
class TGridColorDropDown : public TGridDropDownEditor<TAdvColorPickerDropDown> {
 public:
  explicit TGridColorDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
  String ClassName() const override { return u"TGridColorDropDown"; }
  String EditorText() const override { return SelectedColorText(); }

 protected:
  bool IsSpecialKey(Word Key, TShiftState Shift) const override;
  bool ClaimsEnterAndEscape() const override { return true; }
  bool ChecksLeaving(Word Key) const override { return Key == VK_RETURN; }
};

// The editor of edImagePickerDropDown: its value is an image index.
class TGridImageDropDown : public TGridDropDownEditor<TAdvImagePickerDropDown> {
 public:
  explicit TGridImageDropDown(TComponent* AOwner) : TGridDropDownEditor(AOwner) {}
  String ClassName() const override { return u"TGridImageDropDown"; }
  // The index as text for a data-image cell; any other cell keeps its text (the caption the
  // edit shows is no cell value).
  String EditorText() const override;
};
