#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "BaseGridTestSupport.h"
#include "grid/foundation/ZazAdez.h"

namespace {

using basegrid_test::GridForm;
using basegrid_test::Utf8;

std::unique_ptr<TBaseGrid> MakeGrid(int cols = 6, int rows = 6) {
  std::unique_ptr<TBaseGrid> g(New<TBaseGrid>(nullptr));
  g->SetColCount(cols);
  g->SetRowCount(rows);
  g->SetFixedCols(0);
  g->SetFixedRows(0);
  return g;
}

// Counts its own destructions; the grid frees a graphic object only when its class is the
// string grid core's cell graphic.
struct Counted : TObject {
  Counted(int* n, const char16_t* cls) : n_(n), cls_(cls) {}
  ~Counted() override { ++*n_; }
  String ClassName() const override { return cls_; }
  int* n_;
  String cls_;
};

TEST(BaseGridCellsTest, MergedRangeResolvesEveryMemberToItsBaseCell) {
  auto g = MakeGrid();
  g->SetGridCell(3, 2, u"before");
  g->MergeCells(1, 1, 3, 2);
  EXPECT_EQ(g->MergeCount(), 1);

  TCellProperties* base = g->GetCellProperties(1, 1);
  EXPECT_TRUE(base->IsBaseCell());
  EXPECT_EQ(base->CellSpanX(), 2);
  EXPECT_EQ(base->CellSpanY(), 1);
  TCellProperties* last = g->GetCellProperties(3, 2);
  EXPECT_FALSE(last->IsBaseCell());
  EXPECT_EQ(last->CellSpanX(), 2);
  EXPECT_EQ(last->CellSpanY(), 1);

  EXPECT_EQ(g->BaseCell(3, 2), Point(1, 1));
  EXPECT_EQ(g->CellSpan(3, 2), Point(2, 1));
  EXPECT_EQ(g->CellExt(2, 1), Point(1, 1));
  EXPECT_EQ(g->FullCell(2, 2), Rect(1, 1, 3, 2));
  int bc = -9, br = -9;
  EXPECT_FALSE(g->BaseCellInfo(2, 2, bc, br));
  EXPECT_EQ(bc, 1);
  EXPECT_EQ(br, 1);
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 2; ++r) {
      SCOPED_TRACE(std::to_string(c) + "," + std::to_string(r));
      EXPECT_TRUE(g->IsMergedCell(c, r));
      EXPECT_EQ(g->IsMergedNonBaseCell(c, r), !(c == 1 && r == 1));
      EXPECT_TRUE(g->IsXMergedCell(c, r));
      EXPECT_TRUE(g->IsYMergedCell(c, r));
    }
  }
  EXPECT_FALSE(g->IsMergedCell(4, 1));
  EXPECT_EQ(g->BaseCell(4, 1), Point(4, 1));

  g->SetCellEx(3, 2, u"x");
  EXPECT_EQ(Utf8(g->GetGridCell(1, 1)), "x");
  for (int c = 1; c <= 3; ++c)
    for (int r = 1; r <= 2; ++r) EXPECT_EQ(Utf8(g->GetCellEx(c, r)), "x");
  EXPECT_EQ(Utf8(g->GetGridCell(3, 2)), "before");
}

TEST(BaseGridCellsTest, MergeShapesAndSplitting) {
  auto g = MakeGrid();
  // One cell: a base cell with spans (0, 0) that does not count as merged.
  g->MergeCells(4, 4, 1, 1);
  EXPECT_EQ(g->GetCellProperties(4, 4)->CellSpanX(), 0);
  EXPECT_FALSE(g->IsMergedCell(4, 4));
  // One column over three rows.
  g->MergeCells(0, 0, 1, 3);
  for (int r = 0; r < 3; ++r) {
    EXPECT_TRUE(g->IsYMergedCell(0, r));
    EXPECT_FALSE(g->IsXMergedCell(0, r));
  }
  EXPECT_EQ(g->MergeCount(), 2);

  g->MergeCells(1, 1, 3, 2);
  g->SplitCells(2, 2);  // through a member
  EXPECT_EQ(g->MergeCount(), 2);
  for (int c = 1; c <= 3; ++c) {
    for (int r = 1; r <= 2; ++r) {
      TCellProperties* p = g->GetCellProperties(c, r);
      EXPECT_TRUE(p->IsBaseCell());
      EXPECT_EQ(p->CellSpanX(), -1);
      EXPECT_EQ(p->CellSpanY(), -1);
      EXPECT_FALSE(g->IsMergedCell(c, r));
    }
  }
  // An unmerged cell: no span changes, the counter still drops.
  g->SplitCells(5, 5);
  EXPECT_EQ(g->MergeCount(), 1);
  EXPECT_TRUE(g->HasCellProperties(5, 5));
  EXPECT_EQ(g->GetCellProperties(5, 5)->CellSpanX(), -1);
  EXPECT_TRUE(g->IsYMergedCell(0, 2));
}

TEST(BaseGridCellsTest, SpanIdentityOfRowsAndColumns) {
  auto g = MakeGrid();
  g->MergeCells(0, 0, 1, 3);  // column 0, rows 0..2
  g->MergeCells(2, 1, 1, 2);  // column 2, rows 1..2
  g->MergeCells(1, 4, 3, 1);  // row 4, columns 1..3
  struct Case { bool rows; int a, b; bool want; } cases[] = {
      {true, 1, 2, true},    // same vertical ranges wherever both are merged
      {true, 0, 1, true},    // column 2 merges only row 1: skipped
      {true, 2, 3, false},   // row 3 shares no vertical merge
      {true, 4, 5, false},
      {false, 1, 3, true},   // same horizontal range in row 4, unmerged elsewhere
      {false, 1, 4, false},  // column 4 is not merged in row 4
      {false, 0, 5, false},  // no shared horizontal merge
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.rows ? "rows " : "cols ") + std::to_string(c.a) + "," + std::to_string(c.b));
    EXPECT_EQ(c.rows ? g->RowSpanIdentical(c.a, c.b) : g->ColSpanIdentical(c.a, c.b), c.want);
  }
  EXPECT_EQ(g->MaxRowSpan(1), 2);
  EXPECT_EQ(g->MinRowSpan(1), 1);  // column 2 adds one row, column 0 two
  EXPECT_EQ(g->MinRowSpan(5), g->RowCount());
}

TEST(BaseGridCellsTest, DisplayTextEventsOnlyBelowTheNormalRowCount) {
  auto g = MakeGrid();
  std::vector<std::string> seen;
  g->OnGetDisplText = [&](TObject*, int c, int r, String& v) {
    seen.push_back(std::to_string(c) + "," + std::to_string(r));
    v += u"!";
  };
  g->SetGridCell(1, 1, u"a");
  g->SetGridCell(1, 4, u"b");
  g->MergeCells(1, 1, 2, 2);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 2)), "a");  // normal row count 0: no event
  EXPECT_TRUE(seen.empty());

  g->SetNormalRowCount(3);
  EXPECT_EQ(Utf8(g->GetCellEx(2, 2)), "a!");
  EXPECT_EQ(seen, std::vector<std::string>{"1,1"});  // the base cell's coordinates
  EXPECT_EQ(Utf8(g->GetCellEx(1, 4)), "b");
  EXPECT_EQ(Utf8(g->GetGridCell(1, 1)), "a");  // the stored text is left alone

  // Without the wide event the text is never packed.
  EXPECT_EQ(Utf8(g->GetCellEx(1, 1)), "a!");
  g->OnGetDisplWideText = [](TObject*, int, int, String& v) { v += u"\u00e9"; };
  EXPECT_EQ(g->GetCellEx(1, 1), PackUnicodeText(UnpackUnicodeText(u"a!") + u"\u00e9"));
}

TEST(BaseGridCellsTest, ObjectsKeepTheCellText) {
  auto g = MakeGrid();
  TObject obj;
  struct Case { const char16_t* text; } cases[] = {{u""}, {u"kept"}, {u" "}};
  int col = 0;
  for (const Case& c : cases) {
    g->SetGridCell(col, 0, c.text);
    g->SetObjectEx(col, 0, &obj);
    EXPECT_EQ(g->GetGridCell(col, 0), String(c.text));
    EXPECT_EQ(g->GetObjectEx(col, 0), &obj);
    EXPECT_EQ(g->GetGraphicObjectEx(col, 0), nullptr);
    ++col;
  }
  EXPECT_EQ(g->GetObjectEx(5, 5), nullptr);
}

TEST(BaseGridCellsTest, NewPropertiesTakeTheGridDefaults) {
  auto g = MakeGrid();
  g->Font()->SetName(u"Verdana");
  g->Font()->SetSize(10);
  g->Font()->SetColor(clRed);
  g->SetColor(clYellow);
  g->SetWordWrap(false);
  EXPECT_FALSE(g->HasCellProps());
  TCellProperties* p = g->GetCellProperties(2, 3);
  EXPECT_TRUE(g->HasCellProps());
  EXPECT_EQ(p->OwnerCol(), 2);
  EXPECT_EQ(p->OwnerRow(), 3);
  EXPECT_EQ(Utf8(p->FontName()), "Verdana");
  EXPECT_EQ(p->FontSize(), 10);
  EXPECT_EQ(p->FontColor(), clRed);
  EXPECT_EQ(p->BrushColor(), clYellow);
  EXPECT_EQ(p->BrushColorTo(), clNone);
  EXPECT_FALSE(p->WordWrap());
  EXPECT_EQ(p->Alignment(), taLeftJustify);
  EXPECT_EQ(p->VAlignment(), vtaTop);
  EXPECT_EQ(p->Editor(), edNormal);
  EXPECT_EQ(p->CellSpanX(), -1);
  EXPECT_EQ(g->GetCellProperties(2, 3), p);  // created once
}

TEST(BaseGridCellsTest, NewPropertiesTakeTheDefaultStyleAGridAnswers) {
  struct Grid : TBaseGrid {
    using TBaseGrid::TBaseGrid;
    std::vector<std::pair<int, int>> asked;
    TCellStyle GetDefaultCellProps(int c, int r) override {
      asked.emplace_back(c, r);
      TCellStyle s = TBaseGrid::GetDefaultCellProps(c, r);
      s.Color = 0x112233;
      s.ColorTo = 0x445566;
      s.MirrorColor = 0x778899;
      s.MirrorColorTo = 0xAABBCC;
      s.GradientDirection = GradientHorizontal;
      s.Font.SetName(u"Courier New");
      s.Font.SetSize(14);
      s.Font.SetColor(clNavy);
      s.Font.SetStyle(fsUnderline);
      s.Alignment = taRightJustify;
      s.VAlignment = vtaBottom;
      s.WordWrap = false;
      return s;
    }
  };
  std::unique_ptr<Grid> g(New<Grid>(nullptr));
  g->SetColCount(6);
  g->SetRowCount(6);
  TCellProperties* p = g->GetCellProperties(4, 2);
  EXPECT_EQ(g->asked, (std::vector<std::pair<int, int>>{{4, 2}}));
  EXPECT_EQ(p->BrushColor(), 0x112233);
  EXPECT_EQ(p->BrushColorTo(), 0x445566);
  EXPECT_EQ(p->GradientDirection(), GradientHorizontal);
  EXPECT_EQ(Utf8(p->FontName()), "Courier New");
  EXPECT_EQ(p->FontSize(), 14);
  EXPECT_EQ(p->FontColor(), clNavy);
  EXPECT_EQ(p->FontStyle(), TFontStyles(fsUnderline));
  EXPECT_EQ(p->Alignment(), taRightJustify);
  EXPECT_EQ(p->VAlignment(), vtaBottom);
  EXPECT_FALSE(p->WordWrap());
  EXPECT_EQ(p->CalcType(), acNONE);
}

// The style is a value: a copy carries every field and changing it leaves the source alone.
TEST(BaseGridCellsTest, CellStyleCopiesAreIndependentValues) {
  TCellStyle a;
  a.Color = 0x010203;
  a.ColorTo = 0x040506;
  a.MirrorColor = 0x070809;
  a.MirrorColorTo = 0x0A0B0C;
  a.GradientDirection = GradientHorizontal;
  a.Font.SetName(u"Verdana");
  a.Font.SetSize(12);
  a.Font.SetColor(clMaroon);
  a.Font.SetStyle(fsBold);
  a.Alignment = taCenter;
  a.VAlignment = vtaCenter;
  a.WordWrap = false;
  a.Borders = TCellBorders{cbLeft, cbBottom};
  a.BorderLines[cbBottom] = TCellBorderLine{clBlue, 2, psDot};
  TCellStyle b(a);
  TCellStyle c;
  c = a;
  for (const TCellStyle* s : {&b, &c}) {
    EXPECT_EQ(s->Color, a.Color);
    EXPECT_EQ(s->ColorTo, a.ColorTo);
    EXPECT_EQ(s->MirrorColor, a.MirrorColor);
    EXPECT_EQ(s->MirrorColorTo, a.MirrorColorTo);
    EXPECT_EQ(s->GradientDirection, GradientHorizontal);
    EXPECT_EQ(Utf8(s->Font.Name()), "Verdana");
    EXPECT_EQ(s->Font.Size(), 12);
    EXPECT_EQ(s->Font.Color(), clMaroon);
    EXPECT_EQ(s->Font.Style(), TFontStyles(fsBold));
    EXPECT_EQ(s->Alignment, taCenter);
    EXPECT_EQ(s->VAlignment, vtaCenter);
    EXPECT_FALSE(s->WordWrap);
    EXPECT_EQ(s->Borders, (TCellBorders{cbLeft, cbBottom}));
    EXPECT_EQ(s->BorderLines[cbBottom].Color, clBlue);
    EXPECT_EQ(s->BorderLines[cbBottom].Width, 2);
    EXPECT_EQ(s->BorderLines[cbBottom].Style, psDot);
  }
  b.Font.SetName(u"Tahoma");
  b.Font.SetStyle(TFontStyles());
  b.Color = clWhite;
  EXPECT_EQ(Utf8(a.Font.Name()), "Verdana");
  EXPECT_EQ(a.Font.Style(), TFontStyles(fsBold));
  EXPECT_EQ(a.Color, 0x010203);
}

TEST(BaseGridCellsTest, AssignCopiesTheListedFieldsOnly) {
  auto g = MakeGrid();
  TCellProperties* a = g->GetCellProperties(0, 0);
  TCellProperties* b = g->GetCellProperties(1, 1);
  a->SetBrushColor(clRed);
  a->SetBrushColorTo(clBlue);
  a->SetFontName(u"Tahoma");
  a->SetReadOnly(true);
  a->SetNodeLevel(3);
  a->SetCalcType(acSUM);
  a->SetGradientDirection(GradientHorizontal);
  b->Assign(a);
  EXPECT_EQ(b->BrushColor(), clRed);
  EXPECT_EQ(Utf8(b->FontName()), "Tahoma");
  EXPECT_TRUE(b->ReadOnly());
  EXPECT_EQ(b->NodeLevel(), 3);
  EXPECT_EQ(b->OwnerCol(), 0);
  EXPECT_EQ(b->BrushColorTo(), clNone);
  EXPECT_EQ(b->CalcType(), acNONE);
  EXPECT_EQ(b->GradientDirection(), GradientVertical);
}

TEST(BaseGridCellsTest, AlignmentDoesNotRepaintButBrushColourInvalidatesTheCell) {
  GridForm f;
  TCellProperties* p = f.grid->GetCellProperties(2, 1);
  f.grid->TakeInvalidatedRects();
  p->SetAlignment(taCenter);
  EXPECT_TRUE(f.grid->TakeInvalidatedRects().empty());
  p->SetBrushColor(clRed);
  std::vector<TRect> inv = f.grid->TakeInvalidatedRects();
  ASSERT_EQ(inv.size(), 1u);
  EXPECT_EQ(inv[0], Rect(100, 20, 150, 40));
}

TEST(BaseGridCellsTest, WritingAMergedMemberRepaintsAndNotifiesTheBaseCell) {
  struct Grid : TBaseGrid {
    using TBaseGrid::TBaseGrid;
    std::vector<std::pair<int, int>> changed;
    int lastRow = 0;
    void CellChanged(int c, int r) override { changed.emplace_back(c, r); }
    void LastRowChanged() override { ++lastRow; }
  };
  std::unique_ptr<Grid> g(New<Grid>(nullptr));
  g->SetColCount(6);
  g->SetRowCount(6);
  g->SetCellEx(2, 2, u"plain");
  EXPECT_TRUE(g->changed.empty());
  g->MergeCells(1, 1, 3, 2);
  g->SetCellEx(3, 2, u"x");
  EXPECT_EQ(g->changed, (std::vector<std::pair<int, int>>{{1, 1}}));
  g->SetHideLastRow(true);
  g->SetCellEx(0, 5, u"last");
  g->SetCellEx(0, 4, u"other");
  EXPECT_EQ(g->lastRow, 1);
}

// Faults mended: replacing a properties object by itself, and cells outside the grid.
TEST(BaseGridCellsTest, PropertiesSlotsStayConsistentAtTheEdges) {
  auto g = MakeGrid(4, 4);
  TCellProperties* p = g->GetCellProperties(1, 1);
  p->SetBrushColor(clRed);
  g->SetCellProperties(1, 1, p);
  EXPECT_EQ(g->GetCellProperties(1, 1), p);
  EXPECT_EQ(p->BrushColor(), clRed);

  size_t stored = g->StoredCellCount();
  struct Case { int c, r; } outside[] = {{-1, 0}, {0, -1}, {4, 0}, {0, 4}, {100, 100}};
  for (const Case& c : outside) {
    TCellProperties* q = g->GetCellProperties(c.c, c.r);
    ASSERT_NE(q, nullptr);
    q->SetBrushColor(clBlue);
    EXPECT_FALSE(g->HasCellProperties(c.c, c.r));
    g->MergeCells(c.c, c.r, 2, 2);
    g->SplitCells(c.c, c.r);
  }
  EXPECT_EQ(g->StoredCellCount(), stored);
  EXPECT_EQ(g->GetGridObject(4, 0), nullptr);
  // A range reaching beyond the grid is cut at its edge.
  g->MergeCells(2, 2, 5, 5);
  EXPECT_EQ(g->CellSpan(3, 3), Point(1, 1));
  EXPECT_EQ(g->GetGridObject(4, 4), nullptr);
  EXPECT_EQ(g->GetGridObject(5, 2), nullptr);
}

TEST(BaseGridCellsTest, TheGridFreesItsPropertiesWhereverTheyAre) {
  int graphicsFreed = 0;
  {
    auto g = MakeGrid(4, 4);
    Counted* own = new Counted(&graphicsFreed, u"TCellGraphic");
    Counted foreign(&graphicsFreed, u"TPicture");
    g->SetGraphicObjectEx(0, 0, own);
    g->SetGraphicObjectEx(1, 0, &foreign);
    g->FreeCellPropertiesRange(0, 0, 3, 0);
    EXPECT_EQ(graphicsFreed, 1);
    EXPECT_EQ(g->GetGridObject(1, 0), nullptr);
    EXPECT_EQ(g->OwnedCellPropertiesCount(), 0u);

    // Detached (a shifted row whose objects were moved away and lost) and replaced objects.
    g->GetCellProperties(0, 2)->SetGraphicObject(new Counted(&graphicsFreed, u"TCellGraphic"));
    g->GetCellProperties(1, 2);
    g->ResetRow(2);
    EXPECT_EQ(g->GetGridObject(0, 2), nullptr);
    g->SetCellProperties(3, 3, new TCellProperties(g.get(), 3, 3));
    g->SetCellProperties(3, 3, new TCellProperties(g.get(), 3, 3));
    g->SetCellProperties(2, 3, nullptr);
    EXPECT_EQ(g->OwnedCellPropertiesCount(), 3u);
    // A properties object from another grid changes hands.
    auto other = MakeGrid(2, 2);
    TCellProperties* moved = other->GetCellProperties(0, 0);
    other->SetGridObject(0, 0, nullptr);
    g->SetCellProperties(0, 0, moved);
    EXPECT_EQ(other->OwnedCellPropertiesCount(), 0u);
    EXPECT_EQ(g->OwnedCellPropertiesCount(), 4u);
    EXPECT_EQ(graphicsFreed, 1);
    // Freed directly by other code while in its slot: the slot is emptied, not left dangling.
    delete g->GetCellProperties(2, 2);
    EXPECT_EQ(g->GetGridObject(2, 2), nullptr);
    EXPECT_FALSE(g->HasCellProperties(2, 2));
  }
  // Freed with the grid; the sanitizer build reports anything left over.
  EXPECT_EQ(graphicsFreed, 3);  // two cell graphics and the stack object
}

TEST(BaseGridCellsTest, GeometryOfMergedAndScrolledOutCells) {
  GridForm f(8, 6, 1, 1, 200, 120);
  TBaseGrid* g = f.grid;
  g->MergeCells(1, 1, 3, 2);
  EXPECT_EQ(g->CellRect(2, 2), Rect(50, 20, 200, 60));
  EXPECT_EQ(g->CellSize(3, 1), Point(150, 40));
  // Out of view: the class library's empty corner at (0, 0) with the cell's extent.
  EXPECT_EQ(g->CellRect(5, 1), Rect(0, 0, 50, 20));
  g->SetLeftCol(3);
  // The base cell is scrolled out to the left: the range starts left of the visible area.
  EXPECT_EQ(g->VirtualCellRect(1, 1), Rect(-50, 20, 0, 40));
  EXPECT_EQ(g->CellRect(3, 2), Rect(-50, 20, 100, 60));
  EXPECT_EQ(g->VirtualCellRect(0, 1), Rect(0, 20, 50, 40));  // fixed column does not scroll
  EXPECT_EQ(g->FixedColsWidth(), 50);
  EXPECT_EQ(g->FixedRowsHeight(), 20);
}

}  // namespace
