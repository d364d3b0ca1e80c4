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
    {},
    // edComboEdit
    {},
    // edComboList
    {},
    // edEditBtn
    {},
    // edCheckBox
    {},
    // edDateEdit
    {},
    // edDateEditUpDown
    {},
    // edTimeEdit
    {},
    // edButton
    {},
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
    {},
    // edLowerCase
    {},
    // edUpperCase
    {},
    // edFloatSpinEdit
    {},
    // edTimeSpinEdit
    {},
    // edDateSpinEdit
    {},
    // edNumericEditBtn
    {},
    // edFloatEditBtn
    {},
    // edCustom
    {},
    // edRichEdit
    {},
    // edNone
    {},
    // edDateTimeEdit
    {},
    // edValidChars
    {},
    // edTrackbarDropDown
    {},
    // edMemoDropDown
    {},
    // edCalculatorDropDown
    {},
    // edTimePickerDropDown
    {},
    // edDetailDropDown
    {},
    // edGridDropDown
    {},
    // edColorPickerDropDown
    {},
    // edImagePickerDropDown
    {},
    // edAdvGridDropDown
    {},
    // edPositiveFloat
    {},
    // edNumericUnitEditBtn
    {},
    // edFloatUnitEditBtn
    {},
    // edMaskEditBtn
    {},
};
static_assert(sizeof(kSpecialEditorRows) / sizeof(kSpecialEditorRows[0]) == edMaskEditBtn + 1,
              "one row per editor kind");

}  // namespace

const TAdvStringGrid::TSpecialEditorRow& TAdvStringGrid::SpecialEditorRow(TEditorType Kind) {
  static const TRow kNone{};
  const auto i = static_cast<size_t>(Kind);
  return i < sizeof(kSpecialEditorRows) / sizeof(kSpecialEditorRows[0]) ? kSpecialEditorRows[i] : kNone;
}
