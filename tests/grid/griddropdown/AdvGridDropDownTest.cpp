// The grid drop-down: defaults, the item index across opening and closing, sizing, typing and
// the popup grid's keys and mouse.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "grid/dropdown/AdvDropDownForm.h"
#include "tests/grid/griddropdown/GridDropDownFixture.h"

namespace {

using griddropdown_test::GridDropDownTest;

TEST_F(GridDropDownTest, NewDropDownHasItsDocumentedLook) {
  EXPECT_EQ(edit->LineColor(), static_cast<TColor>(0xF1EDEB));
  EXPECT_EQ(edit->FixedLineColor(), static_cast<TColor>(0xD1BBA4));
  EXPECT_EQ(edit->HeaderFont()->Color(), static_cast<TColor>(0x723708));
  EXPECT_EQ(edit->HeaderColor(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(edit->HeaderColorTo(), static_cast<TColor>(0x808080));
  EXPECT_EQ(edit->Version(), u"6.0.1.1");
  EXPECT_EQ(edit->ItemIndex(), -1);
  EXPECT_EQ(edit->DropDownRowHeight(), 22);
  EXPECT_EQ(edit->DropDownHeight(), 200);
  EXPECT_EQ(edit->LookupMethod(), lmLookup);
  EXPECT_TRUE(edit->UseItems());
  EXPECT_EQ(edit->Navigation()->HomeEndKey(), heFirstLastRow);
  ASSERT_NE(Grid(), nullptr);
  EXPECT_EQ(Grid()->Parent(), Popup());
  EXPECT_EQ(Grid()->FixedRows(), 1);
  EXPECT_EQ(Grid()->GridLineWidth(), 1);
}

TEST_F(GridDropDownTest, OpeningShowsTheItemAndClosingKeepsOrRestoresIt) {
  SetColumns({60});
  SetItems({{u"a"}, {u"b"}, {u"c"}});
  edit->SetItemIndex(1);
  EXPECT_EQ(edit->Text(), u"b");
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(Grid()->Row(), 2);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(RowTexts(), (std::vector<String>{u"a", u"b", u"c"}));

  PopupKey(VK_DOWN);
  EXPECT_EQ(Grid()->Row(), 3);
  EXPECT_EQ(edit->ItemIndex(), 2);
  PopupKey(VK_ESCAPE);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"b");

  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  int selects = 0;
  edit->OnSelect = [&](TObject* Sender) {
    EXPECT_EQ(Sender, edit);
    ++selects;
  };
  PopupKey(VK_RETURN);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(selects, 1);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"b");
  EXPECT_FALSE(Grid()->ConfirmSelection());
}

TEST_F(GridDropDownTest, PickingAnotherRowWithEnterTakesIt) {
  SetColumns({60});
  SetItems({{u"a"}, {u"b"}, {u"c"}});
  edit->ShowDropDown();
  PopupKey(VK_DOWN);
  PopupKey(VK_DOWN);
  PopupKey(VK_RETURN);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 2);
  EXPECT_EQ(edit->Text(), u"c");
}

TEST_F(GridDropDownTest, HeaderSortKeepsTheSelectedItemCurrentAndRowsNameTheirItems) {
  SetColumns({60, 60});
  SetItems({{u"pear", u"3"}, {u"apple", u"1"}, {u"fig", u"2"}});
  edit->SetSorting(gsSingleColumn);
  edit->SetItemIndex(0);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_TRUE(Grid()->SortSettings()->Show());
  EXPECT_EQ(Grid()->Row(), 1);
  const TRect header = Grid()->CellRect(0, 0);
  driver.Click(Grid(), (header.Left + header.Right) / 2, (header.Top + header.Bottom) / 2);
  EXPECT_TRUE(edit->DroppedDown());
  EXPECT_EQ(RowTexts(), (std::vector<String>{u"apple", u"fig", u"pear"}));
  EXPECT_EQ(Grid()->Row(), 3);
  EXPECT_EQ(edit->ItemIndex(), 0);
  for (int r = 1; r < Grid()->RowCount(); ++r) {
    const int item = Grid()->RowItemIndex(r);
    ASSERT_GE(item, 0);
    EXPECT_EQ(Grid()->Cells(1, r), edit->Items()->Items(item)->TextOf(1));
  }
  // Picking the first row after the sort takes the item it shows.
  PopupKey(VK_HOME);
  PopupKey(VK_RETURN);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"apple");
}

TEST_F(GridDropDownTest, ProposedHeightShowsWholeRows) {
  const struct {
    int RowHeight, Proposed, Expected;
  } cases[] = {{22, 200, 185}, {22, 49, 53}, {20, 200, 191}, {0, 40, 44}, {-5, 40, 44}};
  edit->DropDownHeader()->SetVisible(false);
  edit->DropDownFooter()->SetVisible(false);
  for (const auto& c : cases) {
    edit->SetDropDownRowHeight(c.RowHeight);
    int h = c.Proposed;
    edit->AdjustDropDownHeight(h);
    EXPECT_EQ(h, c.Expected) << c.RowHeight << " " << c.Proposed;
  }
  edit->DropDownHeader()->SetVisible(true);
  edit->DropDownHeader()->SetHeight(30);
  edit->SetDropDownRowHeight(22);
  int h = 200;
  edit->AdjustDropDownHeight(h);
  EXPECT_EQ(h, 30 + 25 + 6 * 22 + 6);
}

TEST_F(GridDropDownTest, ColumnsScaleToThePopupWidthWithTheRemainderCarried) {
  SetColumns({50, 50, 50});
  SetItems({{u"a", u"b", u"c"}});
  edit->SetAutoSizeColumns(false);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  Popup()->SetBounds(Popup()->Left(), Popup()->Top(), 300, Popup()->Height());
  edit->SizeColumnsToDropDown();
  EXPECT_EQ(Grid()->ColWidths(0), 99);
  EXPECT_EQ(Grid()->ColWidths(1), 99);
  EXPECT_EQ(Grid()->ColWidths(2), 100);
  // The settings keep their own widths.
  EXPECT_EQ(edit->Columns()->Items(0)->Width(), 50);
}

TEST_F(GridDropDownTest, AutoSizeMissingTextsAndWordWrappedRows) {
  SetColumns({40, 40, 40});
  edit->Columns()->Items(0)->SetAutoSize(true);
  edit->Columns()->Items(2)->SetWordwrap(true);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(edit->Columns()->Items(0)->Width(), 0);
  EXPECT_EQ(Grid()->ColWidths(0), 0);
  edit->HideDropDown(true);

  SetItems({{u"only one"}, {u"x", u"y", u"z"}});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_GT(edit->Columns()->Items(0)->Width(), 6);
  EXPECT_EQ(Grid()->Cells(1, 1), u"");
  EXPECT_EQ(Grid()->Cells(2, 1), u"");
  EXPECT_EQ(Grid()->Cells(2, 2), u"z");
  for (int r = 1; r < Grid()->RowCount(); ++r) EXPECT_GE(Grid()->RowHeights(r), 24) << r;
}

TEST_F(GridDropDownTest, AutoSizedColumnsFollowChangedTextsAndFonts) {
  SetColumns({40});
  edit->Columns()->Items(0)->SetAutoSize(true);
  SetItems({{u"ab"}, {u"abcdef"}, {u"abc"}});
  // The width a fresh measurement gives the widest text in the column's font.
  const auto expected = [&](std::initializer_list<String> Texts) {
    TBitmap bitmap;
    bitmap.Canvas()->Font()->Assign(edit->Columns()->Items(0)->Font());
    int w = 0;
    for (const String& t : Texts) w = std::max(w, bitmap.Canvas()->TextWidth(t) + 6);
    return w;
  };
  const struct {
    const char* What;
    std::function<void()> Change;
    std::initializer_list<String> Texts;
  } steps[] = {
      {"unchanged", [] {}, {u"ab", u"abcdef", u"abc"}},
      {"the widest text shortened",
       [&] { edit->Items()->Items(1)->Text()->SetStrings(0, u"a"); },
       {u"ab", u"a", u"abc"}},
      {"a text widened",
       [&] { edit->Items()->Items(0)->Text()->SetStrings(0, u"WWWWWWWW"); },
       {u"WWWWWWWW", u"a", u"abc"}},
      {"the widest item deleted", [&] { edit->Items()->Delete(0); }, {u"a", u"abc"}},
      {"a larger font",
       [&] {
         edit->Columns()->Items(0)->Font()->SetHeight(-30);
         edit->Columns()->Items(0)->Font()->SetStyle(TFontStyles{fsBold});
       },
       {u"a", u"abc"}},
  };
  for (const auto& step : steps) {
    step.Change();
    edit->ShowDropDown();
    ASSERT_TRUE(edit->DroppedDown()) << step.What;
    EXPECT_EQ(edit->Columns()->Items(0)->Width(), expected(step.Texts)) << step.What;
    edit->HideDropDown(true);
  }
}

TEST_F(GridDropDownTest, ItemsWithFewerTextsCountAsEmptyInTheLookup) {
  edit->SetLookupColumn(1);
  SetColumns({40, 40});
  SetItems({{u"first"}, {u"second", u"Beta"}});
  String full;
  int row = -1;
  EXPECT_TRUE(edit->FindLookupRow(u"be", full, row));
  EXPECT_EQ(full, u"Beta");
  EXPECT_EQ(row, 1);
  EXPECT_FALSE(edit->FindLookupRow(u"", full, row));
  EXPECT_EQ(row, -1);
  ASSERT_EQ(edit->LookupItems()->Count(), 2);
  EXPECT_EQ(edit->LookupItems()->Strings(0), u"");
}

TEST_F(GridDropDownTest, TypingCompletesFromTheLookupList) {
  SetColumns({80});
  SetItems({{u"Apple"}, {u"Apricot"}});
  driver.KeyDown(form, 'A', {}, u'a');
  EXPECT_EQ(edit->Text(), u"Apple");
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 4);
  EXPECT_EQ(edit->ItemIndex(), 0);
  driver.KeyUp(form, 'A');
  EXPECT_EQ(edit->Text(), u"Apple");
  EXPECT_EQ(edit->SelStart(), 1);
  EXPECT_EQ(edit->SelLength(), 4);
  driver.KeyDown(form, 'P', {}, u'p');
  EXPECT_EQ(edit->Text(), u"Apple");
  EXPECT_EQ(edit->ItemIndex(), 0);
  driver.KeyUp(form, 'P');
  EXPECT_EQ(edit->Text(), u"Apple");
  EXPECT_EQ(edit->SelStart(), 2);
  EXPECT_EQ(edit->SelLength(), 3);
  EXPECT_EQ(edit->LookupEntry(), u"ap");
  // Apricot once the typed letters leave Apple.
  EditKey('R', {}, u'r');
  EXPECT_EQ(edit->Text(), u"Apricot");
  EXPECT_EQ(edit->ItemIndex(), 1);
}

TEST_F(GridDropDownTest, ACharacterNoEntryContinuesCutsTheTextAtTheCaret) {
  SetColumns({80});
  SetItems({{u"Apple"}, {u"Apricot"}});
  edit->SetText(u"Apple");
  edit->SetSelStart(1);
  edit->SetSelLength(0);
  EditKey('X', {}, u'x');
  EXPECT_EQ(edit->Text(), u"Ax");
  EXPECT_EQ(edit->SelStart(), 2);
}

TEST_F(GridDropDownTest, ListOnlyLookupRestartsWithTheLastCharacter) {
  SetColumns({80});
  SetItems({{u"apple"}, {u"banana"}});
  edit->SetStyle(dsDropDownList);
  EXPECT_FALSE(edit->EditorEnabled());
  EditKey('A', {}, u'a');
  EXPECT_EQ(edit->ItemIndex(), 0);
  EXPECT_EQ(edit->LookupEntry(), u"a");
  EditKey('B', {}, u'b');
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"banana");
  EXPECT_EQ(edit->LookupEntry(), u"b");
  EditKey('Q', {}, u'q');
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->LookupEntry(), u"");
}

TEST_F(GridDropDownTest, TypingInThePopupMovesToTheFoundRow) {
  SetColumns({80});
  SetItems({{u"cherry"}, {u"apple"}, {u"banana"}});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  PopupKey('B', {}, u'b');
  EXPECT_EQ(Grid()->Row(), 3);
  EXPECT_EQ(edit->Text(), u"banana");
  EXPECT_EQ(edit->ItemIndex(), 2);
  EXPECT_EQ(edit->LookupEntry(), u"b");
  // Nothing continues "bx": the entry stays, the row too.
  PopupKey('X', {}, u'x');
  EXPECT_EQ(Grid()->Row(), 3);
  PopupKey(VK_RETURN);
  EXPECT_EQ(edit->ItemIndex(), 2);
}

TEST_F(GridDropDownTest, NoLookupMethodLeavesTextAndRow) {
  SetColumns({80});
  SetItems({{u"apple"}, {u"banana"}});
  edit->SetLookupMethod(lmNone);
  edit->ShowDropDown();
  const int row = Grid()->Row();
  PopupKey('B', {}, u'b');
  EXPECT_EQ(Grid()->Row(), row);
  EXPECT_EQ(edit->Text(), u"");
  EXPECT_EQ(edit->LookupEntry(), u"");
}

TEST_F(GridDropDownTest, NarrowingDownInItemModeMakesTheFirstRemainingRowCurrent) {
  SetColumns({80});
  SetItems({{u"apple"}, {u"banana"}, {u"blueberry"}});
  edit->SetLookupMethod(lmNarrowDown);
  edit->ShowDropDown();
  PopupKey('B', {}, u'b');
  EXPECT_EQ(RowTexts(), (std::vector<String>{u"banana", u"blueberry"}));
  EXPECT_EQ(Grid()->Row(), 1);
  EXPECT_EQ(edit->Text(), u"banana");
  PopupKey(VK_RETURN);
  EXPECT_EQ(edit->ItemIndex(), 1);
}

TEST_F(GridDropDownTest, BackspaceInThePopupAndInTheClosedEdit) {
  SetColumns({80});
  SetItems({{u"Apple"}, {u"Apricot"}});
  edit->ShowDropDown();
  PopupKey('A', {}, u'a');
  PopupKey('P', {}, u'p');
  ASSERT_EQ(edit->Text(), u"Apple");
  ASSERT_EQ(edit->SelLength(), 3);
  // With a selection: exactly the selected part goes.
  PopupKey(VK_BACK);
  EXPECT_EQ(edit->Text(), u"Ap");
  EXPECT_EQ(edit->LookupEntry(), u"");
  // Without one: the (now empty) entry less its last character.
  PopupKey(VK_BACK);
  EXPECT_EQ(edit->Text(), u"");
  EXPECT_EQ(edit->LookupEntry(), u"");
  edit->HideDropDown(true);

  // Closed: the entry stays shortened.
  edit->SetText(u"");
  EditKey('Z', {}, u'z');
  EditKey('Z', {}, u'z');
  ASSERT_EQ(edit->LookupEntry(), u"zz");
  edit->SetSelLength(0);
  EditKey(VK_BACK);
  EXPECT_EQ(edit->LookupEntry(), u"z");
  EXPECT_EQ(edit->Text(), u"z");
}

TEST_F(GridDropDownTest, HomeAndEndSelectOnlyInAListOnlyDropDown) {
  SetColumns({80});
  SetItems({{u"a"}, {u"b"}, {u"c"}});
  edit->SetItemIndex(1);
  EditKey(VK_HOME);
  EditKey(VK_END);
  EXPECT_EQ(edit->ItemIndex(), 1);
  edit->SetStyle(dsDropDownList);
  EditKey(VK_END);
  EXPECT_EQ(edit->ItemIndex(), 2);
  EditKey(VK_HOME);
  EXPECT_EQ(edit->ItemIndex(), 0);
  EditKey(VK_DOWN);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EditKey(VK_NEXT);
  EXPECT_EQ(edit->ItemIndex(), 2);
}

TEST_F(GridDropDownTest, GridModeTakesDataRowsOnly) {
  edit->SetUseItems(false);
  TAdvColGrid* grid = Grid();
  grid->SetColCount(2);
  grid->SetRowCount(3);
  grid->SetCells(0, 1, u"one");
  grid->SetCells(0, 2, u"two");
  edit->SetItemIndex(1);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"two");
  // One past the last data row would read below the grid.
  edit->SetItemIndex(2);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"two");
  EXPECT_EQ(edit->GetItemCount(), 2);
  edit->SetText(u"one");
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  EXPECT_EQ(grid->Row(), 1);
  EXPECT_EQ(edit->Columns()->Count(), 2);
  PopupKey(VK_DOWN);
  PopupKey(VK_RETURN);
  EXPECT_EQ(edit->ItemIndex(), 1);
  EXPECT_EQ(edit->Text(), u"two");
}

TEST_F(GridDropDownTest, PopupGridKeysAndMouse) {
  SetColumns({60, 60});
  SetItems({{u"a", u"1"}, {u"b", u"2"}, {u"c", u"3"}});
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  TAdvColGrid* grid = Grid();
  const int row = grid->Row(), col = grid->Col();
  PopupKey(VK_TAB);
  EXPECT_EQ(grid->Row(), row);
  EXPECT_EQ(grid->Col(), col);
  EXPECT_TRUE(edit->DroppedDown());

  driver.Wheel(grid, -120);
  EXPECT_GT(grid->Row(), row);
  EXPECT_EQ(edit->ItemIndex(), -1);
  EXPECT_FALSE(grid->ConfirmSelection());
  EXPECT_TRUE(edit->DroppedDown());

  // A header click selects nothing; neither does a click on a check box.
  int selects = 0;
  edit->OnSelect = [&](TObject*) { ++selects; };
  const TRect header = grid->CellRect(0, 0);
  driver.Click(grid, header.Left + 5, header.Top + 5);
  EXPECT_EQ(selects, 0);
  grid->AddCheckBox(1, 3, false, false);
  const TRect check = grid->CellRect(1, 3);
  driver.Click(grid, check.Left + 3, (check.Top + check.Bottom) / 2);
  EXPECT_EQ(selects, 0);
  EXPECT_TRUE(edit->DroppedDown());
  // A click on a data row picks it.
  const TRect cell = grid->CellRect(0, 3);
  driver.Click(grid, cell.Left + 5, cell.Top + 5);
  EXPECT_EQ(selects, 1);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->ItemIndex(), 2);
}

TEST_F(GridDropDownTest, StylePresetsSetHeaderAndLineColours) {
  edit->SetComponentStyle(tsOffice2003Blue);
  EXPECT_EQ(edit->HeaderColor(), static_cast<TColor>(0xD68759));
  EXPECT_EQ(edit->HeaderColorTo(), static_cast<TColor>(0x933803));
  EXPECT_EQ(edit->HeaderFont()->Color(), static_cast<TColor>(0xFFFFFF));
  EXPECT_EQ(edit->LineColor(), static_cast<TColor>(0x962D00));
  edit->SetComponentStyle(tsWindowsXP);
  EXPECT_EQ(edit->SelectionColor(), clHighlight);
  EXPECT_EQ(edit->SelectionTextColor(), clHighlightText);
  EXPECT_EQ(edit->FixedLineColor(), static_cast<TColor>(0x000000));
  edit->SetComponentStyle(tsWindows7);
  EXPECT_EQ(edit->SelectionTextColor(), clBlack);
  EXPECT_EQ(edit->LineColor(), static_cast<TColor>(0xFBD6B8));
  edit->SetSelectionColorStyle(scWindowsVista);
  EXPECT_EQ(edit->LineColor(), static_cast<TColor>(0xECECF0));
  EXPECT_EQ(edit->FixedLineColor(), static_cast<TColor>(0xD4D2D1));
}

// A collection that makes its own items.
class TTaggedItem : public TDropDownItem {
 public:
  using TDropDownItem::TDropDownItem;
  int Tag = 7;
};
class TTaggedItems : public TDropDownItems {
 public:
  using TDropDownItems::TDropDownItems;
  TItemFactory GetItemClass() const override {
    return [](TCollection* c) -> TCollectionItem* { return New<TTaggedItem>(c); };
  }
};

TEST(GridDropDownItems, ACollectionSuppliesItsItemClassAndAssignCopies) {
  TTaggedItems items(nullptr);
  auto* item = dynamic_cast<TTaggedItem*>(items.Add());
  ASSERT_NE(item, nullptr);
  item->SetImageIndex(3);
  item->Text()->Add(u"x");
  TDropDownItems plain(nullptr);
  plain.Assign(&items);
  ASSERT_EQ(plain.Count(), 1);
  EXPECT_EQ(plain.Items(0)->ImageIndex(), 3);
  EXPECT_EQ(plain.Items(0)->TextOf(0), u"x");
  EXPECT_EQ(plain.Items(0)->TextOf(1), u"");
}

}  // namespace
