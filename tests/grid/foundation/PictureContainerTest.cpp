#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/PictureContainer.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/RecordingCanvas.h"
#include "platform/testing/ScratchFolder.h"

namespace {

struct TGifFrame {
  int X = 0, Y = 0, W = 1, H = 1;
  int Delay = 0;         // hundredths of a second
  uint8_t ColorIndex = 0;  // 0 red, 1 blue, 2 green, 3 white
  int Transparent = -1;    // colour index shown as transparent, -1 for none
};

void Put16(std::string& s, int v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}

// A GIF89a with a four-colour table; each frame is one colour. The LZW stream sends a clear code
// before every pixel so the code size stays at 3 bits.
std::string MakeGif(int width, int height, const std::vector<TGifFrame>& frames) {
  std::string s = "GIF89a";
  Put16(s, width);
  Put16(s, height);
  s += static_cast<char>(0x91);
  s += '\0';
  s += '\0';
  const unsigned char table[] = {255, 0, 0, 0, 0, 255, 0, 255, 0, 255, 255, 255};
  s.append(reinterpret_cast<const char*>(table), sizeof table);
  for (const auto& f : frames) {
    s += "\x21\xF9\x04";
    s += static_cast<char>(f.Transparent >= 0 ? 1 : 0);
    Put16(s, f.Delay);
    s += static_cast<char>(f.Transparent >= 0 ? f.Transparent : 0);
    s += '\0';
    s += '\x2C';
    Put16(s, f.X);
    Put16(s, f.Y);
    Put16(s, f.W);
    Put16(s, f.H);
    s += '\0';
    s += '\x02';
    std::vector<int> codes;
    for (int i = 0; i < f.W * f.H; ++i) {
      codes.push_back(4);
      codes.push_back(f.ColorIndex);
    }
    codes.push_back(5);
    std::string data;
    unsigned acc = 0;
    int bits = 0;
    for (int c : codes) {
      acc |= static_cast<unsigned>(c) << bits;
      bits += 3;
      while (bits >= 8) {
        data += static_cast<char>(acc & 0xFF);
        acc >>= 8;
        bits -= 8;
      }
    }
    if (bits > 0) data += static_cast<char>(acc & 0xFF);
    for (size_t at = 0; at < data.size(); at += 255) {
      size_t n = std::min<size_t>(255, data.size() - at);
      s += static_cast<char>(n);
      s.append(data, at, n);
    }
    s += '\0';
  }
  s += '\x3B';
  return s;
}

std::string TwoFrameGif() { return MakeGif(4, 2, {{0, 0, 4, 2, 50, 0}, {0, 0, 4, 2, 20, 1}}); }

std::string MakeJpeg(int w, int h) {
  TJpegPixels px;
  px.Width = w;
  px.Height = h;
  px.Rgb.assign(static_cast<size_t>(w * h * 3), 0);
  for (size_t i = 0; i < px.Rgb.size(); i += 3) px.Rgb[i + 1] = 200;
  return JpegEncode(px, 90);
}

TColor PixelAfterDraw(THTMLPicture& pic) {
  TImageCanvas img(8, 8, clWhite);
  pic.Draw(img.Canvas(), Rect(0, 0, 4, 2));
  return img.Pixel(0, 0);
}

TEST(HtmlPicture, GifFramesTimesAndDecodingOfFrameN) {
  THTMLPicture pic;
  pic.LoadFromBytes(TwoFrameGif());
  EXPECT_TRUE(pic.IsGIF());
  EXPECT_FALSE(pic.Empty());
  EXPECT_EQ(pic.FrameCount(), 2);
  EXPECT_EQ(pic.GetFrameTime(1), 50);
  EXPECT_EQ(pic.GetFrameTime(2), 20);
  EXPECT_EQ(pic.GetFrameTime(3), -1);
  EXPECT_EQ(pic.Width(), 4);
  EXPECT_EQ(pic.Height(), 2);
  EXPECT_EQ(pic.MaxWidth(), 4);
  EXPECT_EQ(pic.MaxHeight(), 2);
  EXPECT_EQ(PixelAfterDraw(pic), RGB(255, 0, 0));
  int changes = 0;
  pic.OnFrameChange = [&](TObject*) { ++changes; };
  pic.SetFrame(2);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(PixelAfterDraw(pic), RGB(0, 0, 255));
  pic.FrameNext();
  EXPECT_EQ(pic.Frame(), 1);
  pic.FramePrev();
  EXPECT_EQ(pic.Frame(), 2);
  // Loading other data counts its frames anew.
  pic.LoadFromBytes(MakeGif(4, 2, {{0, 0, 4, 2, 5, 0}, {0, 0, 4, 2, 5, 1}, {0, 0, 4, 2, 5, 2}}));
  EXPECT_EQ(pic.FrameCount(), 3);
  EXPECT_EQ(PixelAfterDraw(pic), RGB(0, 0, 255));
}

TEST(HtmlPicture, FramePositionComesFromTheImageDescriptor) {
  THTMLPicture pic;
  pic.LoadFromBytes(MakeGif(6, 4, {{0, 0, 6, 4, 10, 3}, {2, 1, 2, 1, 10, 2}}));
  EXPECT_EQ(pic.FrameXPos(), 0);
  pic.SetFrame(2);
  EXPECT_EQ(pic.FrameXPos(), 2);
  EXPECT_EQ(pic.FrameYPos(), 1);
  EXPECT_EQ(pic.FrameXSize(), 2);
  EXPECT_EQ(pic.FrameYSize(), 1);
  EXPECT_EQ(pic.Width(), 2);
  EXPECT_EQ(pic.Height(), 1);
  EXPECT_EQ(pic.MaxWidth(), 6);
  EXPECT_EQ(pic.MaxHeight(), 4);
}

TEST(HtmlPicture, StepFollowsTheStoredDelays) {
  THTMLPicture pic;
  pic.LoadFromBytes(TwoFrameGif());
  std::string shown;
  std::string changed;
  for (int tick = 1; tick <= 20; ++tick) {
    changed += pic.Step() ? 'x' : '.';
    shown += static_cast<char>('0' + pic.Frame());
  }
  EXPECT_EQ(shown, "11111122111112211111");
  EXPECT_EQ(changed, "......x.x....x.x....");
}

TEST(HtmlPicture, TruncatedFrameDoesNotCount) {
  std::string gif = TwoFrameGif();
  size_t second = gif.rfind("\x21\xF9\x04");
  ASSERT_NE(second, std::string::npos);
  for (size_t cut : {second + 8, second + 9, second + 12, second + 17}) {
    THTMLPicture pic;
    try {
      pic.LoadFromBytes(gif.substr(0, cut));
    } catch (const Exception&) {
    }
    EXPECT_EQ(pic.FrameCount(), 1) << cut - second;
    EXPECT_EQ(pic.GetFrameTime(2), -1) << cut - second;
  }
  // With its whole header the frame counts, even when its image data is cut.
  THTMLPicture pic;
  try {
    pic.LoadFromBytes(gif.substr(0, second + 18));
  } catch (const Exception&) {
  }
  EXPECT_EQ(pic.FrameCount(), 2);
  EXPECT_EQ(pic.GetFrameTime(2), 20);
}

TEST(HtmlPicture, JpegThroughTheCodec) {
  THTMLPicture pic;
  pic.LoadFromBytes(MakeJpeg(8, 6));
  EXPECT_FALSE(pic.IsGIF());
  EXPECT_EQ(pic.FrameCount(), -1);
  EXPECT_EQ(pic.GetFrameTime(1), -1);
  EXPECT_FALSE(pic.Step());
  EXPECT_EQ(pic.Width(), 8);
  EXPECT_EQ(pic.Height(), 6);
  TColor c = PixelAfterDraw(pic);
  EXPECT_LT(GetRValue(c), 40);
  EXPECT_GT(GetGValue(c), 160);
}

TEST(HtmlPicture, GarbageRaisesInvalidFormatAndDrawsNothing) {
  for (std::string bytes : {std::string("not a picture"), std::string("GIF89a\x01"), std::string()}) {
    THTMLPicture pic;
    try {
      pic.LoadFromBytes(bytes);
      ADD_FAILURE() << "no exception for " << bytes;
    } catch (const Exception& e) {
      EXPECT_EQ(StringToUtf8(e.Message()), "Could not load image. Invalid format");
    }
    EXPECT_FALSE(pic.Empty());
    EXPECT_EQ(pic.Width(), 0);
    TRecordingCanvas rc;
    pic.Draw(&rc, Rect(0, 0, 10, 10));
    EXPECT_TRUE(rc.Calls().empty());
  }
}

TEST(HtmlPicture, LoadFromFileSwallowsFailures) {
  TScratchFolder dir("mini_html");
  std::ofstream(dir / "bad.gif", std::ios::binary) << "garbage";
  THTMLPicture pic;
  pic.LoadFromFile(dir.File("bad.gif"));
  EXPECT_TRUE(pic.Empty());
  pic.LoadFromFile(dir.File("missing.gif"));
  EXPECT_TRUE(pic.Empty());
  pic.LoadFromFile(dir.Folder());
  EXPECT_TRUE(pic.Empty());
  pic.LoadFromURL(u"file:///dev/zero");  // never read: it has no end
  EXPECT_TRUE(pic.Empty());
  std::ofstream(dir / "Good.gif", std::ios::binary) << TwoFrameGif();
  int changed = 0;
  pic.OnChange = [&](TObject*) { ++changed; };
  pic.LoadFromFile(dir.File("Good.gif"));
  EXPECT_FALSE(pic.Empty());
  EXPECT_EQ(changed, 1);
}

TEST(HtmlPicture, LoadFromURLSchemes) {
  RegisterHTMLResource(u"LOGO", TwoFrameGif());
  THTMLPicture res;
  res.LoadFromURL(u"res://logo");
  EXPECT_FALSE(res.Empty());
  EXPECT_EQ(StringToUtf8(res.ID()), "res://logo");

  TScratchFolder dir("mini_html");
  std::ofstream(dir / "Pic.gif", std::ios::binary) << TwoFrameGif();
  const String url = u"file://" + dir.File("Pic.gif");
  THTMLPicture file;
  file.LoadFromURL(url);
  EXPECT_FALSE(file.Empty());
  EXPECT_EQ(file.ID(), url);

  RegisterHTMLResource(u"#7", TwoFrameGif());
  THTMLPicture byId;
  byId.LoadFromResourceID(7);
  EXPECT_EQ(byId.FrameCount(), 2);
  EXPECT_THROW(byId.LoadFromResourceID(8), EResNotFound);
  THTMLPicture missing;
  missing.LoadFromURL(u"res://NOSUCH");
  EXPECT_TRUE(missing.Empty());

  THTMLPicture async;
  async.LoadFromURL(u"http://example.invalid/a.gif");
  EXPECT_TRUE(async.Empty());
  EXPECT_TRUE(async.Busy());
  EXPECT_TRUE(async.ID().empty());

  THTMLPicture sync;
  sync.SetAsynch(false);
  sync.LoadFromURL(u"http://example.invalid/a.gif");
  EXPECT_TRUE(sync.Empty());
  EXPECT_FALSE(sync.Busy());
  EXPECT_EQ(StringToUtf8(sync.ID()), "http://example.invalid/a.gif");
}

TEST(HtmlPicture, AssignCopiesTheDataAndRestartsAtFrameOne) {
  THTMLPicture a, b;
  a.LoadFromBytes(TwoFrameGif());
  a.SetFrame(2);
  b.Assign(&a);
  EXPECT_EQ(b.Frame(), 1);
  EXPECT_EQ(b.SaveToBytes(), a.SaveToBytes());
  EXPECT_EQ(b.FrameCount(), 2);
  b.Assign(nullptr);
  EXPECT_TRUE(b.Empty());
  TMemoryStream m;
  a.SaveToStream(&m);
  EXPECT_EQ(std::string(m.Bytes()), TwoFrameGif());
}

TEST(HtmlPicture, AssignGoesBackToFrameOneOfTheDataItHolds) {
  THTMLPicture pic;
  pic.LoadFromBytes(TwoFrameGif());
  pic.SetFrame(2);
  int changes = 0;
  pic.OnFrameChange = [&](TObject*) { ++changes; };
  // A source of another class copies nothing: the picture shows its own frame 1 again.
  TBitmap other;
  pic.Assign(&other);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pic.Frame(), 1);
  EXPECT_FALSE(pic.Empty());
  EXPECT_EQ(pic.SaveToBytes(), TwoFrameGif());
  EXPECT_EQ(PixelAfterDraw(pic), RGB(255, 0, 0));
  // Clearing leaves nothing to draw.
  pic.Assign(nullptr);
  EXPECT_TRUE(pic.Empty());
  EXPECT_EQ(pic.Width(), 0);
  TRecordingCanvas rc;
  pic.Draw(&rc, Rect(0, 0, 10, 10));
  EXPECT_TRUE(rc.Calls().empty());
  // A picture holding undecodable data can still be replaced.
  THTMLPicture bad, good;
  EXPECT_THROW(bad.LoadFromBytes("not a picture"), Exception);
  good.LoadFromBytes(TwoFrameGif());
  bad.Assign(&good);
  EXPECT_EQ(PixelAfterDraw(bad), RGB(255, 0, 0));
}

TEST(HtmlPicture, LoadFromStreamTakesTheWholeStream) {
  TMemoryStream m;
  const std::string gif = TwoFrameGif();
  m.WriteBytes(gif);  // the position is now at the end
  THTMLPicture pic;
  int changes = 0;
  pic.OnChange = [&](TObject*) { ++changes; };
  pic.LoadFromStream(&m);
  EXPECT_EQ(pic.SaveToBytes(), gif);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(pic.Width(), 4);
  m.SetPosition(10);
  THTMLPicture stored;
  stored.OnChange = [&](TObject*) { ++changes; };
  stored.ReadData(&m);
  EXPECT_EQ(stored.SaveToBytes(), gif);
  EXPECT_EQ(changes, 1);  // the stored form loads without a change notice
}

TEST(HtmlPicture, CacheAndContainerLookups) {
  THTMLPictureCache cache;
  THTMLPicture* p = cache.AddPicture();
  p->SetID(u"file://a.gif");
  EXPECT_EQ(cache.FindPicture(u"file://a.gif"), p);
  EXPECT_EQ(cache.FindPicture(u"FILE://A.GIF"), nullptr);
  p->LoadFromBytes(TwoFrameGif());
  cache.AddPicture()->LoadFromBytes(MakeJpeg(2, 2));
  int changes = 0;
  for (int i = 0; i < 7; ++i) changes += cache.Animate() ? 1 : 0;
  EXPECT_EQ(changes, 1);
  cache.ClearPictures();
  EXPECT_EQ(cache.Count(), 0);

  TPictureContainer box(nullptr);
  TPictureItem* item = box.Items()->Add();
  item->SetName(u"Logo");
  item->Picture()->LoadFromBytes(TwoFrameGif());
  EXPECT_EQ(box.FindPicture(u"logo"), item->Picture());
  EXPECT_EQ(box.FindPicture(u"LOGO"), item->Picture());
  EXPECT_EQ(box.FindPicture(u"other"), nullptr);
  EXPECT_EQ(box.Items()->Owner(), &box);
  THTMLPicture copy;
  copy.LoadFromBytes(MakeJpeg(3, 3));
  item->SetPicture(&copy);
  EXPECT_EQ(item->Picture()->Width(), 3);
}


// Draws markup on a recording canvas with the picture sources given.
std::string RenderLog(const String& markup, THTMLPictureCache* cache, TPictureContainer* named, TColor background) {
  TScopedFakeMetrics metrics;
  TRecordingCanvas canvas;
  canvas.Brush()->SetColor(background);
  TMiniHTMLResult result;
  RenderMiniHTML(&canvas, markup, {.Area = Rect(0, 0, 200, 100), .UrlPictures = cache, .NamedPictures = named},
                 result);
  std::string log;
  for (const auto& c : canvas.Calls())
    if (c.Name == "Rectangle" || c.Name == "Draw" || c.Name == "StretchDraw")
      log += c.ToString() + (c.Name == "Rectangle" ? "/" + std::to_string(c.BrushColor) : "") + "\n";
  return log;
}

TEST(HtmlPicture, RendererClearsTheAnimationAreaAndDrawsTheFrameAtItsPlace) {
  TPictureContainer box(nullptr);
  TPictureItem* item = box.Items()->Add();
  item->SetName(u"anim");
  item->Picture()->LoadFromBytes(MakeGif(6, 4, {{0, 0, 6, 4, 10, 3}, {2, 1, 2, 1, 10, 2}}));
  item->Picture()->SetFrame(2);
  EXPECT_EQ(RenderLog(u"<IMG SRC=\"anim\">", nullptr, &box, clCream),
            "Rectangle(1,0,7,4)/" + std::to_string(clCream) + "\nDraw(3,1,2,1)\n");
  // A requested size stretches the frame instead.
  EXPECT_EQ(RenderLog(u"<IMG SRC=\"anim\" WIDTH=\"12\">", nullptr, &box, clCream), "StretchDraw(1,0,13,6,2,1)\n");
}

// Renders markup on pixels: the area's top-left at (10, 5), cream as the background.
std::vector<std::string> RenderArt(const String& markup, TPictureContainer* named, const TRect& shown) {
  TScopedFakeMetrics metrics;
  TImageCanvas img(40, 30, clWhite);
  img.Canvas()->Brush()->SetColor(clCream);
  TMiniHTMLResult result;
  RenderMiniHTML(img.Canvas(), markup, {.Area = Rect(10, 5, 38, 28), .NamedPictures = named}, result);
  return img.Art(shown, {{clRed, 'R'}, {clBlue, 'B'}, {clLime, 'G'}, {clCream, '.'}, {clWhite, ' '}});
}

TEST(HtmlPicture, FramePlacedInsideTheScreenLandsOnceAtItsOffset) {
  // A 12 x 8 screen: frame 1 fills it in red, frame 2 is 4 x 3 of blue at (5, 2), frame 3 is
  // 3 x 2 of green hanging over the right edge at (10, 7), frame 4 is 3 x 2 of its transparent
  // colour at (1, 1).
  TPictureContainer box(nullptr);
  TPictureItem* item = box.Items()->Add();
  item->SetName(u"anim");
  THTMLPicture* pic = item->Picture();
  pic->LoadFromBytes(MakeGif(12, 8,
                             {{0, 0, 12, 8, 10, 0},
                              {5, 2, 4, 3, 10, 1},
                              {10, 7, 3, 2, 10, 2},
                              {1, 1, 3, 2, 10, 3, 3}}));
  // The picture is drawn at the line's left (area left + 1) and top; one pixel of margin around it.
  const TRect shown = Rect(10, 4, 25, 14);
  struct TCase {
    int Frame;
    int Width, Height;
    std::vector<std::string> Art;
  };
  const TCase cases[] = {
      {1, 12, 8,
       {"               ", " RRRRRRRRRRRR  ", " RRRRRRRRRRRR  ", " RRRRRRRRRRRR  ", " RRRRRRRRRRRR  ",
        " RRRRRRRRRRRR  ", " RRRRRRRRRRRR  ", " RRRRRRRRRRRR  ", " RRRRRRRRRRRR  ", "               "}},
      {2, 4, 3,
       {"               ", " ............  ", " ............  ", " .....BBBB...  ", " .....BBBB...  ",
        " .....BBBB...  ", " ............  ", " ............  ", " ............  ", "               "}},
      {4, 3, 2,
       {"               ", " ............  ", " ............  ", " ............  ", " ............  ",
        " ............  ", " ............  ", " ............  ", " ............  ", "               "}},
      // Only the part inside the screen shows, as a viewer clips it.
      {3, 2, 1,
       {"               ", " ............  ", " ............  ", " ............  ", " ............  ",
        " ............  ", " ............  ", " ............  ", " ..........GG  ", "               "}},
  };
  for (const auto& c : cases) {
    pic->SetFrame(c.Frame);
    EXPECT_EQ(pic->Width(), c.Width) << c.Frame;
    EXPECT_EQ(pic->Height(), c.Height) << c.Frame;
    EXPECT_EQ(pic->MaxWidth(), 12) << c.Frame;
    EXPECT_EQ(pic->MaxHeight(), 8) << c.Frame;
    EXPECT_EQ(RenderArt(u"<IMG SRC=\"anim\">", &box, shown), c.Art) << c.Frame;
  }
}

TEST(HtmlPicture, FileSourceKeepsItsPathAsWritten) {
  TScratchFolder scratch("mini_html");
  const auto dir = scratch / "Mixed";
  std::filesystem::create_directories(dir);
  std::ofstream(dir / "Pic.gif", std::ios::binary) << TwoFrameGif();
  const String src = u"file://" + Utf8ToString((dir / "Pic.gif").string());
  THTMLPictureCache cache;
  const String markup = u"<IMG SRC=\"" + src + u"\">";
  EXPECT_NE(RenderLog(markup, &cache, nullptr, clWhite).find("Draw(1,0,4,2)"), std::string::npos);
  RenderLog(markup, &cache, nullptr, clWhite);
  ASSERT_EQ(cache.Count(), 1);
  EXPECT_EQ(cache.Items(0)->ID(), UpperCase(src));
  EXPECT_FALSE(cache.Items(0)->Empty());
}


// Pictures in the states the size and clipboard cases start from.
struct TPictureState {
  const char* Name;
  std::string Bytes;  // empty: nothing loaded
  int Frame;
  int Width, Height;
};

std::vector<TPictureState> PictureStates() {
  return {{"empty", std::string(), 1, 0, 0},
          {"jpeg", MakeJpeg(8, 6), 1, 8, 6},
          {"gif frame 2", TwoFrameGif(), 2, 4, 2}};
}

void LoadState(THTMLPicture& pic, const TPictureState& st) {
  if (!st.Bytes.empty()) pic.LoadFromBytes(st.Bytes);
  if (st.Frame != 1) pic.SetFrame(st.Frame);
}

void ExpectUnchanged(THTMLPicture& pic, const TPictureState& st) {
  EXPECT_EQ(pic.Empty(), st.Bytes.empty());
  EXPECT_EQ(pic.Width(), st.Width);
  EXPECT_EQ(pic.Height(), st.Height);
  EXPECT_EQ(pic.SaveToBytes(), st.Bytes);
  EXPECT_EQ(pic.Frame(), st.Frame);
}

TEST(HtmlPicture, SettingWidthOrHeightChangesNothing) {
  struct TSizeCase {
    bool SetsWidth;
    int Value;
  };
  const TSizeCase cases[] = {{true, 0}, {true, 1}, {true, 100}, {true, -5},
                             {false, 0}, {false, 3}, {false, 250}, {false, -1}};
  for (const auto& st : PictureStates()) {
    for (const auto& c : cases) {
      SCOPED_TRACE(std::string(st.Name) + (c.SetsWidth ? " width " : " height ") + std::to_string(c.Value));
      THTMLPicture pic;
      LoadState(pic, st);
      int changes = 0, frameChanges = 0;
      pic.OnChange = [&](TObject*) { ++changes; };
      pic.OnFrameChange = [&](TObject*) { ++frameChanges; };
      if (c.SetsWidth)
        pic.SetWidth(c.Value);
      else
        pic.SetHeight(c.Value);
      ExpectUnchanged(pic, st);
      EXPECT_EQ(changes, 0);
      EXPECT_EQ(frameChanges, 0);
    }
  }
}

struct TClipboardCase {
  uint16_t Format;
  uintptr_t Data;
  uintptr_t Palette;
};

const TClipboardCase kClipboardCases[] = {
    {0, 0, 0}, {2, 0x1234, 0}, {8, 0xABCD, 0x55}, {0xC001, 1, 2}, {0xFFFF, ~uintptr_t{0}, ~uintptr_t{0}}};

TEST(HtmlPicture, LoadingAClipboardFormatChangesNothing) {
  for (const auto& st : PictureStates()) {
    for (const auto& c : kClipboardCases) {
      SCOPED_TRACE(std::string(st.Name) + " format " + std::to_string(c.Format));
      THTMLPicture pic;
      LoadState(pic, st);
      int changes = 0, frameChanges = 0;
      pic.OnChange = [&](TObject*) { ++changes; };
      pic.OnFrameChange = [&](TObject*) { ++frameChanges; };
      pic.LoadFromClipboardFormat(c.Format, c.Data, c.Palette);
      ExpectUnchanged(pic, st);
      EXPECT_EQ(changes, 0);
      EXPECT_EQ(frameChanges, 0);
    }
  }
}

TEST(HtmlPicture, SavingToAClipboardFormatLeavesTheArgumentsAsTheyWere) {
  for (const auto& st : PictureStates()) {
    for (const auto& c : kClipboardCases) {
      SCOPED_TRACE(std::string(st.Name) + " format " + std::to_string(c.Format));
      THTMLPicture pic;
      LoadState(pic, st);
      uint16_t format = c.Format;
      uintptr_t data = c.Data, palette = c.Palette;
      pic.SaveToClipboardFormat(format, data, palette);
      EXPECT_EQ(format, c.Format);
      EXPECT_EQ(data, c.Data);
      EXPECT_EQ(palette, c.Palette);
      ExpectUnchanged(pic, st);
    }
  }
}

}  // namespace
