// The drop-down button of the edit: its four drop-down looks, the push-button look, the width
// rule and the click relay.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "DropDownTestSupport.h"
#include "grid/dropdown/AdvDropDownButton.h"
#include "platform/Forms.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/RecordingCanvas.h"
#include "platform/testing/ScopedPlatformProfile.h"

namespace {

using dropdown_test::TFakeDropDownEdit;

// Paints the speed button on a canvas of the test's choosing.
struct TSpeedButtonPainter : TAdvDropDownSpeedButton {
  static void PaintOn(TAdvDropDownSpeedButton* Button, TCanvas* Canvas) {
    TCanvas* TGraphicControl::*canvas = &TSpeedButtonPainter::paintCanvas_;
    void (TAdvDropDownSpeedButton::*paint)() = &TSpeedButtonPainter::Paint;
    Button->*canvas = Canvas;
    (Button->*paint)();
    Button->*canvas = nullptr;
  }
};

class DropDownButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(200);
    form->SetClientHeight(60);
    edit = new TFakeDropDownEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 120, 21);
    container = new TDropDownEditButton(edit);
    container->SetParent(edit);
    container->SetBounds(100, 0, 50, 21);
    button = container->Button();
  }
  void TearDown() override { delete form; }

  std::unique_ptr<TImageCanvas> Paint() {
    auto img = std::make_unique<TImageCanvas>(button->Width(), button->Height(), clWhite);
    TSpeedButtonPainter::PaintOn(button, img->Canvas());
    return img;
  }

  InputDriver driver;
  TScopedFakeMetrics metrics;
  TForm* form = nullptr;
  TFakeDropDownEdit* edit = nullptr;
  TDropDownEditButton* container = nullptr;
  TAdvDropDownSpeedButton* button = nullptr;
};

TEST_F(DropDownButtonTest, NewButton) {
  EXPECT_EQ(container->Width(), 16);
  EXPECT_EQ(container->BWidth(), 16);
  EXPECT_EQ(button->ButtonStyle(), bsDropDown);
  EXPECT_TRUE(button->Glyph()->Empty());
  EXPECT_TRUE(button->Caption().empty());
  EXPECT_EQ(button->Parent(), container);
  EXPECT_FALSE(container->ControlStyle().Contains(csAcceptsControls));
  EXPECT_FALSE(container->ControlStyle().Contains(csSetCaption));
  EXPECT_TRUE(container->ControlStyle().Contains(csOpaque));
  for (TColor c : {container->ButtonColor(), container->ButtonColorHot(), container->ButtonColorDown(),
                   container->ButtonBorderColor(), container->ButtonTextColor(), container->ButtonTextColorHot(),
                   container->ButtonTextColorDown()})
    EXPECT_EQ(c, clNone);
  EXPECT_TRUE(button->IsWinXP());
}

TEST_F(DropDownButtonTest, WidthStaysTheButtonWidthWhateverTheBounds) {
  container->SetBWidth(20);
  struct Case {
    int l, t, w, h;
  };
  for (const Case& c : {Case{0, 0, 50, 30}, Case{5, 1, 3, 17}, Case{100, 0, 0, 21}}) {
    container->SetBounds(c.l, c.t, c.w, c.h);
    EXPECT_EQ(container->BoundsRect(), Rect(c.l, c.t, c.l + 20, c.t + c.h));
    EXPECT_EQ(button->BoundsRect(), Rect(0, 0, 20, c.h));
  }
  container->SetWidth(70);
  EXPECT_EQ(container->Width(), 20);
}

TEST_F(DropDownButtonTest, CustomColoursFillLineAndArrowByState) {
  edit->FBorder = clBlue;
  container->SetButtonColor(clRed);
  container->SetButtonColorHot(clLime);
  container->SetButtonColorDown(clMaroon);
  container->SetButtonTextColor(clYellow);
  container->SetButtonTextColorHot(clNavy);
  container->SetButtonTextColorDown(clAqua);
  const TPoint face{4, 15}, line{0, 5}, arrow{8, 8}, arrowEdge{8, 10};
  struct Step {
    const char* what;
    std::function<void()> act;
    TColor face, arrow;
  };
  const Step steps[] = {
      {"plain", [] {}, clRed, clYellow},
      {"hot", [&] { driver.MouseEnter(button); }, clLime, clNavy},
      {"pressed", [&] { driver.MouseDown(button, 5, 5); }, clMaroon, clAqua},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.act();
    auto img = Paint();
    EXPECT_EQ(img->Pixel(face.X, face.Y), s.face);
    EXPECT_EQ(img->Pixel(button->Width() - 1, button->Height() - 1), s.face);  // the whole client
    EXPECT_EQ(img->Pixel(line.X, line.Y), clBlue);
    EXPECT_EQ(img->Pixel(0, button->Height() - 1), clBlue);
    EXPECT_EQ(img->Pixel(arrow.X, arrow.Y), s.arrow);
    EXPECT_EQ(img->Pixel(arrowEdge.X, arrowEdge.Y), s.arrow);
    EXPECT_EQ(img->Pixel(8, 11), s.face);
    EXPECT_EQ(img->Pixel(4, 7), s.face);
  }
  TRecordingCanvas rec;
  TSpeedButtonPainter::PaintOn(button, &rec);
  const auto polygons = rec.CallsNamed("Polygon");
  ASSERT_EQ(polygons.size(), 1u);
  EXPECT_EQ(polygons[0].Args, (std::vector<int>{5, 7, 11, 7, 8, 10}));
}

TEST_F(DropDownButtonTest, GlyphReplacesTheArrowInAGreyFrame) {
  // Bottom-left pixel fuchsia: transparent.
  auto glyph = PatternBitmap(4, 4, {clBlack, clBlack, clBlack, clBlack, clBlack, clBlack, clBlack, clBlack,
                                    clBlack, clBlack, clBlack, clBlack, clFuchsia, clFuchsia, clFuchsia, clFuchsia});
  container->SetGlyph(glyph.get());
  container->SetButtonColor(clNone);
  auto img = Paint();
  const int w = button->Width(), h = button->Height();
  EXPECT_EQ(img->Pixel(w - 1, 5), TColor(0x808080));
  EXPECT_EQ(img->Pixel(5, h - 1), TColor(0x808080));
  EXPECT_EQ(img->Pixel(8, 8), ColorToRGB(clBtnFace));  // no arrow
  EXPECT_EQ(img->Pixel(2, 2), clBlack);
  EXPECT_EQ(img->Pixel(2, 3), ColorToRGB(clBtnFace));  // the glyph's transparent row
  EXPECT_EQ(img->CountColor(clBlack), 12);
}

TEST_F(DropDownButtonTest, ThemedDropDownPartByState) {
  struct Case {
    const char* what;
    bool readOnly, enabled;
    int state;
  };
  const Case cases[] = {{"normal", false, true, 1}, {"read-only", true, true, 4}, {"disabled edit", false, false, 4}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    edit->FReadOnly = c.readOnly;
    edit->SetEnabled(c.enabled);
    TRecordingCanvas rec;
    TSpeedButtonPainter::PaintOn(button, &rec);
    const auto parts = rec.CallsNamed("ThemeDrawBackground");
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].Text, u"combobox");
    // Windows 6.1: the client rectangle with its left moved in by one.
    EXPECT_EQ(parts[0].Args, (std::vector<int>{1, c.state, 1, 0, button->Width(), button->Height()}));
    EXPECT_EQ(button->Enabled(), c.enabled && !c.readOnly);
  }
  edit->FReadOnly = false;
  edit->SetEnabled(true);
  driver.MouseEnter(button);
  TRecordingCanvas hot;
  TSpeedButtonPainter::PaintOn(button, &hot);
  EXPECT_EQ(hot.CallsNamed("ThemeDrawBackground").at(0).Args[1], 2);
  driver.MouseDown(button, 3, 3);
  TRecordingCanvas pressed;
  TSpeedButtonPainter::PaintOn(button, &pressed);
  EXPECT_EQ(pressed.CallsNamed("ThemeDrawBackground").at(0).Args[1], 3);
  button->SetUp();  // never pressed again
  TRecordingCanvas up;
  TSpeedButtonPainter::PaintOn(button, &up);
  EXPECT_EQ(up.CallsNamed("ThemeDrawBackground").at(0).Args[1], 2);
}

TEST_F(DropDownButtonTest, ClassicLookWithoutVisualStyles) {
  TScopedPlatformProfile unthemed(UnthemedProfile());
  auto img = Paint();
  const int w = button->Width(), h = button->Height();
  EXPECT_EQ(img->Pixel(8, 8), clBlack);  // the arrow
  EXPECT_EQ(img->Pixel(8, 9), clBlack);
  EXPECT_EQ(img->Pixel(11, 7), clBlack);
  EXPECT_NE(img->Pixel(12, 7), clBlack);  // the triangle ends at its corners
  EXPECT_NE(img->Pixel(8, 11), clBlack);
  // The white line from (Width - 3, 1) over (1, 1) down to (1, Height - 2), end pixel left out.
  EXPECT_EQ(img->Pixel(1, 1), clWhite);
  EXPECT_EQ(img->Pixel(w - 3, 1), clWhite);
  EXPECT_EQ(img->Pixel(1, h - 3), clWhite);
  EXPECT_EQ(img->Pixel(0, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(img->Pixel(w - 2, 0), ColorToRGB(clBtnFace));
  EXPECT_EQ(img->Pixel(0, h - 2), ColorToRGB(clBtnFace));
  TRecordingCanvas rec;
  edit->FReadOnly = true;
  TSpeedButtonPainter::PaintOn(button, &rec);
  const auto frames = rec.CallsNamed("DrawFrameControl");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].Args[4], static_cast<int>(DFC_BUTTON));
  EXPECT_FALSE(button->Enabled());  // a read-only edit's button is painted disabled
  EXPECT_TRUE(rec.CallsNamed("ThemeDrawBackground").empty());
}

TEST_F(DropDownButtonTest, PushButtonLooks) {
  button->SetButtonStyle(bsButton);
  button->SetCaption(u"Go");
  TRecordingCanvas themed;
  TSpeedButtonPainter::PaintOn(button, &themed);
  auto parts = themed.CallsNamed("ThemeDrawBackground");
  ASSERT_EQ(parts.size(), 1u);
  EXPECT_EQ(parts[0].Text, u"button");
  EXPECT_EQ(parts[0].Args, (std::vector<int>{1, 1, 0, 0, button->Width() + 1, button->Height() + 1}));
  ASSERT_EQ(themed.CallsNamed("DrawText").size(), 1u);

  TScopedPlatformProfile unthemed(UnthemedProfile());
  button->SetFlat(true);
  button->SetEtched(true);
  TRecordingCanvas flat;
  TSpeedButtonPainter::PaintOn(button, &flat);
  auto edges = flat.CallsNamed("DrawEdge");
  ASSERT_EQ(edges.size(), 1u);
  EXPECT_EQ(edges[0].Args[4], static_cast<int>(EDGE_ETCHED));
  EXPECT_EQ(edges[0].Args[5], static_cast<int>(BF_RECT));
  driver.MouseDown(button, 3, 3);
  button->SetEtched(false);
  TRecordingCanvas down;
  TSpeedButtonPainter::PaintOn(button, &down);
  edges = down.CallsNamed("DrawEdge");
  ASSERT_EQ(edges.size(), 1u);
  EXPECT_EQ(edges[0].Args[4], static_cast<int>(EDGE_RAISED));
  EXPECT_EQ(edges[0].Args[5], static_cast<int>(BF_RECT | BF_FLAT));
}

TEST_F(DropDownButtonTest, LeftReleaseOverTheButtonClicks) {
  std::vector<TObject*> senders;
  container->OnClick = [&senders](TObject* s) { senders.push_back(s); };
  driver.Click(button);
  ASSERT_EQ(senders.size(), 1u);
  EXPECT_EQ(senders[0], container);
  driver.MouseDown(button, 3, 3, mbRight);
  driver.MouseUp(button, 3, 3, mbRight);
  driver.MouseDown(button, 3, 3);
  driver.MouseUp(button, 40, 3);  // released beside it
  EXPECT_EQ(senders.size(), 1u);
}

TEST_F(DropDownButtonTest, FocusControlIsLetGoWhenItGoes) {
  auto* other = new TFakeDropDownEdit(form);
  container->SetFocusControl(other);
  EXPECT_EQ(container->FocusControl(), other);
  delete other;
  EXPECT_EQ(container->FocusControl(), nullptr);
}

TEST_F(DropDownButtonTest, SizeMessageAndLoadingKeepTheRule) {
  container->SetLoading(true);
  container->SetBounds(0, 0, 60, 21);  // while loading the bounds are taken as given
  EXPECT_EQ(container->Width(), 60);
  container->SetLoading(false);  // Loaded applies the rule
  EXPECT_EQ(container->Width(), 16);
  EXPECT_EQ(button->BoundsRect(), Rect(0, 0, 16, 21));
  EXPECT_EQ(container->Perform(WM_SIZE, 0, 0), 0);
  EXPECT_EQ(container->Width(), 16);
}

TEST_F(DropDownButtonTest, EnableChangesReachTheSpeedButton) {
  container->SetEnabled(false);
  EXPECT_FALSE(button->Enabled());
  container->SetEnabled(true);
  EXPECT_TRUE(button->Enabled());
  container->SetButtonCaption(u"...");
  EXPECT_EQ(button->Caption(), u"...");
  container->SetNumGlyphs(2);
  EXPECT_EQ(button->NumGlyphs(), 2);
}

}  // namespace
