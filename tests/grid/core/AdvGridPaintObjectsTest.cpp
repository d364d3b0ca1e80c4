// Cell objects in the paint: the layout of each kind, the check boxes of the five kinds painted
// where their cell text would lead them, and data boxes that never show their text.
#include <gtest/gtest.h>

#include <map>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvColumnGrid.h"
#include "grid/core/AdvGridControlLook.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using advgrid_test::GridForm;
namespace gc = GridGlyphColors;

// A shown grid of 60 x 22 cells painting XP-like glyphs.
struct BoxForm : GridForm<> {
  BoxForm() {
    grid->SetScrollBars(ssNone);
    grid->SetColCount(4);
    grid->SetRowCount(5);
    grid->SetDefaultColWidth(60);
    grid->SetDefaultRowHeight(22);
    grid->ControlLook()->SetControlStyle(csWinXP);
    TGridOptions o = grid->Options();
    o.Include(goEditing);
    grid->SetOptions(o);
  }
  // The colours of one cell after a full paint.
  std::map<TColor, int> CellColours(int DCol, int DRow) {
    TImageCanvas img(grid->Width(), grid->Height());
    grid->PaintOn(img.Canvas());
    return BitmapColors(img.Bitmap(), grid->CellRect(DCol, DRow));
  }
  bool Shows(int DCol, int DRow, TColor C) { return CellColours(DCol, DRow).count(C) > 0; }
};

std::vector<TRecordedCall> DrawnTexts(const TRecordingCanvas& Cv) {
  std::vector<TRecordedCall> out;
  for (const TRecordedCall& c : Cv.CallsNamed("DrawText"))
    if (!(c.Args[4] & DT_CALCRECT)) out.push_back(c);
  return out;
}

TEST(AdvGridPaintObjects, LayoutOfEachKind) {
  struct Case {
    const char* Name;
    std::function<void(TAdvStringGrid*)> Make;
    int W, H;
    bool Text;
  };
  const Case cases[] = {
      {"check box", [](TAdvStringGrid* g) { g->AddCheckBox(1, 1, true, false); }, 15, 15, true},
      {"data check box", [](TAdvStringGrid* g) { g->AddCheckBox(1, 1, true, true); }, 15, 15, false},
      {"tri-state", [](TAdvStringGrid* g) { g->AddCheckBox(1, 1, cbGrayed); }, 15, 15, true},
      {"radio button",
       [](TAdvStringGrid* g) { g->CreateCellGraphic(1, 1)->SetRadioButton(true, false, haLeft, vaTop); }, 14, 14,
       true},
      {"button", [](TAdvStringGrid* g) { g->CreateCellGraphic(1, 1)->SetButton(40, 18, u"Go", haLeft, vaTop); }, 40,
       18, true},
      {"rating",
       [](TAdvStringGrid* g) {
         TCellGraphic* cg = g->CreateCellGraphic(1, 1);
         cg->SetCellType(ctRating);
         cg->SetCellAngle(5);
       },
       90, 16, false},
      {"progress pie", [](TAdvStringGrid* g) { g->CreateCellGraphic(1, 1)->SetCellType(ctProgressPie); }, 20, 20,
       true},
      {"progress bar", [](TAdvStringGrid* g) { g->CreateCellGraphic(1, 1)->SetCellType(ctProgress); }, 0, 0, false},
      {"no object", [](TAdvStringGrid*) {}, 0, 0, true},
  };
  for (const Case& c : cases) {
    BoxForm f;
    c.Make(f.grid);
    int w = -1, h = -1;
    bool text = false;
    TCellHAlign ha;
    TCellVAlign va;
    f.grid->GetCellGraphicLayout(1, 1, w, h, text, ha, va);
    EXPECT_EQ(w, c.W) << c.Name;
    EXPECT_EQ(h, c.H) << c.Name;
    EXPECT_EQ(text, c.Text) << c.Name;
  }
}

TEST(AdvGridPaintObjects, DataBoxesShowYCheckedAndNeverTheirText) {
  BoxForm f;
  const String texts[] = {u"Y", u"N", u"", u"yes"};
  for (int r = 1; r <= 4; ++r) {
    f.grid->SetCellEx(1, r, texts[r - 1]);
    f.grid->AddCheckBox(1, r, false, true);
    f.grid->SetCellEx(1, r, texts[r - 1]);
  }
  EXPECT_TRUE(f.Shows(1, 1, gc::XPMark));
  for (int r = 2; r <= 4; ++r) {
    EXPECT_FALSE(f.Shows(1, r, gc::XPMark)) << r;
    EXPECT_TRUE(f.Shows(1, r, gc::XPBorder)) << r;
  }
  TRecordingCanvas cv;
  for (int r = 1; r <= 4; ++r) f.grid->DrawCellContent(&cv, 1, r, f.grid->CellRect(1, r), {});
  EXPECT_TRUE(DrawnTexts(cv).empty()) << cv.Log();
}

TEST(AdvGridPaintObjects, ColumnGridDataCheckBoxColumnDrawsBoxes) {
  GridForm<TAdvColumnGrid> f;
  f.grid->SetScrollBars(ssNone);
  f.grid->SetColCount(3);
  f.grid->SetRowCount(3);
  f.grid->ControlLook()->SetControlStyle(csWinXP);
  f.grid->Columns()->Items(1)->SetEditor(edDataCheckBox);
  f.grid->SetCellEx(1, 1, u"Y");
  f.grid->SetCellEx(1, 2, u"N");
  TImageCanvas img(f.grid->Width(), f.grid->Height());
  f.grid->PaintOn(img.Canvas());
  auto in = [&](int r, TColor c) { return BitmapColors(img.Bitmap(), f.grid->CellRect(1, r)).count(c) > 0; };
  // An editable column: enabled glyphs.
  EXPECT_TRUE(in(1, gc::XPMark));
  EXPECT_FALSE(in(2, gc::XPMark) || in(2, gc::XPDisabledMark));
  EXPECT_TRUE(in(2, gc::XPBorder));
  f.grid->Columns()->Items(1)->SetReadOnly(true);
  f.grid->PaintOn(img.Canvas());
  EXPECT_TRUE(in(1, gc::XPDisabledMark));
  EXPECT_FALSE(in(1, gc::XPMark));
}

TEST(AdvGridPaintObjects, ReadOnlyBoxesAreDisabledUnlessAlwaysActive) {
  BoxForm f;
  f.grid->AddCheckBox(1, 1, true, false);
  f.grid->SetReadOnly(1, 1, true);
  EXPECT_TRUE(f.Shows(1, 1, gc::XPDisabledMark));
  EXPECT_FALSE(f.Shows(1, 1, gc::XPMark));
  f.grid->ControlLook()->SetCheckAlwaysActive(true);
  EXPECT_TRUE(f.Shows(1, 1, gc::XPMark));
  f.grid->ControlLook()->SetCheckAlwaysActive(false);
  f.grid->ControlLook()->SetNoDisabledCheckRadioLook(true);
  EXPECT_TRUE(f.Shows(1, 1, gc::XPMark));
}

TEST(AdvGridPaintObjects, BoxPlacementFollowsTheTextAlignment) {
  TScopedFakeMetrics metrics;
  BoxForm f;
  f.grid->ControlLook()->SetControlStyle(csGlyph);
  TBitmap glyph;
  glyph.SetSize(15, 15);
  f.grid->ControlLook()->SetCheckedGlyph(&glyph);
  f.grid->ControlLook()->SetUnCheckedGlyph(&glyph);
  TAlignment align = taLeftJustify;
  f.grid->OnGetAlignment = [&](TObject*, int, int, TAlignment& H, TVAlignment&) { H = align; };
  f.grid->AddCheckBox(1, 1, false, false);
  f.grid->AddCheckBox(2, 1, false, true);
  auto left = [&](int DCol) {
    TRecordingCanvas cv;
    f.grid->DrawCellContent(&cv, DCol, 1, f.grid->CellRect(DCol, 1), {});
    auto d = cv.CallsNamed("Draw");
    EXPECT_EQ(d.size(), 1u) << cv.Log();
    return d.empty() ? -1 : d[0].Args[0];
  };
  const TRect c1 = f.grid->CellRect(1, 1), c2 = f.grid->CellRect(2, 1);
  // R is the painted rectangle less the offset minus one on each side (1 pixel with the defaults).
  EXPECT_EQ(left(1), c1.Left + 1 + 1);
  align = taCenter;
  // An empty text has no width: the box is centred in the whole cell.
  EXPECT_EQ(left(1), c1.Left + 1 + (c1.Width() - 2 - 15) / 2);
  align = taRightJustify;
  EXPECT_EQ(left(2), c2.Right - 1 - 1 - 15);
}

}  // namespace
