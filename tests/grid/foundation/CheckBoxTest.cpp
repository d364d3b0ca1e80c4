// The grid's own check box: look, mouse toggling with its inclusive edges, keys and states.
#include <gtest/gtest.h>

#include "platform/StdCtrls.h"

#include "grid/foundation/AdvObjCheckBox.h"
#include "platform/Forms.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

class TProbeCheckBox : public TAdvCheckBox {
 public:
  using TAdvCheckBox::TAdvCheckBox;
  void PaintOn(TCanvas* c) {
    paintCanvas_ = c;
    Paint();
    paintCanvas_ = nullptr;
  }
};

class CheckBoxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(100);
    box = new TProbeCheckBox(form);
    box->SetParent(form);
    box->SetLeft(10);
    box->SetTop(10);
    box->SetTabStop(true);
    box->OnClick = [this](TObject*) {
      ++clicks;
      stateAtClick = box->State();
    };
    form->Show();
  }
  void TearDown() override { delete form; }

  ModalScript script;
  InputDriver driver;
  TScopedFakeMetrics metrics;
  TForm* form = nullptr;
  TProbeCheckBox* box = nullptr;
  int clicks = 0;
  TCheckBoxState stateAtClick = cbUnchecked;
};

TEST_F(CheckBoxTest, NewBoxLook) {
  EXPECT_EQ(box->Caption(), u"TAdvCheckBox");
  EXPECT_EQ(box->Width(), 98);
  EXPECT_EQ(box->Height(), 20);
  EXPECT_FALSE(box->Checked());
  EXPECT_FALSE(box->ControlStyle().Contains(csClickEvents));
  TRecordingCanvas rc;
  box->PaintOn(&rc);
  auto themed = rc.CallsNamed("ThemeDrawBackground");
  ASSERT_EQ(themed.size(), 1u);
  EXPECT_EQ(themed[0].Text, u"button");
  // The check-box part, unchecked normal, the box (0, 4, 14, 18).
  EXPECT_EQ(themed[0].Args, (std::vector<int>{3, 1, 0, 4, 14, 18}));
  auto texts = rc.CallsNamed("DrawText");
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].Text, u"TAdvCheckBox");
  EXPECT_EQ(texts[0].Args[0], 15);
  EXPECT_EQ(texts[0].Args[1], 4);
}

TEST_F(CheckBoxTest, ThemedStateByCheckAndMouse) {
  const struct {
    TCheckBoxState state;
    bool enabled, down, hot;
    int theme;
  } cases[] = {
      {cbUnchecked, true, false, false, 1}, {cbUnchecked, true, false, true, 2},
      {cbUnchecked, true, true, true, 3},   {cbUnchecked, false, true, true, 4},
      {cbChecked, true, false, false, 5},   {cbChecked, true, true, false, 7},
      {cbGrayed, true, false, true, 10},    {cbGrayed, false, false, false, 12},
  };
  for (const auto& c : cases) {
    box->SetState(c.state);
    box->SetEnabled(c.enabled);
    box->SetDown(c.down);
    box->Perform(c.hot ? CM_MOUSEENTER : CM_MOUSELEAVE, 0, 0);
    TRecordingCanvas rc;
    box->PaintOn(&rc);
    auto themed = rc.CallsNamed("ThemeDrawBackground");
    ASSERT_EQ(themed.size(), 1u);
    const std::vector<int>& a = themed[0].Args;
    EXPECT_EQ(a[1], c.theme) << int(c.state) << c.enabled << c.down << c.hot;
  }
}

TEST_F(CheckBoxTest, ReleaseAtTheEdgeToggles) {
  const struct {
    int x, y;
    bool toggles;
  } cases[] = {{5, 5, true}, {98, 5, true}, {99, 5, false}, {5, 20, true}, {5, 21, false}, {-1, 5, false}};
  for (const auto& c : cases) {
    box->SetChecked(false);
    clicks = 0;
    driver.MouseDown(box, 5, 5);
    EXPECT_TRUE(box->Down());
    driver.MouseUp(box, c.x, c.y);
    EXPECT_FALSE(box->Down());
    EXPECT_EQ(box->Checked(), c.toggles) << c.x << "," << c.y;
    EXPECT_EQ(clicks, c.toggles ? 1 : 0) << c.x << "," << c.y;
  }
  EXPECT_TRUE(box->HasFocus());
}

TEST_F(CheckBoxTest, DownFollowsTheHeldMouse) {
  driver.MouseDown(box, 5, 5);
  driver.MouseMove(box, 150, 5);
  EXPECT_FALSE(box->Down());
  driver.MouseMove(box, 98, 20);
  EXPECT_TRUE(box->Down());
  driver.MouseUp(box, 98, 20);
  EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBoxTest, SpaceTogglesOnRelease) {
  box->SetFocus();
  driver.KeyDown(form, VK_SPACE);
  EXPECT_TRUE(box->Down());
  EXPECT_FALSE(box->Checked());
  driver.KeyUp(form, VK_SPACE);
  EXPECT_FALSE(box->Down());
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(stateAtClick, cbChecked);  // the handler sees the new state
}

TEST_F(CheckBoxTest, ReturnIsTabTurnsEnterIntoTab) {
  auto* next = New<TEdit>(form);
  next->SetParent(form);
  next->SetBounds(10, 50, 100, 21);
  box->SetReturnIsTab(true);
  box->SetFocus();
  std::vector<Word> seen;
  box->OnKeyDown = [&](TObject*, Word& key, TShiftState) { seen.push_back(key); };
  driver.KeyDown(form, VK_RETURN);
  // The posted Tab is a dialog key: it moves the focus on, as a typed Tab would, and is not
  // seen again by the box.
  driver.DrainPosted();
  EXPECT_TRUE(next->Focused());
  EXPECT_EQ(seen, std::vector<Word>{VK_TAB});
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 0);
}

TEST_F(CheckBoxTest, GrayedThenToggle) {
  box->SetState(cbGrayed);
  EXPECT_FALSE(box->Checked());
  TRecordingCanvas rc;
  box->PaintOn(&rc);
  const auto themed = rc.CallsNamed("ThemeDrawBackground");
  ASSERT_EQ(themed.size(), 1u);
  EXPECT_EQ(themed[0].Args[1], 9);  // the mixed box
  box->Toggle();
  EXPECT_EQ(box->State(), cbChecked);
  box->Toggle();
  EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBoxTest, SettingCheckedRaisesNoClickAndReadOnlyKeepsTheState) {
  box->SetChecked(true);
  EXPECT_EQ(clicks, 0);
  box->SetReadOnly(true);
  driver.MouseDown(box, 5, 5);
  driver.MouseUp(box, 5, 5);
  EXPECT_EQ(clicks, 1);
  EXPECT_TRUE(box->Checked());
}

TEST_F(CheckBoxTest, DisabledCaptionIsEmbossedAndFocusIsFramed) {
  box->SetCaption(u"Case");
  box->SetAlignment(taRightJustify);
  box->SetEnabled(false);
  TRecordingCanvas rc;
  box->PaintOn(&rc);
  auto texts = rc.CallsNamed("DrawText");
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0].FontColor, clWhite);
  EXPECT_EQ(texts[0].Args[0], 7);  // box on the right: caption from 6, shadow one pixel on
  EXPECT_EQ(texts[1].FontColor, clGray);
  EXPECT_EQ(texts[1].Args[0], 6);

  box->SetEnabled(true);
  box->SetFocus();
  TRecordingCanvas focused;
  box->PaintOn(&focused);
  auto frames = focused.CallsNamed("DrawFocusRect");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Args, (std::vector<int>{4, 4, 6 + 4 * 7 + 1, 4 + 13 + 1}));
}

TEST_F(CheckBoxTest, AcceleratorToggles) {
  box->SetCaption(u"Match &case");
  EXPECT_EQ(box->Perform(CM_DIALOGCHAR, u'x', 0), 0);
  EXPECT_FALSE(box->Checked());
  EXPECT_NE(box->Perform(CM_DIALOGCHAR, u'C', 0), 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_TRUE(box->Focused());
}

// A parent that paints vertical stripes, 4 px of StripeColor every 8 px, on its own colour.
class TStripedPanel : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  TColor StripeColor = clRed;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetStyle(bsSolid);
    Canvas()->Brush()->SetColor(StripeColor);
    for (int x = 0; x < Width(); x += 8) Canvas()->FillRect(Rect(x, 0, x + 4, Height()));
  }
};

class CheckBoxBackgroundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(100);
    panel = New<TStripedPanel>(form);
    panel->SetParent(form);
    panel->SetColor(clBlue);
    panel->SetBounds(0, 0, 200, 60);
    box = New<TProbeCheckBox>(form);
    box->SetParent(panel);
    box->SetBounds(10, 10, 98, 20);
    form->Show();
  }
  void TearDown() override { delete form; }

  // The top rows (above the box and the caption) as painted on white: how many pixels show
  // the parent's painting under them, and how many are plain white.
  struct Rows {
    int parent = 0, white = 0;
  };
  Rows PaintTopRows() {
    TImageCanvas img(box->Width(), box->Height(), clWhite);
    box->PaintOn(img.Canvas());
    Rows r;
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < box->Width(); ++x) {
        const int px = x + box->Left();
        const TColor expected = px % 8 < 4 ? panel->StripeColor : clBlue;
        if (img.Pixel(x, y) == expected) ++r.parent;
        if (img.Pixel(x, y) == clWhite) ++r.white;
      }
    return r;
  }
  int TopRowPixels() const { return 4 * box->Width(); }

  ModalScript script;
  TScopedFakeMetrics metrics;
  TForm* form = nullptr;
  TStripedPanel* panel = nullptr;
  TProbeCheckBox* box = nullptr;
};

TEST_F(CheckBoxBackgroundTest, OpaqueBoxLeavesTheBackgroundToErasing) {
  EXPECT_EQ(PaintTopRows().white, TopRowPixels());
  EXPECT_EQ(box->Perform(WM_ERASEBKGND, 0, 0), 0);
}

TEST_F(CheckBoxBackgroundTest, TransparentBoxShowsTheParentsOwnPainting) {
  box->SetTransparent(true);
  EXPECT_EQ(box->Perform(WM_ERASEBKGND, 0, 0), 1);  // nothing erased under it
  EXPECT_EQ(PaintTopRows().parent, TopRowPixels());
  panel->StripeColor = clLime;  // without the cache every paint asks the parent again
  EXPECT_EQ(PaintTopRows().parent, TopRowPixels());
}

TEST_F(CheckBoxBackgroundTest, CachedBackgroundIsTakenOncePerSizeAndPerTransparencyChange) {
  box->SetTransparent(true);
  box->SetTransparentChaching(true);
  EXPECT_EQ(PaintTopRows().parent, TopRowPixels());

  panel->StripeColor = clLime;
  const Rows stale = PaintTopRows();  // the red stripes from the cache
  EXPECT_LT(stale.parent, TopRowPixels());
  EXPECT_EQ(stale.white, 0);

  box->SetBounds(10, 10, 90, 20);  // a new size takes the background again
  EXPECT_EQ(PaintTopRows().parent, TopRowPixels());

  panel->StripeColor = clFuchsia;
  box->SetTransparent(false);
  EXPECT_EQ(PaintTopRows().white, TopRowPixels());
  box->SetTransparent(true);
  EXPECT_EQ(PaintTopRows().parent, TopRowPixels());
}

TEST_F(CheckBoxTest, HoverChangesTheLookOnly) {
  int events = 0;
  box->OnMouseEnter = [&](TObject*) { ++events; };
  box->OnMouseLeave = [&](TObject*) { ++events; };
  driver.MouseEnter(box);
  EXPECT_TRUE(box->Hot());
  driver.MouseLeave(box);
  EXPECT_FALSE(box->Hot());
  EXPECT_EQ(events, 0);
}

}  // namespace
