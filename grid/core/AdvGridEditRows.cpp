// The special-editor table: one row per editor kind that a control of the grid serves. A row's
// Open places, fills, shows and focuses the control (TAdvStringGrid::OpenSpecialEditor has set
// the flags and measured the cell) and answers the control and the window that takes a typed
// start character; its Commit writes the value back through StoreEditText and hides and
// disables the control (CommitSpecialEditor reports the end of the edit). A kind with no row
// opens nothing and writes nothing: the inplace text kinds, edDataCheckBox and edNone, and the
// kinds whose control is not built yet.
#include "grid/core/AdvGrid.h"

namespace {

using TRow = TAdvStringGrid::TSpecialEditorRow;

// By TEditorType value; the comment on each row names its kind.
const TRow kSpecialEditorRows[] = {
    // edNormal
    {},
    // edSpinEdit
    {&TAdvStringGrid::OpenSpinRow, &TAdvStringGrid::CommitSpinRow},
    // edComboEdit
    {&TAdvStringGrid::OpenComboEditRow, &TAdvStringGrid::CommitComboRow},
    // edComboList
    {&TAdvStringGrid::OpenComboListRow, &TAdvStringGrid::CommitComboRow},
    // edEditBtn
    {&TAdvStringGrid::OpenEditBtnRow, &TAdvStringGrid::CommitEditBtnRow},
    // edCheckBox
    {&TAdvStringGrid::OpenCheckBoxRow, &TAdvStringGrid::CommitHideOnlyRow},
    // edDateEdit
    {&TAdvStringGrid::OpenDateRow, &TAdvStringGrid::CommitDateRow},
    // edDateEditUpDown
    {&TAdvStringGrid::OpenDateRow, &TAdvStringGrid::CommitDateRow},
    // edTimeEdit
    {&TAdvStringGrid::OpenTimeRow, &TAdvStringGrid::CommitTimeRow},
    // edButton
    {&TAdvStringGrid::OpenButtonRow, &TAdvStringGrid::CommitHideOnlyRow},
    // edDataCheckBox
    {},
    // edNumeric
    {},
    // edPositiveNumeric
    {},
    // edFloat
    {},
    // edCapital
    {},
    // edMixedCase
    {},
    // edPassword
    {},
    // edUnitEditBtn
    {&TAdvStringGrid::OpenUnitEditRow, &TAdvStringGrid::CommitUnitEditRow},
    // edLowerCase
    {},
    // edUpperCase
    {},
    // edFloatSpinEdit
    {&TAdvStringGrid::OpenSpinRow, &TAdvStringGrid::CommitSpinRow},
    // edTimeSpinEdit
    {&TAdvStringGrid::OpenSpinRow, &TAdvStringGrid::CommitSpinRow},
    // edDateSpinEdit
    {&TAdvStringGrid::OpenSpinRow, &TAdvStringGrid::CommitSpinRow},
    // edNumericEditBtn
    {&TAdvStringGrid::OpenEditBtnRow, &TAdvStringGrid::CommitEditBtnRow},
    // edFloatEditBtn
    {&TAdvStringGrid::OpenEditBtnRow, &TAdvStringGrid::CommitEditBtnRow},
    // edCustom
    {&TAdvStringGrid::OpenCustomRow, &TAdvStringGrid::CommitCustomRow},
    // edRichEdit
    {&TAdvStringGrid::OpenRichEditRow, &TAdvStringGrid::CommitRichEditRow},
    // edNone
    {},
    // edDateTimeEdit
    {&TAdvStringGrid::OpenDateTimeRow, &TAdvStringGrid::CommitDateTimeRow},
    // edValidChars
    {},
    // edTrackbarDropDown
    {&TAdvStringGrid::OpenDropDownRow, &TAdvStringGrid::CommitDropDownRow},
    // edMemoDropDown
    {&TAdvStringGrid::OpenDropDownRow, &TAdvStringGrid::CommitDropDownRow},
    // edCalculatorDropDown
    {&TAdvStringGrid::OpenDropDownRow, &TAdvStringGrid::CommitDropDownRow},
    // edTimePickerDropDown
    {&TAdvStringGrid::OpenDropDownRow, &TAdvStringGrid::CommitDropDownRow},
    // edDetailDropDown
    {&TAdvStringGrid::OpenDropDownRow, &TAdvStringGrid::CommitDropDownRow},
    // edGridDropDown
    {&TAdvStringGrid::OpenDropDownRow, &TAdvStringGrid::CommitDropDownRow},
    // edColorPickerDropDown
    {&TAdvStringGrid::OpenDropDownRow, &TAdvStringGrid::CommitColorPickerRow},
    // edImagePickerDropDown
    {&TAdvStringGrid::OpenDropDownRow, &TAdvStringGrid::CommitImagePickerRow},
    // edAdvGridDropDown
    {&TAdvStringGrid::OpenDropDownRow, &TAdvStringGrid::CommitDropDownRow},
    // edPositiveFloat
    {},
    // edNumericUnitEditBtn
    {&TAdvStringGrid::OpenUnitEditRow, &TAdvStringGrid::CommitUnitEditRow},
    // edFloatUnitEditBtn
    {&TAdvStringGrid::OpenUnitEditRow, &TAdvStringGrid::CommitUnitEditRow},
    // edMaskEditBtn
    {&TAdvStringGrid::OpenEditBtnRow, &TAdvStringGrid::CommitEditBtnRow},
};
static_assert(sizeof(kSpecialEditorRows) / sizeof(kSpecialEditorRows[0]) == edMaskEditBtn + 1,
              "one row per editor kind");

}  // namespace

const TAdvStringGrid::TSpecialEditorRow& TAdvStringGrid::SpecialEditorRow(TEditorType Kind) {
  static const TRow kNone{};
  const auto i = static_cast<size_t>(Kind);
  return i < sizeof(kSpecialEditorRows) / sizeof(kSpecialEditorRows[0]) ? kSpecialEditorRows[i] : kNone;
}
