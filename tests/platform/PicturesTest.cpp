// Bitmaps, pictures (BMP, PNG, GIF, JPEG, ICO) and image lists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/Graphics.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/ScratchFolder.h"

namespace {

class PicturesTest : public ::testing::Test {
 protected:
  String PathOf(const char* name) { return dir_.File(name); }
  static void WriteBytes(const String& path, const std::string& bytes) {
    std::ofstream(StringToUtf8(path), std::ios::binary) << bytes;
  }
  TScratchFolder dir_{"graphics_pictures"};
};

bool Near(TColor a, TColor b, int tol) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= tol && std::abs(GetGValue(a) - GetGValue(b)) <= tol &&
         std::abs(GetBValue(a) - GetBValue(b)) <= tol;
}

// A 16 x 8 picture: red left half, blue right half.
TJpegPixels TwoHalves() {
  TJpegPixels px;
  px.Width = 16;
  px.Height = 8;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x) {
      bool left = x < 8;
      px.Rgb.push_back(left ? 220 : 10);
      px.Rgb.push_back(20);
      px.Rgb.push_back(left ? 30 : 200);
    }
  return px;
}

TEST_F(PicturesTest, JpegMadeByTheEncoderDecodesThroughPicture) {
  std::string jpeg = JpegEncode(TwoHalves(), 95);
  ASSERT_GT(jpeg.size(), 4u);
  EXPECT_EQ(static_cast<uint8_t>(jpeg[0]), 0xFF);
  EXPECT_EQ(static_cast<uint8_t>(jpeg[1]), 0xD8);
  String path = PathOf("halves.jpg");
  WriteBytes(path, jpeg);

  TPicture pic;
  pic.LoadFromFile(path);
  ASSERT_NE(dynamic_cast<TJPEGImage*>(pic.Graphic()), nullptr);
  EXPECT_EQ(pic.Width(), 16);
  EXPECT_EQ(pic.Height(), 8);

  TImageCanvas img(16, 8);
  img.Canvas()->Draw(0, 0, pic.Graphic());
  EXPECT_TRUE(Near(img.Pixel(3, 4), RGB(220, 20, 30), 12)) << std::hex << img.Pixel(3, 4);
  EXPECT_TRUE(Near(img.Pixel(12, 4), RGB(10, 20, 200), 12)) << std::hex << img.Pixel(12, 4);

  TJpegPixels back;
  ASSERT_TRUE(JpegDecode(jpeg, back));
  EXPECT_EQ(back.Width, 16);
  EXPECT_EQ(back.Height, 8);
  EXPECT_EQ(back.Rgb.size(), 16u * 8u * 3u);
}

TEST_F(PicturesTest, CorruptJpegIsAnErrorNotAnExit) {
  std::string jpeg = JpegEncode(TwoHalves(), 90);
  // The same picture announcing 60000 x 60000 pixels in its frame header.
  std::string huge = jpeg;
  size_t sof = huge.find("\xFF\xC0");
  ASSERT_NE(sof, std::string::npos);
  for (size_t i : {sof + 5, sof + 7}) {
    huge[i] = static_cast<char>(0xEA);
    huge[i + 1] = static_cast<char>(0x60);
  }
  const std::string cases[] = {
      jpeg.substr(0, 20),                    // cut inside the headers
      std::string("\xFF\xD8\xFF\xE0garbage", 11),
      std::string(),
      huge,
  };
  for (const std::string& bytes : cases) {
    TJpegPixels px;
    String why;
    EXPECT_FALSE(JpegDecode(bytes, px, &why));
    EXPECT_FALSE(why.empty());
    TJPEGImage j;
    EXPECT_THROW(j.LoadFromBytes(bytes), EInvalidGraphic);
  }
  TJpegPixels px;
  String why;
  EXPECT_FALSE(JpegDecode(huge, px, &why));
  EXPECT_EQ(why, u"JPEG image too large");
}

// The same small picture announcing another size in its frame header.
std::string JpegClaiming(int width, int height) {
  std::string jpeg = JpegEncode(TwoHalves(), 90);
  const size_t sof = jpeg.find("\xFF\xC0");
  if (sof == std::string::npos) return {};
  jpeg[sof + 5] = static_cast<char>(height >> 8);
  jpeg[sof + 6] = static_cast<char>(height & 0xFF);
  jpeg[sof + 7] = static_cast<char>(width >> 8);
  jpeg[sof + 8] = static_cast<char>(width & 0xFF);
  return jpeg;
}

// A 32-bit bitmap header announcing width x height pixels, followed by a few bytes only.
std::string BitmapClaiming(int width, int height) {
  std::string b = "BM";
  auto le32 = [&b](uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
  };
  auto le16 = [&b](uint16_t v) {
    b.push_back(static_cast<char>(v & 0xFF));
    b.push_back(static_cast<char>(v >> 8));
  };
  le32(54 + 64);
  le32(0);
  le32(54);
  le32(40);
  le32(static_cast<uint32_t>(width));
  le32(static_cast<uint32_t>(height));
  le16(1);
  le16(32);
  le32(0);
  le32(0);
  le32(2835);
  le32(2835);
  le32(0);
  le32(0);
  b.append(64, '\x7f');
  return b;
}

// Pictures are bounded to 64 MB once decoded (4 bytes a pixel): a short file announcing more is
// refused before it is decoded, by the picture's class and through TPicture.
TEST_F(PicturesTest, PictureAnnouncingMoreThanTheMemoryBoundIsRefused) {
  struct Case {
    const char* what;
    std::string bytes;
  } cases[] = {
      {"JPEG 8192 x 8192", JpegClaiming(8192, 8192)},
      {"JPEG 4097 x 4096", JpegClaiming(4097, 4096)},
      {"JPEG 65500 x 300", JpegClaiming(65500, 300)},
      {"BMP 6000 x 6000", BitmapClaiming(6000, 6000)},
      {"BMP 4097 x 4096", BitmapClaiming(4097, 4096)},
      // An icon directory announcing 46517 images and holding none: only the first few are tried.
      {"ICO of 46517 images", std::string("\0\0\1\0\xB5\xB5\xB5\xB5\0X", 10)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_FALSE(c.bytes.empty());
    EXPECT_LT(c.bytes.size(), 1000u);
    TPicture pic;
    EXPECT_THROW(pic.LoadFromBytes(c.bytes), EInvalidGraphic);
    EXPECT_EQ(pic.Graphic(), nullptr);
  }
  TJpegPixels px;
  String why;
  EXPECT_FALSE(JpegDecode(JpegClaiming(8192, 8192), px, &why));
  EXPECT_EQ(why, u"JPEG image too large");
  EXPECT_TRUE(px.Rgb.empty());
  // A wide strip well inside the bound still decodes (the missing data is filled).
  TJPEGImage strip;
  strip.LoadFromBytes(JpegClaiming(1024, 16));
  EXPECT_EQ(strip.Width(), 1024);
  EXPECT_EQ(strip.Height(), 16);
}

TEST_F(PicturesTest, BitmapFileIsWrittenInTheDocumentedByteOrderAndReadsBack) {
  TBitmap bmp;
  bmp.SetPixelFormat(pf24bit);
  bmp.SetSize(3, 2);
  bmp.Canvas()->SetPixels(0, 0, RGB(1, 2, 3));
  bmp.Canvas()->SetPixels(2, 1, RGB(200, 100, 50));
  String path = PathOf("a.bmp");
  bmp.SaveToFile(path);

  std::ifstream in(StringToUtf8(path), std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // 54 header bytes, then two rows of 3 x 3 bytes padded to 12, bottom row first.
  ASSERT_EQ(bytes.size(), 54u + 24u);
  EXPECT_EQ(bytes.substr(0, 2), "BM");
  EXPECT_EQ(static_cast<uint8_t>(bytes[28]), 24);
  EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 6]), 50);    // bottom row, x = 2: B
  EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 7]), 100);   // G
  EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 8]), 200);   // R
  EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 12]), 3);    // top row, x = 0: B
  EXPECT_EQ(static_cast<uint8_t>(bytes[54 + 14]), 1);    // R

  TBitmap back;
  back.LoadFromFile(path);
  EXPECT_EQ(back.PixelFormat(), pf24bit);
  EXPECT_EQ(back.Width(), 3);
  EXPECT_EQ(back.Canvas()->Pixels(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(back.Canvas()->Pixels(2, 1), RGB(200, 100, 50));
  EXPECT_EQ(back.Canvas()->Pixels(1, 0), clWhite);
}

TEST_F(PicturesTest, ScanLineBytesAreBlueGreenRed) {
  for (TPixelFormat pf : {pf24bit, pf32bit}) {
    TBitmap bmp;
    bmp.SetPixelFormat(pf);
    bmp.SetSize(4, 2);
    bmp.Canvas()->SetPixels(1, 1, RGB(10, 20, 30));
    const int bpp = pf == pf24bit ? 3 : 4;
    uint8_t* row = bmp.ScanLine(1);
    EXPECT_EQ(row[bpp * 1 + 0], 30);
    EXPECT_EQ(row[bpp * 1 + 1], 20);
    EXPECT_EQ(row[bpp * 1 + 2], 10);
    row[bpp * 3 + 2] = 255;  // red of (3, 1)
    row[bpp * 3 + 1] = 0;
    row[bpp * 3 + 0] = 0;
    EXPECT_EQ(bmp.Canvas()->Pixels(3, 1), clRed);
  }
  TBitmap bmp;
  bmp.SetSize(2, 2);
  EXPECT_THROW(bmp.ScanLine(2), EInvalidGraphic);
}

TEST_F(PicturesTest, ResizeKeepsTopLeftAndFillsWhite) {
  TBitmap bmp;
  bmp.SetSize(2, 2);
  bmp.Canvas()->Brush()->SetColor(clRed);
  bmp.Canvas()->FillRect(Rect(0, 0, 2, 2));
  bmp.SetSize(3, 1);
  EXPECT_EQ(bmp.Canvas()->Pixels(1, 0), clRed);
  EXPECT_EQ(bmp.Canvas()->Pixels(2, 0), clWhite);
  EXPECT_EQ(bmp.Height(), 1);
}

TEST_F(PicturesTest, AssignCopiesPixelsAndTransparency) {
  TBitmap a;
  a.SetSize(2, 2);
  a.Canvas()->SetPixels(0, 1, clBlue);
  a.SetTransparent(true);
  TBitmap b;
  b.Assign(&a);
  EXPECT_TRUE(b.Transparent());
  EXPECT_EQ(b.TransparentColor(), clBlue);
  a.Canvas()->SetPixels(0, 1, clRed);
  EXPECT_EQ(b.Canvas()->Pixels(0, 1), clBlue) << "a copy, not shared";
  b.SetTransparentColor(clWhite);
  EXPECT_EQ(b.TransparentMode(), tmFixed);
  EXPECT_EQ(b.TransparentColor(), clWhite);
}

TEST_F(PicturesTest, PictureRecognisesFormatsByContent) {
  // 1 x 1 GIF whose only pixel is colour 0 of the table (red).
  const std::string gif("GIF89a\x01\x00\x01\x00\x80\x00\x00\xFF\x00\x00\x00\x00\x00"
                        ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;",
                        35);
  TPicture pic;
  pic.LoadFromBytes(gif);
  ASSERT_NE(dynamic_cast<TGIFImage*>(pic.Graphic()), nullptr);
  EXPECT_EQ(pic.Bitmap()->Canvas()->Pixels(0, 0), clRed);
  EXPECT_THROW(pic.Graphic()->SaveToBytes(), EInvalidGraphic) << "no GIF encoder, and no silent PNG";

  TBitmap bmp;
  bmp.SetPixelFormat(pf32bit);
  bmp.SetSize(4, 4);
  bmp.Canvas()->SetPixels(2, 2, clGreen);
  TPngImage png;
  png.AssignBitmap(&bmp);
  TIcon icon;
  icon.Assign(&png);
  const std::pair<std::string, const char*> kinds[] = {
      {bmp.SaveToBytes(), "TBitmap"},
      {png.SaveToBytes(), "TPngImage"},
      {icon.SaveToBytes(), "TIcon"},
      {JpegEncode(TwoHalves(), 80), "TJPEGImage"},
  };
  for (const auto& [bytes, kind] : kinds) {
    TPicture p;
    p.LoadFromBytes(bytes);
    ASSERT_NE(p.Graphic(), nullptr) << kind;
    EXPECT_EQ(StringToUtf8(p.Graphic()->ClassName()), kind);
    if (std::string(kind) != "TJPEGImage") {
      EXPECT_EQ(p.Width(), 4) << kind;
      EXPECT_EQ(p.Bitmap()->Canvas()->Pixels(2, 2), clGreen) << kind;
    }
  }
  EXPECT_THROW(pic.LoadFromBytes("not a picture"), EInvalidGraphic);
  EXPECT_THROW(pic.LoadFromFile(PathOf("missing.png")), EFOpenError);
}

TEST_F(PicturesTest, ImageListDrawsEnabledAndGreyedDisabled) {
  TBitmap strip;
  strip.SetPixelFormat(pf24bit);
  strip.SetSize(8, 4);
  TCanvas* c = strip.Canvas();
  c->Brush()->SetColor(clFuchsia);
  c->FillRect(Rect(0, 0, 8, 4));
  c->Brush()->SetColor(clRed);
  c->FillRect(Rect(1, 1, 3, 3));
  c->Brush()->SetColor(clBlue);
  c->FillRect(Rect(5, 1, 7, 3));

  TImageList list;
  list.SetWidth(4);
  list.SetHeight(4);
  EXPECT_EQ(list.AddMasked(&strip, clFuchsia), 0);
  EXPECT_EQ(list.Count(), 2);

  TImageCanvas on(4, 4, clYellow);
  list.Draw(on.Canvas(), 0, 0, 1, true);
  EXPECT_EQ(on.Pixel(1, 1), clBlue);
  EXPECT_EQ(on.Pixel(0, 0), clYellow) << "masked pixels stay untouched";

  TImageCanvas off(4, 4, clYellow);
  list.Draw(off.Canvas(), 0, 0, 1, false);
  TColor grey = off.Pixel(1, 1);
  EXPECT_NE(grey, clBlue);
  EXPECT_LT(std::abs(GetRValue(grey) - GetBValue(grey)), 16) << "no colour left";
  EXPECT_EQ(off.Pixel(0, 0), clYellow);

  list.Delete(0);
  EXPECT_EQ(list.Count(), 1);
  list.Draw(on.Canvas(), 0, 0, 5, true);  // out of range: nothing
}

TEST_F(PicturesTest, ResourcesAreFoundByNameCaseBlind) {
  RegisterBitmapResource(u"TESTARROW", [](TBitmap* b) {
    b->SetPixelFormat(pf24bit);
    b->SetSize(5, 3);
    b->Canvas()->SetPixels(2, 2, clBlack);
  });
  EXPECT_TRUE(BitmapResourceExists(u"TestArrow"));
  TBitmap bmp;
  bmp.LoadFromResourceName(u"testarrow");
  EXPECT_EQ(bmp.Width(), 5);
  EXPECT_EQ(bmp.Canvas()->Pixels(2, 2), clBlack);
  EXPECT_EQ(bmp.TransparentColor(), clWhite) << "bottom-left pixel";
  EXPECT_FALSE(BitmapResourceExists(u"NOSUCHRESOURCE"));
  EXPECT_THROW(bmp.LoadFromResourceName(u"NOSUCHRESOURCE"), EResNotFound);
}

}  // namespace
