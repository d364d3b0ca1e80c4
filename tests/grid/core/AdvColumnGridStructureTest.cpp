// The column grid's inserted and removed columns carry their column items, and the grid classes
// can be made by name.
#include <gtest/gtest.h>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"
#include "platform/ClassRegistry.h"

namespace {

using advgrid_test::Utf8;

struct ColStructGrid {
  TAdvColumnGrid* g = New<TAdvColumnGrid>(nullptr);
  ColStructGrid() {
    for (int c = 0; c < g->ColCount(); ++c) {
      g->Columns()->Items(c)->SetName(u"c" + IntToStr(c));
      g->SetCellEx(c, 1, u"t" + IntToStr(c));
    }
  }
  ~ColStructGrid() { delete g; }
  std::string Names() const {
    std::string s;
    for (int i = 0; i < g->Columns()->Count(); ++i) s += Utf8(g->Columns()->Items(i)->Name()) + ",";
    return s;
  }
};

TEST(AdvColumnGridStructure, InsertedColumnsGetFreshItemsWhereTheCellsMoved) {
  ColStructGrid t;
  t.g->Columns()->Items(1)->SetEditor(edComboList);
  t.g->InsertCols(2, 2);
  EXPECT_EQ(t.g->ColCount(), 7);
  EXPECT_EQ(t.Names(), "c0,c1,,,c2,c3,c4,");
  EXPECT_EQ(t.g->Columns()->Items(2)->Editor(), edNormal);  // creation values, not the neighbour's
  EXPECT_EQ(Utf8(t.g->GetCellEx(4, 1)), "t2");
  EXPECT_EQ(Utf8(t.g->Columns()->Items(4)->GetRows(1)), "t2");
}

TEST(AdvColumnGridStructure, RemovedColumnsTakeTheirItemsAlong) {
  ColStructGrid t;
  t.g->RemoveCols(1, 2);
  EXPECT_EQ(t.g->ColCount(), 3);
  EXPECT_EQ(t.Names(), "c0,c3,c4,");
  t.g->RemoveCols(2, 10);  // stops at the last column
  EXPECT_EQ(t.Names(), "c0,c3,");
  t.g->RemoveCols(-1, 1);
  EXPECT_EQ(t.Names(), "c0,c3,");
}

TEST(AdvColumnGridStructure, HiddenColumnsKeepTheirItemsThroughInsertAndRemove) {
  ColStructGrid t;
  t.g->HideColumn(3);
  t.g->InsertCols(1, 1);
  EXPECT_EQ(t.g->ColCount(), 5);
  EXPECT_EQ(t.g->NumHiddenColumns(), 1);
  EXPECT_EQ(t.Names(), "c0,,c1,c2,c3,c4,");
  EXPECT_TRUE(t.g->IsHiddenColumn(4));
  t.g->RemoveCols(4, 1);  // the hidden one
  EXPECT_EQ(t.g->NumHiddenColumns(), 0);
  EXPECT_EQ(t.g->ColCount(), 5);
  EXPECT_EQ(t.Names(), "c0,,c1,c2,c4,");
}

TEST(AdvColumnGridStructure, GridClassesAreMadeByName) {
  struct Case { const char16_t* name; const char* cls; };
  const Case cases[] = {{u"TAdvColumnGrid", "TAdvColumnGrid"},
                        {u"TAdvStringGrid", "TAdvStringGrid"},
                        {u"TGridColumnItem", "TGridColumnItem"},
                        {u"TGridColumnCollection", "TGridColumnCollection"}};
  TComponent owner(nullptr);
  for (const Case& c : cases) {
    TPersistent* made = FindClass(c.name)(&owner);
    ASSERT_NE(made, nullptr) << c.cls;
    EXPECT_EQ(Utf8(made->ClassName()), c.cls);
    if (!dynamic_cast<TComponent*>(made)) delete made;  // the owner frees the components
  }
  auto* grid = dynamic_cast<TAdvColumnGrid*>(FindClass(u"TAdvColumnGrid")(nullptr));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->Columns()->Count(), 5);  // made in both phases
  delete grid;
  EXPECT_FALSE(GetClass(u"TNoSuchGrid"));
  try {
    FindClass(u"TNoSuchGrid");
    ADD_FAILURE();
  } catch (const EClassNotFound& e) {
    EXPECT_EQ(Utf8(e.Message()), "Class TNoSuchGrid not found");
  }
}

}  // namespace
