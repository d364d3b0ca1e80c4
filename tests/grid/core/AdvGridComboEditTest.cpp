// The grid's combo editor on a column grid: which item it opens on and what it reports, the
// commit and Escape, its placement, the keys, completion, the wheel, the drop width, and a table
// form that switches columns read-only from OnComboChange.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"
#include "platform/testing/FakeMetrics.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

constexpr int kListCol = 2;
constexpr int kEditCol = 3;

// Records the "GridEditDone" messages the grid posts itself (column, row).
class TDoneGrid : public TAdvColumnGrid {
 public:
  using TAdvColumnGrid::TAdvColumnGrid;
  std::vector<std::pair<uintptr_t, intptr_t>> DoneMessages;
  void WndProc(TMessage& m) override {
    if (m.Msg == GridEditDoneMessage()) DoneMessages.emplace_back(m.WParam, m.LParam);
    TAdvColumnGrid::WndProc(m);
  }
};

struct ComboForm : GridForm<TDoneGrid> {
  TObject objA, objB, objC;
  std::vector<std::string> log;

  ComboForm() {
    grid->SetColCount(10);
    grid->SetRowCount(6);
    grid->SetOptions(grid->Options() | goEditing);
    for (int c : {kListCol, kEditCol}) {
      TGridColumnItem* col = grid->Columns()->Items(c);
      col->SetEditor(c == kListCol ? edComboList : edComboEdit);
      col->ComboItems()->AddObject(u"A", &objA);
      col->ComboItems()->AddObject(u"B", &objB);
      col->ComboItems()->AddObject(u"C", &objC);
    }
    grid->OnComboChange = [this](TObject*, int c, int r, int i, const String& s) {
      log.push_back("combo " + std::to_string(c) + "," + std::to_string(r) + " " + std::to_string(i) + " " + Utf8(s));
    };
    grid->OnComboObjectChange = [this](TObject*, int, int, int i, const String&, TObject* o) {
      const char* name = o == &objA ? "A" : o == &objB ? "B" : o == &objC ? "C" : "-";
      log.push_back("object " + std::to_string(i) + " " + name);
    };
  }
  TGridCombo* combo() const { return grid->Combobox(); }
  bool open() const { return combo()->Visible() && grid->InEditMode(); }
  // Puts Text into (RCol, DRow), makes it current and opens its editor.
  void Edit(int DCol, int DRow, const String& Text) {
    grid->SetCellEx(grid->RealColIndex(DCol), DRow, Text);
    grid->GotoCell(DCol, DRow);
    grid->SetFocus();
    log.clear();
    grid->ShowInplaceEdit();
  }
  void Key(Word vk, TShiftState shift = {}) { driver.Key(form, vk, shift); }
  std::string Cell(int RCol, int DRow) const { return Utf8(grid->GetCellEx(RCol, DRow)); }
};

TEST(AdvGridComboEdit, ListCellOpensOnItsItemAndReportsOnlyAChoiceItHadToMake) {
  struct Case {
    const char16_t* text;
    int preselect;
    int item;
    std::vector<std::string> events;
    const char* committed;
  };
  const Case cases[] = {
      {u"B", -1, 1, {}, "B"},
      {u"X", -1, 0, {"combo 2,1 0 A", "object 0 A"}, "A"},
      {u"X", 2, 2, {}, "C"},
      {u"B", 2, 1, {}, "B"},
      {u"<b>B</b>", -1, 1, {"combo 2,1 1 B", "object 1 B"}, "B"},
  };
  for (const Case& c : cases) {
    ComboForm f;
    f.grid->SetComboSelection(c.preselect);
    f.Edit(kListCol, 1, c.text);
    ASSERT_TRUE(f.open()) << Utf8(c.text);
    EXPECT_EQ(f.combo()->Style(), csDropDownList);
    EXPECT_EQ(f.combo()->ItemIndex(), c.item) << Utf8(c.text);
    EXPECT_EQ(f.log, c.events) << Utf8(c.text);
    EXPECT_EQ(f.grid->GetCellEx(kListCol, 1), c.text);  // untouched until the commit
    f.grid->HideInplaceEdit();
    EXPECT_EQ(f.Cell(kListCol, 1), c.committed) << Utf8(c.text);
    EXPECT_FALSE(f.combo()->Visible());
  }
}

TEST(AdvGridComboEdit, EscapeKeepsTheCellsOwnText) {
  struct Case {
    const char16_t* text;
    bool chooseC;
    const char* after;
  };
  const Case cases[] = {{u"B", true, "B"}, {u"X", false, "X"}, {u"X", true, "X"}};
  for (const Case& c : cases) {
    ComboForm f;
    f.Edit(kListCol, 1, c.text);
    if (c.chooseC) {
      f.combo()->SetItemIndex(1);
      f.Key(VK_DOWN);  // the user moves to C
      ASSERT_EQ(f.combo()->ItemIndex(), 2);
    }
    f.Key(VK_ESCAPE);
    EXPECT_FALSE(f.open());
    EXPECT_EQ(f.Cell(kListCol, 1), c.after) << Utf8(c.text);
  }
}

TEST(AdvGridComboEdit, EditorPropertyHandlerFillsTheListBeforeTheChoice) {
  ComboForm f;
  f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
    f.grid->ClearComboString();
    f.grid->AddComboString(u"P");
    f.grid->AddComboString(u"Q");
  };
  f.Edit(kListCol, 2, u"Q");
  EXPECT_EQ(f.combo()->ItemIndex(), 1);
  EXPECT_TRUE(f.log.empty());
}

TEST(AdvGridComboEdit, EditorTypeHandlerGivesItsOwnListToSomeColumns) {
  ComboForm f;
  f.grid->SetColCount(14);
  std::vector<int> asked;
  f.grid->OnGetEditorType = [&](TObject*, int ACol, int, TEditorType& AEditor) {
    asked.push_back(ACol);
    if (ACol != 5 && ACol != 10 && ACol != 12) return;
    AEditor = edComboList;
    f.grid->ClearComboString();
    f.grid->AddComboString(u"On");
    f.grid->AddComboString(u"Off");
  };
  for (int col : {4, 5, 10, 11, 12}) {
    f.Edit(col, 1, u"Off");
    const bool combo = col == 5 || col == 10 || col == 12;
    EXPECT_EQ(f.combo()->Visible(), combo) << col;
    EXPECT_EQ(f.grid->CurrentEditor(), combo ? edComboList : edNormal) << col;
    if (combo) {
      EXPECT_EQ(f.combo()->Items()->Count(), 2);
      EXPECT_EQ(f.combo()->ItemIndex(), 1);
    }
    f.grid->HideInplaceEdit();
    f.grid->HideEditor();
  }
  EXPECT_EQ(asked, (std::vector<int>{4, 5, 10, 11, 12}));
}

TEST(AdvGridComboEdit, HiddenColumnGivesTheRealColumnToEveryEvent) {
  ComboForm f;
  std::vector<int> cols;
  f.grid->OnGetEditorType = [&](TObject*, int ACol, int, TEditorType&) { cols.push_back(ACol); };
  f.grid->OnEditingDone = [&](TObject*) { cols.push_back(-1); };
  f.grid->HideColumn(1);  // real column 2 shows at display column 1
  f.Edit(1, 3, u"X");
  EXPECT_EQ(f.log, (std::vector<std::string>{"combo 2,3 0 A", "object 0 A"}));
  f.grid->HideInplaceEdit();
  f.driver.DrainPosted();
  EXPECT_EQ(cols, (std::vector<int>{2, -1}));
  EXPECT_EQ(f.grid->DoneMessages, (std::vector<std::pair<uintptr_t, intptr_t>>{{2, 3}}));
  EXPECT_EQ(f.Cell(2, 3), "A");
}

TEST(AdvGridComboEdit, PlacedOverTheCellWithRoomForItsList) {
  for (bool direct : {false, true}) {
    ComboForm f;
    f.grid->Columns()->Items(kEditCol)->SetDropDownCount(5);  // the column decides the count
    f.grid->MouseActions()->SetDirectComboDrop(direct);
    f.Edit(kEditCol, 2, u"B");
    const TRect r = f.grid->CellRect(kEditCol, 2);
    const int w = r.Right - r.Left - 1, h = r.Bottom - r.Top - 1;
    EXPECT_EQ(f.combo()->Left(), r.Left);
    EXPECT_EQ(f.combo()->Top(), r.Top);
    EXPECT_EQ(f.combo()->Width(), w);
    EXPECT_EQ(f.combo()->Height(), f.combo()->ItemHeight() * 6 + h);
    EXPECT_EQ(f.combo()->DroppedDown(), direct);
    EXPECT_EQ(f.combo()->Parent(), f.grid);
  }
}

// Opening with DirectEdit and DirectComboDrop both on reports the current selection once; either
// alone reports nothing.
TEST(AdvGridComboEdit, DirectEditAndDropReportTheSelectionOnOpening) {
  struct Case {
    bool directEdit, directDrop;
    int reports;
  };
  const Case cases[] = {{true, true, 1}, {true, false, 0}, {false, true, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.directEdit) + std::to_string(c.directDrop));
    ComboForm f;
    f.grid->MouseActions()->SetDirectEdit(c.directEdit);
    f.grid->MouseActions()->SetDirectComboDrop(c.directDrop);
    std::vector<std::vector<int>> reports;
    f.grid->OnSelectionChanged = [&](TObject*, int l, int t, int r, int b) { reports.push_back({l, t, r, b}); };
    f.Edit(kListCol, 3, u"B");
    ASSERT_TRUE(f.open());
    ASSERT_EQ(static_cast<int>(reports.size()), c.reports);
    if (c.reports) {
      EXPECT_EQ(reports[0], (std::vector<int>{kListCol, 3, kListCol, 3}));
    }
  }
}

// The key outcomes with the default settings: whether the editor stays open, where the current
// cell goes, and which item the list shows.
TEST(AdvGridComboEdit, KeyOutcomes) {
  struct Case {
    bool list;
    bool dropped;
    Word key;
    bool staysOpen;
    int dcol;
    int drow;
    int item;  // -1: not checked
  };
  const Case cases[] = {
      {false, false, VK_RETURN, false, 0, 0, -1}, {true, false, VK_RETURN, false, 0, 0, -1},
      {false, true, VK_RETURN, false, 0, 0, -1},  {true, true, VK_RETURN, false, 0, 0, -1},
      {false, false, VK_UP, false, 0, -1, -1},    {false, false, VK_DOWN, false, 0, 1, -1},
      {true, false, VK_UP, true, 0, 0, 0},        {true, false, VK_DOWN, true, 0, 0, 2},
      {true, true, VK_DOWN, true, 0, 0, 2},       {false, false, VK_NEXT, false, 0, 0, -1},
      {true, false, VK_NEXT, true, 0, 0, 2},      {false, false, VK_LEFT, true, 0, 0, -1},
      {true, false, VK_LEFT, false, -1, 0, -1},   {true, false, VK_RIGHT, false, 1, 0, -1},
      {false, true, VK_RIGHT, false, 1, 0, -1},   {true, false, VK_END, true, 0, 0, 2},
  };
  for (const Case& c : cases) {
    ComboForm f;
    const int col = c.list ? kListCol : kEditCol;
    f.Edit(col, 2, u"B");
    if (c.dropped) f.combo()->SetDroppedDown(true);
    f.Key(c.key);
    const std::string what = std::to_string(c.list) + std::to_string(c.dropped) + " key " + std::to_string(c.key);
    EXPECT_EQ(f.open(), c.staysOpen) << what;
    EXPECT_EQ(f.grid->Col(), col + c.dcol) << what;
    EXPECT_EQ(f.grid->Row(), 2 + c.drow) << what;
    if (c.item >= 0) {
      EXPECT_EQ(f.combo()->ItemIndex(), c.item) << what;
    }
    if (!c.staysOpen) {
      EXPECT_EQ(f.Cell(col, 2), "B") << what;
    }
  }
}

TEST(AdvGridComboEdit, EscapeAndAltDown) {
  for (bool list : {false, true}) {
    ComboForm f;
    f.Edit(list ? kListCol : kEditCol, 2, u"B");
    f.Key(VK_DOWN, {ssAlt});
    EXPECT_TRUE(f.combo()->DroppedDown());
    f.Key(VK_DOWN, {ssAlt});
    EXPECT_FALSE(f.combo()->DroppedDown());
    if (!list) f.driver.Type(f.form, u"x");
    f.Key(VK_ESCAPE);
    EXPECT_FALSE(f.open());
    EXPECT_EQ(f.Cell(list ? kListCol : kEditCol, 2), "B");
  }
}

TEST(AdvGridComboEdit, UpWithoutComboUpDownCommitsAndMovesUp) {
  ComboForm f;
  f.grid->Navigation()->SetComboGetUpDown(false);
  f.grid->SetCellEx(kEditCol, 1, u"above");
  f.Edit(kEditCol, 2, u"B");
  f.driver.Type(f.form, u"z");  // the whole text was selected when the combo took the focus
  f.Key(VK_UP);
  EXPECT_EQ(f.Cell(kEditCol, 2), "z");
  EXPECT_EQ(f.grid->Row(), 1);
  EXPECT_EQ(f.Cell(kEditCol, 1), "above");
}

TEST(AdvGridComboEdit, RejectedEnterKeepsTheEditorOnTheHandlersValue) {
  for (bool list : {false, true}) {
    ComboForm f;
    f.grid->OnCellValidate = [](TObject*, int, int, String& Value, bool& Valid) {
      Value = u"A";
      Valid = false;
    };
    const int col = list ? kListCol : kEditCol;
    f.Edit(col, 2, u"B");
    if (list) f.Key(VK_DOWN);
    else f.driver.Type(f.form, u"q");
    f.Key(VK_RETURN);
    EXPECT_TRUE(f.open()) << list;
    EXPECT_EQ(f.grid->Row(), 2);
    EXPECT_EQ(Utf8(f.combo()->Text()), "A") << list;
    if (list) {
      EXPECT_EQ(f.combo()->ItemIndex(), 0);
    }
  }
}

TEST(AdvGridComboEdit, TabWithGoTabsAdvancesAndShiftGoesBack) {
  for (bool shift : {false, true}) {
    ComboForm f;
    f.grid->SetOptions(f.grid->Options() | goTabs);
    f.Edit(kEditCol, 2, u"B");
    f.driver.Type(f.form, u"7");
    f.Key(VK_TAB, shift ? TShiftState{ssShift} : TShiftState{});
    EXPECT_FALSE(f.open());
    EXPECT_EQ(f.Cell(kEditCol, 2), "7");
    EXPECT_EQ(f.grid->Col(), shift ? kEditCol - 1 : kEditCol + 1) << shift;
  }
}

TEST(AdvGridComboEdit, FocusMovingToAButtonCommitsBeforeTheGridsExit) {
  ComboForm f;
  TButton* button = New<TButton>(f.form);
  button->SetParent(f.form);
  button->SetBounds(10, 300, 80, 25);
  std::string atExit;
  f.grid->OnExit = [&](TObject*) { atExit = f.Cell(kListCol, 2); };
  f.Edit(kListCol, 2, u"A");
  f.Key(VK_DOWN);
  button->SetFocus();
  EXPECT_EQ(atExit, "B");
  EXPECT_FALSE(f.combo()->Visible());
}

// A character typed on the grid opens the combo and reaches it as its first keystroke.
TEST(AdvGridComboEdit, TypedCharacterOpensTheComboAndReachesItFirst) {
  ComboForm f;
  f.grid->SetCellEx(kEditCol, 2, u"B");
  f.grid->GotoCell(kEditCol, 2);
  f.grid->SetFocus();
  f.driver.Character(f.form, u'7');
  f.driver.DrainPosted();
  ASSERT_TRUE(f.open());
  EXPECT_EQ(f.grid->StartEditChar(), 0);
  EXPECT_EQ(Utf8(f.combo()->Text()), "7");
}

TEST(AdvGridComboEdit, LookupCompletesFromTheItemsOnly) {
  struct Case {
    bool caseSensitive;
    const char16_t* typed;
    const char* text;
    int item;
    int selStart;
    int selLength;
  };
  const Case cases[] = {
      {false, u"b", "Beta", 1, 1, 3},
      {true, u"b", "b", -1, 1, 0},
      {true, u"Al", "Alpha", 0, 2, 3},
      {false, u"x", "x", -1, 1, 0},
  };
  for (const Case& c : cases) {
    ComboForm f;
    f.grid->SetLookup(true);
    f.grid->SetLookupCaseSensitive(c.caseSensitive);
    f.grid->OnGetEditorProp = [&](TObject*, int, int, TEditLink*) {
      f.grid->ClearComboString();
      f.grid->AddComboString(u"Alpha");
      f.grid->AddComboString(u"Beta");
    };
    f.Edit(kEditCol, 2, u"");
    f.driver.Type(f.form, c.typed);
    EXPECT_EQ(Utf8(f.combo()->Text()), c.text) << Utf8(c.typed);
    EXPECT_EQ(f.combo()->ItemIndex(), c.item) << Utf8(c.typed);
    EXPECT_EQ(f.combo()->SelStart(), c.selStart) << Utf8(c.typed);
    EXPECT_EQ(f.combo()->SelLength(), c.selLength) << Utf8(c.typed);
  }
}

TEST(AdvGridComboEdit, BackspaceDoesNotCompleteAgainAndLookupItemsComplete) {
  ComboForm f;
  f.grid->SetLookup(true);
  f.grid->LookupItems()->Add(u"Gamma");
  f.Edit(kEditCol, 2, u"");
  f.driver.Type(f.form, u"b");
  ASSERT_EQ(Utf8(f.combo()->Text()), "B");  // the column's item B, nothing left to select
  f.Key(VK_BACK);
  EXPECT_EQ(Utf8(f.combo()->Text()), "");
  f.driver.Type(f.form, u"g");
  EXPECT_EQ(Utf8(f.combo()->Text()), "gamma");
  EXPECT_EQ(f.combo()->ItemIndex(), -1);
  EXPECT_EQ(f.combo()->SelLength(), 4);
}

TEST(AdvGridComboEdit, LookupHistoryAddsANewWordOnce) {
  ComboForm f;
  f.grid->SetLookupHistory(true);
  f.Edit(kEditCol, 2, u"");
  f.driver.Type(f.form, u"Delta");
  f.grid->SetFocus();
  EXPECT_EQ(f.combo()->Items()->Count(), 4);
  EXPECT_EQ(f.Cell(kEditCol, 2), "Delta");
  f.grid->GotoCell(kEditCol, 2);
  f.grid->ShowInplaceEdit();  // the column refills the list; the shared list itself is kept here
  f.combo()->Items()->Add(u"Delta");
  const int n = f.combo()->Items()->Count();
  f.grid->SetFocus();
  EXPECT_EQ(f.combo()->Items()->Count(), n);
}

TEST(AdvGridComboEdit, WheelMovesWithinTheListAndAlwaysReports) {
  struct Case {
    int start;
    int delta;
    int item;
  };
  const Case cases[] = {{2, -120, 2}, {0, 120, 0}, {0, -120, 1}, {2, 120, 1}};
  for (const Case& c : cases) {
    ComboForm f;
    std::vector<std::string> edits;
    f.grid->OnEditChange = [&](TObject*, int col, int row, const String& v) {
      edits.push_back(std::to_string(col) + "," + std::to_string(row) + " " + Utf8(v));
    };
    f.Edit(kListCol, 1, u"A");
    f.combo()->SetItemIndex(c.start);
    f.log.clear();
    f.combo()->Perform(WM_MOUSEWHEEL, MakeWParam(0, static_cast<uint16_t>(c.delta)), 0);
    EXPECT_EQ(f.combo()->ItemIndex(), c.item);
    const std::string item(1, static_cast<char>('A' + c.item));
    EXPECT_EQ(edits, (std::vector<std::string>{"2,1 " + item}));
    EXPECT_EQ(f.log, (std::vector<std::string>{"combo 2,1 " + std::to_string(c.item) + " " + item,
                                               "object " + std::to_string(c.item) + " " + item}));
  }
}

TEST(AdvGridComboEdit, DropWidthFollowsTheLongestItem) {
  struct Case {
    int items;
    int longest;
    int width;
  };
  const Case cases[] = {{10, 90, 115}, {5, 94, 100}, {5, 96, 104}, {10, 70, 100}};
  TScopedFakeMetrics metrics(1);  // one pixel a character
  for (const Case& c : cases) {
    ComboForm f;
    TGridCombo* combo = f.combo();
    combo->SetDropDownCount(8);
    combo->SetWidth(100);
    combo->Items()->Clear();
    for (int i = 0; i < c.items; ++i) combo->Items()->Add(String(i == 3 ? c.longest : 10, u'x'));
    combo->SizeDropDownWidth();
    EXPECT_EQ(combo->DroppedWidth(), c.width) << c.items << " " << c.longest;
  }
}

TEST(AdvGridComboEdit, ComboClaimsItsKeysFromTheForm) {
  ComboForm f;
  auto claims = [&](Word k) { return f.combo()->Perform(CM_WANTSPECIALKEY, k, 0) != 0; };
  EXPECT_TRUE(claims(VK_RETURN));
  EXPECT_TRUE(claims(VK_ESCAPE));
  EXPECT_FALSE(claims(VK_TAB));
  f.grid->OnCellValidate = [](TObject*, int, int, String&, bool&) {};
  EXPECT_TRUE(claims(VK_TAB));
}

TEST(AdvGridComboEdit, OwnerMustBeAStringGrid) {
  TForm* form = New<TForm>(nullptr);
  EXPECT_THROW(TGridCombo combo(form), EInvalidCast);
  delete form;
}

// A LoRaWAN-shaped table: the kind of a device (column 5) decides whether its keys (columns 6 to
// 8) can be edited on that row.
TEST(AdvGridComboEdit, ComboChangeSwitchesColumnsOfItsRowOnly) {
  ComboForm f;
  TGridColumnItem* kind = f.grid->Columns()->Items(5);
  kind->SetEditor(edComboList);
  kind->ComboItems()->Add(u"OTAA");
  kind->ComboItems()->Add(u"ABP");
  f.grid->OnComboChange = [&](TObject*, int ACol, int ARow, int, const String& S) {
    if (ACol != 5) return;
    for (int c = 6; c <= 8; ++c) f.grid->SetReadOnly(c, ARow, S == u"ABP");
  };
  auto editable = [&](int c, int r) { return f.grid->IsEditable(c, r); };
  f.Edit(5, 2, u"OTAA");
  f.Key(VK_DOWN);  // ABP
  f.Key(VK_RETURN);
  EXPECT_EQ(f.Cell(5, 2), "ABP");
  for (int c = 6; c <= 8; ++c) {
    EXPECT_FALSE(editable(c, 2)) << c;
    EXPECT_TRUE(editable(c, 3)) << c;
  }
  f.Edit(5, 2, u"ABP");
  f.Key(VK_UP);  // OTAA
  f.Key(VK_RETURN);
  for (int c = 6; c <= 8; ++c) EXPECT_TRUE(editable(c, 2)) << c;
}

}  // namespace
