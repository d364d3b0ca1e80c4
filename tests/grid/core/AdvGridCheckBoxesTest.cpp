// Check-box cells: the five kinds, adding, reading, writing, notifying and toggling.
#include <gtest/gtest.h>

#include <vector>

#include "AdvGridCellTestSupport.h"
#include "AdvGridTestSupport.h"
#include "grid/foundation/AdvUndo.h"

namespace {

using advgrid_test::TRecordGrid;
using advgrid_test::GridOwner;
using advgrid_test::VirtualBoxGrid;
using advgrid_test::Utf8;


struct Change {
  int col, row;
  bool state;
  bool operator==(const Change&) const = default;
};

TEST(AdvGridCheckBoxes, VirtualBoxIsCheckedOnlyByTheCheckedText) {
  auto* g = New<VirtualBoxGrid>(nullptr);
  g->SetRowCount(6);
  g->SetFixedFooters(1);
  const struct {
    const char16_t* text;
    bool checked;
  } cases[] = {{u"Y", true}, {u"N", false}, {u"", false}, {u"yes", false}, {u"y", false}};
  for (const auto& c : cases) {
    g->SetCells(2, 2, c.text);
    bool state = !c.checked;
    EXPECT_TRUE(g->GetCheckBoxState(2, 2, state)) << Utf8(c.text);
    EXPECT_EQ(state, c.checked) << Utf8(c.text);
  }
  g->SetCells(2, 2, u"other");
  EXPECT_TRUE(g->ToggleCheckBox(2, 2));
  EXPECT_EQ(Utf8(g->Cells(2, 2)), "Y");
  EXPECT_TRUE(g->ToggleCheckBox(2, 2));
  EXPECT_EQ(Utf8(g->Cells(2, 2)), "N");
  // Fixed and footer rows have no box.
  bool state = true;
  g->SetCells(2, 0, u"Y");
  EXPECT_FALSE(g->GetCheckBoxState(2, 0, state));
  EXPECT_FALSE(g->GetCheckBoxState(2, 5, state));
  EXPECT_TRUE(state);  // untouched
  EXPECT_FALSE(g->HasCheckBox(2, 0));
  EXPECT_TRUE(g->HasDataCheckBox(2, 3));
  delete g;
}

TEST(AdvGridCheckBoxes, SetFiresNothingAndNotifyFiresOnChangeOnly) {
  auto* g = New<VirtualBoxGrid>(nullptr);
  std::vector<Change> changes;
  g->OnCheckBoxChange = [&](TObject*, int ACol, int ARow, bool State) { changes.push_back({ACol, ARow, State}); };
  EXPECT_TRUE(g->SetCheckBoxState(2, 1, true));
  EXPECT_EQ(Utf8(g->Cells(2, 1)), "Y");
  EXPECT_TRUE(g->SetCheckBoxState(2, 1, false));
  EXPECT_EQ(Utf8(g->Cells(2, 1)), "N");
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(g->SetCheckBoxStateNotify(2, 1, false));
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(g->SetCheckBoxStateNotify(2, 1, true));
  EXPECT_EQ(changes, (std::vector<Change>{{2, 1, true}}));
  EXPECT_EQ(Utf8(g->Cells(2, 1)), "Y");
  EXPECT_FALSE(g->SetCheckBoxStateNotify(1, 1, true));  // no box there
  delete g;
}

TEST(AdvGridCheckBoxes, PlainBoxNotifiesOnChangeOnly) {
  GridOwner g;
  g->AddCheckBox(1, 1, false, false);
  int fired = 0;
  g->OnCheckBoxChange = [&](TObject*, int, int, bool) { ++fired; };
  EXPECT_TRUE(g->SetCheckBoxStateNotify(1, 1, false));
  EXPECT_EQ(fired, 0);
  EXPECT_TRUE(g->SetCheckBoxStateNotify(1, 1, true));
  EXPECT_EQ(fired, 1);
  EXPECT_TRUE(g->IsChecked(1, 1));
  g->CheckAll(1);
  EXPECT_EQ(fired, 1);  // already checked
  g->UnCheckAll(1);
  EXPECT_EQ(fired, 2);
  EXPECT_FALSE(g->IsChecked(1, 1));
}

TEST(AdvGridCheckBoxes, AddingOutsideTheGridRaises) {
  GridOwner g;
  g->SetColCount(3);
  g->SetRowCount(4);
  try {
    g->AddCheckBox(3, 1, true, false);
    FAIL() << "no exception";
  } catch (const EAdvGridError& e) {
    EXPECT_EQ(Utf8(e.Message()), "Invalid cell");
  }
  EXPECT_THROW(g->AddCheckBox(1, 4, cbChecked), EAdvGridError);
  EXPECT_THROW(g->AddCheckBox(-1, 1, true, false), EAdvGridError);
  g->HideColumn(1);
  EXPECT_NO_THROW(g->AddCheckBox(2, 1, true, false));  // hidden columns count
}

TEST(AdvGridCheckBoxes, DataBoxKeepsACheckTextAndWritesOneForOtherText) {
  GridOwner g;
  const struct {
    const char16_t* before;
    bool state;
    const char* after;
  } cases[] = {{u"Y", false, "Y"}, {u"N", true, "N"}, {u"abc", false, "N"}, {u"", true, "Y"}};
  int col = 1;
  for (const auto& c : cases) {
    g->SetCells(col, 1, c.before);
    g->AddCheckBox(col, 1, c.state, true);
    EXPECT_EQ(g->GetCellType(col, 1), ctDataCheckBox);
    EXPECT_EQ(Utf8(g->Cells(col, 1)), c.after) << Utf8(c.before);
    ++col;
  }
}

TEST(AdvGridCheckBoxes, CheckBoxColumnCoversTheNormalRows) {
  GridOwner g;
  g->SetRowCount(10);
  g->AddCheckBoxColumn(1, false, false);
  int boxes = 0;
  for (int r = 0; r < 10; ++r) {
    if (!g->HasCheckBox(1, r)) continue;
    ++boxes;
    EXPECT_EQ(g->GetCellType(1, r), ctCheckBox);
    EXPECT_FALSE(g->IsChecked(1, r));
  }
  EXPECT_EQ(boxes, 9);
  EXPECT_FALSE(g->HasCheckBox(1, 0));
  TCellGraphic* cg = g->GetCellGraphic(1, 3);
  EXPECT_EQ(cg->CellHAlign(), haBeforeText);
  EXPECT_TRUE(cg->CellTransparent());
  g->RemoveCheckBoxColumn(1);
  for (int r = 0; r < 10; ++r) EXPECT_FALSE(g->HasCheckBox(1, r));
}

TEST(AdvGridCheckBoxes, CheckBoxColumnGivesNodesTriStateBoxesAndSkipsSummaries) {
  GridOwner g;
  g->SetRowCount(6);
  g->CreateCellGraphic(0, 2)->SetCellType(ctNode);
  g->CreateCellGraphic(0, 4)->SetCellType(ctSummary);
  g->MouseActions()->SetCheckAllCheck(true);
  g->AddCheckBoxColumn(1, true, false);
  EXPECT_EQ(g->GetCellType(1, 0), ctCheckBox);  // from row 0 with CheckAllCheck
  EXPECT_EQ(g->GetCellType(1, 2), ctTriStateCheckBox);
  EXPECT_EQ(g->GetCellType(1, 4), ctEmpty);
  EXPECT_TRUE(g->IsChecked(1, 3));
}

TEST(AdvGridCheckBoxes, TriStateCyclesAndReportsCheckedOnly) {
  GridOwner g;
  g->AddCheckBox(1, 1, cbUnchecked);
  std::vector<bool> reported;
  g->OnCheckBoxChange = [&](TObject*, int, int, bool State) { reported.push_back(State); };
  std::vector<TCheckBoxState> seen;
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(g->ToggleCheckBox(1, 1));
    TCheckBoxState s = cbUnchecked;
    EXPECT_TRUE(g->GetCheckBoxState(1, 1, s));
    seen.push_back(s);
  }
  EXPECT_EQ(seen, (std::vector<TCheckBoxState>{cbGrayed, cbChecked, cbUnchecked}));
  EXPECT_EQ(reported, (std::vector<bool>{false, true, false}));
  bool b = true;
  EXPECT_FALSE(g->GetCheckBoxState(1, 1, b));  // no Boolean answer for a tri-state box
  EXPECT_FALSE(g->SetCheckBoxState(1, 1, true));
  EXPECT_TRUE(g->SetCheckBoxState(1, 1, cbGrayed));
  EXPECT_FALSE(g->SetCheckBoxState(2, 1, cbGrayed));
}

TEST(AdvGridCheckBoxes, ReadOnlyCellRefusesTheClickUnlessChecksAreAlwaysActive) {
  GridOwner g;
  g->SetOptions(TGridOptions(g->Options()) | goEditing);
  g->AddCheckBox(1, 1, false, false);
  g->SetReadOnly(1, 1, true);
  EXPECT_FALSE(g->ToggleCheckBoxCell(1, 1, true));
  EXPECT_FALSE(g->IsChecked(1, 1));
  EXPECT_TRUE(g->ToggleCheckBoxCell(1, 1, false));  // code is not a click
  EXPECT_TRUE(g->IsChecked(1, 1));
  g->ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_TRUE(g->ToggleCheckBoxCell(1, 1, true));
  EXPECT_FALSE(g->IsChecked(1, 1));
}

// Real rows 0..9 with 2..4 hidden: display rows 0, 1, 2, 3 ... hold real rows 0, 1, 5, 6 ...
TEST(AdvGridCheckBoxes, PlainBoxReadByRealRowWhetherShownOrHidden) {
  auto* g = New<TRecordGrid>(nullptr);
  g->SetRowCount(7);
  for (int r = 2; r <= 4; ++r) g->AddHiddenRecord(r, {u"", u""});
  EXPECT_EQ(g->RealRowIndex(3), 6);
  g->AddCheckBox(1, 3, false, false);
  EXPECT_TRUE(g->SetCheckBoxState(1, 6, true));
  bool state = false;
  EXPECT_TRUE(g->GetCheckBoxState(1, 6, state));
  EXPECT_TRUE(state);
  EXPECT_FALSE(g->GetCheckBoxState(1, 3, state));  // real row 3 is hidden and has no box
  delete g;

  // Row 6 itself hidden: its record keeps the cell's properties with the box.
  g = New<TRecordGrid>(nullptr);
  g->SetRowCount(7);
  auto* props = new TCellProperties(g, 1, 0);
  auto* box = new TCellGraphic;
  box->SetCheckBox(true, false, true, haBeforeText, vaTop);
  props->SetGraphicObject(box);
  g->AddHiddenRecord(2, {u"", u""});
  g->AddHiddenRecord(3, {u"", u""});
  g->AddHiddenRecord(4, {u"", u""});
  TGridItem* item = g->AddHiddenRecord(6, {u"", u""});
  item->Items()->SetObjects(1, props);
  state = false;
  EXPECT_TRUE(g->GetCheckBoxState(1, 6, state));
  EXPECT_TRUE(state);
  EXPECT_TRUE(g->SetCheckBoxState(1, 6, false));
  EXPECT_FALSE(box->CellBoolean());
  delete g;
}

TEST(AdvGridCheckBoxes, RowBoxToggleFlipsTheRowSelectionAndKeepsColumnZero) {
  GridOwner g;
  g->SetRowCount(5);
  g->MouseActions()->SetHotmailRowSelect(true);
  g->SetCells(0, 2, u"data");
  std::vector<Change> changes;
  g->OnCheckBoxChange = [&](TObject*, int ACol, int ARow, bool State) { changes.push_back({ACol, ARow, State}); };
  EXPECT_TRUE(g->ToggleCheckBox(0, 2));
  EXPECT_TRUE(g->GetRowSelect(2));
  EXPECT_EQ(Utf8(g->Cells(0, 2)), "data");
  bool state = false;
  EXPECT_TRUE(g->GetCheckBoxState(0, 2, state));
  EXPECT_TRUE(state);
  EXPECT_TRUE(g->ToggleCheckBox(0, 2));
  EXPECT_FALSE(g->GetRowSelect(2));
  EXPECT_EQ(Utf8(g->Cells(0, 2)), "data");
  EXPECT_EQ(changes, (std::vector<Change>{{0, 2, true}, {0, 2, false}}));
  EXPECT_TRUE(g->SetCheckBoxStateNotify(0, 3, true));
  EXPECT_TRUE(g->GetRowSelect(3));
  EXPECT_EQ(changes.size(), 3u);
}

TEST(AdvGridCheckBoxes, AutoCheckGroupChecksChildrenAndGraysTheNode) {
  GridOwner g;
  g->SetRowCount(6);
  TCellGraphic* node = g->CreateCellGraphic(0, 1);
  node->SetCellType(ctNode);
  node->SetCellIndex(4);  // rows 1..4
  g->AddCheckBoxColumn(1, false, false);
  g->Grouping()->SetAutoCheckGroup(true);
  EXPECT_TRUE(g->ToggleCheckBox(1, 1));
  TCheckBoxState s = cbUnchecked;
  g->GetCheckBoxState(1, 1, s);
  EXPECT_EQ(s, cbChecked);
  for (int r = 2; r <= 4; ++r) EXPECT_TRUE(g->IsChecked(1, r)) << r;
  EXPECT_FALSE(g->IsChecked(1, 5));  // outside the node
  EXPECT_TRUE(g->ToggleCheckBox(1, 3));
  g->GetCheckBoxState(1, 1, s);
  EXPECT_EQ(s, cbGrayed);
  EXPECT_TRUE(g->ToggleCheckBox(1, 2));
  EXPECT_TRUE(g->ToggleCheckBox(1, 4));
  g->GetCheckBoxState(1, 1, s);
  EXPECT_EQ(s, cbUnchecked);
}

TEST(AdvGridCheckBoxes, ToggleRegistersWithTheUndoList) {
  auto* g = New<TAdvStringGrid>(nullptr);
  auto* undo = New<TAdvGridUndoRedo>(nullptr);
  g->SetUndoRedo(undo);
  undo->SetGrid(g);
  g->AddCheckBox(1, 1, false, true);
  EXPECT_TRUE(g->ToggleCheckBox(1, 1));
  EXPECT_EQ(Utf8(g->Cells(1, 1)), "Y");
  EXPECT_TRUE(undo->CanUndo());
  undo->Undo();
  EXPECT_EQ(Utf8(g->Cells(1, 1)), "N");
  g->SetUndoRedo(nullptr);
  delete undo;
  delete g;
}

TEST(AdvGridCheckBoxes, RemovingABoxFreesItsBalloonListOnce) {
  GridOwner g;
  g->AddCheckBox(1, 1, true, false);
  TCellGraphic* box = g->GetCellGraphic(1, 1);
  box->SetCellBitmap(new TStringList);
  box->SetCellAngle(1);
  // Under the sanitizers a second free of the list fails this test.
  g->RemoveCheckBox(1, 1);
  EXPECT_FALSE(g->HasCheckBox(1, 1));
  g->CreateCellGraphic(2, 1)->SetImageIdx(1, haLeft, vaTop);
  g->RemoveCheckBox(2, 1);  // not a box: left alone
  EXPECT_EQ(g->GetCellType(2, 1), ctImageList);
}

TEST(AdvGridCheckBoxes, PreciseHitTestUsesTheBoxSquare) {
  advgrid_test::GridForm<> f;
  TAdvStringGrid* g = f.grid;
  g->AddCheckBox(1, 1, false, false);
  const TRect r = g->CellRect(1, 1);
  EXPECT_TRUE(g->IsInCheckBox(1, 1, r.Right - 1, r.Bottom - 1));  // anywhere in the cell
  EXPECT_FALSE(g->IsInCheckBox(2, 1, r.Left + 3, r.Top + 3));
  g->MouseActions()->SetPreciseCheckBoxCheck(true);
  EXPECT_TRUE(g->IsInCheckBox(1, 1, r.Left + 2, r.Top + 2));
  EXPECT_TRUE(g->IsInCheckBox(1, 1, r.Left + 16, r.Top + 16));
  EXPECT_FALSE(g->IsInCheckBox(1, 1, r.Left + 17, r.Top + 2));
  EXPECT_FALSE(g->IsInCheckBox(1, 1, r.Left + 1, r.Top + 2));
  g->SetAlignments(1, 1, taCenter);
  const int left = r.Left + (r.Right - r.Left - 15) / 2;
  EXPECT_TRUE(g->IsInCheckBox(1, 1, left, r.Top + 2));
  EXPECT_FALSE(g->IsInCheckBox(1, 1, r.Left + 2, r.Top + 2));
}

// A gateway table: 1000 devices, 14 columns, a plain box in column 1; states survive a write
// and read through every row.
TEST(AdvGridCheckBoxes, LargeGridRoundTripsPlainBoxStates) {
  GridOwner g;
  g->SetColCount(14);
  g->SetRowCount(1001);
  g->AddCheckBoxColumn(1, false, false);
  for (int r = 1; r <= 1000; ++r) {
    g->SetCells(2, r, u"70B3D57ED00" + IntToStr(r));
    EXPECT_TRUE(g->SetCheckBoxState(1, r, r % 3 == 0));
  }
  int checked = 0;
  for (int r = 1; r <= 1000; ++r) {
    bool s = false;
    ASSERT_TRUE(g->GetCheckBoxState(1, r, s));
    EXPECT_EQ(s, r % 3 == 0) << r;
    checked += s;
  }
  EXPECT_EQ(checked, 333);
  EXPECT_EQ(Utf8(g->Cells(2, 999)), "70B3D57ED00999");
}

}  // namespace
