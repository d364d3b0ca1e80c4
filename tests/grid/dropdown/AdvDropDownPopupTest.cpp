// The drop-down popup: the re-open guard on the virtual clock, placement on fake monitors, the
// user's size, cancelling, the smallest size; the header and footer panels; the style presets
// as a new edit carries them; a picture of an open popup.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "DropDownEditFixture.h"
#include "grid/dropdown/AdvDropDownPanels.h"
#include "platform/ExtCtrls.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

using dropdown_test::DropDownEditFixture;

// Paints a panel on a canvas of the test's choosing.
template <class TPanel>
struct TDropDownPanelPainter : TPanel {
  static void PaintOn(TPanel* Panel, TCanvas* Canvas) {
    TCanvas* TCustomControl::*canvas = &TDropDownPanelPainter::paintCanvas_;
    Panel->*canvas = Canvas;
    Panel->Perform(WM_PAINT);
    Panel->*canvas = nullptr;
  }
};

class DropDownPopupTest : public DropDownEditFixture {
 protected:
  // A hosted control of 150 x 100 and a footer with buttons.
  void Host() {
    control = new TPanel(form);
    control->SetBounds(0, 0, 150, 100);
    edit->SetControl(control);
  }
  TPanel* control = nullptr;
};

TEST_F(DropDownPopupTest, AClickWhileOpenClosesWithoutReopeningAndOneLaterOpens) {
  ClickButton();
  ASSERT_TRUE(edit->DroppedDown());
  ClickButton();  // the press deactivates the popup, the release must not reopen it
  EXPECT_FALSE(edit->DroppedDown());
  driver.AdvanceTime(250);
  ClickButton();
  EXPECT_FALSE(edit->DroppedDown());
  driver.AdvanceTime(1);
  ClickButton();
  EXPECT_TRUE(edit->DroppedDown());
}

TEST_F(DropDownPopupTest, RefusedDropKeepsThePopupClosed) {
  bool before = false;
  edit->OnBeforeDropDown = [&](TObject*) { before = true; };
  edit->OnDropDown = [](TObject*, bool& accept) { accept = false; };
  ClickButton();
  EXPECT_TRUE(before);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_FALSE(Popup()->Visible());
}

TEST_F(DropDownPopupTest, PlacementOnTheNearestMonitor) {
  edit->SetDropDownWidth(200);
  edit->SetDropDownHeight(102);
  const struct {
    const char* Name;
    TDropPosition Position;
    int FormLeft, FormTop;
    std::vector<TMonitorInfo> Monitors;
    TPoint Expected;
  } cases[] = {
      {"below with room", dpAuto, 100, 100, {{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)}}, {120, 140}},
      {"auto near the bottom opens above", dpAuto, 100, 950, {{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)}},
       {120, 970 - 102}},
      {"down leaves the screen", dpDown, 100, 1000, {{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)}},
       {120, 1040}},
      {"right edge shift", dpDown, 1700, 100, {{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)}}, {1920 - 200, 140}},
      {"monitor at negative coordinates", dpAuto, -400, 900,
       {{Rect(0, 0, 1920, 1080), Rect(0, 0, 1920, 1040)}, {Rect(-1280, 0, 0, 1024), Rect(-1280, 0, 0, 984)}},
       {-380, 920 - 102}},
  };
  for (const auto& c : cases) {
    SetTestMonitors(c.Monitors);
    edit->SetDropPosition(c.Position);
    form->SetBounds(c.FormLeft, c.FormTop, 400, 300);
    edit->ShowDropDown();
    EXPECT_EQ(Point(Popup()->Left(), Popup()->Top()), c.Expected) << c.Name;
    EXPECT_EQ(Popup()->Width(), 200) << c.Name;
    edit->HideDropDown(false);
    edit->SetDropDownWidth(1);  // forgets the size the closing remembered
    edit->SetDropDownWidth(200);
    edit->SetDropDownHeight(1);
    edit->SetDropDownHeight(102);
  }
}

TEST_F(DropDownPopupTest, UserSizeKeptUntilDropDownWidthIsWrittenAndNeverBelowTheMinimum) {
  Host();
  TPopupForm::SetSizingSeam([](TPopupForm*, int& W, int& H) {
    W = 320;
    H = 240;
    return true;
  });
  edit->ShowDropDown();
  ASSERT_NE(Popup()->Footer(), nullptr);
  driver.MouseDown(Popup()->Footer(), Popup()->Footer()->Width() - 3, Popup()->Footer()->Height() - 3);
  EXPECT_EQ(Popup()->Width(), 320);
  EXPECT_EQ(Popup()->Height(), 240);
  edit->HideDropDown(false);
  edit->ShowDropDown();
  EXPECT_EQ(Popup()->Width(), 320);
  edit->HideDropDown(false);
  edit->SetDropDownWidth(250);
  edit->ShowDropDown();
  EXPECT_EQ(Popup()->Width(), 250);
  EXPECT_EQ(Popup()->Height(), 240);
  Popup()->UserSized(10, 10);
  EXPECT_EQ(Popup()->Width(), 80);
  EXPECT_EQ(Popup()->Height(), 50);
  TPopupForm::SetSizingSeam(nullptr);
}

TEST_F(DropDownPopupTest, CancelRestoresTheTextLastSetAndReportsIt) {
  std::vector<bool> ups;
  edit->OnDropUp = [&](TObject*, bool Cancelled) { ups.push_back(Cancelled); };
  edit->SetText(u"kept");
  edit->ShowDropDown();
  edit->SetTextDirect(u"changed");
  // Losing activation to the edit's own form cancels.
  driver.Click(form, 300, 200);
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(edit->Text(), u"kept");
  EXPECT_EQ(ups, std::vector<bool>{true});
  EXPECT_TRUE(edit->Focused());
}

TEST_F(DropDownPopupTest, ClosingWithOkFromAFocusedHostedControlGivesTheFocusBackWithoutCancelling) {
  std::vector<bool> ups;
  edit->OnDropUp = [&](TObject*, bool Cancelled) { ups.push_back(Cancelled); };
  auto* list = new TEdit(form);
  list->SetBounds(0, 0, 150, 100);
  edit->SetControl(list);
  edit->SetFocusControl(list);
  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetTop(100);
  edit->SetText(u"kept");
  form->FocusControl(other);
  edit->ShowDropDown();
  ASSERT_TRUE(list->Focused());
  edit->SetTextDirect(u"picked");
  edit->HideDropDown(false);
  EXPECT_EQ(ups, std::vector<bool>{false});
  EXPECT_EQ(edit->Text(), u"picked");
  EXPECT_TRUE(edit->Focused());
  EXPECT_EQ(Screen->ActiveForm(), form);
}

TEST_F(DropDownPopupTest, HeaderWithoutColoursDrawsNoBackground) {
  edit->DropDownHeader()->SetColor(clNone);
  edit->DropDownHeader()->SetColorTo(clNone);
  edit->DropDownHeader()->SetBorderColor(clNone);
  edit->ShowDropDown();
  TRecordingCanvas canvas;
  TDropDownPanelPainter<TAdvHeader>::PaintOn(Popup()->Header(), &canvas);
  EXPECT_TRUE(canvas.CallsNamed("FillRect").empty());
  EXPECT_TRUE(canvas.CallsNamed("Rectangle").empty());
}

TEST_F(DropDownPopupTest, StripBorderLinesDependOnThePopupBorder) {
  const auto lines = [&](auto* Panel) {
    TRecordingCanvas canvas;
    TDropDownPanelPainter<std::remove_pointer_t<decltype(Panel)>>::PaintOn(Panel, &canvas);
    std::vector<std::string> out;
    for (const auto& c : canvas.Calls())
      if ((c.Name == "MoveTo" || c.Name == "LineTo") && c.PenColor == clBlack) out.push_back(c.ToString());
    return out;
  };
  edit->SetComponentStyle(tsCustom);
  edit->SetDropDownBorderColor(clBlack);
  edit->DropDownHeader()->SetBorderColor(clBlack);
  edit->DropDownFooter()->SetBorderColor(clBlack);
  edit->ShowDropDown();
  const int w = Popup()->Header()->Width(), h = Popup()->Header()->Height();
  const std::string right = std::to_string(w), bottom = std::to_string(h - 1);
  EXPECT_EQ(lines(Popup()->Header()),
            (std::vector<std::string>{"MoveTo(0," + bottom + ")", "LineTo(" + right + "," + bottom + ")"}));
  EXPECT_EQ(lines(Popup()->Footer()), (std::vector<std::string>{"MoveTo(0,0)", "LineTo(" + right + ",0)"}));
  edit->SetDropDownBorderColor(clNone);
  EXPECT_EQ(lines(Popup()->Header()).size(), 7u);  // the full frame
  EXPECT_EQ(lines(Popup()->Footer()).size(), 6u);
}

TEST_F(DropDownPopupTest, RightAlignedButtonsStartWithItemZeroRightmost) {
  edit->DropDownFooter()->SetButtonAlignment(baRight);
  edit->DropDownFooter()->Buttons()->Add()->SetCaption(u"OK");
  edit->DropDownFooter()->Buttons()->Add()->SetCaption(u"Cancel");
  edit->DropDownFooter()->Buttons()->Items(1)->SetHeight(100);
  edit->ShowDropDown();
  TAdvFooter* footer = Popup()->Footer();
  ASSERT_EQ(footer->ButtonCount(), 2);
  EXPECT_EQ(footer->Buttons(0)->Left() + footer->Buttons(0)->Width(), footer->ButtonArea().Right);
  EXPECT_EQ(footer->Buttons(1)->Left() + footer->Buttons(1)->Width(), footer->Buttons(0)->Left());
  EXPECT_EQ(footer->Buttons(1)->Height(), footer->ButtonArea().Height());
  EXPECT_EQ(footer->ButtonArea().Right, footer->ClientWidth() - 14);
  TDbgList list;
  EXPECT_THROW(list.GetItemsEx(0), Exception);
}

TEST_F(DropDownPopupTest, NoGripWhenThePopupIsNotSizeable) {
  edit->SetDropDownSizeable(false);
  edit->ShowDropDown();
  TAdvFooter* footer = Popup()->Footer();
  EXPECT_FALSE(footer->GripOn());
  EXPECT_EQ(footer->ButtonArea().Right, footer->ClientWidth() - 2);
  TRecordingCanvas canvas;
  TDropDownPanelPainter<TAdvFooter>::PaintOn(footer, &canvas);
  for (const auto& c : canvas.CallsNamed("Rectangle")) EXPECT_GT(c.Args[2] - c.Args[0], 2) << c.ToString();
  int sized = 0;
  TPopupForm::SetSizingSeam([&](TPopupForm*, int&, int&) { return ++sized, false; });
  driver.MouseDown(footer, footer->Width() - 3, footer->Height() - 3);
  EXPECT_EQ(sized, 0);
  TPopupForm::SetSizingSeam(nullptr);
}

TEST_F(DropDownPopupTest, FooterModalResultClosesWithCancelBeforeTheClickEvent) {
  std::vector<std::string> events;
  edit->OnDropUp = [&](TObject*, bool Cancelled) { events.push_back(Cancelled ? "up cancelled" : "up"); };
  edit->OnDropDownFooterButtonClick = [&](TObject*, int Index) { events.push_back("click " + std::to_string(Index)); };
  edit->DropDownFooter()->Buttons()->Add()->SetModalResult(4);
  edit->DropDownFooter()->Buttons()->Add()->SetModalResult(2);
  edit->ShowDropDown();
  driver.Click(Popup()->Footer()->Buttons(0));
  EXPECT_TRUE(edit->DroppedDown());
  driver.Click(Popup()->Footer()->Buttons(1));
  EXPECT_FALSE(edit->DroppedDown());
  EXPECT_EQ(events, (std::vector<std::string>{"click 0", "up cancelled", "click 1"}));
}

TEST_F(DropDownPopupTest, NewDropDownCarriesTheLunaColours) {
  EXPECT_EQ(edit->GetComponentStyle(), tsOffice2007Luna);
  EXPECT_EQ(edit->DropDownColor(), static_cast<TColor>(0xF3E5DA));
  EXPECT_EQ(edit->DropDownColorTo(), static_cast<TColor>(0xF0DED0));
  EXPECT_EQ(edit->DropDownBorderColor(), clNone);
  for (auto* strip : {static_cast<TDropDownStripAppearance<THeaderButtons>*>(edit->DropDownHeader())}) {
    EXPECT_EQ(strip->Color(), static_cast<TColor>(0xFFEFE3));
    EXPECT_EQ(strip->ColorTo(), static_cast<TColor>(0xFFD2AF));
    EXPECT_EQ(strip->Font()->Color(), static_cast<TColor>(0x723708));
    EXPECT_EQ(strip->BorderColor(), static_cast<TColor>(0xFFD2AF));
  }
  EXPECT_EQ(edit->DropDownFooter()->Color(), static_cast<TColor>(0xFFEFE3));
  EXPECT_EQ(edit->DropDownFooter()->BorderColor(), static_cast<TColor>(0xFFD2AF));
  EXPECT_EQ(edit->SelectionColor(), static_cast<TColor>(0xD7FFFD));
}

TEST_F(DropDownPopupTest, CustomStyleChangesOnlyTheStoredStyleAndThreeStylesKeepTheBorderColour) {
  edit->SetDropDownBorderColor(0x123456);
  edit->SetComponentStyle(tsCustom);
  EXPECT_EQ(edit->GetComponentStyle(), tsCustom);
  EXPECT_EQ(edit->DropDownColor(), static_cast<TColor>(0xF3E5DA));
  EXPECT_EQ(edit->DropDownBorderColor(), static_cast<TColor>(0x123456));
  for (TQELStyle s : {tsOffice2003Blue, tsOffice2003Silver, tsWindowsXP}) {
    edit->SetDropDownBorderColor(0x123456);
    edit->SetComponentStyle(s);
    EXPECT_EQ(edit->DropDownBorderColor(), static_cast<TColor>(0x123456)) << s;
  }
  edit->SetComponentStyle(tsWindowsVista);
  EXPECT_EQ(edit->DropDownBorderColor(), static_cast<TColor>(0x979797));
  // The Vista footer runs its gradient the other way round.
  EXPECT_EQ(edit->DropDownFooter()->Color(), edit->DropDownHeader()->ColorTo());
  EXPECT_EQ(edit->DropDownFooter()->ColorTo(), edit->DropDownHeader()->Color());
}

TEST_F(DropDownPopupTest, PopupPaintsItsBackgroundAndBorder) {
  edit->SetDropDownColorTo(clNone);
  edit->SetDropDownColor(clWhite);
  edit->SetDropDownBorderColor(clRed);
  edit->DropDownHeader()->SetVisible(false);
  edit->DropDownFooter()->SetVisible(false);
  edit->ShowDropDown();
  TImageCanvas image(Popup()->Width(), Popup()->Height(), clBlack);
  Popup()->PaintBackground(image.Canvas());
  EXPECT_EQ(image.Pixel(0, 0), clRed);
  EXPECT_EQ(image.Pixel(Popup()->Width() - 1, Popup()->Height() - 1), clRed);
  EXPECT_EQ(image.Pixel(5, 5), clWhite);
}

TEST_F(DropDownPopupTest, PictureOfAnOpenPopupWithHeaderFooterButtonsAndGrip) {
  Host();
  control->SetColor(clWhite);
  edit->SetComponentStyle(tsOffice2007Luna);
  edit->SetDropDownBorderColor(0x9C613B);
  edit->DropDownHeader()->SetCaption(u"<b>Pick</b> a value");
  edit->DropDownFooter()->Buttons()->Add()->SetCaption(u"OK");
  edit->DropDownFooter()->Buttons()->Add()->SetCaption(u"Cancel");
  edit->DropDownFooter()->SetButtonAlignment(baLeft);
  edit->SetDropDownWidth(220);
  edit->ShowDropDown();
  ASSERT_TRUE(edit->DroppedDown());
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / "dropdown";
  std::filesystem::create_directories(dir);
  const String path = String(dir.u16string()) + u"/open_popup.png";
  ASSERT_TRUE(PaintToPng(Popup(), path));
  auto bitmap = PaintToBitmap(Popup());
  ASSERT_EQ(bitmap->Width(), 220);
  // Header, the hosted control at its own height, footer, and the border.
  EXPECT_EQ(Popup()->Height(), 22 + 100 + 22 + 2);
  EXPECT_EQ(control->Height(), 100);
  EXPECT_EQ(bitmap->Canvas()->Pixels(0, 60), static_cast<TColor>(0x9C613B));  // the popup's border
  TAdvFooter* footer = Popup()->Footer();
  const TRect grip = footer->GripRect();
  const TRect placed = PaintedRect(footer, Popup());
  // The grip's darker dots sit in its bottom-right corner.
  EXPECT_NE(bitmap->Canvas()->Pixels(placed.Left + grip.Left + 12, placed.Top + grip.Bottom - 4),
            bitmap->Canvas()->Pixels(placed.Left + grip.Left + 2, placed.Top + grip.Bottom - 4));
}

}  // namespace
