#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "BaseGridTestSupport.h"
#include "grid/foundation/AdvUndo.h"

namespace {

using basegrid_test::GridForm;
using basegrid_test::Utf8;

// Runs a script of history operations on a grid whose cells start empty. "w c r text" writes a
// cell and registers the change as the grid pack does; "[" and "]" start and stop a sequence;
// "u" undoes, "r" redoes, "x" resets, "m n" sets the limit.
void RunScript(TAdvGridUndoRedo* h, TBaseGrid* g, const std::string& script) {
  std::istringstream in(script);
  std::string op;
  while (in >> op) {
    if (op == "w") {
      int c, r;
      std::string text;
      in >> c >> r >> text;
      String now = Utf8ToString(text);
      h->RegisterChange(c, r, g->GetCellEx(c, r), now);
      g->SetCellEx(c, r, now);
    } else if (op == "[") {
      h->StartSequence();
    } else if (op == "]") {
      h->StopSequence();
    } else if (op == "u") {
      h->Undo();
    } else if (op == "r") {
      h->Redo();
    } else if (op == "x") {
      h->Reset();
    } else if (op == "m") {
      int n;
      in >> n;
      h->SetMaxLevel(n);
    }
  }
}

TEST(UndoRedoTest, HistoryEdgeCases) {
  struct Case {
    const char* script;
    int count, level;
    bool canUndo, canRedo;
    const char* c23;  // texts of cells (2,3) and (1,1) afterwards
    const char* c11;
  } cases[] = {
      {"w 2 3 a w 2 3 b", 2, 2, true, false, "b", ""},
      {"w 2 3 a w 2 3 b u", 2, 1, true, true, "a", ""},
      {"w 2 3 a w 2 3 b u r", 2, 2, true, false, "b", ""},
      {"w 2 3 a u u u", 1, 0, false, true, "", ""},           // never below level 0
      {"w 2 3 a u r r r", 1, 1, true, false, "a", ""},        // never above the count
      {"[ w 2 3 a w 1 1 b ]", 4, 4, true, false, "a", "b"},
      {"[ w 2 3 a w 1 1 b ] u", 4, 0, false, true, "", ""},   // one undo for the sequence
      {"[ w 2 3 a w 1 1 b ] u r", 4, 4, true, false, "a", "b"},
      {"w 2 3 a w 2 3 b u w 1 1 c", 2, 2, true, false, "a", "c"},  // the undone entry is dropped
      {"w 2 3 a [ w 1 1 b ] u u w 1 1 c", 1, 1, true, false, "", "c"},
      {"m 3 w 2 3 a w 2 3 b w 2 3 c w 2 3 d", 3, 3, true, false, "d", ""},
      {"m 3 w 2 3 a w 2 3 b w 2 3 c w 2 3 d u u u u", 3, 0, false, true, "a", ""},
      {"m 2 [ ] [ ]", 4, 4, true, false, "", ""},              // markers never drop entries
      {"w 2 3 a x", 0, 0, false, false, "a", ""},
      // An open sequence: undo steps back one change, redo runs to the end of the list.
      {"[ w 2 3 a w 1 1 b u", 3, 2, true, true, "a", ""},
      {"[ w 2 3 a w 1 1 b u u u", 3, 0, false, true, "", ""},
      {"[ w 2 3 a w 1 1 b u u u r", 3, 3, true, false, "a", "b"},
      // A sequence whose start marker the limit dropped: undo stops at the list's start.
      {"m 2 [ w 2 3 a w 1 1 b ] u", 3, 0, false, true, "", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.script);
    std::unique_ptr<TBaseGrid> g(New<TBaseGrid>(nullptr));
    g->SetColCount(6);
    g->SetRowCount(6);
    std::unique_ptr<TAdvGridUndoRedo> h(New<TAdvGridUndoRedo>(nullptr));
    g->SetUndoRedo(h.get());
    ASSERT_EQ(h->Grid(), g.get());
    RunScript(h.get(), g.get(), c.script);
    EXPECT_EQ(h->Items()->Count(), c.count);
    EXPECT_EQ(h->Level(), c.level);
    EXPECT_EQ(h->CanUndo(), c.canUndo);
    EXPECT_EQ(h->CanRedo(), c.canRedo);
    EXPECT_EQ(Utf8(g->GetCellEx(2, 3)), c.c23);
    EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), c.c11);
  }
}

TEST(UndoRedoTest, EventsSeeTheCellBeforeEachWriteAndTheCellBecomesCurrent) {
  GridForm f;
  std::unique_ptr<TAdvGridUndoRedo> h(New<TAdvGridUndoRedo>(nullptr));
  f.grid->SetUndoRedo(h.get());
  std::vector<std::string> log;
  h->OnUndo = [&](TObject* s, TBaseGrid* g, int c, int r, const String& orig, const String& now) {
    EXPECT_EQ(s, h.get());
    EXPECT_EQ(g, f.grid);
    log.push_back("undo " + std::to_string(c) + "," + std::to_string(r) + " " + Utf8(orig) + ">" + Utf8(now));
  };
  h->OnRedo = [&](TObject*, TBaseGrid*, int c, int r, const String& orig, const String& now) {
    log.push_back("redo " + std::to_string(c) + "," + std::to_string(r) + " " + Utf8(orig) + ">" + Utf8(now));
  };
  RunScript(h.get(), f.grid, "[ w 2 3 a w 4 1 b ]");
  f.grid->SetCol(0);
  f.grid->SetRow(0);
  h->Undo();
  EXPECT_EQ(f.grid->Col(), 2);
  EXPECT_EQ(f.grid->Row(), 3);
  h->Redo();
  EXPECT_EQ(f.grid->Col(), 4);
  EXPECT_EQ(f.grid->Row(), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"undo 4,1 b>", "undo 2,3 a>", "redo 2,3 >a", "redo 4,1 >b"}));
}

TEST(UndoRedoTest, WithoutAGridNothingChanges) {
  std::unique_ptr<TAdvGridUndoRedo> h(New<TAdvGridUndoRedo>(nullptr));
  int events = 0;
  h->OnUndo = [&](TObject*, TBaseGrid*, int, int, const String&, const String&) { ++events; };
  h->OnRedo = h->OnUndo;
  h->RegisterChange(2, 3, u"a", u"b");
  h->Undo();
  EXPECT_EQ(h->Level(), 1);
  h->SetLevel(0);
  h->Redo();
  EXPECT_EQ(h->Level(), 0);
  EXPECT_EQ(events, 0);
  h->SetLevel(7);  // kept within the history
  EXPECT_EQ(h->Level(), 1);
}

TEST(UndoRedoTest, AssigningTheComponentAgainPointsItBackAtTheGrid) {
  std::unique_ptr<TBaseGrid> g1(New<TBaseGrid>(nullptr)), g2(New<TBaseGrid>(nullptr));
  std::unique_ptr<TAdvGridUndoRedo> h(New<TAdvGridUndoRedo>(nullptr));
  g1->SetUndoRedo(h.get());
  g2->SetUndoRedo(h.get());
  EXPECT_EQ(h->Grid(), g2.get());
  g1->SetUndoRedo(h.get());
  EXPECT_EQ(h->Grid(), g1.get());
  EXPECT_EQ(g1->UndoRedo(), h.get());
  // Both grids still hold the component; both hear of its end.
  h.reset();
  EXPECT_EQ(g1->UndoRedo(), nullptr);
  EXPECT_EQ(g2->UndoRedo(), nullptr);
}

TEST(UndoRedoTest, AComponentLeftByItsGridStillHearsOfTheGridsEnd) {
  std::unique_ptr<TAdvGridUndoRedo> h1(New<TAdvGridUndoRedo>(nullptr)), h2(New<TAdvGridUndoRedo>(nullptr));
  std::unique_ptr<TBaseGrid> g(New<TBaseGrid>(nullptr));
  g->SetUndoRedo(h1.get());
  h2->SetGrid(g.get());
  g->SetUndoRedo(h2.get());  // h1 still names the grid
  EXPECT_EQ(h1->Grid(), g.get());
  g.reset();
  EXPECT_EQ(h1->Grid(), nullptr);
  EXPECT_EQ(h2->Grid(), nullptr);
}

TEST(UndoRedoTest, GridAndHistoryForgetEachOtherWhenFreed) {
  auto h = std::unique_ptr<TAdvGridUndoRedo>(New<TAdvGridUndoRedo>(nullptr));
  {
    std::unique_ptr<TBaseGrid> g(New<TBaseGrid>(nullptr));
    g->SetUndoRedo(h.get());
    h->RegisterChange(1, 1, u"", u"x");
  }
  EXPECT_EQ(h->Grid(), nullptr);
  h->Undo();  // no grid left: nothing happens
  EXPECT_EQ(h->Level(), 1);

  std::unique_ptr<TBaseGrid> g(New<TBaseGrid>(nullptr));
  g->SetUndoRedo(h.get());
  h.reset();
  EXPECT_EQ(g->UndoRedo(), nullptr);
}

}  // namespace
