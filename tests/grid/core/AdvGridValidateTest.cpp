// Validation of an edit: what fires, what the cell keeps, what a refusal restores, the balloon,
// nesting, a raising handler and the focus leaving the grid.
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvInplaceEdit.h"
#include "platform/EditTips.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

struct EditRun {
  GridForm<TAdvStringGrid> f;
  TAdvStringGrid* g = f.grid;
  int validations = 0;
  std::vector<TRect> changed;
  std::vector<std::vector<int>> validatedCells;

  // Column 1 hidden: display column 2 is real column 3, where the edit happens, on row 2.
  EditRun() {
    g->HideColumn(1);
    g->SetCellEx(3, 2, u"old");
    g->OnCellsChanged = [this](TObject*, const TRect& R) { changed.push_back(R); };
    g->SetOptions(g->Options() | goEditing);
    g->SetFocus();
    g->GotoCell(2, 2);
  }
  void Handler(std::function<void(String&, bool&)> h) {
    g->OnCellValidate = [this, h](TObject*, int c, int r, String& v, bool& ok) {
      ++validations;
      validatedCells.push_back({c, r});
      if (h) h(v, ok);
    };
  }
  // Opens the editor, types the text over the selection and presses Enter.
  void Enter(const char* text) {
    g->ShowInplaceEdit();
    ASSERT_TRUE(g->EditorMode());
    f.driver.Type(f.form, Utf8ToString(text));
    f.driver.Key(f.form, VK_RETURN);
  }
  TAdvInplaceEdit* Editor() const { return g->NormalEdit(); }
};

TEST(AdvGridValidate, OutcomesOfOneEdit) {
  struct Case {
    const char* name;
    const char* typed;
    bool always;
    std::function<void(String&, bool&)> handler;
    int validations;
    const char* cell;
    size_t cellsChanged;
    bool editorOpen;
    const char* editorText;
    bool rowMarked;
  };
  const Case cases[] = {
      {"unchanged fires nothing", "old", false, nullptr, 0, "old", 0, false, "", false},
      {"AlwaysValidate fires the event only", "old", true, nullptr, 1, "old", 0, false, "", false},
      {"handler corrects", "abc", false, [](String& v, bool&) { v = u"ABC"; }, 1, "ABC", 1, false, "", true},
      {"refusal keeps the old text", "bad", false, [](String&, bool& ok) { ok = false; }, 1, "old", 0, true, "bad",
       false},
      {"refusal with a change writes it", "bad", false,
       [](String& v, bool& ok) {
         v = u"fixed";
         ok = false;
       },
       1, "fixed", 0, true, "fixed", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EditRun t;
    t.g->SetAlwaysValidate(c.always);
    t.Handler(c.handler);
    t.Enter(c.typed);
    EXPECT_EQ(t.validations, c.validations);
    for (const auto& cell : t.validatedCells) {
      EXPECT_EQ(cell, (std::vector<int>{3, 2}));
    }
    EXPECT_EQ(Utf8(t.g->GetCellEx(3, 2)), c.cell);
    ASSERT_EQ(t.changed.size(), c.cellsChanged);
    if (c.cellsChanged) {
      EXPECT_EQ(t.changed[0], (TRect{3, 2, 3, 2}));
    }
    EXPECT_EQ(t.g->EditorMode(), c.editorOpen);
    EXPECT_EQ(t.g->Col(), 2);
    EXPECT_EQ(t.g->Row(), 2);
    if (c.editorOpen) {
      EXPECT_EQ(Utf8(t.Editor()->Text()), c.editorText);
      EXPECT_FALSE(t.g->LastValidation());
    }
    EXPECT_EQ(t.g->GetRowModified(2), c.rowMarked);
    EXPECT_EQ(t.g->GridModified(), c.rowMarked);
  }
}

TEST(AdvGridValidate, RefusalRestoresModifiedAndTheRowMarkAndShowsTheBalloon) {
  EditRun t;
  t.g->SetModified(false);
  t.g->SetInvalidEntryTitle(u"Invalid");
  t.g->SetInvalidEntryText(u"Digits only");
  t.g->SetInvalidEntryIcon(ieError);
  t.Handler([&](String&, bool& ok) {
    t.g->SetModified(true);
    ok = false;
  });
  t.Enter("bad");
  EXPECT_FALSE(t.g->Modified());
  EXPECT_FALSE(t.g->GetRowModified(2));
  EXPECT_EQ(t.g->ModifiedRowCount(), 0);
  TEditBalloonTip tip;
  ASSERT_TRUE(Edit_BalloonTipShown(t.Editor(), &tip));
  EXPECT_EQ(Utf8(tip.Title), "Invalid");
  EXPECT_EQ(Utf8(tip.Text), "Digits only");
  EXPECT_EQ(tip.Icon, TTI_ERROR);
  EXPECT_FALSE(Edit_BalloonTipTakesFocus(t.Editor()));
  EXPECT_TRUE(t.Editor()->Focused());
  Edit_HideBalloonTip(t.Editor());
}

TEST(AdvGridValidate, RefusalWithoutTitleOrTextShowsNoBalloon) {
  EditRun t;
  t.Handler([](String&, bool& ok) { ok = false; });
  t.Enter("bad");
  EXPECT_FALSE(Edit_BalloonTipShown(t.Editor()));
}

TEST(AdvGridValidate, AValidationInsideAValidationAnswersTrue) {
  EditRun t;
  std::vector<bool> inner;
  t.Handler([&](String&, bool& ok) {
    inner.push_back(t.g->ValidateCell(u"zzz"));
    ok = false;
  });
  t.Enter("bad");
  EXPECT_EQ(inner, (std::vector<bool>{true}));
  EXPECT_EQ(t.validations, 1);
  EXPECT_EQ(Utf8(t.g->GetCellEx(3, 2)), "old");
}

TEST(AdvGridValidate, ARaisingHandlerLeavesTheGridConsistent) {
  EditRun t;
  t.Handler([](String&, bool&) { throw std::runtime_error("handler"); });
  t.g->ShowInplaceEdit();
  ASSERT_TRUE(t.g->Editing());
  EXPECT_THROW(t.g->ValidateCell(u"new"), std::runtime_error);
  EXPECT_FALSE(t.g->Validating());
  EXPECT_EQ(t.g->OldCol(), 2);
  EXPECT_EQ(t.g->OldRow(), 2);
}

TEST(AdvGridValidate, FocusLeavingWithARefusedValueKeepsTheOldTextAndCloses) {
  EditRun t;
  TEdit* other = New<TEdit>(t.f.form);
  other->SetParent(t.f.form);
  other->SetBounds(10, 300, 80, 20);
  int done = 0;
  t.g->OnEditingDone = [&](TObject*) { ++done; };
  t.Handler([](String&, bool& ok) { ok = false; });
  t.g->ShowInplaceEdit();
  t.f.driver.Type(t.f.form, u"bad");
  other->SetFocus();
  EXPECT_EQ(t.validations, 1);
  EXPECT_EQ(Utf8(t.g->GetCellEx(3, 2)), "old");
  EXPECT_FALSE(t.g->EditorMode());
  EXPECT_FALSE(t.g->InEditMode());
  EXPECT_TRUE(other->Focused());
  EXPECT_EQ(done, 1);
}

TEST(AdvGridValidate, NotifiersHearChangedCellsInRegistrationOrder) {
  class TLog : public TGridChangeNotifier {
   public:
    TLog(std::vector<int>* Log, int Id) : TGridChangeNotifier(nullptr), FLog(Log), FId(Id) {}
    void CellsChanged(const TRect& R) override { FLog->push_back(FId * 100 + R.Left); }

   private:
    std::vector<int>* FLog;
    int FId;
  };
  EditRun t;
  std::vector<int> log;
  TLog a(&log, 1), b(&log, 2);
  t.g->RegisterNotifier(&a);
  t.g->RegisterNotifier(&b);
  t.Enter("new");
  EXPECT_EQ(log, (std::vector<int>{103, 203}));
  t.g->UnRegisterNotifier(&a);
  t.g->UnRegisterNotifier(&b);
}

TEST(AdvGridValidate, AClickOnAnotherCellValidatesTheCellBeingLeftAndARefusalKeepsIt) {
  EditRun t;
  bool refuse = true;
  t.Handler([&](String&, bool& ok) { ok = !refuse; });
  t.g->ShowInplaceEdit();
  t.f.driver.Type(t.f.form, u"new");
  // The select-cell question validates while the editor does not hold the focus.
  t.g->SetFocus();
  t.g->SetEditing(true);
  t.g->MoveCurrentCell(3, 3);
  EXPECT_EQ(t.g->Col(), 2);
  EXPECT_EQ(t.g->Row(), 2);
  EXPECT_EQ(t.validations, 1);
}

}  // namespace
