// The column/row move arrows and the focus window.
#include <gtest/gtest.h>

#include <memory>

#include "grid/foundation/AdvObjOverlay.h"
#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Overlay.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

class OverlayTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(200);
    form->SetClientHeight(100);
    form->Show();
  }
  void TearDown() override { delete form; }
  ModalScript script;
  TForm* form = nullptr;
};

TEST_F(OverlayTest, ArrowShapesPointTheirWay) {
  const struct {
    TArrowDirection dir;
    TPoint inside[2];
    TPoint outside[2];
  } cases[] = {
      {arrUp, {{5, 1}, {5, 8}}, {{1, 8}, {9, 8}}},      // tip at the top
      {arrDown, {{5, 7}, {5, 1}}, {{1, 1}, {9, 1}}},    // tip at the bottom
      {arrLeft, {{7, 5}, {5, 2}}, {{3, 2}, {1, 1}}},    // shaft left, tip right
      {arrRight, {{1, 5}, {3, 2}}, {{5, 2}, {7, 1}}},   // tip left, shaft right
  };
  for (const auto& c : cases) {
    auto* w = new TArrowWindow(form, c.dir);
    EXPECT_EQ(w->Dir, c.dir);
    EXPECT_EQ(w->Arrow, TArrowWindow::Outline(c.dir));
    ASSERT_EQ(w->Arrow.size(), 7u);
    for (TPoint p : c.inside) EXPECT_TRUE(OverlayShapeContains(w, p)) << int(c.dir) << " " << p.X << "," << p.Y;
    for (TPoint p : c.outside) EXPECT_FALSE(OverlayShapeContains(w, p)) << int(c.dir) << " " << p.X << "," << p.Y;
  }
}

TEST_F(OverlayTest, ArrowWindowIsAHiddenLimeChildThatNeverTakesTheFocus) {
  auto* w = new TArrowWindow(form, arrDown);
  EXPECT_EQ(w->Color(), clLime);
  EXPECT_FALSE(w->Visible());
  EXPECT_EQ(w->Parent(), form);
  EXPECT_FALSE(OverlayTakesFocus(w));
}

class TPaintProbeArrow : public TArrowWindow {
 public:
  using TArrowWindow::TArrowWindow;
  void PaintOn(TCanvas* c) {
    paintCanvas_ = c;
    Paint();
    paintCanvas_ = nullptr;
  }
};

TEST_F(OverlayTest, ArrowPaintsItsWholeClientInItsColour) {
  auto* w = new TPaintProbeArrow(form, arrUp);
  w->SetBounds(10, 10, 11, 11);
  w->SetColor(clRed);
  TRecordingCanvas rc;
  w->PaintOn(&rc);
  ASSERT_EQ(rc.Calls().size(), 1u);
  EXPECT_EQ(rc.Calls()[0].ToString(), "Rectangle(0,0,11,11)");
  EXPECT_EQ(rc.Calls()[0].PenColor, clRed);
  EXPECT_EQ(rc.Calls()[0].BrushColor, clRed);
}

TEST_F(OverlayTest, FocusWindowShowsOnlyItsFrameTranslucently) {
  auto* w = new TGridFocusWindow(form);
  EXPECT_EQ(w->Width(), 0);
  EXPECT_EQ(w->Height(), 0);
  EXPECT_EQ(w->Color(), clRed);
  EXPECT_FALSE(w->Visible());
  EXPECT_FALSE(w->Enabled());
  EXPECT_FALSE(w->CanFocus());
  EXPECT_FALSE(OverlayTakesFocus(w));

  // A 40 x 20 cell: window 49 x 29, the cell-sized hole moved by (4, 4).
  w->SetBounds(20, 20, 49, 29);
  w->SetFrameShape(Rect(0, 0, 49, 29), Rect(4, 4, 44, 24));
  w->SetOpacity(230);
  EXPECT_TRUE(OverlayShapeContains(w, Point(1, 1)));
  EXPECT_TRUE(OverlayShapeContains(w, Point(46, 26)));
  EXPECT_FALSE(OverlayShapeContains(w, Point(20, 12)));
  EXPECT_EQ(OverlayOpacity(w), 230);
}

TEST_F(OverlayTest, ShownOverlaysFloatInTheFormAtScreenPositions) {
  auto* grid = new TPanel(form);
  grid->SetParent(form);
  grid->SetBounds(50, 30, 100, 60);
  auto* arrow = new TArrowWindow(grid, arrDown);
  const TPoint screen = grid->ClientToScreen(Point(5, 5));
  arrow->SetBounds(screen.X, screen.Y, 11, 11);
  arrow->Show();
  EXPECT_EQ(arrow->Parent(), grid);
  EXPECT_TRUE(OverlayInFormWindow(arrow));  // not clipped by the grid
  EXPECT_EQ(Point(arrow->Left(), arrow->Top()), Point(55, 35));

  auto* focus = new TGridFocusWindow(grid);
  const TPoint cell = grid->ClientToScreen(Point(90, 50));  // reaches past the grid's edge
  focus->SetBounds(cell.X - 4, cell.Y - 4, 49, 29);
  focus->Show();
  EXPECT_TRUE(OverlayInFormWindow(focus));
  EXPECT_EQ(Point(focus->Left(), focus->Top()), Point(136, 76));
  EXPECT_FALSE(OverlayTakesFocus(focus));
}

// Moves and sizes one coordinate at a time; Left and Top read in the form's pixels.
template <typename TWindow>
void CheckOneCoordinateAtATime(TForm* form, TWindow* w) {
  SCOPED_TRACE(StringToUtf8(w->ClassName()));
  const TPoint screen = form->ClientToScreen(Point(30, 20));
  w->SetBounds(screen.X, screen.Y, 11, 11);
  w->Show();
  EXPECT_EQ(w->BoundsRect(), Rect(30, 20, 41, 31));
  w->SetWidth(49);
  w->SetHeight(29);
  EXPECT_EQ(w->BoundsRect(), Rect(30, 20, 79, 49));
  w->SetLeft(form->ClientToScreen(Point(60, 0)).X);
  EXPECT_EQ(w->BoundsRect(), Rect(60, 20, 109, 49));
  w->SetTop(form->ClientToScreen(Point(0, 5)).Y);
  EXPECT_EQ(w->BoundsRect(), Rect(60, 5, 109, 34));
}

TEST_F(OverlayTest, OneCoordinateAtATimeKeepsTheOthers) {
  form->SetBounds(120, 80, form->Width(), form->Height());  // the form's pixels differ from the screen's
  ASSERT_NE(form->ClientToScreen(Point(0, 0)), Point(0, 0));
  auto* grid = new TPanel(form);
  grid->SetParent(form);
  grid->SetBounds(50, 30, 100, 60);
  CheckOneCoordinateAtATime(form, new TArrowWindow(grid, arrUp));
  CheckOneCoordinateAtATime(form, new TGridFocusWindow(grid));
}

}  // namespace
