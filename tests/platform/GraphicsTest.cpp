// Colours, fonts, pens and brushes, rectangle helpers, the recording canvas and the profile.
#include <gtest/gtest.h>

#include "platform/Graphics.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

TEST(GraphicsColors, SystemColoursResolveThroughTheClassicTable) {
  const std::pair<TColor, TColor> cases[] = {
      {clBtnFace, 0xC8D0D4},   {clWindow, 0xFFFFFF},     {clWindowText, 0x000000}, {clBtnShadow, 0x808080},
      {clBtnHighlight, 0xFFFFFF}, {cl3DDkShadow, 0x404040}, {cl3DLight, 0xC8D0D4}, {clHighlight, 0x6A240A},
      {clHighlightText, 0xFFFFFF}, {clInfoBk, 0xE1FFFF},    {clGrayText, 0x808080}, {clMenuBar, 0xD8E9EC},
      {clRed, 0x0000FF},        {RGB(1, 2, 3), 0x030201},  {clNone, 0x1FFFFFFF},   {clDefault, 0x20000000},
  };
  for (auto [in, out] : cases) EXPECT_EQ(ColorToRGB(in), out) << std::hex << in;
  EXPECT_EQ(clBtnFace, static_cast<TColor>(0xFF00000F));
  EXPECT_EQ(clInfoBk, static_cast<TColor>(0xFF000018));
  EXPECT_EQ(GetRValue(0x123456), 0x56);
  EXPECT_EQ(GetGValue(0x123456), 0x34);
  EXPECT_EQ(GetBValue(0x123456), 0x12);
}

TEST(GraphicsFont, SizeAndHeightConvertAtNinetySixDpi) {
  TFont f;
  const std::pair<int, int> sizeToHeight[] = {{8, -11}, {9, -12}, {10, -13}, {24, -32}};
  for (auto [size, height] : sizeToHeight) {
    f.SetSize(size);
    EXPECT_EQ(f.Height(), height) << size;
    EXPECT_EQ(f.Size(), size) << height;
  }
}

TEST(GraphicsFont, VerdanaAndTahomaMapToDejaVuSans) {
  TFont f;
  for (const char16_t* name : {u"Verdana", u"Tahoma", u"TAHOMA"}) {
    f.SetName(name);
    EXPECT_EQ(f.FamilyName(), u"DejaVu Sans");
  }
  f.SetName(u"Courier New");
  EXPECT_EQ(f.FamilyName(), u"Courier New");
}

TEST(GraphicsFont, ChangesNotifyAndAssignCopiesEverything) {
  TFont a;
  int changes = 0;
  a.OnChange = [&](TObject*) { ++changes; };
  a.SetName(u"Verdana");
  a.SetHeight(-32);
  a.SetStyle(fsBold | fsUnderline);
  a.SetColor(clGray);
  a.SetOrientation(900);
  a.SetHeight(-32);  // unchanged: no event
  EXPECT_EQ(changes, 5);

  TFont b;
  b.Assign(&a);
  EXPECT_EQ(b.Name(), u"Verdana");
  EXPECT_EQ(b.Height(), -32);
  EXPECT_TRUE(b.Style().Contains(fsBold));
  EXPECT_TRUE(b.Style().Contains(fsUnderline));
  EXPECT_FALSE(b.Style().Contains(fsItalic));
  EXPECT_EQ(b.Color(), clGray);
  EXPECT_EQ(b.Orientation(), 900);
  TPen pen;
  EXPECT_THROW(b.Assign(&pen), EConvertError);
}

TEST(GraphicsBrush, ColourMakesAClearBrushSolidAndBkModeFollowsTheBrush) {
  TRecordingCanvas c;
  EXPECT_EQ(c.BkMode(), OPAQUE);
  c.Brush()->SetStyle(bsClear);
  EXPECT_EQ(c.BkMode(), TRANSPARENT);
  c.Brush()->SetColor(clRed);
  EXPECT_EQ(c.Brush()->Style(), bsSolid);
  EXPECT_EQ(c.BkMode(), OPAQUE);
  EXPECT_EQ(c.SetBkMode(TRANSPARENT), OPAQUE);
  EXPECT_EQ(c.BkMode(), TRANSPARENT);
  EXPECT_EQ(c.SetTextColor(clBlue), clWindowText);
  EXPECT_EQ(c.Font()->Color(), clBlue);
}

TEST(GraphicsRect, HelpersFollowExclusiveEdges) {
  TRect r;
  EXPECT_TRUE(IntersectRect(r, Rect(0, 0, 10, 10), Rect(5, 5, 20, 20)));
  EXPECT_EQ(r, Rect(5, 5, 10, 10));
  EXPECT_FALSE(IntersectRect(r, Rect(0, 0, 5, 5), Rect(5, 0, 10, 5)));
  EXPECT_EQ(r, Rect(0, 0, 0, 0));
  EXPECT_TRUE(PtInRect(Rect(0, 0, 4, 3), Point(3, 2)));
  EXPECT_FALSE(PtInRect(Rect(0, 0, 4, 3), Point(4, 2)));
  EXPECT_FALSE(PtInRect(Rect(0, 0, 4, 3), Point(3, 3)));
  TRect b = Bounds(2, 3, 4, 5);
  EXPECT_EQ(b, Rect(2, 3, 6, 8));
  InflateRect(b, 1, 2);
  EXPECT_EQ(b, Rect(1, 1, 7, 10));
  OffsetRect(b, -1, 1);
  EXPECT_EQ(b, Rect(0, 2, 6, 11));
  EXPECT_TRUE(IsRectEmpty(Rect(3, 3, 3, 9)));
  EXPECT_TRUE(UnionRect(r, Rect(0, 0, 2, 2), Rect(5, 5, 6, 7)));
  EXPECT_EQ(r, Rect(0, 0, 6, 7));
}

TEST(GraphicsRecording, RecordsCallsCoordinatesAndColours) {
  TScopedFakeMetrics fake;
  TRecordingCanvas c;
  c.Pen()->SetColor(clRed);
  c.MoveTo(1, 2);
  c.LineTo(5, 2);
  c.Brush()->SetColor(clYellow);
  c.Rectangle(0, 0, 4, 3);
  c.FillRect(Rect(1, 1, 2, 2));
  c.Polygon({{0, 0}, {6, 0}, {3, 3}});
  c.DrawFocusRect(Rect(4, 4, 20, 10));
  c.Font()->SetColor(clBlue);
  c.TextOut(3, 4, u"Hi");
  TRect r = Rect(0, 0, 100, 20);
  DrawText(&c, u"&OK", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  DrawFrameControl(&c, Rect(0, 0, 17, 17), DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
  ThemeDrawBackground(&c, u"combobox", ThemeParts::CP_DROPDOWNBUTTON, ThemeParts::CBXS_DISABLED, Rect(1, 2, 18, 20));
  EXPECT_EQ(c.Log(),
            "MoveTo(1,2)\n"
            "LineTo(5,2)\n"
            "Rectangle(0,0,4,3)\n"
            "FillRect(1,1,2,2)\n"
            "Polygon(0,0,6,0,3,3)\n"
            "DrawFocusRect(4,4,20,10)\n"
            "TextOut(3,4,'Hi')\n"
            "DrawText(0,0,100,20,37,'&OK')\n"
            "DrawFrameControl(0,0,17,17,3,261)\n"
            "ThemeDrawBackground(1,4,1,2,18,20,'combobox')\n");
  const auto& calls = c.Calls();
  EXPECT_EQ(calls[1].PenColor, clRed);
  EXPECT_EQ(calls[2].BrushColor, clYellow);
  EXPECT_EQ(calls[6].FontColor, clBlue);
  EXPECT_EQ(c.PenPos(), Point(5, 2));
  EXPECT_EQ(c.CallsNamed("TextOut").size(), 1u);
}

TEST(GraphicsRecording, FrameControlAdjustsTheRectangleWhenAsked) {
  TRecordingCanvas c;
  TRect r = Rect(0, 0, 20, 10);
  EXPECT_TRUE(DrawFrameControl(&c, r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT));
  EXPECT_EQ(r, Rect(2, 2, 18, 8));
  EXPECT_TRUE(DrawFrameControl(&c, r, DFC_BUTTON, DFCS_BUTTONPUSH));
  EXPECT_EQ(r, Rect(2, 2, 18, 8));
  EXPECT_EQ(c.CallsNamed("DrawFrameControl")[0].Args, (std::vector<int>{0, 0, 20, 10, 4, 0x2010}));
}

TEST(GraphicsRecording, NestedCallsOnlyWhenAsked) {
  TScopedFakeMetrics fake;
  TRecordingCanvas c;
  TRect r = Rect(0, 0, 8, 8);
  DrawEdge(&c, r, EDGE_RAISED, BF_RECT);
  EXPECT_EQ(c.Calls().size(), 1u);
  c.Clear();
  c.SetRecordNested(true);
  DrawEdge(&c, r, BDR_RAISEDOUTER, BF_LEFT | BF_TOP);
  EXPECT_EQ(c.Log(), "DrawEdge(0,0,8,8,1,3)\nFillRect(0,0,1,8)\nFillRect(0,0,8,1)\n");
  EXPECT_EQ(c.Calls()[1].BrushColor, cl3DLight);
  EXPECT_EQ(c.Brush()->Color(), clWhite) << "the caller's brush is kept";
}

TEST(GraphicsProfile, ThemedWindowsSixOneWithCommonControlsSix) {
  const TPlatformProfile& p = PlatformProfile();
  EXPECT_TRUE(p.Themed);
  EXPECT_EQ(p.WinMajor, 6);
  EXPECT_EQ(p.WinMinor, 1);
  EXPECT_EQ(p.ComCtlMajor, 6);
  EXPECT_EQ(p.ColorSchemeName, u"NormalColor");
  EXPECT_TRUE(IsThemeActive());
  EXPECT_TRUE(IsAppThemed());
}

}  // namespace
