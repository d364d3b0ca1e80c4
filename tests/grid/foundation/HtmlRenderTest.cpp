#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "grid/foundation/AdvXPVS.h"
#include "grid/foundation/AsgHTMLE.h"
#include "platform/ShellIcons.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"
#include "platform/testing/ScopedLocale.h"
#include "tests/support/Utf8Text.h"

namespace {

// Fixed metrics where the font shows in the widths: a character is |Height| - 4 pixels wide
// (7 for the default -11), 2 more in bold; ascent 10, descent 3, leading 2.
class TStyleMetrics : public TTextMetricsSource {
 public:
  int TextWidth(const TFont& f, std::u16string_view t) override {
    int h = f.Height() < 0 ? -f.Height() : f.Height();
    return static_cast<int>(t.size()) * (h - 4 + (f.Style().Contains(fsBold) ? 2 : 0));
  }
  int Ascent(const TFont&) override { return 10; }
  int Descent(const TFont&) override { return 3; }
  int ExternalLeading(const TFont&) override { return 2; }
  int AveCharWidth(const TFont&) override { return 7; }
};

// One call of the renderer: the request at its defaults (in a 200 x 100 area, no point to test)
// and the answers kept between calls, as a caller that reuses its variables sees them.
struct THtml : TMiniHTMLRequest, TMiniHTMLResult {
  THtml() {
    Area = TRect{0, 0, 200, 100};
    TestX = TestY = -1000;
  }
  bool Run(TCanvas* c, const String& markup) { return RenderMiniHTML(c, markup, *this, *this); }
};

// The texts drawn (not the measuring calls).
std::vector<TRecordedCall> Drawn(const TRecordingCanvas& c) {
  std::vector<TRecordedCall> out;
  for (const auto& call : c.CallsNamed("DrawText"))
    if (!(call.Args[4] & DT_CALCRECT)) out.push_back(call);
  return out;
}

std::vector<std::string> DrawnTexts(const TRecordingCanvas& c) {
  std::vector<std::string> out;
  for (const auto& call : Drawn(c)) out.push_back(Utf8(call.Text));
  return out;
}

class HtmlRender : public ::testing::Test {
 protected:
  void SetUp() override { SetDefaultTextMetrics(&metrics); }
  void TearDown() override { SetDefaultTextMetrics(nullptr); }
  TStyleMetrics metrics;
  TRecordingCanvas canvas;
  THtml h;
};

using V = std::vector<std::string>;

TEST_F(HtmlRender, EmptyMarkup) {
  EXPECT_FALSE(h.Run(&canvas, u""));
  EXPECT_TRUE(canvas.Calls().empty());
  EXPECT_EQ(h.ExtentX, 0);
  EXPECT_EQ(h.ExtentY, 13);
  EXPECT_EQ(h.HitLink, -1);
}

TEST_F(HtmlRender, EntitiesAndPlainText) {
  h.WrapWords = false;
  h.Run(&canvas, u"a&amp;b");
  EXPECT_EQ(DrawnTexts(canvas), V{"a&&b"});
  EXPECT_EQ(Utf8(h.PlainText), "a&&ba&&b");  // each line twice in a drawing call
  EXPECT_EQ(h.ExtentX, 21);                // "&&" shows one ampersand

  canvas.Clear();
  h.Run(&canvas, u"Fish &lt;chips&gt;");
  EXPECT_EQ(DrawnTexts(canvas), V{"Fish <chips>"});

  h.MeasureOnly = true;
  canvas.Clear();
  EXPECT_FALSE(h.Run(&canvas, u"&copy;&nbsp;x<#1>"));
  EXPECT_EQ(Utf8(h.PlainText), "© x#1");
  EXPECT_TRUE(Drawn(canvas).empty());
}

TEST_F(HtmlRender, LineBreaks) {
  for (const char16_t* m : {u"one\r\ntwo", u"one<BR>two", u"one<br>two"}) {
    canvas.Clear();
    h.Run(&canvas, m);
    auto d = Drawn(canvas);
    ASSERT_EQ(d.size(), 2u) << Utf8(m);
    EXPECT_EQ(Utf8(d[0].Text), "one");
    EXPECT_EQ(Utf8(d[1].Text), "two");
    EXPECT_EQ(d[0].Args[1], 0);
    EXPECT_EQ(d[1].Args[1], 13);
    EXPECT_EQ(d[1].Args[0], 1);  // lines start 1 pixel in
    EXPECT_EQ(h.ExtentY, 26);
  }
}

TEST_F(HtmlRender, WordWrap) {
  struct TCase {
    const char16_t* Markup;
    int Width;
    int Lines;
    int ExtentX;
  };
  const TCase cases[] = {
      {u"aaa bbb", 50, 2, 21},           // breaks after "aaa "; the trailing blank is not counted
      {u"aaa bbb", 100, 1, 49},
      {u"a verylongwordxx", 50, 1, 112},  // a word wider than the area stays on the line
      {u"ab<B>cd</B>", 25, 1, 32},        // never broken between "ab" and "cd" (bold: 9 a char)
  };
  for (const auto& c : cases) {
    h.Area = Rect(0, 0, c.Width, 200);
    h.MeasureOnly = true;
    h.Run(&canvas, c.Markup);
    EXPECT_EQ(h.ExtentY, 13 * c.Lines) << Utf8(c.Markup);
    EXPECT_EQ(h.ExtentX, c.ExtentX) << Utf8(c.Markup);
  }
}

TEST_F(HtmlRender, NoWrapEndsInEllipsisAndStops) {
  h.WrapWords = false;
  h.Area = Rect(0, 0, 60, 200);
  h.Run(&canvas, u"one<BR>abcdefghijklmnopqrstuvwxyz<B>more</B><BR>three");
  auto texts = DrawnTexts(canvas);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], "one");
  EXPECT_EQ(texts[1], "abcdefghijklmnopqrstuvwxyz");
  for (const auto& d : Drawn(canvas)) EXPECT_TRUE(d.Args[4] & DT_END_ELLIPSIS);
  EXPECT_EQ(std::find(texts.begin(), texts.end(), "three"), texts.end());
  EXPECT_EQ(h.ExtentY, 26);
}

TEST_F(HtmlRender, OneLineAreaShowsOneLineButMeasuresAll) {
  h.Area = Rect(0, 0, 100, 13);
  h.Run(&canvas, u"a<BR>b<BR>c");
  EXPECT_EQ(DrawnTexts(canvas), V{"a"});
  EXPECT_EQ(h.ExtentY, 13);
  h.MeasureOnly = true;
  h.Run(&canvas, u"a<BR>b<BR>c");
  EXPECT_EQ(h.ExtentY, 39);
  EXPECT_EQ(Utf8(h.PlainText), "a\rb\rc");
}

TEST_F(HtmlRender, LinkHitAndMiss) {
  const String m = u"see <A HREF=\"go\" TITLE=\"Tip\">link</A> text";
  h.HitTestOnly = true;
  h.TestX = 1 + 28 + 10;  // inside "link" (starts after "see ")
  h.TestY = 6;
  EXPECT_TRUE(h.Run(&canvas, m));
  EXPECT_EQ(Utf8(h.HitAnchor), "go");
  EXPECT_EQ(Utf8(h.HitTitle), "Tip");
  EXPECT_EQ(h.HitLink, 1);
  EXPECT_EQ(h.LinkCount, 1);
  EXPECT_EQ(h.HitLinkRect, Rect(29, 0, 57, 13));
  EXPECT_TRUE(Drawn(canvas).empty());

  THtml miss = h;
  miss.HitAnchor.clear();
  miss.TestX = 150;
  EXPECT_FALSE(miss.Run(&canvas, m));
  EXPECT_EQ(Utf8(miss.HitAnchor), "");
  EXPECT_EQ(miss.HitLink, -1);
  EXPECT_EQ(miss.LinkCount, 1);
}

TEST_F(HtmlRender, PointAboveLinkTextInATallLineIsNoHit) {
  TImageList images;
  images.SetWidth(16);
  images.SetHeight(30);
  TBitmap bmp;
  bmp.SetSize(16, 30);
  images.Add(&bmp, nullptr);
  h.ImageList = &images;
  h.HitTestOnly = true;
  h.TestX = 1 + 16 + 5;
  h.TestY = 5;  // below the line top, above the text (rows 17..29)
  EXPECT_FALSE(h.Run(&canvas, u"<IMG SRC=\"IDX:0\"><A HREF=\"go\">link</A>"));
  EXPECT_EQ(Utf8(h.HitAnchor), "go");
  h.TestY = 20;
  EXPECT_TRUE(h.Run(&canvas, u"<IMG SRC=\"IDX:0\"><A HREF=\"go\">link</A>"));
}

TEST_F(HtmlRender, ParagraphAlignmentAppliesFromItsLine) {
  struct TCase {
    const char16_t* Align;
    int First;
    int Second;
  };
  // Area 0..101: lines start at 1 with 100 pixels; "ab" is 14 wide, "abcd" 28.
  const TCase cases[] = {{u"center", 44, 37}, {u"right", 87, 73}, {u"left", 1, 1}};
  for (const auto& c : cases) {
    canvas.Clear();
    h.Area = Rect(0, 0, 101, 100);
    h.Run(&canvas, String(u"<P ALIGN=\"") + c.Align + u"\">ab</P>abcd");
    auto d = Drawn(canvas);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].Args[0], c.First) << Utf8(c.Align);
    EXPECT_EQ(d[1].Args[0], c.Second) << Utf8(c.Align);
  }
}

TEST_F(HtmlRender, CanvasStateIsRestored) {
  canvas.Font()->SetColor(clMaroon);
  canvas.Font()->SetHeight(-13);
  canvas.Pen()->SetColor(clTeal);
  canvas.Pen()->SetWidth(3);
  canvas.Brush()->SetColor(clCream);
  h.Run(&canvas,
        u"<FONT COLOR=\"clRed\" FACE=\"Courier\" SIZE=\"5\" BGCOLOR=\"#00FF00\"><B><I>x</I></B>"
        u"<E>err</E><HR><R a=\"90\">rot<HI>hi<P BGCOLOR=\"clYellow\">p");
  EXPECT_EQ(canvas.Font()->Color(), clMaroon);
  EXPECT_EQ(canvas.Font()->Height(), -13);
  EXPECT_EQ(Utf8(canvas.Font()->Name()), "Tahoma");
  EXPECT_TRUE(canvas.Font()->Style().Empty());
  EXPECT_EQ(canvas.Font()->Orientation(), 0);
  EXPECT_EQ(canvas.Pen()->Color(), clTeal);
  EXPECT_EQ(canvas.Pen()->Width(), 3);
  EXPECT_EQ(canvas.Brush()->Color(), clCream);
}

// ---- tags -----------------------------------------------------------------------------------

TEST_F(HtmlRender, FontColorNames) {
  struct TCase {
    const char16_t* Value;
    TColor Color;
  };
  const TCase cases[] = {{u"clRed", clRed},       {u"CLRED", clRed},         {u"#FF0000", clRed},
                         {u"red", clBlack},       {u"clWindow", clWindow},   {u"#00ff80", RGB(0, 255, 0x80)},
                         {u"clInfoBk", clInfoBk}, {u"clBlack", clBlack}};
  for (const auto& c : cases) {
    canvas.Clear();
    h.Run(&canvas, String(u"<FONT COLOR=\"") + c.Value + u"\">x</FONT>y");
    auto d = Drawn(canvas);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].FontColor, c.Color) << Utf8(c.Value);
    EXPECT_EQ(d[1].FontColor, canvas.Font()->Color()) << Utf8(c.Value);
  }
}

TEST_F(HtmlRender, FontSizeAndBold) {
  struct TCase {
    const char16_t* Markup;
    int ExtentX;
  };
  // Width per character is |Height| - 4: 12 points = 16 pixels em.
  const TCase cases[] = {
      {u"<FONT SIZE=\"3\">ab</FONT>", 24},  {u"<FONT SIZE=3>ab</FONT>", 24}, {u"<FONT SIZE=\"20\">ab</FONT>", 46},
      {u"<FONT SIZE=\"1\">ab</FONT>", 14},  {u"<B>bold</B> plain", 36 + 42}, {u"<b>ab</b>", 18},
      {u"<FONT SIZE=\"3\">a</FONT>b", 19},
      // A negative size is a cell height: -10 points = height 13, 9 pixels a character.
      {u"<FONT SIZE=\"-10\">ab</FONT>", 18},
  };
  h.MeasureOnly = true;
  for (const auto& c : cases) {
    h.Run(&canvas, c.Markup);
    EXPECT_EQ(h.ExtentX, c.ExtentX) << Utf8(c.Markup);
  }
}

TEST_F(HtmlRender, SubAndSuperscript) {
  struct TCase {
    const char16_t* Markup;
    int ExtentY;
    int Bottom;  // bottom of the rectangle "x" is drawn in
  };
  const TCase cases[] = {
      {u"<SUP>x</SUP>", 16, 13}, {u"<SUB>x</SUB>", 16, 16}, {u"x", 13, 13}, {u"<SUB>x<BR>b", 29, 16}};
  for (const auto& c : cases) {
    canvas.Clear();
    h.Run(&canvas, c.Markup);
    EXPECT_EQ(h.ExtentY, c.ExtentY) << Utf8(c.Markup);
    auto d = Drawn(canvas);
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(d[0].Args[3], c.Bottom) << Utf8(c.Markup);
  }
}

class HtmlImages : public HtmlRender {
 protected:
  void SetUp() override {
    HtmlRender::SetUp();
    images.SetWidth(16);
    images.SetHeight(30);
    TBitmap bmp;
    bmp.SetSize(32, 30);
    images.Add(&bmp, nullptr);
    h.ImageList = &images;
  }
  TImageList images;
};

TEST_F(HtmlImages, ImageListPictures) {
  h.MeasureOnly = true;
  h.Run(&canvas, u"<IMG SRC=\"IDX:1\">");
  EXPECT_EQ(h.ExtentX, 16);
  EXPECT_EQ(h.ExtentY, 30);
  h.Run(&canvas, u"<IMG SRC=\"IDX:2\">");  // two images: index 2 is none
  EXPECT_EQ(h.ExtentX, 0);
  EXPECT_EQ(h.ExtentY, 13);
  h.Run(&canvas, u"<IMG SRC=\"IDX:-1\">");
  EXPECT_EQ(h.ExtentX, 0);
}

TEST_F(HtmlImages, ImageAlignmentRaisesTheText) {
  struct TCase {
    const char16_t* Align;
    int Bottom;
  };
  const TCase cases[] = {{u"", 30}, {u" ALIGN=\"top\"", 13}, {u" ALIGN=\"middle\"", 22}, {u" ALIGN=\"bottom\"", 30}};
  for (const auto& c : cases) {
    canvas.Clear();
    h.Run(&canvas, String(u"x<IMG SRC=\"IDX:0\"") + c.Align + u">");
    auto d = Drawn(canvas);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].Args[3], c.Bottom) << Utf8(c.Align);
  }
}

TEST_F(HtmlRender, NamedPictureSizes) {
  // A 4x2 GIF is all that is needed: one colour, one pixel per clear code.
  std::string gif = "GIF89a";
  gif += std::string("\x04\x00\x02\x00\x80\x00\x00", 7);
  gif += std::string("\xFF\x00\x00\x00\x00\xFF", 6);
  gif += std::string("\x2C\x00\x00\x00\x00\x04\x00\x02\x00\x00\x02", 11);
  gif += std::string("\x02\x44\x01\x00\x3B", 5);
  TPictureContainer box(nullptr);
  TPictureItem* item = box.Items()->Add();
  item->SetName(u"Pic");
  try {
    item->Picture()->LoadFromBytes(gif);
  } catch (const Exception&) {
  }
  if (item->Picture()->Width() == 0) GTEST_SKIP() << "GIF decoder unavailable";
  ASSERT_EQ(item->Picture()->Width(), 4);
  h.NamedPictures = &box;
  h.MeasureOnly = true;
  struct TCase {
    const char16_t* Attrs;
    int W;
    int H;
  };
  const TCase cases[] = {{u"", 4, 13}, {u" WIDTH=\"8\"", 8, 13}, {u" HEIGHT=\"20\"", 40, 20},
                         {u" WIDTH=\"10\" HEIGHT=\"30\"", 10, 30}, {u" WIDTH=\"-5\"", 4, 13}};
  for (const auto& c : cases) {
    h.Run(&canvas, String(u"<IMG SRC=\"pic\"") + c.Attrs + u">");
    EXPECT_EQ(h.ExtentX, c.W) << Utf8(c.Attrs);
    EXPECT_EQ(h.ExtentY, c.H) << Utf8(c.Attrs);
  }
  h.MeasureOnly = false;
  canvas.Clear();
  h.Run(&canvas, u"<IMG SRC=\"pic\" WIDTH=\"8\">");
  auto s = canvas.CallsNamed("StretchDraw");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(s[0].Args, (std::vector<int>{1, 0, 9, 4, 4, 2}));

  // BODY BACKGROUND tiles the picture over the area, clipped to it.
  canvas.Clear();
  h.Area = Rect(0, 0, 10, 5);
  h.Run(&canvas, u"<BODY BACKGROUND=\"PIC\">");
  EXPECT_EQ(canvas.CallsNamed("StretchDraw").size(), 9u);
  EXPECT_EQ(canvas.CallsNamed("SetClipRect").size(), 1u);
  EXPECT_EQ(canvas.CallsNamed("SelectClipRgn").size(), 1u);
}

TEST_F(HtmlRender, UndecodablePicturesDrawNothingAndNeverRaise) {
  RegisterHTMLResource(u"BROKEN", "definitely not a picture");
  TPictureContainer box(nullptr);
  TPictureItem* item = box.Items()->Add();
  item->SetName(u"bad");
  EXPECT_THROW(item->Picture()->LoadFromBytes("junk"), Exception);
  THTMLPictureCache cache;
  h.NamedPictures = &box;
  h.UrlPictures = &cache;
  EXPECT_NO_THROW(h.Run(&canvas, u"a<IMG SRC=\"bad\">b<IMG SRC=\"res://broken\" WIDTH=\"5\">c<BODY BACKGROUND=\"bad\">"));
  EXPECT_TRUE(canvas.CallsNamed("Draw").empty());
  EXPECT_TRUE(canvas.CallsNamed("StretchDraw").empty());
  EXPECT_EQ(h.ExtentX, 21);
}

TEST_F(HtmlRender, UrlPicturesAreCachedUnderTheUpperCasedTag) {
  THTMLPictureCache cache;
  h.UrlPictures = &cache;
  h.Run(&canvas, u"<IMG SRC=\"http://Example.invalid/A.gif\">");
  h.Run(&canvas, u"<IMG SRC=\"http://Example.invalid/A.gif\">");
  ASSERT_EQ(cache.Count(), 1);
  EXPECT_EQ(Utf8(cache.Items(0)->ID()), "HTTP://EXAMPLE.INVALID/A.GIF");
  EXPECT_TRUE(cache.Items(0)->Empty());
  EXPECT_EQ(Utf8(cache.Items(0)->URL()), "http://Example.invalid/A.gif");
}

TEST_F(HtmlRender, LinkStylingAndSelection) {
  h.LinkColor = clGreen;
  h.Run(&canvas, u"<A HREF=\"x\">ln</A>t");
  auto d = Drawn(canvas);
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].FontColor, clGreen);
  EXPECT_EQ(d[1].FontColor, canvas.Font()->Color());

  canvas.Clear();
  h.InSelection = true;
  canvas.Font()->SetColor(clWhite);
  h.Run(&canvas, u"<A HREF=\"x\">ln</A><FONT COLOR=\"clRed\">f</FONT>");
  for (const auto& call : Drawn(canvas)) EXPECT_EQ(call.FontColor, clWhite) << Utf8(call.Text);

  canvas.Clear();
  h.InSelection = false;
  h.UnderlineHotOnly = true;
  h.HotLink = 2;
  h.HotTextColor = clRed;
  h.HotBackColor = clYellow;
  h.Run(&canvas, u"<A HREF=\"a\">one</A><A HREF=\"b\">two</A>");
  d = Drawn(canvas);
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].FontColor, clGreen);
  EXPECT_EQ(d[1].FontColor, clRed);
  EXPECT_EQ(d[1].BrushColor, clYellow);
  EXPECT_EQ(d[1].BrushStyle, bsSolid);
}

TEST_F(HtmlRender, FocusedLink) {
  h.FocusedLink = 1;
  h.Run(&canvas, u"<A HREF=\"a\">one</A> <A HREF=\"b\">two</A>");
  EXPECT_EQ(Utf8(h.FocusedAnchor), "b");
  auto f = canvas.CallsNamed("DrawFocusRect");
  ASSERT_EQ(f.size(), 1u);
  // "one " is 28 wide: the second link runs from 29 to 50, widened by one pixel each side.
  EXPECT_EQ(f[0].Args, (std::vector<int>{28, 0, 51, 13}));
}

TEST_F(HtmlRender, ListItems) {
  h.Run(&canvas, u"<UL><LI>one<LI>two</UL>");
  EXPECT_EQ(h.ExtentY, 39);
  auto d = Drawn(canvas);
  std::vector<std::string> texts;
  for (const auto& c : d) texts.push_back(Utf8(c.Text));
  ASSERT_EQ(texts, (V{"\u00B7", "one", "\u00B7", "two"}));
  EXPECT_EQ(d[0].Args[0], 1);
  EXPECT_EQ(d[1].Args[0], 13);
  EXPECT_EQ(d[1].Args[1], 13);
  EXPECT_EQ(d[3].Args[0], 13);
  EXPECT_EQ(d[3].Args[1], 26);
  canvas.Clear();
  h.Run(&canvas, u"<UL><UL><LI>x</UL></UL>");
  d = Drawn(canvas);
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(Utf8(d[0].Text), "o");
  EXPECT_EQ(d[0].Args[0], 13);
  EXPECT_EQ(d[1].Args[0], 25);
}

TEST_F(HtmlRender, BodyBackgroundColour) {
  h.Area = Rect(2, 3, 50, 40);
  h.Run(&canvas, u"<BODY BGCOLOR=\"clYellow\">x");
  auto r = canvas.CallsNamed("Rectangle");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].Args, (std::vector<int>{2, 3, 50, 40}));
  EXPECT_EQ(r[0].BrushColor, clYellow);
  EXPECT_EQ(r[0].PenColor, clYellow);
  canvas.Clear();
  h.Run(&canvas, u"<BODY BGCOLOR=\"#0000FF\">x");
  r = canvas.CallsNamed("Rectangle");
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].BrushColor, clBlue);
}

class HtmlControls : public HtmlRender {
 protected:
  void SetUp() override {
    HtmlRender::SetUp();
    wasBound = UxThemeLoaded();
  }
  void TearDown() override {
    if (wasBound) BindUxTheme();
    else UnbindUxTheme();
    HtmlRender::TearDown();
  }
  bool wasBound = false;
};

TEST_F(HtmlControls, CheckBoxThemedAndClassic) {
  BindUxTheme();
  h.Run(&canvas, u"<CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\">");
  auto t = canvas.CallsNamed("ThemeDrawBackground");
  ASSERT_EQ(t.size(), 1u);
  EXPECT_EQ(Utf8(t[0].Text), "button");
  EXPECT_EQ(t[0].Args, (std::vector<int>{3, 5, 3, 1, 16, 16}));

  UnbindUxTheme();
  struct TCase {
    const char16_t* Markup;
    int State;
  };
  const TCase cases[] = {{u"<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"true\" WIDTH=\"16\">", 0x4400},
                         {u"<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"no\" WIDTH=\"16\">", 0x4000},
                         {u"<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"TRUE\" WIDTH=\"16\">", 0x4404},
                         {u"<CONTROL TYPE=\"RADIO\" ID=\"r\" VALUE=\"\" WIDTH=\"16\">", 0x4004},
                         {u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">", 0x10}};
  for (const auto& c : cases) {
    canvas.Clear();
    h.Run(&canvas, c.Markup);
    auto f = canvas.CallsNamed("DrawFrameControl");
    ASSERT_EQ(f.size(), 1u) << Utf8(c.Markup);
    EXPECT_EQ(f[0].Args[5], c.State) << Utf8(c.Markup);
  }
}

// A pressed button shows pushed only while the point is over it; its hot band is the 24 pixels
// above the line bottom (here 25), less 2 at each end.
TEST_F(HtmlControls, PressedButtonIsHotOverItsOwnHeight) {
  UnbindUxTheme();
  struct TCase {
    int Y;
    int State;
  };
  const TCase cases[] = {{-1, 0x10}, {0, 0x210}, {22, 0x210}, {23, 0x10}};
  for (const auto& c : cases) {
    canvas.Clear();
    THtml t;
    t.ControlPressed = true;
    t.TestX = 10;
    t.TestY = c.Y;
    t.Run(&canvas, u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">");
    auto f = canvas.CallsNamed("DrawFrameControl");
    ASSERT_EQ(f.size(), 1u) << c.Y;
    EXPECT_EQ(f[0].Args[5], c.State) << c.Y;
  }
}

TEST_F(HtmlControls, HitIdsAndRectangles) {
  struct TCase {
    const char16_t* Markup;
    int X, Y;
    const char* ID;
    const char* Type;
    TRect R;
  };
  const TCase cases[] = {
      {u"<CONTROL TYPE=\"COMBO\" ID=\"k\" VALUE=\"v\" WIDTH=\"80\">", 10, 10, "k", "COMBO", Rect(1, 0, 81, 25)},
      {u"ab<CONTROL TYPE=\"EDIT\" ID=\"e\" VALUE=\"v\" WIDTH=\"50\">", 20, 10, "e", "EDIT", Rect(15, 0, 65, 23)},
      {u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\">", 30, 5, "b", "BUTTON", Rect(1, 0, 41, 25)},
      {u"<CONTROL TYPE=\"CHECK\" ID=\"c\" VALUE=\"TRUE\" WIDTH=\"30\">", 8, 8, "c", "CHECK", Rect(1, 0, 17, 16)},
  };
  for (const auto& c : cases) {
    THtml t;
    t.HitTestOnly = true;
    t.TestX = c.X;
    t.TestY = c.Y;
    EXPECT_TRUE(t.Run(&canvas, c.Markup)) << Utf8(c.Markup);
    EXPECT_EQ(Utf8(t.HitAnchor), "ctrl");
    EXPECT_EQ(Utf8(t.HitControlID), c.ID);
    EXPECT_EQ(Utf8(t.HitControlType), c.Type);
    EXPECT_EQ(Utf8(t.HitControlValue), std::string(c.ID) == "c" ? "TRUE" : c.ID[0] == 'b' ? "Go" : "v");
    EXPECT_EQ(t.HitControlRect, c.R) << Utf8(c.Markup);
    THtml miss;
    miss.HitTestOnly = true;
    miss.TestX = 190;
    miss.TestY = 90;
    EXPECT_FALSE(miss.Run(&canvas, c.Markup)) << Utf8(c.Markup);
    EXPECT_EQ(Utf8(miss.HitControlID), "");
  }
  // A control named by HitControlID is reported wherever the point is.
  THtml byId;
  byId.HitTestOnly = true;
  byId.HitControlID = u"c1";
  EXPECT_TRUE(byId.Run(&canvas, u"x <CONTROL TYPE=\"CHECK\" ID=\"c1\" VALUE=\"TRUE\" WIDTH=\"16\">"));
  EXPECT_EQ(Utf8(byId.HitControlType), "CHECK");
  EXPECT_EQ(Utf8(byId.HitControlValue), "TRUE");
}

TEST_F(HtmlControls, EditDrawsItsValueAndPasswordHidesIt) {
  UnbindUxTheme();
  h.Run(&canvas, u"<CONTROL TYPE=\"PASSWORD\" ID=\"p\" VALUE=\"abc\" WIDTH=\"50\">");
  auto d = Drawn(canvas);
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(Utf8(d[0].Text), "***");
  auto r = canvas.CallsNamed("Rectangle");
  ASSERT_EQ(r.size(), 1u);
  // Line height 23 for a text control: B = 23, frame from B - 23 + 4 to B + 2.
  EXPECT_EQ(r[0].Args, (std::vector<int>{1, 4, 51, 25}));
  EXPECT_EQ(r[0].PenColor, 0x808080);
  EXPECT_EQ(r[0].BrushColor, clWhite);
  // No WIDTH: the tag is skipped.
  canvas.Clear();
  h.MeasureOnly = true;
  h.Run(&canvas, u"<CONTROL TYPE=\"EDIT\" ID=\"p\" VALUE=\"abc\">");
  EXPECT_EQ(h.ExtentX, 0);
  EXPECT_EQ(h.ExtentY, 13);
}

TEST_F(HtmlRender, HighlightAndErrorMarks) {
  SetHighlightColors(clNavy, clYellow);
  h.Run(&canvas, u"a<HI>b</HI>c<E>dd</E>");
  auto d = Drawn(canvas);
  ASSERT_EQ(d.size(), 4u);
  EXPECT_EQ(d[1].FontColor, clYellow);
  EXPECT_EQ(d[1].BrushColor, clNavy);
  EXPECT_EQ(d[2].FontColor, d[0].FontColor);
  EXPECT_EQ(d[2].BrushStyle, bsClear);
  SetHighlightColors(clHighlight, clHighlightText);
  // The wavy line under "dd" (x 22..36) alternates between line bottom + 1 and - 1.
  auto lines = canvas.CallsNamed("LineTo");
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0].PenColor, 0x0000FF);
  auto move = canvas.CallsNamed("MoveTo");
  ASSERT_EQ(move.size(), 1u);
  EXPECT_EQ(move[0].Args, (std::vector<int>{22, 12}));
  EXPECT_EQ(lines[0].Args, (std::vector<int>{24, 14}));
  EXPECT_EQ(lines.back().Args[0], 36);
}

TEST_F(HtmlRender, HiddenTextAndMalformedMarkup) {
  h.MeasureOnly = true;
  h.Run(&canvas, u"a<Z>hidden</Z>b");
  EXPECT_EQ(h.ExtentX, 14);
  EXPECT_EQ(Utf8(h.PlainText), "ahiddenb");
  const char16_t* odd[] = {u"<", u"a<", u"a<b", u"<B", u"</", u"</>", u"<<<>>>", u"<A HREF=\"x>y",
                           u"<CONTROL WIDTH=\"abc\">", u"<IND x=\"5000\">a", u"<P INDENT=\"-9999\">a",
                           u"1<C=GNTR WIDTH=\"0XACDDDDDDDDDDDDDDDD\"0XA LM te;\"",
                           u"<CONTROL WIDTH=\"2147483647\"><CONTROL WIDTH=\"2147483647\">x<IMG SRC=\"LSYS:\">"};
  for (const char16_t* m : odd) {
    h.MeasureOnly = false;
    EXPECT_NO_THROW(h.Run(&canvas, m)) << Utf8(m);
  }
}


TEST_F(HtmlRender, ShadowBlinkIndentAndRule) {
  h.ShadowDepth = 2;
  h.ShadowColor = clGray;
  canvas.Font()->SetColor(clBlack);
  h.Run(&canvas, u"<SHAD>ab</SHAD>c");
  auto d = Drawn(canvas);
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0].Args[0], 3);
  EXPECT_EQ(d[0].Args[1], 2);
  EXPECT_EQ(d[0].FontColor, clGray);
  EXPECT_EQ(d[1].Args[0], 1);
  EXPECT_EQ(d[1].FontColor, clBlack);
  EXPECT_EQ(Utf8(d[2].Text), "c");

  for (bool on : {false, true}) {
    canvas.Clear();
    canvas.Brush()->SetColor(clCream);
    h.BlinkOn = on;
    h.Run(&canvas, u"<BLINK>x</BLINK>y");
    d = Drawn(canvas);
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].FontColor, on ? clBlack : clCream);
    EXPECT_EQ(d[1].FontColor, clBlack);
  }

  struct TCase {
    const char16_t* Markup;
    int X;
    int ExtentX;
  };
  const TCase cases[] = {{u"<IND x=\"50\">a", 50, 57},       {u"abcdefgh<IND x=\"20\">a", 57, 63},
                         {u"<P INDENT=\"10\">a", 11, 7},     {u"<IND x=\"abc\">a", 1, 7}};
  for (const auto& c : cases) {
    canvas.Clear();
    h.Run(&canvas, c.Markup);
    d = Drawn(canvas);
    ASSERT_FALSE(d.empty());
    EXPECT_EQ(d.back().Args[0], c.X) << Utf8(c.Markup);
    EXPECT_EQ(h.ExtentX, c.ExtentX) << Utf8(c.Markup);
  }

  canvas.Clear();
  h.Run(&canvas, u"a<HR>b");
  auto lt = canvas.CallsNamed("LineTo");
  ASSERT_EQ(lt.size(), 1u);
  EXPECT_EQ(lt[0].Args, (std::vector<int>{200, 14}));
  EXPECT_EQ(lt[0].PenColor, clBlack);
  EXPECT_EQ(h.ExtentY, 26);
}

TEST_F(HtmlRender, ParagraphBand) {
  h.Run(&canvas, u"<P BGCOLOR=\"clYellow\">a<BR>b</P>c");
  auto r = canvas.CallsNamed("Rectangle");
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0].Args, (std::vector<int>{0, 0, 200, 13}));
  EXPECT_EQ(r[1].Args, (std::vector<int>{0, 13, 200, 26}));
  for (const auto& c : r) EXPECT_EQ(c.PenColor, clYellow);
  auto d = Drawn(canvas);
  ASSERT_EQ(d.size(), 3u);
  EXPECT_EQ(d[0].BrushColor, clYellow);
  EXPECT_EQ(d[2].BrushStyle, bsClear);  // "</P" puts the brush back
}

TEST_F(HtmlImages, PrintingScalesImageListPictures) {
  h.Printing = true;
  h.PrintScale = 2.0;
  h.Run(&canvas, u"<IMG SRC=\"IDX:0\">");
  auto s = canvas.CallsNamed("StretchDraw");
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(std::vector<int>(s[0].Args.begin(), s[0].Args.begin() + 4), (std::vector<int>{1, 0, 33, 60}));
}

TEST_F(HtmlRender, AltPictureWhileTheLinkedPictureIsHot) {
  TImageList images;
  images.SetWidth(16);
  images.SetHeight(30);
  TBitmap bmp;
  bmp.SetSize(32, 30);
  bmp.Canvas()->Brush()->SetColor(clRed);
  bmp.Canvas()->FillRect(Rect(0, 0, 16, 30));
  bmp.Canvas()->Brush()->SetColor(clBlue);
  bmp.Canvas()->FillRect(Rect(16, 0, 32, 30));
  images.Add(&bmp, nullptr);
  h.ImageList = &images;
  const String m = u"<A HREF=\"x\"><IMG SRC=\"IDX:0\" ALT=\"IDX:1\"></A>";
  TImageCanvas cold(40, 40);
  h.Run(cold.Canvas(), m);
  EXPECT_EQ(cold.Pixel(5, 5), clRed);
  TImageCanvas hot(40, 40);
  h.TestX = 8;
  h.TestY = 10;
  EXPECT_TRUE(h.Run(hot.Canvas(), m));
  EXPECT_EQ(Utf8(h.HitAnchor), "x");
  EXPECT_EQ(hot.Pixel(5, 5), clBlue);
  h.HitTestOnly = true;
  h.TestX = 30;
  h.HitAnchor.clear();
  EXPECT_FALSE(h.Run(&canvas, m));
  EXPECT_EQ(Utf8(h.HitAnchor), "");
}

TEST_F(HtmlRender, SystemIcons) {
  // Each icon sits at the line's left (area left + 1) and top, and the text after it starts
  // where the icon ends; a number outside the system image list draws nothing but keeps its room.
  struct TCase {
    const char16_t* Src;
    bool Printing;
    std::vector<std::string> Pictures;  // Draw / StretchDraw calls: left, top, right or width, ...
    int TextLeft;
  };
  const TCase cases[] = {
      {u"SSYS:readme.txt", false, {"Draw(1,0,16,16)"}, 17},
      {u"LSYS:readme.txt", false, {"Draw(1,0,32,32)"}, 33},
      {u"ssys:/", false, {"Draw(1,0,16,16)"}, 17},
      {u"LSYS:3", false, {"Draw(1,0,32,32)"}, 33},
      {u"SSYS:99", false, {}, 17},
      {u"LSYS:0", true, {"StretchDraw(1,0,65,64,32,32)"}, 33},
  };
  h.PrintScale = 2.0;
  for (const auto& c : cases) {
    const String m = String(u"<IMG SRC=\"") + c.Src + u"\">ab";
    h.Printing = c.Printing;
    h.MeasureOnly = true;
    h.Run(&canvas, m);
    const int size = c.TextLeft - 1;
    EXPECT_EQ(h.ExtentX, size + 14) << Utf8(c.Src);
    EXPECT_EQ(h.ExtentY, std::max(13, size)) << Utf8(c.Src);
    h.MeasureOnly = false;
    canvas.Clear();
    h.Run(&canvas, m);
    std::vector<std::string> pictures;
    for (const auto& call : canvas.Calls())
      if (call.Name == "Draw" || call.Name == "StretchDraw") pictures.push_back(call.ToString());
    EXPECT_EQ(pictures, c.Pictures) << Utf8(c.Src);
    auto d = Drawn(canvas);
    ASSERT_EQ(d.size(), 1u) << Utf8(c.Src);
    EXPECT_EQ(d[0].Args[0], c.TextLeft) << Utf8(c.Src);
  }
}

TEST_F(HtmlRender, SystemIconPixelsLandAtTheLineStart) {
  ASSERT_TRUE(std::filesystem::is_directory("/"));
  std::unique_ptr<TIcon> icon = ShellIcon(u"/", true);
  ASSERT_NE(icon, nullptr);
  TImageCanvas expected(60, 50);
  expected.Canvas()->Draw(11, 5, icon.get());
  TImageCanvas drawn(60, 50);
  h.Area = Rect(10, 5, 60, 50);
  h.Run(drawn.Canvas(), u"<IMG SRC=\"LSYS:/\">");
  EXPECT_EQ(drawn.Snapshot(), expected.Snapshot());
  EXPECT_LT(drawn.CountColor(clWhite), 60 * 50);
}

TEST_F(HtmlRender, RightToLeftOnlyOnAMiddleEastLocale) {
  h.ReadingOrder = bdRightToLeft;
  h.Run(&canvas, u"ab<B>cd</B>");
  auto d = Drawn(canvas);
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].Args[4] & (DT_RIGHT | DT_RTLREADING), 0);

  SetMiddleEastLocale(true);
  canvas.Clear();
  h.Run(&canvas, u"ab<B>cd</B>");
  d = Drawn(canvas);
  ASSERT_EQ(d.size(), 2u);
  EXPECT_EQ(d[0].Args[4] & (DT_RIGHT | DT_RTLREADING), static_cast<int>(DT_RIGHT | DT_RTLREADING));
  EXPECT_EQ(d[0].Args[2], 200);
  EXPECT_EQ(d[1].Args[2], 186);  // the next run ends where "ab" begins
  canvas.Clear();
  h.ReadingOrder = bdRightToLeftReadingOnly;
  h.Run(&canvas, u"ab");
  d = Drawn(canvas);
  ASSERT_EQ(d.size(), 1u);
  EXPECT_EQ(d[0].Args[4] & (DT_RIGHT | DT_RTLREADING), static_cast<int>(DT_RTLREADING));
  SetMiddleEastLocale(false);
}


TEST_F(HtmlRender, HitTestOnARightAlignedLineReachesItsLastWord) {
  // The line "aaa bbb" (49 wide) is moved right to 11; hit-testing replays it whole.
  h.Area = Rect(0, 0, 60, 100);
  h.HitTestOnly = true;
  h.TestX = 11 + 28 + 5;
  h.TestY = 6;
  EXPECT_TRUE(h.Run(&canvas, u"<P ALIGN=\"right\">aaa <A HREF=\"b\">bbb</A>"));
  EXPECT_EQ(Utf8(h.HitAnchor), "b");
  EXPECT_EQ(h.HitLinkRect, Rect(39, 0, 60, 13));
}

// Every call with the colours in force.
std::string CallsWithColours(const TRecordingCanvas& c) {
  std::string out;
  for (const auto& call : c.Calls())
    out += call.ToString() + " pen " + std::to_string(call.PenColor) + " brush " + std::to_string(call.BrushColor) +
           "/" + std::to_string(call.BrushStyle) + " font " + std::to_string(call.FontColor) + "\n";
  return out;
}

// The parameter-list form hands every input to the renderer in its place and every answer back,
// and keeps the answers the call does not reach as the request form does.
TEST_F(HtmlImages, ParameterListFormAnswersAsTheRequestForm) {
  const String m =
      u"<A HREF=\"a\" TITLE=\"t\">one</A> <SHAD>two</SHAD> <BLINK>three</BLINK> <IMG SRC=\"idx:0\">"
      u"<CONTROL TYPE=\"BUTTON\" ID=\"b\" VALUE=\"Go\" WIDTH=\"40\"> <A HREF=\"z\">four</A> "
      u"<FONT COLOR=\"clGreen\">five</FONT> six seven eight";
  THtml drawn;
  drawn.ImageList = &images;
  drawn.FocusedLink = 1;
  drawn.HotLink = 2;
  drawn.ShadowDepth = 3;
  drawn.BlinkOn = false;
  drawn.UnderlineHotOnly = true;
  drawn.ControlPressed = true;
  drawn.LinkColor = clMaroon;
  drawn.HotBackColor = clYellow;
  drawn.HotTextColor = clRed;
  drawn.ShadowColor = clSilver;
  drawn.TestX = 150;
  drawn.TestY = 5;
  drawn.ReadingOrder = bdRightToLeft;
  THtml printed;
  printed.ImageList = &images;
  printed.Printing = true;
  printed.PrintScale = 2.0;
  printed.InSelection = true;
  printed.WrapWords = false;
  THtml linkHit;
  linkHit.HitTestOnly = true;
  linkHit.TestX = 10;
  linkHit.TestY = 20;  // on the text at the foot of the 30-pixel line
  THtml controlById = linkHit;
  controlById.TestX = controlById.TestY = -1000;
  controlById.HitControlID = u"b";
  THtml measured;
  measured.MeasureOnly = true;
  measured.Area = Rect(5, 5, 60, 40);
  THtml missed = linkHit;
  missed.TestX = 199;
  missed.TestY = 99;
  missed.HitAnchor = u"before";
  missed.HitLinkRect = Rect(1, 2, 3, 4);

  TScopedMiddleEastLocale locale(true);
  for (const THtml* given : {&drawn, &printed, &linkHit, &controlById, &measured, &missed}) {
    THtml q = *given;
    TRecordingCanvas structCanvas, listCanvas;
    const bool structHit = q.Run(&structCanvas, m);
    THtml l = *given;
    const bool listHit =
        RenderMiniHTML(&listCanvas, m, l.Area, l.ImageList, l.TestX, l.TestY, l.FocusedLink, l.HotLink, l.ShadowDepth,
                       l.HitTestOnly, l.MeasureOnly, l.Printing, l.InSelection, l.BlinkOn, l.UnderlineHotOnly,
                       l.WrapWords, l.ControlPressed, l.PrintScale, l.LinkColor, l.HotBackColor, l.HotTextColor,
                       l.ShadowColor, l.HitAnchor, l.PlainText, l.FocusedAnchor, l.HitTitle, l.ExtentX, l.ExtentY,
                       l.LinkCount, l.HitLink, l.HitLinkRect, l.HitControlRect, l.HitControlID, l.HitControlValue,
                       l.HitControlType, l.UrlPictures, l.NamedPictures, l.ThemeWindow, l.ReadingOrder);
    SCOPED_TRACE(structCanvas.Log());
    EXPECT_EQ(listHit, structHit);
    EXPECT_EQ(CallsWithColours(listCanvas), CallsWithColours(structCanvas));
    EXPECT_EQ(Utf8(l.HitAnchor), Utf8(q.HitAnchor));
    EXPECT_EQ(Utf8(l.PlainText), Utf8(q.PlainText));
    EXPECT_EQ(Utf8(l.FocusedAnchor), Utf8(q.FocusedAnchor));
    EXPECT_EQ(Utf8(l.HitTitle), Utf8(q.HitTitle));
    EXPECT_EQ(l.ExtentX, q.ExtentX);
    EXPECT_EQ(l.ExtentY, q.ExtentY);
    EXPECT_EQ(l.LinkCount, q.LinkCount);
    EXPECT_EQ(l.HitLink, q.HitLink);
    EXPECT_EQ(l.HitLinkRect, q.HitLinkRect);
    EXPECT_EQ(l.HitControlRect, q.HitControlRect);
    EXPECT_EQ(Utf8(l.HitControlID), Utf8(q.HitControlID));
    EXPECT_EQ(Utf8(l.HitControlValue), Utf8(q.HitControlValue));
    EXPECT_EQ(Utf8(l.HitControlType), Utf8(q.HitControlType));
  }
  // The cases above reach what they are meant to.
  EXPECT_EQ(Utf8(linkHit.HitAnchor), "");
  THtml q = linkHit;
  EXPECT_TRUE(q.Run(&canvas, m));
  EXPECT_EQ(Utf8(q.HitAnchor), "a");
  EXPECT_EQ(Utf8(q.HitTitle), "t");
  q = controlById;
  EXPECT_TRUE(q.Run(&canvas, m));
  EXPECT_EQ(Utf8(q.HitControlType), "BUTTON");
  q = missed;
  EXPECT_FALSE(q.Run(&canvas, m));
  EXPECT_EQ(Utf8(q.HitAnchor), "before");
  EXPECT_EQ(q.HitLinkRect, Rect(1, 2, 3, 4));
}

}  // namespace
