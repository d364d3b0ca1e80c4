// A column or row moved by dragging its header with the enhanced look: the header image, the drop
// arrows, the drag cursors, the drop, the cancel, the move form, and the grid repainting at once
// while the header is dragged.
#include <gtest/gtest.h>

#include <string>

#include "AdvGridTestSupport.h"
#include "grid/core/AdvGridControlLook.h"
#include "grid/core/AdvGridMoveControls.h"
#include "grid/foundation/AdvObjOverlay.h"
#include "platform/Forms.h"
#include "platform/Overlay.h"
#include "platform/testing/ExposedWindow.h"
#include "platform/testing/PaintToPng.h"

namespace {

using advgrid_test::GridForm;
using advgrid_test::Utf8;

// A grid with headers H0..H4 and cells c0..c4 in row 1 whose columns move by the mouse, or with
// R0..R4 in column 0 whose rows move.
struct MoveForm : GridForm<> {
  explicit MoveForm(bool Rows = false) {
    grid->SetOptions(grid->Options() | (Rows ? goRowMoving : goColMoving));
    for (int c = 0; c < 5; ++c) {
      grid->SetCellEx(c, 0, u"H" + IntToStr(c));
      grid->SetCellEx(c, 1, u"c" + IntToStr(c));
      if (Rows) grid->SetCellEx(0, c, u"R" + IntToStr(c));
    }
  }
  ~MoveForm() {
    // The drag cursor is the application's: never left behind for the next test.
    if (Screen) Screen->SetCursor(crDefault);
  }
  TPoint Header(int DCol) const {
    const TRect r = grid->CellRect(DCol, 0);
    return Point(r.Left + 10, r.Top + 5);
  }
  void Press(int DCol) { driver.MouseDown(grid, Header(DCol).X, Header(DCol).Y); }
  void MoveTo(int DCol) { driver.MouseMove(grid, Header(DCol).X, Header(DCol).Y); }
  void Release(int DCol) { driver.MouseUp(grid, Header(DCol).X, Header(DCol).Y); }
  std::string Cells() const {
    std::string s;
    for (int c = 0; c < grid->ColCount(); ++c) s += Utf8(grid->GetCellEx(c, 1));
    return s;
  }
  // The form-client x of a grid client x.
  int FormX(int GridX) const { return form->ScreenToClient(grid->ClientToScreen(Point(GridX, 0))).X; }
};

TEST(AdvGridMoveDrag, AHeaderDropMovesTheColumnAndEndsTheLook) {
  MoveForm f;
  TAdvStringGrid* g = f.grid;
  f.Press(2);
  f.MoveTo(3);
  f.MoveTo(4);
  EXPECT_EQ(Screen->Cursor(), crDrag);
  THeaderDragButton* image = g->HeaderDragButton();
  ASSERT_TRUE(image->Visible());
  EXPECT_EQ(Utf8(image->Caption()), "H2");
  EXPECT_EQ(image->Width(), g->ColWidths(2));
  // Dropping after the source: the arrows stand on the target's right border.
  TArrowWindow* up = g->MoveArrow(arrUp);
  ASSERT_NE(up, nullptr);
  EXPECT_TRUE(up->Visible());
  EXPECT_EQ(up->Left(), f.FormX(g->CellRect(4, 0).Right - 5));
  f.Release(4);
  EXPECT_EQ(f.Cells(), "c0c1c3c4c2");
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_FALSE(image->Visible());
  EXPECT_FALSE(up->Visible());
  EXPECT_EQ(g->GridState(), gsNormal);
}

TEST(AdvGridMoveDrag, ArrowsStandLeftOfATargetBeforeTheSource) {
  MoveForm f;
  TAdvStringGrid* g = f.grid;
  f.Press(3);
  f.MoveTo(2);
  f.MoveTo(1);
  TArrowWindow* up = g->MoveArrow(arrUp);
  TArrowWindow* down = g->MoveArrow(arrDown);
  ASSERT_TRUE(up && down);
  EXPECT_EQ(up->Left(), f.FormX(g->CellRect(1, 0).Left - 5));
  EXPECT_EQ(down->Left(), up->Left());
  EXPECT_LT(down->Top(), up->Top());
  f.Release(1);
  EXPECT_EQ(f.Cells(), "c0c3c1c2c4");
}

TEST(AdvGridMoveDrag, ADropOnTheStartingHeaderOrWithTheNoDropCursorMovesNothing) {
  for (bool refuse : {false, true}) {
    SCOPED_TRACE(refuse);
    MoveForm f;
    TAdvStringGrid* g = f.grid;
    if (refuse) g->OnColumnMoving = [](TObject*, int, bool& Allow) { Allow = false; };
    f.Press(2);
    f.MoveTo(3);
    f.MoveTo(refuse ? 3 : 2);
    EXPECT_EQ(Screen->Cursor(), refuse ? crNoDrop : crDrag);
    g->TakeInvalidatedRects();
    f.Release(refuse ? 3 : 2);
    EXPECT_EQ(f.Cells(), "c0c1c2c3c4");
    EXPECT_EQ(Screen->Cursor(), crDefault);
    if (refuse) {
      // Only the header row is drawn again.
      const std::vector<TRect> rects = g->TakeInvalidatedRects();
      const TRect header = g->CellRect(1, 0);
      bool headerRepainted = false;
      for (const TRect& r : rects) headerRepainted = headerRepainted || (r.Top <= header.Top && r.Bottom >= header.Bottom);
      EXPECT_TRUE(headerRepainted);
    }
  }
}

TEST(AdvGridMoveDrag, CancelModeEndsTheMoveWithoutMoving) {
  MoveForm f;
  TAdvStringGrid* g = f.grid;
  f.Press(1);
  f.MoveTo(3);
  // A right release during the move is swallowed: no context menu, the move goes on.
  TMessage up{WM_RBUTTONUP, 0, 0, 7};
  g->WndProc(up);
  EXPECT_EQ(up.Result, 0);
  EXPECT_EQ(g->GridState(), gsColMoving);
  g->Perform(WM_CANCELMODE, 0, 0);
  EXPECT_EQ(g->GridState(), gsNormal);
  EXPECT_EQ(Screen->Cursor(), crDefault);
  EXPECT_FALSE(g->HeaderDragButton()->Visible());
  f.Release(3);
  EXPECT_EQ(f.Cells(), "c0c1c2c3c4");
}

TEST(AdvGridMoveDrag, ARowMovesByItsFixedCell) {
  MoveForm f(true);
  TAdvStringGrid* g = f.grid;
  const TRect from = g->CellRect(0, 1), to = g->CellRect(0, 3);
  f.driver.MouseDown(g, from.Left + 5, from.Top + 5);
  f.driver.MouseMove(g, to.Left + 5, to.Top + 5);
  f.driver.MouseMove(g, to.Left + 6, to.Top + 6);
  EXPECT_EQ(Utf8(g->HeaderDragButton()->Caption()), "R1");
  TArrowWindow* left = g->MoveArrow(arrLeft);
  ASSERT_NE(left, nullptr);
  EXPECT_TRUE(left->Visible());
  f.driver.MouseUp(g, to.Left + 6, to.Top + 6);
  std::string rows;
  for (int r = 0; r < 5; ++r) rows += Utf8(g->GetCellEx(0, r));
  EXPECT_EQ(rows, "R0R2R3R1R4");
}

TEST(AdvGridMoveDrag, TheImagesNeverTakeTheFocus) {
  for (bool showCells : {false, true}) {
    SCOPED_TRACE(showCells);
    MoveForm f;
    TAdvStringGrid* g = f.grid;
    g->DragDropSettings()->SetShowCells(showCells);
    g->SetFocus();
    f.Press(2);
    f.MoveTo(3);
    f.MoveTo(4);
    if (showCells) {
      TNoActiveForm* picture = g->MoveForm();
      ASSERT_NE(picture, nullptr);
      EXPECT_TRUE(picture->Visible());
      EXPECT_FALSE(OverlayTakesFocus(picture));
      EXPECT_EQ(OverlayOpacity(picture), TNoActiveForm::kAlpha);
      EXPECT_EQ(picture->Width(), g->ColWidths(2));
      TMessage m{WM_MOUSEACTIVATE, 0, 0, 0};
      picture->WndProc(m);
      EXPECT_EQ(m.Result, static_cast<intptr_t>(MA_NOACTIVATE));
      EXPECT_FALSE(g->HeaderDragButton()->Visible());
    } else {
      EXPECT_FALSE(OverlayTakesFocus(g->HeaderDragButton()));
    }
    EXPECT_TRUE(g->Focused());
    f.Release(4);
    EXPECT_EQ(g->MoveForm(), nullptr);
  }
}

TEST(AdvGridMoveDrag, TheHeaderImagePaintsTheFixedLookAndItsCaption) {
  MoveForm f;
  TAdvStringGrid* g = f.grid;
  for (auto set : {&TControlLook::SetFixedGradientFrom, &TControlLook::SetFixedGradientTo,
                   &TControlLook::SetFixedGradientMirrorFrom, &TControlLook::SetFixedGradientMirrorTo})
    (g->ControlLook()->*set)(clNone);
  g->SetFixedColor(clYellow);
  g->SetCellEx(2, 0, u"");  // no text over the middle
  f.Press(2);
  f.MoveTo(3);
  std::unique_ptr<TBitmap> shot = PaintToBitmap(g->HeaderDragButton());
  const int w = shot->Width(), h = shot->Height();
  ASSERT_GT(w, 4);
  ASSERT_GT(h, 4);
  EXPECT_EQ(shot->Canvas()->Pixels(0, h / 2), ColorToRGB(clWindowFrame));  // the pop-up's border
  EXPECT_EQ(shot->Canvas()->Pixels(w - 1, h / 2), ColorToRGB(clWindowFrame));
  EXPECT_EQ(shot->Canvas()->Pixels(w / 2, h / 2), clYellow);
  EXPECT_EQ(shot->Canvas()->Pixels(2, 2), clYellow);
  f.Release(3);
}

// A handler marks the cell under the mouse in the normal row. With the enhanced look the grid
// paints the mark into its window while the header is still being dragged; without it the mark
// waits for the event loop.
TEST(AdvGridMoveDrag, TheGridPaintsAtOnceWhileAHeaderIsDragged) {
  for (bool enhanced : {true, false}) {
    SCOPED_TRACE(enhanced);
    MoveForm f;
    TAdvStringGrid* g = f.grid;
    g->SetEnhRowColMove(enhanced);
    int marked = -1;
    g->OnGetCellColor = [&](TObject*, int ARow, int ACol, TGridDrawState, TBrush* ABrush, TFont*) {
      if (ARow == 1 && ACol == marked) ABrush->SetColor(clYellow);
    };
    g->OnMouseMove = [&](TObject*, TShiftState, int X, int Y) {
      int c = -1, r = -1;
      g->MouseToCell(X, Y, c, r);
      if (c == marked) return;
      if (marked >= 0) g->RepaintCell(marked, 1);
      marked = c;
      if (marked >= 0) g->RepaintCell(marked, 1);
    };
    ASSERT_TRUE(ExposeFormWindow(f.form));
    const TRect cell = g->CellRect(4, 1);
    const TPoint probe = f.form->ScreenToClient(g->ClientToScreen(Point(cell.Right - 3, (cell.Top + cell.Bottom) / 2)));
    const TColor before = WindowPixels(f.form)->Canvas()->Pixels(probe.X, probe.Y);
    ASSERT_NE(before, clYellow);
    f.Press(2);
    f.MoveTo(3);
    RunQtEvents();
    f.MoveTo(4);
    ASSERT_EQ(g->GridState(), gsColMoving);
    EXPECT_EQ(WindowPixels(f.form)->Canvas()->Pixels(probe.X, probe.Y), enhanced ? clYellow : before);
    RunQtEvents();
    EXPECT_EQ(WindowPixels(f.form)->Canvas()->Pixels(probe.X, probe.Y), clYellow);
    f.Release(4);
  }
}

}  // namespace
