#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Encoding.h"
#include "platform/RichText.h"

namespace {

TRichCharFormat RtfBase() {
  TRichCharFormat f;
  f.FontName = u"Tahoma";
  return f;
}

TRichCharFormat RtfWith(void (*Change)(TRichCharFormat&)) {
  TRichCharFormat f = RtfBase();
  Change(f);
  return f;
}

TRichRuns RtfRead(std::string_view Bytes) {
  TRichRuns runs;
  EXPECT_TRUE(ReadRtf(Bytes, RtfBase(), runs)) << Bytes;
  return runs;
}

// Every attribute the writer knows, each in a run of its own.
TRichRuns RtfEveryAttribute() {
  TRichRuns runs;
  AppendRichText(runs, u"plain ", RtfBase());
  AppendRichText(runs, u"bold", RtfWith([](TRichCharFormat& f) { f.Bold = true; }));
  AppendRichText(runs, u"italic", RtfWith([](TRichCharFormat& f) { f.Italic = true; }));
  AppendRichText(runs, u"under", RtfWith([](TRichCharFormat& f) { f.Underline = true; }));
  AppendRichText(runs, u"strike", RtfWith([](TRichCharFormat& f) { f.Strike = true; }));
  AppendRichText(runs, u"red", RtfWith([](TRichCharFormat& f) { f.Color = RGB(255, 0, 0); }));
  AppendRichText(runs, u"marked", RtfWith([](TRichCharFormat& f) {
                   f.Color = RGB(0, 0, 128);
                   f.BackColor = RGB(255, 255, 0);
                 }));
  AppendRichText(runs, u"courier 14", RtfWith([](TRichCharFormat& f) {
                   f.FontName = u"Courier New";
                   f.HalfPoints = 28;
                 }));
  AppendRichText(runs, u"up", RtfWith([](TRichCharFormat& f) { f.OffsetTwips = 40; }));
  AppendRichText(runs, u"down", RtfWith([](TRichCharFormat& f) { f.OffsetTwips = -40; }));
  AppendRichText(runs, u"sup", RtfWith([](TRichCharFormat& f) { f.Script = rsSuperscript; }));
  AppendRichText(runs, u"sub", RtfWith([](TRichCharFormat& f) { f.Script = rsSubscript; }));
  AppendRichText(runs, u"a\tb\x2028" u"c\x2029" u"\x00fc\x20ac\x4e2d {\\} ;", RtfBase());
  return runs;
}

TEST(RichTextRtf, WrittenRunsReadBackAsTheyWere) {
  const TRichRuns runs = RtfEveryAttribute();
  const std::string rtf = WriteRtf(runs, RtfBase());
  const TRichRuns back = RtfRead(rtf);
  ASSERT_EQ(back.size(), runs.size());
  for (size_t i = 0; i < runs.size(); ++i) {
    EXPECT_EQ(back[i].Text, runs[i].Text) << i;
    EXPECT_TRUE(back[i].Format == runs[i].Format) << i;
  }
  EXPECT_EQ(WriteRtf(back, RtfBase()), rtf);
}

TEST(RichTextRtf, ControlCharactersInAFontNameAreDropped) {
  // A raw tab in a font table: kept, it would be written back as \tab, which names no font.
  const TRichRuns runs = RtfRead("{\\rtf1{\\fonttbl{\\f0 *\tArial;}}\\f0 x}");
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Format.FontName, u"*Arial");
  const TRichRuns back = RtfRead(WriteRtf(runs, RtfBase()));
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].Format.FontName, u"*Arial");
}

TEST(RichTextRtf, WriterKeepsToAsciiAndEscapes) {
  TRichRuns runs;
  AppendRichText(runs, u"\\{}\x00fc\x20ac\x4e2d\xd83d\xde00", RtfBase());
  const std::string rtf = WriteRtf(runs, RtfBase());
  for (char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80u);
  EXPECT_NE(rtf.find("\\\\\\{\\}\\u252?\\u8364?\\u20013?\\u-10179?\\u-8704?"), std::string::npos) << rtf;
}

TEST(RichTextRtf, AnyUtf16TextComesBack) {
  // Lone surrogates of both halves, a pair, controls, the noncharacters and the last unit.
  const String text = u"\xd800x\xdc00\xd83d\xde00\x0001\x001f\x007f\x0080\x00ff\xfffe\xffff\xdbff";
  TRichRuns runs;
  AppendRichText(runs, text, RtfBase());
  const TRichRuns back = RtfRead(WriteRtf(runs, RtfBase()));
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].Text, text);
}

TEST(RichTextRtf, WordProcessorDocumentLoadsWithItsFormatting) {
  const std::string rtf =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat\\deflang1031"
      "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fprq2\\fcharset0{\\*\\panose 02020603050405020304}"
      "Times New Roman{\\*\\falt Times};}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;}\r\n"
      "{\\*\\generator Riched20 10.0.19041}{\\stylesheet{\\s0 Normal;}}{\\info{\\author Someone}}"
      "\\viewkind4\\uc1 \\pard\\sa200\\sl276\\slmult1\\f0\\fs22\\lang7 Hello {\\b bold} "
      "\\cf1 red\\cf2  green\\cf0  {\\f1\\fs32 Big}\\par\r\n"
      "{\\field{\\*\\fldinst{HYPERLINK \"x\"}}{\\fldrslt{link}}}\\par\r\n}\r\n";
  const TRichRuns runs = RtfRead(rtf);
  EXPECT_EQ(RichPlainText(runs), u"Hello bold red green Big\r\nlink\r\n");
  ASSERT_EQ(runs.size(), 8u);
  EXPECT_EQ(runs[0].Text, u"Hello ");
  EXPECT_EQ(runs[0].Format.FontName, u"Arial");
  EXPECT_EQ(runs[0].Format.HalfPoints, 22);
  EXPECT_EQ(runs[1].Text, u"bold");
  EXPECT_TRUE(runs[1].Format.Bold);
  EXPECT_EQ(runs[3].Text, u"red");
  EXPECT_EQ(runs[3].Format.Color, RGB(255, 0, 0));
  EXPECT_EQ(runs[4].Text, u" green");
  EXPECT_EQ(runs[4].Format.Color, RGB(0, 128, 0));
  EXPECT_EQ(runs[6].Text, u"Big");
  EXPECT_EQ(runs[6].Format.FontName, u"Times New Roman");
  EXPECT_EQ(runs[6].Format.HalfPoints, 32);
}

TEST(RichTextRtf, ReaderTable) {
  struct Case {
    const char* Rtf;
    const char16_t* Plain;
  };
  const Case cases[] = {
      {"{\\rtf1 a\\'e4\\'fc}", u"a\x00e4\x00fc"},                        // Windows-1252 by default
      {"{\\rtf1\\ansi\\ansicpg850 \\'81\\'84}", u"\x00fc\x00e4"},        // code page 850
      {"{\\rtf1\\ansicpg932 \\'e4}", u"\x00e4"},                         // unknown page: Windows-1252
      {"{\\rtf1\\u8364?x}", u"\x20acx"},                                 // fallback skipped
      {"{\\rtf1\\uc2\\u8364 ab c}", u"\x20ac c"},                         // two fallback characters
      {"{\\rtf1\\uc1\\u8364\\'80 x}", u"\x20ac x"},                       // \'hh as the fallback
      {"{\\rtf1\\uc3\\u8364{}x}", u"\x20acx"},                           // a brace ends the fallback
      {"{\\rtf1\\u-3913?}", u"\xf0b7"},                                   // negative: above 32767
      {"{\\rtf1 a{\\*\\unknowndest hidden}b}", u"ab"},
      {"{\\rtf1 a{\\pict\\pngblip 89504e47}b}", u"ab"},
      {"{\\rtf1 a\\bin3 {}\\b}", u"ab"},                                  // binary data skipped
      {"{\\rtf1 a\\unknownword42 b}", u"ab"},
      {"{\\rtf1 a\\~b\\_c\\-d\\emdash}", u"a\x00a0" u"b\x2011" u"cd\x2014"},
      {"{\\rtf1 a\r\nb\\\r\nc}", u"ab\r\nc"},                             // \<newline> is a paragraph
      {"{\\rtf1 x}\r\n ", u"x"},                                        // blanks may follow
  };
  for (const Case& c : cases) EXPECT_EQ(RichPlainText(RtfRead(c.Rtf)), c.Plain) << c.Rtf;
  EXPECT_EQ(RichPlainText(RtfRead(std::string_view("{\\rtf1 x}\0", 10))), u"x");  // so may a terminating zero
}

TEST(RichTextRtf, FormattingWordsTable) {
  struct Case {
    const char* Rtf;
    void (*Expect)(const TRichCharFormat&);
  };
  const Case cases[] = {
      {"{\\rtf1\\b\\i\\ul\\strike x}", [](const TRichCharFormat& f) {
         EXPECT_TRUE(f.Bold && f.Italic && f.Underline && f.Strike);
       }},
      {"{\\rtf1\\b\\b0\\ul\\ulnone\\i\\i0 x}", [](const TRichCharFormat& f) {
         EXPECT_FALSE(f.Bold || f.Italic || f.Underline);
       }},
      {"{\\rtf1\\b\\fs40\\plain x}", [](const TRichCharFormat& f) {
         EXPECT_FALSE(f.Bold);
         EXPECT_EQ(f.HalfPoints, 24);
       }},
      {"{\\rtf1\\up4 x}", [](const TRichCharFormat& f) { EXPECT_EQ(f.OffsetTwips, 40); }},
      {"{\\rtf1\\dn4 x}", [](const TRichCharFormat& f) { EXPECT_EQ(f.OffsetTwips, -40); }},
      {"{\\rtf1\\up x}", [](const TRichCharFormat& f) { EXPECT_EQ(f.OffsetTwips, 60); }},
      {"{\\rtf1\\super\\nosupersub\\sub x}", [](const TRichCharFormat& f) { EXPECT_EQ(f.Script, rsSubscript); }},
      {"{\\rtf1{\\colortbl;\\red1\\green2\\blue3;}\\cf1\\highlight1 x}", [](const TRichCharFormat& f) {
         EXPECT_EQ(f.Color, RGB(1, 2, 3));
         EXPECT_EQ(f.BackColor, RGB(1, 2, 3));
       }},
      {"{\\rtf1{\\colortbl;}\\cf7 x}", [](const TRichCharFormat& f) { EXPECT_EQ(f.Color, clNone); }},
      {"{\\rtf1\\deff1{\\fonttbl\\f0 A;\\f1 B;}x}", [](const TRichCharFormat& f) { EXPECT_EQ(f.FontName, u"B"); }},
      {"{\\rtf1{\\fonttbl{\\f0 A;}}\\f9 x}", [](const TRichCharFormat& f) { EXPECT_EQ(f.FontName, u"A"); }},
      {"{\\rtf1 x}", [](const TRichCharFormat& f) { EXPECT_EQ(f.FontName, u"Tahoma"); }},
      {"{\\rtf1{\\b{\\i y}}x}", [](const TRichCharFormat& f) { EXPECT_FALSE(f.Bold || f.Italic); }},
  };
  for (const Case& c : cases) {
    const TRichRuns runs = RtfRead(c.Rtf);
    ASSERT_FALSE(runs.empty()) << c.Rtf;
    SCOPED_TRACE(c.Rtf);
    c.Expect(runs.back().Format);
  }
}

TEST(RichTextRtf, UnreadableRtfLoadsAsItsPlainText) {
  const char* cases[] = {
      "{\\rtf1 unbalanced",                // cut short
      "{\\rtf1 a}}",                        // one brace too many
      "{\\rtf1 a} trailing text",           // text after the document
      "{\\rtf1 a\\'zz}",                    // not hex
      "{\\rtf1 a\\'4",                      // \'h cut
      "{\\rtf1 a\\",                        // backslash at the end
      "{\\rtf1 \\u70000?}",                 // \uN beyond 16 bits
      "{\\rtf1 \\u-40000?}",
      "{\\rtf1 \\u?}",                      // \u without a number
      "{\\rtf1 \\fs99999999999 x}",         // beyond 32 bits
      "{\\rtf1 \\b- x}",                    // a sign without digits
      "{\\rtf1 \\bin99 x}",                 // binary data beyond the end
      "{\\rtf1 \\abcdefghijklmnopqrstuvwxyzabcdefghij x}",  // a word longer than 32 letters
      "{\\rtf1 caf\xc3\xa9 {",              // UTF-8 bytes stay UTF-8 in the plain text
  };
  for (const char* c : cases) {
    TRichRuns runs;
    EXPECT_FALSE(ReadRtf(c, RtfBase(), runs)) << c;
    EXPECT_TRUE(runs.empty());
    const TRichRuns plain = LoadRichBytes(c, RtfBase());
    EXPECT_EQ(RichPlainText(plain), DecodeUtf8OrAnsi(c)) << c;
  }
  EXPECT_EQ(RichPlainText(LoadRichBytes("{\\rtf1 caf\xc3\xa9 {", RtfBase())), u"{\\rtf1 caf\x00e9 {");
}

TEST(RichTextRtf, DeepNestingAndLongInputStayReadable) {
  std::string deep = "{\\rtf1 ";
  for (int i = 0; i < 100000; ++i) deep += '{';
  deep += "x";
  for (int i = 0; i < 100000; ++i) deep += '}';
  deep += '}';
  EXPECT_EQ(RichPlainText(RtfRead(deep)), u"x");
  deep.pop_back();
  EXPECT_EQ(RichPlainText(LoadRichBytes(deep, RtfBase())).size(), deep.size());
}

TEST(RichTextRtf, PlainTextBecomesParagraphs) {
  const TRichRuns runs = RichRunsFromPlainText(u"a\r\nb\nc\rd", RtfBase());
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].Text, u"a\x2029" u"b\x2029" u"c\x2029" u"d");
  EXPECT_EQ(RichPlainText(runs), u"a\r\nb\r\nc\r\nd");
  EXPECT_TRUE(RichRunsFromPlainText(u"", RtfBase()).empty());
}

}  // namespace

namespace {

std::string RtfFixture(const char* Name) {
  std::ifstream in(std::string(CONF_FIXTURES) + "/platform/rtf/" + Name, std::ios::binary);
  EXPECT_TRUE(in.good()) << Name;
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(RichTextRtfFixtures, WordProcessorFileLoadsWithItsFormatting) {
  const TRichRuns runs = RtfRead(RtfFixture("wordprocessor.rtf"));
  EXPECT_EQ(RichPlainText(runs),
            u"Plain, bold, italic, underlined, struck.\r\nRed and blue, marked.\r\nArial 14, Courier 10.\r\n"
            u"E = mc2, H2O, xraised.\r\nTab\tstop, line\r\nbreak, \x00fc\x20ac\x4e2d and \x00e4.\r\n");
  auto formatOf = [&](const String& text) {
    for (const TRichRun& r : runs)
      if (r.Text == text) return r.Format;
    ADD_FAILURE() << "no run of its own: " << StringToUtf8(text);
    return TRichCharFormat();
  };
  EXPECT_EQ(formatOf(u"Plain, ").FontName, u"Calibri");
  EXPECT_EQ(formatOf(u"Plain, ").HalfPoints, 22);
  EXPECT_TRUE(formatOf(u"bold").Bold);
  EXPECT_TRUE(formatOf(u"italic").Italic);
  EXPECT_TRUE(formatOf(u"underlined").Underline);
  EXPECT_TRUE(formatOf(u"struck").Strike);
  EXPECT_EQ(formatOf(u"Red").Color, RGB(192, 0, 0));
  EXPECT_EQ(formatOf(u"blue").Color, RGB(0, 112, 192));
  EXPECT_EQ(formatOf(u"marked").BackColor, RGB(255, 255, 0));
  EXPECT_EQ(formatOf(u"Arial 14").FontName, u"Arial");
  EXPECT_EQ(formatOf(u"Arial 14").HalfPoints, 28);
  EXPECT_EQ(formatOf(u"Courier 10").FontName, u"Courier New");
  EXPECT_EQ(formatOf(u"Courier 10").HalfPoints, 20);
  EXPECT_EQ(formatOf(u"2").Script, rsSuperscript);
  EXPECT_EQ(formatOf(u"raised").OffsetTwips, 40);
}

TEST(RichTextRtfFixtures, MalformedFilesLoadAsTheirPlainText) {
  for (const char* name : {"malformed_cut_short.rtf", "malformed_unbalanced.rtf", "malformed_hex.rtf",
                           "malformed_unicode.rtf", "malformed_huge_number.rtf"}) {
    const std::string bytes = RtfFixture(name);
    TRichRuns runs;
    EXPECT_FALSE(ReadRtf(bytes, RtfBase(), runs)) << name;
    EXPECT_EQ(RichPlainText(LoadRichBytes(bytes, RtfBase())), Win1252ToString(bytes)) << name;
  }
}

}  // namespace
