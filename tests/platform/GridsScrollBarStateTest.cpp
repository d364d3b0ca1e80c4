// The grid's scroll bars kept shown, disabled, and in their flat form.
#include <gtest/gtest.h>

#include "platform/Forms.h"
#include "platform/Grids.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"

namespace {

// A shown form with a string grid of 5 columns x 30 rows, 50 x 20 pixel cells: 200 x 100 pixels
// cannot show every row.
struct BarForm {
  ModalScript script;
  InputDriver driver;
  TForm* form = New<TForm>(nullptr);
  TStringGrid* grid = New<TStringGrid>(form);

  BarForm() {
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    grid->SetParent(form);
    grid->SetScrollBars(ssVertical);
    grid->SetGridLineWidth(0);
    grid->SetDefaultColWidth(30);
    grid->SetDefaultRowHeight(20);
    grid->SetColCount(5);
    grid->SetRowCount(30);
    // The layout below is of a 200 x 100 client area (scroll bars included); the single border's
    // frame lies outside it.
    grid->SetBounds(10, 10, 200 + 2 * grid->ClientInset(), 100 + 2 * grid->ClientInset());
    form->Show();
  }
  ~BarForm() { delete form; }
  // The vertical bar's lower arrow, in client pixels.
  void ClickLineDown() {
    TRect client = grid->ClientRect();
    driver.MouseDown(grid, client.Right + 5, client.Bottom - 5);
    driver.MouseUp(grid, client.Right + 5, client.Bottom - 5);
  }
};

TEST(GridsScrollBarState, ADisabledBarIgnoresTheMouse) {
  BarForm f;
  ASSERT_TRUE(f.grid->ScrollBarVisible(true));
  f.grid->EnableScrollBar(true, false);
  f.ClickLineDown();
  EXPECT_EQ(f.grid->TopRow(), 1);
  f.grid->EnableScrollBar(true, true);
  f.ClickLineDown();
  EXPECT_EQ(f.grid->TopRow(), 2);
}

TEST(GridsScrollBarState, AShownBarStaysWhenTheRowsFit) {
  BarForm f;
  f.grid->SetRowCount(3);
  EXPECT_FALSE(f.grid->ScrollBarVisible(true));
  EXPECT_EQ(f.grid->ClientRect().Right, 200);
  f.grid->ShowScrollBar(true, true);
  EXPECT_TRUE(f.grid->ScrollBarVisible(true));
  EXPECT_EQ(f.grid->ClientRect().Right, 200 - 17);
  f.grid->ShowScrollBar(true, false);
  EXPECT_FALSE(f.grid->ScrollBarVisible(true));
}

TEST(GridsScrollBarState, FlatBarsTakeTheirPropertiesOnlyOnceInitialised) {
  BarForm f;
  EXPECT_FALSE(f.grid->FlatSB_SetScrollProp(WSB_PROP_CXVSCROLL, 9));
  EXPECT_EQ(f.grid->ClientRect().Right, 200 - 17);
  ASSERT_TRUE(f.grid->InitializeFlatSB());
  EXPECT_TRUE(f.grid->FlatSB_SetScrollProp(WSB_PROP_CXVSCROLL, 9));
  EXPECT_FALSE(f.grid->FlatSB_SetScrollProp(0x12345, 1));
  EXPECT_EQ(f.grid->ClientRect().Right, 200 - 9);
  f.grid->UninitializeFlatSB();
  EXPECT_EQ(f.grid->ClientRect().Right, 200 - 17);
}

}  // namespace
