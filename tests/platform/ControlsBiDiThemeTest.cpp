#include <gtest/gtest.h>

#include "platform/testing/ScopedLocale.h"

#include <chrono>
#include <thread>
#include <vector>

#include "platform/ExtCtrls.h"
#include "platform/Forms.h"
#include "platform/Graphics.h"
#include "platform/StdCtrls.h"
#include "platform/SysUtils.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/ModalScript.h"

namespace {

// Records the desktop-wide notifications it hears.
class TListener : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  std::vector<unsigned> Heard;
  void WndProc(TMessage& m) override {
    if (m.Msg == CM_SYSCOLORCHANGE || m.Msg == WM_THEMECHANGED || m.Msg == CM_SYSFONTCHANGED) Heard.push_back(m.Msg);
    TGraphicControl::WndProc(m);
  }
};

class TStripes : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;

 protected:
  void Paint() override {
    Canvas()->Brush()->SetColor(clRed);
    Canvas()->FillRect(Rect(0, 0, 10, Height()));
  }
};

TEST(ControlsBiDiTest, ChildrenFollowTheParentUntilTheyChooseTheirOwn) {
  TForm* form = New<TForm>(nullptr);
  auto* panel = New<TPanel>(form);
  panel->SetParent(form);
  auto* edit = New<TEdit>(form);
  edit->SetParent(panel);
  form->SetBiDiMode(bdRightToLeft);
  EXPECT_EQ(panel->BiDiMode(), bdRightToLeft);
  EXPECT_EQ(edit->BiDiMode(), bdRightToLeft);
  EXPECT_TRUE(edit->ParentBiDiMode());

  edit->SetBiDiMode(bdLeftToRight);
  EXPECT_FALSE(edit->ParentBiDiMode());
  form->SetBiDiMode(bdRightToLeftReadingOnly);
  EXPECT_EQ(panel->BiDiMode(), bdRightToLeftReadingOnly);
  EXPECT_EQ(edit->BiDiMode(), bdLeftToRight);

  edit->SetParentBiDiMode(true);
  EXPECT_EQ(edit->BiDiMode(), bdRightToLeftReadingOnly);

  // A control placed later takes its new parent's mode.
  auto* late = New<TLabel>(form);
  late->SetParent(panel);
  EXPECT_EQ(late->BiDiMode(), bdRightToLeftReadingOnly);
  delete form;
}

TEST(ControlsBiDiTest, AnswersAndTextFlagsByModeAndLocale) {
  struct Case {
    bool middleEast;
    TBiDiMode mode;
    bool alignment, reading, scrollBar;
    unsigned left, right, center;  // DrawTextBiDiModeFlags of DT_LEFT (0), DT_RIGHT, DT_CENTER
  };
  const Case cases[] = {
      {false, bdRightToLeft, false, false, false, 0, DT_RIGHT, DT_CENTER},
      {true, bdLeftToRight, false, false, false, 0, DT_RIGHT, DT_CENTER},
      {true, bdRightToLeft, true, true, true, DT_RIGHT | DT_RTLREADING, DT_RTLREADING, DT_CENTER | DT_RTLREADING},
      {true, bdRightToLeftNoAlign, false, true, true, DT_RTLREADING, DT_RIGHT | DT_RTLREADING,
       DT_CENTER | DT_RTLREADING},
      {true, bdRightToLeftReadingOnly, false, true, false, DT_RTLREADING, DT_RIGHT | DT_RTLREADING,
       DT_CENTER | DT_RTLREADING},
  };
  for (const Case& c : cases) {
    TScopedMiddleEastLocale me(c.middleEast);
    TPanel panel(nullptr);
    panel.SetBiDiMode(c.mode);
    SCOPED_TRACE(static_cast<int>(c.mode) + (c.middleEast ? 10 : 0));
    EXPECT_EQ(panel.UseRightToLeftAlignment(), c.alignment);
    EXPECT_EQ(panel.UseRightToLeftReading(), c.reading);
    EXPECT_EQ(panel.UseRightToLeftScrollBar(), c.scrollBar);
    EXPECT_EQ(panel.DrawTextBiDiModeFlags(0), c.left);
    EXPECT_EQ(panel.DrawTextBiDiModeFlags(DT_RIGHT), c.right);
    EXPECT_EQ(panel.DrawTextBiDiModeFlags(DT_CENTER), c.center);
  }
}

TEST(ControlsThemeTest, DesktopNotificationsReachEveryControlOfEveryForm) {
  ModalScript script;
  TForm* form = New<TForm>(nullptr);
  auto* panel = New<TPanel>(form);
  panel->SetParent(form);
  auto* deep = New<TListener>(form);
  deep->SetParent(panel);
  TForm* other = New<TForm>(nullptr);
  auto* top = New<TListener>(other);
  top->SetParent(other);

  Application->NotifySystemColorsChanged();
  Application->NotifyThemeChanged();
  Application->NotifySystemFontChanged();
  const std::vector<unsigned> expected{CM_SYSCOLORCHANGE, WM_THEMECHANGED, CM_SYSFONTCHANGED};
  EXPECT_EQ(deep->Heard, expected);
  EXPECT_EQ(top->Heard, expected);
  delete form;
  delete other;
}

TEST(ControlsHitTest, ControlsOnTopHideThoseBelowAndDisabledOnesPassToTheirParent) {
  ModalScript script;
  TForm* form = New<TForm>(nullptr);
  form->SetBorderStyle(bsSingle);
  form->SetBounds(100, 100, 300, 200);
  auto* below = New<TLabel>(form);  // windowless
  below->SetParent(form);
  below->SetAutoSize(false);
  below->SetBounds(10, 10, 100, 40);
  auto* cover = New<TPanel>(form);  // windowed, lying on the label's right half
  cover->SetParent(form);
  cover->SetBounds(60, 0, 100, 80);
  form->Show();
  Application->ProcessMessages();

  EXPECT_EQ(FindDragTarget(below->ClientToScreen(Point(5, 5)), false), below);
  EXPECT_EQ(FindDragTarget(below->ClientToScreen(Point(70, 5)), false), cover);
  EXPECT_EQ(FindVCLWindow(below->ClientToScreen(Point(5, 5))), form);
  below->SetEnabled(false);
  EXPECT_EQ(FindDragTarget(below->ClientToScreen(Point(5, 5)), false), form);
  EXPECT_EQ(FindDragTarget(below->ClientToScreen(Point(5, 5)), true), below);
  delete form;
}

TEST(ControlsPaintTest, ParentBackgroundIsTheParentsOwnPaintingUnderTheControl) {
  TForm* form = New<TForm>(nullptr);
  auto* stripes = New<TStripes>(form);
  stripes->SetParent(form);
  stripes->SetColor(clBlue);
  stripes->SetBounds(0, 0, 40, 20);
  auto* child = New<TPanel>(form);
  child->SetParent(stripes);
  child->SetBounds(6, 2, 20, 10);

  TImageCanvas img(20, 10, clWhite);
  PaintParentBackground(child, img.Canvas());
  // Columns 0..3 lie over the parent's red stripe (x 6..9), the rest over its blue background.
  EXPECT_EQ(img.Pixel(0, 0), clRed);
  EXPECT_EQ(img.Pixel(3, 9), clRed);
  EXPECT_EQ(img.Pixel(4, 0), clBlue);
  EXPECT_EQ(img.Pixel(19, 9), clBlue);

  // Clipped to the parent's client area: a control hanging over its parent's edge.
  child->SetBounds(30, 15, 20, 10);
  TImageCanvas over(20, 10, clWhite);
  PaintParentBackground(child, over.Canvas());
  EXPECT_EQ(over.Pixel(9, 4), clBlue);
  EXPECT_EQ(over.Pixel(10, 4), clWhite);
  EXPECT_EQ(over.Pixel(5, 5), clWhite);
  delete form;
}

TEST(ControlsPaintTest, ParentBackgroundWithGraphicChildrenPaintsOnlyTheVisibleGraphicOnes) {
  TForm* form = New<TForm>(nullptr);
  auto* stripes = New<TStripes>(form);
  stripes->SetParent(form);
  stripes->SetColor(clBlue);
  stripes->SetBounds(0, 0, 40, 20);
  auto shape = [&](TColor colour, int left) {
    auto* s = New<TShape>(form);
    s->SetParent(stripes);
    s->Brush()->SetColor(colour);
    s->Pen()->SetColor(colour);
    s->SetBounds(left, 0, 4, 20);
    return s;
  };
  shape(clLime, 12);
  shape(clYellow, 14);  // lies on top of the lime one where they overlap
  shape(clFuchsia, 18)->SetVisible(false);
  auto* windowed = New<TPanel>(form);
  windowed->SetParent(stripes);
  windowed->SetColor(clMaroon);
  windowed->SetBounds(22, 0, 4, 20);
  auto* child = New<TPanel>(form);
  child->SetParent(stripes);
  child->SetBounds(10, 0, 20, 20);

  TImageCanvas plain(20, 20, clWhite);
  PaintParentBackground(child, plain.Canvas());
  TImageCanvas with(20, 20, clWhite);
  PaintParentBackground(child, with.Canvas(), true);
  // Child x -> parent x + 10: the lime shape at 12..15 under the yellow one at 14..17.
  const struct {
    int X;
    TColor Plain, With;
  } cases[] = {{1, clBlue, clBlue}, {2, clBlue, clLime}, {3, clBlue, clLime}, {4, clBlue, clYellow},
               {7, clBlue, clYellow}, {8, clBlue, clBlue}, {12, clBlue, clBlue}, {19, clBlue, clBlue}};
  for (const auto& c : cases) {
    EXPECT_EQ(plain.Pixel(c.X, 10), c.Plain) << c.X;
    EXPECT_EQ(with.Pixel(c.X, 10), c.With) << c.X;
  }
  delete form;
}

}  // namespace

namespace {

// Waits, bounded, for the window system's next paint of the probe.
template <class P>
bool PaintedSince(P* probe, int before) {
  for (int i = 0; i < 2500 && probe->Paints == before; ++i) {
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  return probe->Paints > before;
}

// Notes, at each paint, which of two probe squares the paint may touch.
class TBiDiProbe : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  int Paints = 0;
  bool LeftVisible = false, RightVisible = false;

 protected:
  void Paint() override {
    ++Paints;
    LeftVisible = Canvas()->RectVisible(Rect(0, 0, 16, 16));
    RightVisible = Canvas()->RectVisible(Rect(60, 0, 80, 16));
  }
};

TEST(ControlsPaintTest, InvalidatingPartOfAControlRepaintsOnlyThatPart) {
  // Really shown (offscreen), so that the window system's paints reach Paint.
  TForm* form = New<TForm>(nullptr);
  form->SetBounds(0, 0, 200, 100);
  auto* probe = New<TBiDiProbe>(form);
  probe->SetParent(form);
  probe->SetBounds(10, 10, 80, 20);
  form->Show();
  ASSERT_TRUE(PaintedSince(probe, 0));
  EXPECT_TRUE(probe->LeftVisible);
  EXPECT_TRUE(probe->RightVisible);
  // Let every paint the showing asked for arrive, so none merges with the next request.
  for (int quiet = 0, i = 0; quiet < 20 && i < 2000; ++i) {
    int n = probe->Paints;
    Application->ProcessMessages();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    quiet = probe->Paints == n ? quiet + 1 : 0;
  }

  int before = probe->Paints;
  InvalidateRect(probe, Rect(0, 0, 16, 16), true);
  ASSERT_TRUE(PaintedSince(probe, before));
  EXPECT_TRUE(probe->LeftVisible);
  EXPECT_FALSE(probe->RightVisible);

  before = probe->Paints;
  probe->Invalidate();
  ASSERT_TRUE(PaintedSince(probe, before));
  EXPECT_TRUE(probe->RightVisible);
  delete form;
}

}  // namespace
