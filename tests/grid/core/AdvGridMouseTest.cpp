// Mouse buttons, move and hover: the event order of the common clicks, data check boxes, header
// auto-size, fixed borders, the fixed-cell combo, disjunct cells and the selected-cells API.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"
#include "platform/StdCtrls.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

struct ClickLog {
  std::vector<std::string> log;
  void Attach(TAdvStringGrid* g) {
    auto add = [this](std::string s) { log.push_back(std::move(s)); };
    g->OnEnter = [add](TObject*) { add("Enter"); };
    g->OnCanClickCell = [add](TObject*, int ARow, int ACol, bool&) {
      add("CanClickCell " + std::to_string(ARow) + "," + std::to_string(ACol));
    };
    g->OnCheckBoxChange = [add](TObject*, int, int, bool) { add("CheckBoxChange"); };
    g->OnSelectCell = [add](TObject*, int ACol, int ARow, bool&) {
      add("SelectCell " + std::to_string(ACol) + "," + std::to_string(ARow));
    };
    g->OnCheckBoxClick = [add](TObject*, int ACol, int ARow, bool State) {
      add("CheckBoxClick " + std::to_string(ACol) + "," + std::to_string(ARow) + (State ? " on" : " off"));
    };
    g->OnMouseDown = [add](TObject*, TMouseButton, TShiftState, int, int) { add("MouseDown"); };
    g->OnClick = [add](TObject*) { add("Click"); };
    g->OnCheckBoxMouseUp = [add](TObject*, int ACol, int, bool) { add("CheckBoxMouseUp " + std::to_string(ACol)); };
    g->OnClickCell = [add](TObject*, int ARow, int ACol) {
      add("ClickCell " + std::to_string(ARow) + "," + std::to_string(ACol));
    };
    g->OnMouseUp = [add](TObject*, TMouseButton, TShiftState, int, int) { add("MouseUp"); };
    g->OnDblClick = [add](TObject*) { add("DblClick"); };
    g->OnDblClickCell = [add](TObject*, int ARow, int ACol) {
      add("DblClickCell " + std::to_string(ARow) + "," + std::to_string(ACol));
    };
  }
};

struct MouseGrid {
  GridForm<TAdvColumnGrid> f;
  TAdvColumnGrid* g = f.grid;
  ClickLog events;
  MouseGrid() {
    g->SetColCount(5);
    g->Columns()->Items(4)->SetEditor(edDataCheckBox);
    g->HideColumn(1);  // real column 4 shows at display column 3
    g->SetCellEx(4, 2, u"N");
  }
  TPoint Mid(int c, int r) const {
    const TRect cr = g->CellRect(c, r);
    return Point((cr.Left + cr.Right) / 2, (cr.Top + cr.Bottom) / 2);
  }
  void Click(int c, int r) {
    const TPoint p = Mid(c, r);
    f.driver.Click(g, p.X, p.Y);
  }
};

TEST(AdvGridMouse, EventOrderOfTheCommonClicks) {
  struct Case {
    const char* name;
    int col, row;
    bool dbl;
    std::vector<std::string> expected;
  };
  const std::vector<Case> cases = {
      {"data check box", 3, 2, false,
       {"Enter", "CanClickCell 2,3", "CheckBoxChange", "SelectCell 3,2", "CheckBoxClick 4,2 on", "MouseDown", "Click",
        "MouseUp", "CheckBoxMouseUp 4"}},
      {"plain cell", 2, 3, false,
       {"Enter", "CanClickCell 3,2", "SelectCell 2,3", "MouseDown", "ClickCell 3,2", "Click", "MouseUp"}},
      {"header cell", 2, 0, false, {"Enter", "CanClickCell 0,2", "MouseDown", "ClickCell 0,2", "Click", "MouseUp"}},
      {"double click", 2, 3, true,
       {"Enter", "CanClickCell 3,2", "SelectCell 2,3", "MouseDown", "ClickCell 3,2", "Click", "MouseUp", "DblClick",
        "MouseDown", "DblClickCell 3,2", "MouseUp"}},
  };
  for (const Case& c : cases) {
    MouseGrid t;
    TEdit* other = New<TEdit>(t.f.form);
    other->SetParent(t.f.form);
    other->SetBounds(450, 10, 80, 20);
    other->SetFocus();
    t.events.Attach(t.g);
    const TPoint p = t.Mid(c.col, c.row);
    if (c.dbl) t.f.driver.DblClick(t.g, p.X, p.Y);
    else t.f.driver.Click(t.g, p.X, p.Y);
    EXPECT_EQ(t.events.log, c.expected) << c.name;
  }
}

TEST(AdvGridMouse, AFastDoubleClickOnADataCheckBoxTogglesOnce) {
  MouseGrid t;
  int cellDbl = 0;
  t.g->OnDblClickCell = [&](TObject*, int, int) { ++cellDbl; };
  const TPoint p = t.Mid(3, 2);
  t.f.driver.DblClick(t.g, p.X, p.Y);
  EXPECT_EQ(Utf8(t.g->GetCellEx(4, 2)), "Y");
  EXPECT_EQ(cellDbl, 0);
}

TEST(AdvGridMouse, AReadOnlyDataColumnTakesThePlainRoad) {
  MouseGrid t;
  t.g->Columns()->Items(4)->SetReadOnly(true);
  std::vector<std::pair<int, int>> clicks;
  int boxes = 0;
  t.g->OnClickCell = [&](TObject*, int ARow, int ACol) { clicks.emplace_back(ARow, ACol); };
  t.g->OnCheckBoxClick = [&](TObject*, int, int, bool) { ++boxes; };
  t.Click(3, 2);
  EXPECT_EQ(Utf8(t.g->GetCellEx(4, 2)), "N");
  EXPECT_EQ(boxes, 0);
  EXPECT_EQ(clicks, (std::vector<std::pair<int, int>>{{2, 3}}));  // row first
  EXPECT_EQ(t.g->Col(), 3);
  EXPECT_EQ(t.g->Row(), 2);
}

TEST(AdvGridMouse, AHeaderDoubleClickOnABorderAutoSizes) {
  struct Case {
    int dx;  // from the right border of column 2
    bool sizes;
  };
  for (const Case c : {Case{0, true}, Case{-3, true}, Case{3, true}, Case{-6, false}}) {
    MouseGrid t;
    t.g->SetOptions(t.g->Options() | goColSizing);
    t.g->SetColWidths(2, 150);
    t.g->SetCellEx(2, 1, u"ab");
    std::vector<int> ended;
    t.g->OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
    int sorts = 0;
    t.g->OnClickSort = [&](TObject*, int) { ++sorts; };
    const TRect cr = t.g->CellRect(2, 0);
    t.f.driver.DblClick(t.g, cr.Right + c.dx, 5);
    EXPECT_EQ(t.g->ColWidths(2) < 150, c.sizes) << c.dx;
    EXPECT_EQ(ended, c.sizes ? std::vector<int>{2} : std::vector<int>{}) << c.dx;
    EXPECT_EQ(sorts, 0);
  }
}

TEST(AdvGridMouse, DraggingAFixedBorderSetsTheWidth) {
  MouseGrid t;
  t.g->MouseActions()->SetSizeFixedCol(true);
  std::vector<int> ended;
  t.g->OnEndColumnSize = [&](TObject*, int ACol) { ended.push_back(ACol); };
  std::vector<int> sizing;
  t.g->OnColumnSizing = [&](TObject*, int, int W) { sizing.push_back(W); };
  const int border = t.g->ColWidths(0);
  t.f.driver.MouseMove(t.g, border, 60);
  t.f.driver.MouseDown(t.g, border, 60);
  t.f.driver.MouseMove(t.g, 90, 60);
  t.f.driver.MouseUp(t.g, 90, 60);
  EXPECT_EQ(t.g->ColWidths(0), 90);
  EXPECT_EQ(ended, std::vector<int>{0});
  ASSERT_FALSE(sizing.empty());
  EXPECT_EQ(sizing.back(), 90);
}

TEST(AdvGridMouse, FixedCellDoubleClickOpensTheComboOnFixedEditsRequest) {
  MouseGrid t;
  t.g->MouseActions()->SetFixedRowsEdit(fceDblClick);
  t.g->SetCellEx(t.g->RealColIndex(2), 0, u"Head");
  std::vector<std::pair<int, int>> asked;
  t.g->OnFixedEdit = [&](TObject*, int ACol, int ARow, TGridFixedCellEditor& AEditor, TStrings* Values) {
    asked.emplace_back(ACol, ARow);
    AEditor = fceComboList;
    Values->Add(u"Head");
    Values->Add(u"Other");
  };
  const TPoint p = t.Mid(2, 0);
  t.f.driver.DblClick(t.g, p.X, p.Y);
  EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{2, 0}}));
  TGridTransCombo* combo = t.g->FixedCellCombo();
  ASSERT_NE(combo, nullptr);
  EXPECT_TRUE(combo->Visible());
  EXPECT_EQ(combo->Style(), csDropDownList);
  EXPECT_EQ(combo->Items()->Count(), 2);
  EXPECT_EQ(Utf8(combo->Text()), "Head");
  EXPECT_EQ(combo->FEditCol, t.g->RealColIndex(2));
  EXPECT_FALSE(t.g->FixedCellEdit()->Visible());
}

TEST(AdvGridMouse, DisjunctCellsShiftKeepsOneEntryAndCtrlTwiceRemoves) {
  MouseGrid t;
  t.g->MouseActions()->SetDisjunctCellSelect(true);
  const TPoint a = t.Mid(2, 2);
  t.f.driver.MouseDown(t.g, a.X, a.Y, mbLeft, {ssCtrl});
  t.f.driver.MouseUp(t.g, a.X, a.Y, mbLeft, {ssCtrl});
  EXPECT_EQ(t.g->SelectedCellsCount(), 1);
  EXPECT_TRUE(t.g->GetSelectedCells(2, 2));
  t.f.driver.MouseDown(t.g, a.X, a.Y, mbLeft, {ssShift});
  t.f.driver.MouseUp(t.g, a.X, a.Y, mbLeft, {ssShift});
  EXPECT_EQ(t.g->SelectedCellsCount(), 1);
  t.f.driver.MouseDown(t.g, a.X, a.Y, mbLeft, {ssCtrl});
  t.f.driver.MouseUp(t.g, a.X, a.Y, mbLeft, {ssCtrl});
  EXPECT_EQ(t.g->SelectedCellsCount(), 0);
  EXPECT_FALSE(t.g->GetSelectedCells(2, 2));
}

TEST(AdvGridMouse, SelectedRowIsMinusOneBeyond) {
  MouseGrid t;
  t.g->SetSelection(TGridRect{1, 2, 3, 3});
  EXPECT_EQ(t.g->SelectedRowCount(), 2);
  const int expected[] = {2, 3, -1, -1};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(t.g->GetSelectedRow(i), expected[i]) << i;
  EXPECT_EQ(t.g->GetSelectedRow(-1), -1);
  t.g->MouseActions()->SetDisjunctRowSelect(true);
  t.g->SelectedRows()->Add(4);
  EXPECT_EQ(t.g->GetSelectedRow(0), 4);
  EXPECT_EQ(t.g->GetSelectedRow(1), -1);
}

TEST(AdvGridMouse, SizingAColumnShowsItsWidthAndReportsIt) {
  MouseGrid t;
  t.g->SetOptions(t.g->Options() | goColSizing);
  t.g->SetHintShowSizing(true);
  std::vector<std::pair<int, int>> sizing;
  t.g->OnColumnSizing = [&](TObject*, int ACol, int W) { sizing.emplace_back(ACol, W); };
  const TRect cr = t.g->CellRect(2, 0);
  t.f.driver.MouseDown(t.g, cr.Right, 5);
  t.f.driver.MouseMove(t.g, cr.Left + 80, 5);
  ASSERT_FALSE(sizing.empty());
  EXPECT_EQ(sizing.back(), std::make_pair(2, 80));
  THTMLHintWindow* w = t.g->ScrollHintWindow();
  EXPECT_TRUE(w->Active());
  EXPECT_EQ(Utf8(w->Caption()), "cw=<b>80</b>");
  t.f.driver.MouseUp(t.g, cr.Left + 80, 5);
  EXPECT_EQ(t.g->ColWidths(2), 80);
  EXPECT_FALSE(w->Active());
}

}  // namespace
