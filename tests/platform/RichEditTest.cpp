#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/ComCtrls.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/ScratchFolder.h"

namespace {

class RichEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = New<TForm>(nullptr);
    form->SetClientWidth(400);
    form->SetClientHeight(300);
    edit = New<TRichEdit>(form);
    edit->SetParent(form);
    edit->SetBounds(0, 0, 200, 100);
  }
  void TearDown() override { delete form; }

  void Load(std::string_view Bytes) {
    TMemoryStream ms;
    ms.WriteBytes(Bytes);
    ms.SetPosition(0);
    edit->Lines()->LoadFromStream(&ms);
  }
  std::string Save(TTextEncoding Encoding = teUTF8) {
    TMemoryStream ms;
    edit->Lines()->SaveToStream(&ms, Encoding);
    return std::string(ms.Bytes());
  }
  void Select(int Start, int Length) {
    edit->SetSelStart(Start);
    edit->SetSelLength(Length);
  }
  void SetOffset(int Twips) {
    TCharFormat2 f;
    f.Mask = CFM_OFFSET;
    f.Offset = Twips;
    edit->Perform(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<intptr_t>(&f));
  }

  TForm* form = nullptr;
  TRichEdit* edit = nullptr;
};

// A word processor's document with every attribute the cells use.
const char kRichSample[] =
    "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\fmodern Courier New;}}\r\n"
    "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\r\n"
    "{\\*\\generator Writer 1.0;}\\pard\\f0\\fs20 plain {\\b bold} {\\i italic} {\\ul under} {\\strike strike}"
    " {\\cf1 red} {\\cf2 blue} {\\f1\\fs28 mono} x{\\super 2} H{\\sub 2}O a\\tab b\\line c\\par\r\n"
    "\\u252?\\u8364?\\u20013?\\par\r\n}";

TEST_F(RichEditTest, DocumentRoundTripsThroughWriteReadWrite) {
  Load(kRichSample);
  const std::string first = Save();
  Load(first);
  const std::string second = Save();
  EXPECT_EQ(first, second);
  EXPECT_EQ(edit->GetText(), u"plain bold italic under strike red blue mono x2 H2O a\tb\r\nc\r\n\x00fc\x20ac\x4e2d\r\n");
  // The formatting survived the trip.
  const TRichRuns runs = edit->Runs();
  auto formatOf = [&](const String& text) {
    for (const TRichRun& r : runs)
      if (r.Text == text) return r.Format;
    ADD_FAILURE() << "no run of its own: " << StringToUtf8(text);
    return TRichCharFormat();
  };
  EXPECT_TRUE(formatOf(u"bold").Bold);
  EXPECT_TRUE(formatOf(u"italic").Italic);
  EXPECT_TRUE(formatOf(u"under").Underline);
  EXPECT_TRUE(formatOf(u"strike").Strike);
  EXPECT_EQ(formatOf(u"red").Color, RGB(255, 0, 0));
  EXPECT_EQ(formatOf(u"blue").Color, RGB(0, 0, 255));
  EXPECT_EQ(formatOf(u"mono").FontName, u"Courier New");
  EXPECT_EQ(formatOf(u"mono").HalfPoints, 28);
  EXPECT_EQ(formatOf(u"2").Script, rsSuperscript);
  EXPECT_EQ(runs.front().Format.FontName, u"Arial");
}

TEST_F(RichEditTest, UnreadableRtfLoadsAsItsPlainText) {
  Load("{\\rtf1 {\\b cut short");
  EXPECT_EQ(edit->GetText(), u"{\\rtf1 {\\b cut short");
  Load("{\\rtf1 \\'zz}");
  EXPECT_EQ(edit->GetText(), u"{\\rtf1 \\'zz}");
  edit->SetText(u"{\\rtf1 \\u99999?}");
  EXPECT_EQ(edit->GetText(), u"{\\rtf1 \\u99999?}");
}

TEST_F(RichEditTest, TextStartingAsRtfLoadsFormatted) {
  edit->SetText(u"{\\rtf1{\\b bold} \\u8364?}");
  EXPECT_EQ(edit->GetText(), u"bold \x20ac");
  EXPECT_TRUE(edit->Runs().front().Format.Bold);
  edit->SetPlainText(true);
  edit->SetText(u"{\\rtf1{\\b bold}}");
  EXPECT_EQ(edit->GetText(), u"{\\rtf1{\\b bold}}");
}

TEST_F(RichEditTest, PlainTextStreamsCarryText) {
  edit->SetPlainText(true);
  Load("line 1\r\nline 2");
  EXPECT_EQ(edit->Lines()->Count(), 2);
  EXPECT_EQ(edit->Lines()->Text(), u"line 1\r\nline 2\r\n");
  EXPECT_EQ(Save(), "line 1\r\nline 2");
  EXPECT_EQ(Save(teUTF16LE), std::string("\xFF\xFEl\0i\0n\0e\0 \0" "1\0\r\0\n\0l\0i\0n\0e\0 \0" "2\0", 30));
  // Lines set by code replace the content in the control's font.
  edit->Lines()->SetText(u"a\r\nb");
  EXPECT_EQ(edit->GetText(), u"a\r\nb");
}

TEST_F(RichEditTest, LoneSurrogateSurvivesTheControl) {
  TRichRuns runs;
  AppendRichText(runs, u"a\xd800z\xdfff", edit->DefaultFormat());
  edit->SetRuns(runs);
  Load(Save());
  EXPECT_EQ(edit->GetText(), u"a\xd800z\xdfff");
}

TEST_F(RichEditTest, OffsetOfFortyTwipsIsWrittenAsUpAndDown) {
  edit->SetText(u"x2y3z");
  Select(1, 1);
  SetOffset(40);
  Select(3, 1);
  SetOffset(-40);
  const std::string rtf = Save();
  EXPECT_NE(rtf.find("\\up4 2"), std::string::npos) << rtf;
  EXPECT_NE(rtf.find("\\dn4 3"), std::string::npos) << rtf;
  Load(rtf);
  Select(1, 1);
  TCharFormat2 f;
  f.Mask = CFM_OFFSET;
  edit->Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<intptr_t>(&f));
  EXPECT_EQ(f.Offset, 40);
  EXPECT_TRUE(f.Mask & CFM_OFFSET);
  Select(0, 4);  // mixed offsets: the offset is not valid for the whole selection
  const intptr_t mask = edit->Perform(EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<intptr_t>(&f));
  EXPECT_FALSE(mask & CFM_OFFSET);
  EXPECT_TRUE(mask & CFM_BOLD);
}

TEST_F(RichEditTest, SelectionAttributesAndText) {
  edit->SetText(u"one two\r\nthree");
  int changes = 0;
  edit->OnSelectionChange = [&](TObject*) { ++changes; };
  Select(4, 3);
  EXPECT_EQ(edit->SelText(), u"two");
  EXPECT_EQ(changes, 2);
  edit->SelAttributes()->SetStyle(TFontStyles(fsBold) | fsItalic);
  edit->SelAttributes()->SetColor(clRed);
  edit->SelAttributes()->SetName(u"Courier New");
  edit->SelAttributes()->SetSize(15);
  EXPECT_EQ(edit->SelAttributes()->Style(), TFontStyles(fsBold) | fsItalic);
  EXPECT_EQ(edit->SelAttributes()->Color(), ColorToRGB(clRed));
  EXPECT_EQ(edit->SelAttributes()->Name(), u"Courier New");
  EXPECT_EQ(edit->SelAttributes()->Size(), 15);
  Select(6, 5);  // across the paragraph end: one character per paragraph
  EXPECT_EQ(edit->SelText(), u"o\r\nthr");
  edit->SetSelText(u"X");
  EXPECT_EQ(edit->GetText(), u"one twXee");
  EXPECT_EQ(edit->SelStart(), 7);
  // What replaced a bold start is bold.
  Select(6, 1);
  EXPECT_TRUE(edit->SelAttributes()->Style().Contains(fsBold));
}

TEST_F(RichEditTest, SizeRequestFollowsContentAndWrapping) {
  TRect asked{-1, -1, -1, -1};
  int requests = 0;
  edit->OnResizeRequest = [&](TObject*, const TRect& r) {
    asked = r;
    ++requests;
  };
  edit->SetWordWrap(false);
  edit->SetText(u"short");
  const TRect one = asked;
  EXPECT_GT(one.Width(), 0);
  EXPECT_GT(one.Height(), 0);
  edit->SetText(u"a much longer line of text\r\nand a second one");
  EXPECT_GT(asked.Width(), one.Width());
  EXPECT_GE(asked.Height(), 2 * one.Height() - 1);
  edit->SetWordWrap(true);
  EXPECT_EQ(asked.Width(), edit->ClientWidth());
  edit->SetBounds(0, 0, 40, 100);  // narrower: the lines wrap and the request grows
  EXPECT_EQ(asked.Width(), edit->ClientWidth());
  EXPECT_GT(asked.Height(), 2 * one.Height());
  const int before = requests;
  edit->Perform(EM_REQUESTRESIZE);
  EXPECT_EQ(requests, before + 1);
}

// Dark pixels of the canvas inside and outside a rectangle.
struct TRichInk {
  int Inside = 0;
  int Outside = 0;
};

TRichInk RichInkOf(TCanvas* c, int W, int H, const TRect& r) {
  TRichInk ink;
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const TColor p = c->Pixels(x, y);
      if (GetRValue(p) + GetGValue(p) + GetBValue(p) < 300) (x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom ? ink.Inside : ink.Outside)++;
    }
  return ink;
}

// Renders into a rectangle given in pixels of a canvas of DPI dots per inch.
TRichInk RichRender(TRichEdit* e, const TRect& Px, int* Next = nullptr, int Dpi = 96) {
  TBitmap bmp;
  bmp.SetSize(200, 80);
  bmp.Canvas()->Brush()->SetColor(clWhite);
  bmp.Canvas()->FillRect(Rect(0, 0, 200, 80));
  TFormatRange fr;
  fr.Canvas = bmp.Canvas();
  fr.DpiX = fr.DpiY = Dpi;
  auto twips = [&](int v) { return v * 1440 / Dpi; };
  fr.Rect = Rect(twips(Px.Left), twips(Px.Top), twips(Px.Right), twips(Px.Bottom));
  fr.Page = fr.Rect;
  const intptr_t next = e->Perform(EM_FORMATRANGE, 1, reinterpret_cast<intptr_t>(&fr));
  e->Perform(EM_FORMATRANGE, 0, 0);
  if (Next) *Next = static_cast<int>(next);
  return RichInkOf(bmp.Canvas(), 200, 80, Px);
}

TEST_F(RichEditTest, RendersIntoTheRectangleOnly) {
  edit->SetText(u"{\\rtf1 WWWW WWWW}");
  const TRect r = Rect(20, 10, 180, 70);
  int next = 0;
  const TRichInk plain = RichRender(edit, r, &next);
  EXPECT_GT(plain.Inside, 20);
  EXPECT_EQ(plain.Outside, 0);
  EXPECT_EQ(next, edit->TextLength());
  edit->SetText(u"{\\rtf1\\b WWWW WWWW}");
  const TRichInk bold = RichRender(edit, r);
  EXPECT_GT(bold.Inside, plain.Inside * 5 / 4);  // bold strokes are wider
  EXPECT_EQ(bold.Outside, 0);
}

TEST_F(RichEditTest, RendersAtTheCanvasResolution) {
  edit->SetText(u"{\\rtf1 WW}");
  const TRect r = Rect(0, 0, 200, 80);
  const TRichInk screen = RichRender(edit, r, nullptr, 96);
  const TRichInk twice = RichRender(edit, r, nullptr, 192);
  EXPECT_GT(twice.Inside, screen.Inside * 3);  // twice the size in each direction
}

TEST_F(RichEditTest, CanvasesAnswerTheirDeviceResolution) {
  // Screens and bitmaps are 96 dots per inch; a printer's page has its own.
  TImageCanvas screen(10, 10);
  EXPECT_EQ(GetDeviceCaps(screen.Canvas(), LOGPIXELSX), 96);
  EXPECT_EQ(GetDeviceCaps(screen.Canvas(), LOGPIXELSY), 96);
  EXPECT_EQ(GetDeviceCaps(screen.Canvas(), 0), 0);
  EXPECT_EQ(GetDeviceCaps(nullptr, LOGPIXELSX), 0);
  TImageCanvas page(10, 10);
  page.SetPixelsPerInch(300);
  EXPECT_EQ(GetDeviceCaps(page.Canvas(), LOGPIXELSY), 300);
  TScratchFolder folder("rich_print");
  int printerX = 0, printerY = 0;
  edit->SetText(u"{\\rtf1 WW}");
  int next = -1;
  ASSERT_TRUE(PaintPrinterPage(folder.File("page.pdf"), 600, [&](TCanvas* c) {
    printerX = GetDeviceCaps(c, LOGPIXELSX);
    printerY = GetDeviceCaps(c, LOGPIXELSY);
    TFormatRange fr;
    fr.Canvas = c;
    fr.DpiX = printerX;
    fr.DpiY = printerY;
    fr.Rect = Rect(0, 0, 2 * 1440, 1440);
    next = edit->FormatRange(&fr, true);
  }));
  EXPECT_EQ(printerX, 600);
  EXPECT_EQ(printerY, 600);
  EXPECT_EQ(next, edit->TextLength());
  std::string pdf;
  ASSERT_TRUE(ReadFileBytes(folder.File("page.pdf"), pdf));
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
}

TEST_F(RichEditTest, RangeThatDoesNotFitAnswersTheFirstCharacterLeft) {
  edit->SetText(u"first\r\nsecond\r\nthird");
  int next = 0;
  RichRender(edit, Rect(0, 0, 150, 18), &next);  // room for one line
  EXPECT_EQ(next, 6);
  // Only the second paragraph.
  TBitmap bmp;
  bmp.SetSize(200, 80);
  TFormatRange fr;
  fr.Canvas = bmp.Canvas();
  fr.Rect = Rect(0, 0, 150 * 15, 80 * 15);
  fr.Chars = TCharRange{6, 12};
  EXPECT_EQ(edit->FormatRange(&fr, false), 12);
}

TEST_F(RichEditTest, TypingKeepsTheFormatOfTheCaret) {
  edit->SetText(u"{\\rtf1{\\b ab}cd}");
  edit->SetSelStart(2);
  edit->Perform(WM_CHAR, u'X');
  EXPECT_EQ(edit->GetText(), u"abXcd");
  Select(2, 1);
  EXPECT_TRUE(edit->SelAttributes()->Style().Contains(fsBold));
  edit->SetSelStart(3);
  edit->Perform(WM_CHAR, 8);
  EXPECT_EQ(edit->GetText(), u"abcd");
}

TEST_F(RichEditTest, FormatSetWithNothingSelectedGoesToTheNextTypedText) {
  edit->SetText(u"{\\rtf1 abcd}");
  edit->SetSelStart(2);
  edit->SelAttributes()->SetStyle(TFontStyles(fsBold));
  edit->SelAttributes()->SetColor(clRed);
  // Nothing changed yet, but the caret answers with what it will type.
  EXPECT_EQ(edit->GetText(), u"abcd");
  EXPECT_TRUE(edit->SelAttributes()->Style().Contains(fsBold));
  EXPECT_EQ(edit->SelAttributes()->Color(), ColorToRGB(clRed));
  edit->Perform(WM_CHAR, u'X');
  edit->Perform(WM_CHAR, u'Y');  // the next character keeps the format of the one before
  EXPECT_EQ(edit->GetText(), u"abXYcd");
  const struct {
    int Start;
    bool Bold;
  } cases[] = {{1, false}, {2, true}, {3, true}, {4, false}};
  for (const auto& c : cases) {
    Select(c.Start, 1);
    EXPECT_EQ(edit->SelAttributes()->Style().Contains(fsBold), c.Bold) << c.Start;
    EXPECT_EQ(edit->SelAttributes()->Color(), c.Bold ? ColorToRGB(clRed) : clNone) << c.Start;
  }
  // A caret moved away forgets the waiting format.
  edit->SetSelStart(1);
  edit->SelAttributes()->SetStyle(TFontStyles(fsItalic));
  edit->SetSelStart(0);
  edit->Perform(WM_CHAR, u'Z');
  Select(0, 1);
  EXPECT_FALSE(edit->SelAttributes()->Style().Contains(fsItalic));
  // In an empty edit the first typed character takes it; the RTF keeps it.
  edit->SetText(String());
  edit->SelAttributes()->SetSize(20);
  edit->Perform(WM_CHAR, u'Q');
  EXPECT_NE(Save().find("\\fs40"), std::string::npos);
}

// What the unrtf program makes of RTF, as plain text: its HTML output without tags, line breaks
// kept, every run of blanks one blank.
String RichUnrtfPlain(const std::string& Rtf, const String& Folder) {
  const String path = PathJoin(Folder, u"doc.rtf");
  EXPECT_TRUE(WriteFileBytes(path, Rtf));
  const std::string cmd = "unrtf --html '" + StringToUtf8(path) + "' 2>/dev/null";
  std::string html;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[4096];
    size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) html.append(buf, n);
    pclose(p);
  }
  const size_t body = html.find("<body>");
  if (body == std::string::npos) return u"(no output)";
  std::string text;
  for (size_t i = body + 6; i < html.size(); ++i) {
    if (html.compare(i, 4, "<br>") == 0) {
      text += '\n';
      i += 3;
    } else if (html[i] == '<') {
      i = html.find('>', i);
    } else if (html[i] != '\n') {
      text += html[i];
    }
  }
  String out;
  const String t = Utf8ToString(text);
  for (size_t i = 0; i < t.size(); ++i) {
    if (t[i] == u'&') {
      const size_t semi = t.find(u';', i);
      const String name = t.substr(i + 1, semi - i - 1);
      if (!name.empty() && name[0] == u'#') out += static_cast<Char>(std::stoi(StringToUtf8(name.substr(1))));
      else if (name == u"nbsp") out += u' ';
      else if (name == u"uuml") out += u'\x00fc';
      else if (name == u"euro") out += u'\x20ac';
      else if (name == u"amp") out += u'&';
      else if (name == u"lt") out += u'<';
      else if (name == u"gt") out += u'>';
      else out += u'?';
      i = semi;
    } else {
      out += t[i];
    }
  }
  return out;
}

String RichBlanksJoined(const String& s) {
  String out;
  for (Char c : s) {
    const Char b = c == u'\t' ? u' ' : c;
    if (b == u' ' && !out.empty() && out.back() == u' ') continue;
    out += b;
  }
  while (!out.empty() && (out.back() == u'\n' || out.back() == u' ')) out.pop_back();
  return out;
}

TEST_F(RichEditTest, AnIndependentReaderFindsTheSamePlainText) {
  if (std::system("command -v unrtf >/dev/null 2>&1") != 0) GTEST_SKIP() << "unrtf is not installed (scripts/install-deps.sh)";
  TScratchFolder folder("rich_edit");
  Load(kRichSample);
  String ours = edit->GetText();
  String lf;
  for (Char c : ours)
    if (c != u'\r') lf += c;
  EXPECT_EQ(RichBlanksJoined(RichUnrtfPlain(Save(), folder.Folder())), RichBlanksJoined(lf));
}

}  // namespace
