// DrawText layout on fixed fake metrics: every character 7 pixels wide, ascent 10, descent 3
// (line height 13), external leading 2, average character width 7 (a tab is 56 pixels).
#include <gtest/gtest.h>

#include "platform/Graphics.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

struct Case {
  const char* Name;
  const char16_t* Text;
  TRect R;
  unsigned Flags;
  std::vector<std::string> Expected;  // recorded calls inside the DrawText, in order
  int Returned;
};

std::vector<std::string> Inner(TRecordingCanvas& c) {
  std::vector<std::string> out;
  for (size_t i = 1; i < c.Calls().size(); ++i) out.push_back(c.Calls()[i].ToString());
  return out;
}

TEST(DrawText, CaseTableOnFakeMetrics) {
  const TRect box = Rect(0, 0, 70, 40);
  const Case cases[] = {
      {"left", u"abc", box, DT_LEFT | DT_SINGLELINE, {"ExtTextOut(0,0,4,0,0,70,40,'abc')"}, 13},
      {"center", u"abc", box, DT_CENTER | DT_SINGLELINE, {"ExtTextOut(24,0,4,0,0,70,40,'abc')"}, 13},
      {"right", u"abc", box, DT_RIGHT | DT_SINGLELINE, {"ExtTextOut(49,0,4,0,0,70,40,'abc')"}, 13},
      {"vcenter", u"abc", box, DT_VCENTER | DT_SINGLELINE, {"ExtTextOut(0,13,4,0,0,70,40,'abc')"}, 26},
      {"bottom", u"abc", box, DT_BOTTOM | DT_SINGLELINE | DT_RIGHT, {"ExtTextOut(49,27,4,0,0,70,40,'abc')"}, 40},
      {"vcenter needs single line", u"abc", box, DT_VCENTER, {"ExtTextOut(0,0,4,0,0,70,40,'abc')"}, 13},
      {"no clip", u"abc", box, DT_NOCLIP | DT_SINGLELINE, {"TextOut(0,0,'abc')"}, 13},
      {"line breaks", u"ab\r\ncd\ne", box, DT_LEFT,
       {"ExtTextOut(0,0,4,0,0,70,40,'ab')", "ExtTextOut(0,13,4,0,0,70,40,'cd')", "ExtTextOut(0,26,4,0,0,70,40,'e')"},
       39},
      {"word break", u"aa bb cc", Rect(0, 0, 35, 40), DT_WORDBREAK,
       {"ExtTextOut(0,0,4,0,0,35,40,'aa bb')", "ExtTextOut(0,13,4,0,0,35,40,'cc')"}, 26},
      {"word break centred", u"aa bb cc", Rect(0, 0, 35, 40), DT_WORDBREAK | DT_CENTER,
       {"ExtTextOut(0,0,4,0,0,35,40,'aa bb')", "ExtTextOut(10,13,4,0,0,35,40,'cc')"}, 26},
      {"over-long word overflows", u"a verylongword b", Rect(0, 0, 35, 60), DT_WORDBREAK,
       {"ExtTextOut(0,0,4,0,0,35,60,'a')", "ExtTextOut(0,13,4,0,0,35,60,'verylongword')",
        "ExtTextOut(0,26,4,0,0,35,60,'b')"},
       39},
      {"edit control breaks an over-long word", u"verylongword", Rect(0, 0, 35, 60), DT_WORDBREAK | DT_EDITCONTROL,
       {"ExtTextOut(0,0,4,0,0,35,60,'veryl')", "ExtTextOut(0,13,4,0,0,35,60,'ongwo')",
        "ExtTextOut(0,26,4,0,0,35,60,'rd')"},
       39},
      {"edit control hides a partly visible last line", u"aa bb cc dd", Rect(0, 0, 14, 30),
       DT_WORDBREAK | DT_EDITCONTROL,
       {"ExtTextOut(0,0,4,0,0,14,30,'aa')", "ExtTextOut(0,13,4,0,0,14,30,'bb')"}, 26},
      {"partly visible last line shown without edit control", u"aa bb cc", Rect(0, 0, 14, 30), DT_WORDBREAK,
       {"ExtTextOut(0,0,4,0,0,14,30,'aa')", "ExtTextOut(0,13,4,0,0,14,30,'bb')",
        "ExtTextOut(0,26,4,0,0,14,30,'cc')"},
       39},
      {"end ellipsis", u"abcdefghij", Rect(0, 0, 49, 13), DT_SINGLELINE | DT_END_ELLIPSIS,
       {"ExtTextOut(0,0,4,0,0,49,13,'abcd...')"}, 13},
      {"wrapped: a wide word inside is clipped without ellipsis", u"aa verylongword bb", Rect(0, 0, 35, 60),
       DT_WORDBREAK | DT_END_ELLIPSIS,
       {"ExtTextOut(0,0,4,0,0,35,60,'aa')", "ExtTextOut(0,13,4,0,0,35,60,'verylongword')",
        "ExtTextOut(0,26,4,0,0,35,60,'bb')"},
       39},
      {"wrapped: ellipsis at the end of the text", u"aa bb verylongword", Rect(0, 0, 35, 60),
       DT_WORDBREAK | DT_END_ELLIPSIS,
       {"ExtTextOut(0,0,4,0,0,35,60,'aa bb')", "ExtTextOut(0,13,4,0,0,35,60,'ve...')"}, 26},
      {"edit control: ellipsis where the lines stop", u"aa bb cc dd", Rect(0, 0, 35, 20),
       DT_WORDBREAK | DT_EDITCONTROL | DT_END_ELLIPSIS, {"ExtTextOut(0,0,4,0,0,35,20,'aa...')"}, 13},
      {"ellipsis not needed", u"abcdefg", Rect(0, 0, 49, 13), DT_SINGLELINE | DT_END_ELLIPSIS,
       {"ExtTextOut(0,0,4,0,0,49,13,'abcdefg')"}, 13},
      {"expand tabs", u"a\tb", Rect(0, 0, 100, 13), DT_SINGLELINE | DT_EXPANDTABS,
       {"ExtTextOut(0,0,4,0,0,100,13,'a')", "ExtTextOut(56,0,4,0,0,100,13,'b')"}, 13},
      {"tab kept without expand tabs", u"a\tb", Rect(0, 0, 100, 13), DT_SINGLELINE,
       {"ExtTextOut(0,0,4,0,0,100,13,'a\tb')"}, 13},
      {"prefix underlines", u"&File", box, DT_SINGLELINE,
       {"ExtTextOut(0,0,4,0,0,70,40,'File')", "FillRect(0,11,7,12)"}, 13},
      {"prefix inside", u"Sa&ve", box, DT_SINGLELINE,
       {"ExtTextOut(0,0,4,0,0,70,40,'Save')", "FillRect(14,11,21,12)"}, 13},
      {"double ampersand", u"a&&b", box, DT_SINGLELINE, {"ExtTextOut(0,0,4,0,0,70,40,'a&b')"}, 13},
      {"no prefix", u"&File", box, DT_SINGLELINE | DT_NOPREFIX, {"ExtTextOut(0,0,4,0,0,70,40,'&File')"}, 13},
      {"external leading", u"ab\ncd", box, DT_EXTERNALLEADING,
       {"ExtTextOut(0,0,4,0,0,70,40,'ab')", "ExtTextOut(0,15,4,0,0,70,40,'cd')"}, 30},
      {"empty text", u"", box, DT_SINGLELINE, {}, 13},
      {"empty multi-line text", u"", box, DT_WORDBREAK, {}, 0},
  };
  TScopedFakeMetrics fake;
  for (const Case& k : cases) {
    TRecordingCanvas c;
    c.SetRecordNested(true);
    TRect r = k.R;
    int h = DrawText(&c, k.Text, r, k.Flags);
    ASSERT_FALSE(c.Calls().empty()) << k.Name;
    EXPECT_EQ(c.Calls()[0].Name, "DrawText") << k.Name;
    EXPECT_EQ(Inner(c), k.Expected) << k.Name;
    EXPECT_EQ(h, k.Returned) << k.Name;
    EXPECT_EQ(r, k.R) << k.Name << ": only CALCRECT changes the rectangle";
  }
}

TEST(DrawText, CalcRectGivesLongestLineAndLinesTimesLineHeight) {
  struct CalcCase {
    const char* Name;
    const char16_t* Text;
    TRect R;
    unsigned Flags;
    TRect Expected;
  };
  const CalcCase cases[] = {
      {"single line", u"abc", Rect(5, 6, 5, 6), DT_CALCRECT | DT_SINGLELINE, Rect(5, 6, 26, 19)},
      {"vertical centring ignored", u"abc", Rect(0, 0, 0, 0), DT_CALCRECT | DT_SINGLELINE | DT_VCENTER,
       Rect(0, 0, 21, 13)},
      {"word break", u"aa bb cc", Rect(0, 0, 35, 0), DT_CALCRECT | DT_WORDBREAK, Rect(0, 0, 35, 26)},
      {"word break narrower", u"aa bbb cc", Rect(0, 0, 49, 0), DT_CALCRECT | DT_WORDBREAK, Rect(0, 0, 42, 26)},
      {"over-long word widens", u"a verylongword", Rect(0, 0, 35, 0), DT_CALCRECT | DT_WORDBREAK,
       Rect(0, 0, 84, 26)},
      {"zero width breaks every word", u"ab cd", Rect(0, 0, 0, 0), DT_CALCRECT | DT_WORDBREAK, Rect(0, 0, 14, 26)},
      {"prefix not counted", u"&Open", Rect(0, 0, 100, 0), DT_CALCRECT | DT_WORDBREAK, Rect(0, 0, 28, 13)},
      {"three lines", u"a\nbb\nccc", Rect(0, 0, 100, 0), DT_CALCRECT, Rect(0, 0, 21, 39)},
      {"a final line break adds no line", u"ab\r\n", Rect(0, 0, 100, 0), DT_CALCRECT, Rect(0, 0, 14, 13)},
      {"an empty line before the final break counts", u"ab\n\n", Rect(0, 0, 100, 0), DT_CALCRECT,
       Rect(0, 0, 14, 26)},
      {"a lone line break is one empty line", u"\n", Rect(0, 0, 100, 0), DT_CALCRECT, Rect(0, 0, 0, 13)},
      {"external leading", u"a\nb", Rect(0, 0, 100, 0), DT_CALCRECT | DT_EXTERNALLEADING, Rect(0, 0, 7, 30)},
      {"tabs expanded", u"a\tb", Rect(0, 0, 100, 0), DT_CALCRECT | DT_EXPANDTABS, Rect(0, 0, 63, 13)},
      {"empty multi-line", u"", Rect(3, 4, 50, 50), DT_CALCRECT, Rect(3, 4, 3, 4)},
      {"empty single line", u"", Rect(3, 4, 50, 50), DT_CALCRECT | DT_SINGLELINE, Rect(3, 4, 3, 17)},
  };
  TScopedFakeMetrics fake;
  for (const CalcCase& k : cases) {
    TRecordingCanvas c;
    c.SetRecordNested(true);
    TRect r = k.R;
    int h = DrawText(&c, k.Text, r, k.Flags);
    EXPECT_EQ(r, k.Expected) << k.Name;
    EXPECT_EQ(h, k.Expected.Bottom - k.Expected.Top) << k.Name;
    EXPECT_EQ(c.Calls().size(), 1u) << k.Name << ": nothing drawn";
  }
}

TEST(DrawText, TextHeightIsAscentPlusDescent) {
  TScopedFakeMetrics fake(7, 11, 4, 3);
  TRecordingCanvas c;
  EXPECT_EQ(c.TextHeight(u"gh"), 15);
  EXPECT_EQ(c.TextWidth(u"gh"), 14);
  EXPECT_EQ(c.TextExtent(u"abc"), (TSize{21, 15}));
  TFakeMetrics own(5, 8, 2, 0);
  c.SetMetrics(&own);
  EXPECT_EQ(c.TextExtent(u"abc"), (TSize{15, 10}));
}

}  // namespace

namespace {

TEST(DrawText, EditLineStartsFollowBreaksAndWrapping) {
  TScopedFakeMetrics metrics;
  TRecordingCanvas c;
  struct Case {
    const char* Name;
    const char16_t* Text;
    int Width;
    std::vector<int> Starts;
  };
  const Case cases[] = {
      {"one line", u"abc", 70, {0}},
      {"empty", u"", 70, {0}},
      {"CR LF, LF and CR", u"ab\r\ncd\ne\rf", 70, {0, 4, 7, 9}},
      {"a break at the end opens a line", u"ab\r\n", 70, {0, 4}},
      {"words wrap", u"alpha beta gamma", 56, {0, 6, 11}},
      {"no wrapping without a width", u"alpha beta gamma", 0, {0}},
      {"a long word is broken", u"abcdefghij", 35, {0, 5}},
      {"wrapping inside a paragraph", u"aa bb cc\r\ndd", 35, {0, 6, 10}},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.Name);
    EXPECT_EQ(EditLineStarts(&c, k.Text, k.Width), k.Starts);
  }
}

}  // namespace
