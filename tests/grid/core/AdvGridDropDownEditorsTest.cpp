// The drop-down editors over grid cells: what each opens with and commits, the keys that end the
// edit, the leave check, the colour and image pickers' cell values, style and tones. The grid
// and the drop-down pack meet only through their seam, which is all these tests see of an editor.
#include <gtest/gtest.h>

#include "AdvGridEditorsTestSupport.h"
#include "grid/core/AdvGridDropDownSeam.h"
#include "grid/dropdown/AdvDropDownHost.h"

// Named: the tests of one folder are compiled in batches, beside other files' constants.
namespace dropdown_editors_test {

using editors_test::EditorForm;
using editors_test::Utf8;

constexpr int kCol = 2;
constexpr int kRow = 2;

TGridDropDownKind KindOf(TEditorType Kind) {
  return static_cast<TGridDropDownKind>(static_cast<int>(Kind) - static_cast<int>(edTrackbarDropDown));
}

struct DropDownForm : EditorForm {
  TWinControl* editor() { return grid->EditCtrl(); }
  bool open() { return grid->InEditMode() && editor() && editor()->Visible(); }
  TGridDropDownValue value(TEditorType Kind) { return GridDropDownValue(editor(), KindOf(Kind)); }
  TForm* popup() { return editor() ? GridDropDownPopup(editor()) : nullptr; }
  void PopupKey(Word vk, TShiftState shift = {}) { driver.Key(popup(), vk, shift); }
};

TEST(AdvGridDropDownEditor, EachKindTakesItsPropertiesBeforeItsValueAndCommitsItsText) {
  struct Case {
    TEditorType kind;
    const char16_t* first;   // the text of the cell opened first
    const char16_t* second;  // the text of the cell opened next
    const char16_t* shown;   // what the editor holds for it
  };
  const Case cases[] = {
      {edTrackbarDropDown, u"3", u"7", u"7"},
      {edMemoDropDown, u"one", u"first line\r\nsecond line", u"first line\r\nsecond line"},
      {edCalculatorDropDown, u"1.50", u"2.25", u"2.25"},
      {edTimePickerDropDown, u"08:15:00", u"12:30:45", u"12:30:45"},
      {edDetailDropDown, u"alpha", u"beta", u"beta"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    DropDownForm f;
    f.Edit(kCol, 1, c.kind, c.first);
    ASSERT_TRUE(f.open());
    TWinControl* editor = f.editor();
    f.grid->HideInplaceEdit();
    std::string atProp;
    f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
      atProp = Utf8(GridDropDownValue(editor, KindOf(c.kind)).Text);
    };
    f.Edit(kCol, kRow, c.kind, c.second);
    ASSERT_TRUE(f.open());
    EXPECT_EQ(atProp, Utf8(c.first));  // the handler saw the editor before it took the cell
    EXPECT_EQ(f.value(c.kind).Text, c.shown);
    f.grid->HideInplaceEdit();
    EXPECT_FALSE(f.editor()->Visible());
    EXPECT_FALSE(f.grid->InEditMode());
    EXPECT_EQ(f.grid->GetCellEx(kCol, kRow), c.shown);
    EXPECT_TRUE(f.Has("done"));
  }
}

TEST(AdvGridDropDownEditor, CalculatorShowingTwoPlusThreeCommitsFive) {
  DropDownForm f;
  f.Edit(kCol, kRow, edCalculatorDropDown, u"2");
  f.Type(u"+3");
  EXPECT_EQ(f.value(edCalculatorDropDown).Text, u"3.00");
  f.Key(VK_RETURN);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "5.00");
  EXPECT_DOUBLE_EQ(f.grid->Floats(kCol, kRow), 5.0);
}

TEST(AdvGridDropDownEditor, PendingOperationOfAnotherCellIsDropped) {
  DropDownForm f;
  f.Edit(kCol, 1, edCalculatorDropDown, u"4");
  f.Type(u"*");
  f.Key(VK_ESCAPE);
  EXPECT_EQ(f.Cell(kCol, 1), "4");
  f.Edit(kCol, kRow, edCalculatorDropDown, u"3");
  f.Key(VK_RETURN);
  EXPECT_DOUBLE_EQ(f.grid->Floats(kCol, kRow), 3.0);
}

TEST(AdvGridDropDownEditor, TypedStartCharacterIsTheFirstKeystroke) {
  DropDownForm f;
  f.TypeToEdit(kCol, kRow, edCalculatorDropDown, u"2", u'7');
  ASSERT_TRUE(f.open());
  EXPECT_EQ(f.value(edCalculatorDropDown).Text, u"7.00");
}

TEST(AdvGridDropDownEditor, EscapePutsTheCellBackAndLeaves) {
  DropDownForm f;
  f.Edit(kCol, kRow, edTrackbarDropDown, u"4");
  f.Type(u"9");
  EXPECT_EQ(f.value(edTrackbarDropDown).Text, u"9");
  f.Key(VK_ESCAPE);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "4");
  EXPECT_TRUE(f.Has("done"));
  EXPECT_TRUE(f.grid->Focused());
}

TEST(AdvGridDropDownEditor, RefusedValueStaysInTheEditorAsValidationLeftIt) {
  DropDownForm f;
  int checks = 0;
  f.grid->OnCellValidate = [&](TObject*, int, int, String& v, bool& valid) {
    ++checks;
    if (v == u"9") {
      v = u"8";
      valid = false;
    }
  };
  f.Edit(kCol, kRow, edTrackbarDropDown, u"4");
  f.Type(u"9");
  f.Key(VK_RETURN);
  EXPECT_EQ(checks, 1);
  EXPECT_TRUE(f.open());
  EXPECT_EQ(f.value(edTrackbarDropDown).Text, u"8");
  // The corrected text leaves with the next key.
  f.Key(VK_DOWN);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "8");
  EXPECT_EQ(f.grid->Row(), kRow + 1);
}

TEST(AdvGridDropDownEditor, TabWithGoTabsMovesToTheNextCell) {
  DropDownForm f;
  f.grid->SetOptions(f.grid->Options() | goTabs);
  f.Edit(kCol, kRow, edDetailDropDown, u"beta");
  f.Key(VK_TAB);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.grid->Col(), kCol + 1);
  EXPECT_EQ(f.Cell(kCol, kRow), "beta");
}

TEST(AdvGridDropDownEditor, MemoChangesReachTheCellAtOnce) {
  DropDownForm f;
  std::vector<std::string> changes;
  f.grid->OnEditChange = [&](TObject*, int c, int r, const String& v) {
    changes.push_back(std::to_string(c) + "," + std::to_string(r) + " " + Utf8(v));
  };
  f.Edit(kCol, kRow, edMemoDropDown, u"");
  f.Type(u"ab");
  EXPECT_EQ(f.Cell(kCol, kRow), "ab");
  ASSERT_FALSE(changes.empty());
  EXPECT_EQ(changes.back(), "2,2 ab");
  // Esc takes the cell back to its text from before the edit.
  f.Key(VK_ESCAPE);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.Cell(kCol, kRow), "");
}

TEST(AdvGridDropDownEditor, DirectComboDropOpensThePopup) {
  DropDownForm f;
  f.grid->MouseActions()->SetDirectComboDrop(true);
  f.Edit(kCol, kRow, edMemoDropDown, u"text");
  ASSERT_TRUE(f.open());
  ASSERT_NE(f.popup(), nullptr);
  EXPECT_TRUE(f.popup()->Visible());
  f.grid->HideInplaceEdit();
  EXPECT_EQ(GridDropDownPopup(f.editor()), nullptr);
  EXPECT_EQ(f.Cell(kCol, kRow), "text");
}

TEST(AdvGridDropDownEditor, EditorsTakeTheGridsStyleAndTones) {
  DropDownForm f;
  TColorTones tones;
  tones.Background.BrushColor = 0xF0F0F0;
  tones.Background.BorderColor = 0x123456;
  f.grid->SetColorTones(tones);
  f.grid->SetComponentStyle(tsOffice2010Silver);
  f.Edit(kCol, kRow, edTimePickerDropDown, u"10:00:00");
  ASSERT_TRUE(f.open());
  TWinControl* editor = f.editor();
  EXPECT_EQ(GridDropDownStyle(editor), tsOffice2010Silver);
  EXPECT_EQ(dynamic_cast<IDropDownEdit*>(editor)->BorderColor(), static_cast<TColor>(0x123456));
  f.grid->HideInplaceEdit();
  // An editor made already follows later changes.
  f.grid->SetComponentStyle(tsOffice2007Obsidian);
  EXPECT_EQ(GridDropDownStyle(editor), tsOffice2007Obsidian);
  tones.Background.BorderColor = 0x654321;
  f.grid->SetColorTones(tones);
  EXPECT_EQ(dynamic_cast<IDropDownEdit*>(editor)->BorderColor(), static_cast<TColor>(0x654321));
}

// ---- colour picker ------------------------------------------------------------------------------

constexpr TColor kRed = 0x0000FF, kLime = 0x00FF00, kSilver = 0xC0C0C0;

TEST(AdvGridColorDropDown, OpenPopupTakesUpAndDownAndEnterWritesTheShapeColour) {
  DropDownForm f;
  std::vector<std::string> selected;
  f.grid->OnColorSelect = [&](TObject*, int c, int r, TColor color, const String& text) {
    selected.push_back(std::to_string(c) + "," + std::to_string(r) + " " + std::to_string(color) + " " + Utf8(text));
  };
  f.grid->AddShape(kCol, kRow, csRectangle, kRed, clBlack, haLeft, vaTop);
  f.Edit(kCol, kRow, edColorPickerDropDown, u"");
  ASSERT_TRUE(f.open());
  EXPECT_EQ(f.value(edColorPickerDropDown).Color, kRed);
  f.Key(VK_DOWN, TShiftState{ssAlt});
  ASSERT_NE(f.popup(), nullptr);
  f.PopupKey(VK_DOWN);
  f.PopupKey(VK_DOWN);
  f.PopupKey(VK_UP);
  EXPECT_TRUE(f.open());
  EXPECT_NE(f.popup(), nullptr);
  EXPECT_EQ(f.grid->Row(), kRow);
  f.PopupKey(VK_RETURN);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.grid->GetShapeColor(kCol, kRow), kLime);  // the entry after Red
  EXPECT_EQ(f.Cell(kCol, kRow), "Lime");
  ASSERT_FALSE(selected.empty());
  EXPECT_EQ(selected.back(), "2,2 " + std::to_string(kLime) + " Lime");
}

TEST(AdvGridColorDropDown, ClosedUpLeavesTowardsThePreviousRowWithoutACheck) {
  DropDownForm f;
  int checks = 0;
  f.grid->OnCellValidate = [&](TObject*, int, int, String&, bool& valid) {
    ++checks;
    valid = false;
  };
  f.grid->SetColors(kCol, kRow, kSilver);
  f.Edit(kCol, kRow, edColorPickerDropDown, u"x");
  ASSERT_TRUE(f.open());
  f.Key(VK_UP);
  EXPECT_EQ(checks, 0);
  EXPECT_FALSE(f.open());
  EXPECT_EQ(f.grid->Row(), kRow - 1);
  EXPECT_EQ(f.grid->GetColors(kCol, kRow), kSilver);
  EXPECT_EQ(f.Cell(kCol, kRow), "Silver");
}

TEST(AdvGridColorDropDown, OnColorSelectedDecidesColourAndText) {
  DropDownForm f;
  f.grid->OnColorSelected = [&](TObject*, int c, int r, TColor& color, String& text) {
    EXPECT_EQ(c, kCol);
    EXPECT_EQ(r, kRow);
    EXPECT_EQ(color, kSilver);
    color = 0x336699;
    text = u"custom";
  };
  f.grid->SetColors(kCol, kRow, kSilver);
  f.Edit(kCol, kRow, edColorPickerDropDown, u"");
  f.grid->HideInplaceEdit();
  EXPECT_EQ(f.grid->GetColors(kCol, kRow), static_cast<TColor>(0x336699));
  EXPECT_EQ(f.Cell(kCol, kRow), "custom");
}

TEST(AdvGridColorDropDown, AColourOutsideTheListKeepsNoNameOfAnotherCell) {
  DropDownForm f;
  f.grid->SetColors(kCol, 1, kRed);
  f.Edit(kCol, 1, edColorPickerDropDown, u"");
  f.grid->HideInplaceEdit();
  EXPECT_EQ(f.Cell(kCol, 1), "Red");
  f.grid->SetColors(kCol, kRow, 0x123456);
  f.Edit(kCol, kRow, edColorPickerDropDown, u"");
  EXPECT_EQ(f.value(edColorPickerDropDown).Color, static_cast<TColor>(0x123456));
  EXPECT_EQ(f.value(edColorPickerDropDown).ItemIndex, -1);
  f.grid->HideInplaceEdit();
  EXPECT_EQ(f.grid->GetColors(kCol, kRow), static_cast<TColor>(0x123456));
}

// ---- image picker ---------------------------------------------------------------------------------

struct ImageForm : DropDownForm {
  TImageList images;
  ImageForm() {
    TBitmap strip;
    strip.SetSize(64, 16);
    images.Add(&strip, nullptr);
    grid->SetGridImages(&images);
  }
  // The grid and its picker go before the image list they show.
  ~ImageForm() {
    delete form;
    form = nullptr;
  }
};

TEST(AdvGridImageDropDown, ImageCellsOpenOnTheirIndexAndTakeTheChosenOne) {
  ImageForm f;
  ASSERT_EQ(f.images.Count(), 4);
  f.grid->AddImageIdx(kCol, 1, 2, haLeft, vaTop);
  f.grid->AddDataImage(kCol, kRow, 1, haLeft, vaTop);
  f.grid->SetCellEx(kCol, kRow, u"3");
  std::vector<int> offered;
  f.grid->OnImageSelected = [&](TObject*, int, int, int& index) {
    offered.push_back(index);
    index = 0;
  };

  f.Edit(kCol, 1, edImagePickerDropDown, u"");
  EXPECT_EQ(f.value(edImagePickerDropDown).ImageIndex, 2);
  f.grid->HideInplaceEdit();
  int index = -1;
  ASSERT_TRUE(f.grid->GetImageIdx(kCol, 1, index));
  EXPECT_EQ(index, 0);

  f.kinds[kCol] = edImagePickerDropDown;
  f.grid->GotoCell(kCol, kRow);
  f.grid->SetFocus();
  f.grid->ShowInplaceEdit();
  EXPECT_EQ(f.value(edImagePickerDropDown).ImageIndex, 3);
  f.grid->HideInplaceEdit();
  EXPECT_EQ(f.Cell(kCol, kRow), "0");
  EXPECT_EQ(offered, (std::vector<int>{2, 3}));
}

}  // namespace dropdown_editors_test
