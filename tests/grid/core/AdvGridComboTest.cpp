// Combo strings: the item list of the shared combo editor, the preselection, and the cell's
// item index through the list the application fills.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"

namespace {

using advgrid_test::Utf8;

struct ComboGrid {
  TAdvStringGrid* g = New<TAdvStringGrid>(nullptr);
  ~ComboGrid() { delete g; }
  TStringList* items() const { return g->Combobox()->Items(); }
};

TEST(AdvGridCombo, FillingAndClearingTheSharedList) {
  ComboGrid t;
  ASSERT_NE(t.g->Combobox(), nullptr);
  t.g->AddComboString(u"Int");
  t.g->AddComboString(u"String");
  TObject tag;
  t.g->AddComboStringObject(u"Other", &tag);
  EXPECT_EQ(t.g->GetComboCount(), 3);
  EXPECT_EQ(t.items()->Objects(2), &tag);
  t.g->ClearComboString();
  EXPECT_EQ(t.g->GetComboCount(), 0);
}

TEST(AdvGridCombo, RemovingTakesTheFirstEqualItemOnly) {
  ComboGrid t;
  TObject first, second;
  t.g->AddComboStringObject(u"a", &first);
  t.g->AddComboString(u"b");
  t.g->AddComboStringObject(u"A", &second);  // equal: the list compares without case
  EXPECT_TRUE(t.g->RemoveComboString(u"a"));
  ASSERT_EQ(t.g->GetComboCount(), 2);
  EXPECT_EQ(Utf8(t.items()->Strings(0)), "b");
  EXPECT_EQ(t.items()->Objects(1), &second);
  EXPECT_FALSE(t.g->RemoveComboString(u"zz"));
  EXPECT_EQ(t.g->GetComboCount(), 2);
}

TEST(AdvGridCombo, SelectionByStringAndByIndex) {
  ComboGrid t;
  EXPECT_EQ(t.g->ComboSelection(), -1);
  for (const char16_t* s : {u"x", u"y", u"z"}) t.g->AddComboString(s);
  EXPECT_TRUE(t.g->SetComboSelectionString(u"z"));
  EXPECT_EQ(t.g->ComboSelection(), 2);
  EXPECT_FALSE(t.g->SetComboSelectionString(u"w"));
  EXPECT_EQ(t.g->ComboSelection(), 2);  // unchanged
  t.g->SetComboSelection(17);          // not range checked
  EXPECT_EQ(t.g->ComboSelection(), 17);
}

TEST(AdvGridCombo, CellIndexThroughTheListTheApplicationFills) {
  ComboGrid t;
  std::vector<std::pair<int, int>> asked;
  t.g->OnGetEditorProp = [&](TObject*, int ACol, int ARow, TEditLink* Link) {
    EXPECT_EQ(Link, nullptr);
    asked.emplace_back(ACol, ARow);
    t.g->ClearComboString();
    for (const char16_t* s : {u"None", u"Float", u"Float * 10"}) t.g->AddComboString(s);
  };
  int internal = 0;
  t.g->OnGetEditorPropInt = [&](TObject*, int, int) { ++internal; };

  t.g->SetCellEx(2, 3, u"float");
  EXPECT_EQ(t.g->GetComboIndex(2, 3), 1);
  t.g->SetCellEx(2, 4, u"Float / 10");
  EXPECT_EQ(t.g->GetComboIndex(2, 4), -1);

  t.g->SetComboIndex(1, 2, 2);
  EXPECT_EQ(Utf8(t.g->GetCellEx(1, 2)), "Float * 10");
  t.g->SetCellEx(1, 5, u"keep");
  EXPECT_THROW(t.g->SetComboIndex(1, 5, 3), EListError);
  EXPECT_THROW(t.g->SetComboIndex(1, 5, -1), EListError);
  EXPECT_EQ(Utf8(t.g->GetCellEx(1, 5)), "keep");  // nothing written

  const std::vector<std::pair<int, int>> want{{2, 3}, {2, 4}, {1, 2}, {1, 5}, {1, 5}};
  EXPECT_EQ(asked, want);
  EXPECT_EQ(internal, 5);
}

}  // namespace
