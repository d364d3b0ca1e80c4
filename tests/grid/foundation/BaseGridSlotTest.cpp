// A cell's object slot holds either its properties or a plain user object put there through the
// string grid's own interface; the base grid must tell the two apart on every read.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "BaseGridTestSupport.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using basegrid_test::GridForm;
using basegrid_test::Utf8;

constexpr int kCol = 2, kRow = 3;

// A source list of six entries with Obj at Index.
void FillSource(TStringList& src, int Index, TObject* Obj) {
  for (int i = 0; i < 6; ++i) src.AddObject(u"s" + IntToStr(i), i == Index ? Obj : nullptr);
}

struct Door {
  const char* name;
  // Puts Obj into the slot of (kCol, kRow) through the plain string grid interface.
  std::function<void(TBaseGrid* g, TObject* Obj)> put;
};

const Door kDoors[] = {
    {"string grid SetObjects", [](TBaseGrid* g, TObject* o) { static_cast<TStringGrid*>(g)->SetObjects(kCol, kRow, o); }},
    {"SetGridObject", [](TBaseGrid* g, TObject* o) { g->SetGridObject(kCol, kRow, o); }},
    {"row view SetObjects", [](TBaseGrid* g, TObject* o) { g->Rows(kRow)->SetObjects(kCol, o); }},
    {"column view SetObjects", [](TBaseGrid* g, TObject* o) { g->Cols(kCol)->SetObjects(kRow, o); }},
    {"row view Assign",
     [](TBaseGrid* g, TObject* o) {
       TStringList src;
       FillSource(src, kCol, o);
       g->Rows(kRow)->Assign(&src);
     }},
    {"column view Assign",
     [](TBaseGrid* g, TObject* o) {
       TStringList src;
       FillSource(src, kRow, o);
       g->Cols(kCol)->Assign(&src);
     }},
    {"SetRows",
     [](TBaseGrid* g, TObject* o) {
       TStringList src;
       FillSource(src, kCol, o);
       g->SetRows(kRow, &src);
     }},
    {"SetCols",
     [](TBaseGrid* g, TObject* o) {
       TStringList src;
       FillSource(src, kRow, o);
       g->SetCols(kCol, &src);
     }},
    {"row view AddObject",
     [](TBaseGrid* g, TObject* o) {
       TStrings* row = g->Rows(kRow);
       row->Clear();
       for (int c = 0; c < kCol; ++c) row->SetStrings(c, u"taken");
       ASSERT_EQ(row->AddObject(u"added", o), kCol);
     }},
    {"row view Exchange",
     [](TBaseGrid* g, TObject* o) {
       g->Rows(kRow)->SetObjects(kCol + 2, o);
       g->Rows(kRow)->Exchange(kCol, kCol + 2);
     }},
    {"CopyRowCells",
     [](TBaseGrid* g, TObject* o) {
       g->Rows(1)->SetObjects(kCol, o);
       g->CopyRowCells(1, kRow, g->ColCount());
       g->Rows(1)->SetObjects(kCol, nullptr);
     }},
    {"MoveRow", [](TBaseGrid* g, TObject* o) {
       g->Rows(0)->SetObjects(kCol, o);
       g->MoveRow(0, kRow);
     }},
    {"MoveColumn", [](TBaseGrid* g, TObject* o) {
       g->Cols(0)->SetObjects(kRow, o);
       g->MoveColumn(0, kCol);
     }},
};

TEST(BaseGridSlotTest, UserObjectsFromEveryDoorReadBackAsUserObjects) {
  for (const Door& d : kDoors) {
    SCOPED_TRACE(d.name);
    // Declared before the grid: the grid dies first and must not have freed it.
    TStringList user;
    user.Add(u"line one");
    user.Add(u"line two");
    GridForm f;
    TBaseGrid* g = f.grid;
    g->SetGridCell(kCol, kRow, u"text");
    d.put(g, &user);
    ASSERT_EQ(g->GetGridObject(kCol, kRow), &user);
    String text = g->GetGridCell(kCol, kRow);

    EXPECT_FALSE(g->HasCellProperties(kCol, kRow));
    EXPECT_EQ(g->GetObjectEx(kCol, kRow), &user);
    EXPECT_EQ(g->Objects(kCol, kRow), &user);
    EXPECT_EQ(g->GetGraphicObjectEx(kCol, kRow), nullptr);
    EXPECT_TRUE(g->IsBaseCell(kCol, kRow));
    EXPECT_FALSE(g->IsMergedCell(kCol, kRow));
    EXPECT_FALSE(g->IsXMergedCell(kCol, kRow));
    EXPECT_EQ(g->BaseCell(kCol, kRow), Point(kCol, kRow));
    EXPECT_EQ(g->CellSpan(kCol, kRow), Point(0, 0));
    EXPECT_EQ(g->CellExt(kCol, kRow), Point(0, 0));
    EXPECT_EQ(g->CellRect(kCol, kRow), Rect(100, 60, 150, 80));
    EXPECT_EQ(g->GetCellEx(kCol, kRow), text);
    g->SetCellEx(kCol, kRow, u"written");
    EXPECT_EQ(Utf8(g->GetGridCell(kCol, kRow)), "written");
    TRecordingCanvas cv;
    g->DoPaintCell(&cv, kCol, kRow, g->CellRect(kCol, kRow), TGridDrawState{}, true);
    g->SetCol(kCol);
    g->SetRow(kRow);
    f.Key(VK_RIGHT);
    EXPECT_EQ(g->Col(), kCol + 1);
    EXPECT_EQ(g->OwnedCellPropertiesCount(), 0u);  // nothing invented by the reads

    // Freeing properties leaves a user object where it is.
    g->FreeCellProperties(kCol, kRow);
    g->SetHasCellProps(true);
    g->FreeAllCellProperties();
    EXPECT_EQ(g->GetObjectEx(kCol, kRow), &user);

    // Properties made for the cell carry the user object that was there.
    TCellProperties* p = g->GetCellProperties(kCol, kRow);
    EXPECT_EQ(p->CellObject(), &user);
    EXPECT_TRUE(g->HasCellProperties(kCol, kRow));
    EXPECT_EQ(g->GetObjectEx(kCol, kRow), &user);
    EXPECT_EQ(g->OwnedCellPropertiesCount(), 1u);
    EXPECT_EQ(user.Count(), 2);
    EXPECT_EQ(Utf8(user.Strings(1)), "line two");
  }
}

// Merging over a cell that holds a user object, and replacing the slot by properties: the user
// object is neither lost to a read nor freed.
TEST(BaseGridSlotTest, MergingAndReplacingKeepTheUserObject) {
  TStringList user, other;
  GridForm f;
  TBaseGrid* g = f.grid;
  g->Rows(kRow)->SetObjects(kCol + 1, &user);
  g->MergeCells(kCol, kRow, 3, 1);
  EXPECT_EQ(g->GetObjectEx(kCol + 1, kRow), &user);
  EXPECT_EQ(g->BaseCell(kCol + 1, kRow), Point(kCol, kRow));

  g->Cols(0)->SetObjects(0, &other);
  g->SetCellProperties(0, 0, new TCellProperties(g, 0, 0));
  EXPECT_TRUE(g->HasCellProperties(0, 0));
  EXPECT_EQ(g->GetObjectEx(0, 0), nullptr);
  other.Add(u"still alive");
  EXPECT_EQ(other.Count(), 1);
}

}  // namespace
