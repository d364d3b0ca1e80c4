// Focus-glow masks: the blur kernel, the blur itself against a straightforward reference, the
// round-rectangle mask and the premultiplied merge.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "grid/foundation/AdvObjOverlay.h"
#include "platform/SysUtils.h"

namespace {

using Plane = std::vector<std::vector<uint8_t>>;  // [y][x * 3 + channel]

Plane ReadPixels(TBitmap& b) {
  Plane p(static_cast<size_t>(b.Height()));
  for (int y = 0; y < b.Height(); ++y) {
    const uint8_t* s = b.ScanLine(y);
    p[static_cast<size_t>(y)].assign(s, s + b.Width() * 3);
  }
  return p;
}

// Reference: Gaussian weights in single precision, the kernel trimmed while the dropped tails
// stay under 1/510, then a full two-pass convolution with repeated edge pixels, each pass
// truncating to bytes. No shortcut for the interior.
Plane ReferenceBlur(const Plane& in, double radius) {
  float w[21];
  double sum = 0;
  for (int j = -10; j <= 10; ++j) {
    w[j + 10] = static_cast<float>(std::exp(-0.5 * (j / radius) * (j / radius)));
    sum += w[j + 10];
  }
  for (float& v : w) v = static_cast<float>(v / sum);
  int k = 10;
  double tail = 0;
  do {
    tail += 2.0 * w[k + 10];
    --k;
  } while (tail < 1.0 / 510 && k > 1);
  sum = 0;
  for (int j = -k; j <= k; ++j) sum += w[j + 10];
  for (int j = -k; j <= k; ++j) w[j + 10] = static_cast<float>(w[j + 10] / sum);

  const int h = static_cast<int>(in.size()), wd = static_cast<int>(in[0].size() / 3);
  auto pass = [&](auto get, auto put, int n) {
    std::vector<uint8_t> out(static_cast<size_t>(n) * 3);
    for (int j = 0; j < n; ++j)
      for (int c = 0; c < 3; ++c) {
        double s = 0;
        for (int t = -k; t <= k; ++t) s += static_cast<double>(w[t + 10]) * get(std::clamp(j - t, 0, n - 1), c);
        out[static_cast<size_t>(j) * 3 + c] = s >= 255 ? 255 : s < 0 ? 0 : static_cast<uint8_t>(s);
      }
    for (int j = 0; j < n; ++j)
      for (int c = 0; c < 3; ++c) put(j, c, out[static_cast<size_t>(j) * 3 + c]);
  };
  Plane p = in;
  for (int y = 0; y < h; ++y) {
    auto& row = p[static_cast<size_t>(y)];
    pass([&](int x, int c) { return row[static_cast<size_t>(x) * 3 + c]; },
         [&](int x, int c, uint8_t v) { row[static_cast<size_t>(x) * 3 + c] = v; }, wd);
  }
  for (int x = 0; x < wd; ++x) {
    pass([&](int y, int c) { return p[static_cast<size_t>(y)][static_cast<size_t>(x) * 3 + c]; },
         [&](int y, int c, uint8_t v) { p[static_cast<size_t>(y)][static_cast<size_t>(x) * 3 + c] = v; }, h);
  }
  return p;
}

TEST(AlphaMaskBlur, KernelSizeByRadius) {
  const struct {
    double radius;
    int size;
  } cases[] = {{0.5, 1}, {1.0, 2}, {3.0, 8}, {4.0, 9}, {10.0, 9}, {100.0, 9}};
  for (const auto& c : cases) {
    const TBlurKernel k = MakeBlurKernel(c.radius);
    EXPECT_EQ(k.Size, c.size) << c.radius;
    double sum = 0;
    for (int j = -k.Size; j <= k.Size; ++j) sum += k.Weights[static_cast<size_t>(j + 10)];
    EXPECT_NEAR(sum, 1.0, 1e-6) << c.radius;
    EXPECT_FLOAT_EQ(k.Weights[static_cast<size_t>(10 - k.Size)], k.Weights[static_cast<size_t>(10 + k.Size)]);
  }
}

TEST(AlphaMaskBlur, ChannelSumsTruncateAndSaturate) {
  TBlurKernel k;
  k.Size = 1;
  k.Weights[10] = 1.0f;
  const uint8_t white[] = {255, 255, 255};
  uint8_t out[3] = {};
  BlurLine(k, white, 1, out);
  EXPECT_EQ(out[0], 255);  // exactly 255.0
  k.Weights[10] = std::nextafter(1.0f, 0.0f);
  BlurLine(k, white, 1, out);
  EXPECT_EQ(out[0], 254);  // just below 255
  const uint8_t black[] = {0, 0, 0, 0, 0, 0};
  uint8_t out2[6] = {9, 9, 9, 9, 9, 9};
  BlurLine(MakeBlurKernel(3.0), black, 2, out2);
  for (uint8_t v : out2) EXPECT_EQ(v, 0);
}

TEST(AlphaMaskBlur, SmallMaskMatchesTheReference) {
  // 30 x 30 has no interior rows or columns: every line is computed.
  TBitmap sharp;
  MakeRoundRectMask(&sharp, 30, 30, 4, 5, 0);
  const Plane expected = ReferenceBlur(ReadPixels(sharp), 3.0);
  TBitmap blurred;
  MakeRoundRectMask(&blurred, 30, 30, 4, 5, 3.0);
  EXPECT_EQ(ReadPixels(blurred), expected);
  EXPECT_NE(ReadPixels(sharp), expected);
}

TEST(AlphaMaskBlur, InteriorShortcutIsExactForTheGlowMasks) {
  for (int pen : {0, 4}) {
    TBitmap sharp;
    MakeRoundRectMask(&sharp, 70, 55, pen, 5, 0);
    const Plane expected = ReferenceBlur(ReadPixels(sharp), 3.0);
    TBitmap blurred;
    MakeRoundRectMask(&blurred, 70, 55, pen, 5, 3.0);
    EXPECT_EQ(ReadPixels(blurred), expected) << "pen " << pen;
  }
}

TEST(AlphaMaskBlur, NoRadiusNoBlur) {
  TBitmap a, b;
  MakeRoundRectMask(&a, 30, 30, 4, 5, 0);
  MakeRoundRectMask(&b, 30, 30, 4, 5, -2);
  const Plane before = ReadPixels(a);
  EXPECT_EQ(ReadPixels(b), before);
  BlurBitmap(&a, 0);  // no kernel exists for 0; the bitmap stays as it is
  EXPECT_EQ(ReadPixels(a), before);
}

TEST(AlphaMaskBlur, RefusesOtherPixelFormats) {
  TBitmap b;
  b.SetPixelFormat(pf32bit);
  b.SetSize(4, 4);
  try {
    BlurBitmap(&b, 3.0);
    FAIL() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), u"Blur only works for 24-bit bitmaps");
  }
}

TEST(AlphaMaskShape, RoundRectInsetByTwoPlusHalfThePen) {
  TBitmap b;
  MakeRoundRectMask(&b, 30, 20, 0, 5, 0);
  EXPECT_EQ(b.PixelFormat(), pf24bit);
  const Plane p = ReadPixels(b);
  auto red = [&](int x, int y) { return p[static_cast<size_t>(y)][static_cast<size_t>(x) * 3 + 2]; };
  EXPECT_EQ(red(1, 10), 0);
  EXPECT_EQ(red(2, 10), 255);
  EXPECT_EQ(red(15, 10), 255);  // filled
  EXPECT_EQ(red(27, 10), 255);
  EXPECT_EQ(red(28, 10), 0);
  EXPECT_EQ(red(2, 2), 0);  // rounded corner

  TBitmap outlined;
  MakeRoundRectMask(&outlined, 30, 20, 4, 5, 0);
  const Plane q = ReadPixels(outlined);
  EXPECT_EQ(q[10][15 * 3 + 2], 0);   // hollow inside
  EXPECT_EQ(q[10][4 * 3 + 2], 255);  // on the outline
}

TBitmap* Solid24(int w, int h, uint8_t b, uint8_t g, uint8_t r) {
  auto* bmp = new TBitmap();
  bmp->SetPixelFormat(pf24bit);
  bmp->SetSize(w, h);
  for (int y = 0; y < h; ++y) {
    uint8_t* s = bmp->ScanLine(y);
    for (int x = 0; x < w; ++x) { s[x * 3] = b; s[x * 3 + 1] = g; s[x * 3 + 2] = r; }
  }
  return bmp;
}

TEST(AlphaMaskMerge, PremultipliesByTheMasksRedByte) {
  std::unique_ptr<TBitmap> mask(Solid24(3, 2, 0, 0, 128));
  std::unique_ptr<TBitmap> colour(Solid24(3, 2, 200, 100, 0));
  TGridAlphaMask am;
  EXPECT_EQ(am.Opacity, 255);
  am.MergeMask(mask.get(), colour.get(), clYellow);
  ASSERT_EQ(am.Width(), 3);
  ASSERT_EQ(am.Height(), 2);
  EXPECT_EQ(am.PixelFormat(), pf32bit);
  const uint8_t* px = am.ScanLine(1);
  EXPECT_EQ(px[4 + 0], 100);
  EXPECT_EQ(px[4 + 1], 50);
  EXPECT_EQ(px[4 + 2], 0);
  EXPECT_EQ(px[4 + 3], 128);
}

TEST(AlphaMaskMerge, OnlyTheMaskedAreaShowsAndOtherFormatsChangeNothing) {
  std::unique_ptr<TBitmap> mask(Solid24(2, 1, 0, 0, 255));
  std::unique_ptr<TBitmap> colour(Solid24(4, 2, 10, 20, 30));
  TGridAlphaMask am;
  am.MergeMask(mask.get(), colour.get(), clNone);
  ASSERT_EQ(am.Width(), 4);
  EXPECT_EQ(am.ScanLine(0)[1 * 4 + 3], 255);
  EXPECT_EQ(am.ScanLine(0)[1 * 4 + 2], 30);
  for (int x = 2; x < 4; ++x) EXPECT_EQ(am.ScanLine(0)[x * 4 + 3], 0) << x;
  for (int x = 0; x < 4; ++x) EXPECT_EQ(am.ScanLine(1)[x * 4 + 3], 0) << x;

  TBitmap other;
  other.SetPixelFormat(pf32bit);
  other.SetSize(8, 8);
  am.MergeMask(mask.get(), &other, clNone);
  EXPECT_EQ(am.Width(), 4);  // unchanged
  EXPECT_EQ(am.ScanLine(0)[1 * 4 + 2], 30);
}

TEST(AlphaMaskMerge, AssignCopiesTheCommonAreaAndTheOpacity) {
  std::unique_ptr<TBitmap> mask(Solid24(2, 2, 0, 0, 255));
  std::unique_ptr<TBitmap> colour(Solid24(2, 2, 1, 2, 3));
  TGridAlphaMask small;
  small.MergeMask(mask.get(), colour.get(), clNone);
  small.Opacity = 230;

  TGridAlphaMask big;
  big.SetSize(4, 3);
  for (int y = 0; y < 3; ++y) std::fill(big.ScanLine(y), big.ScanLine(y) + 16, uint8_t{7});
  big.Assign(&small);
  EXPECT_EQ(big.Opacity, 230);
  EXPECT_EQ(big.Width(), 4);
  EXPECT_EQ(big.Height(), 3);
  EXPECT_EQ(big.PixelFormat(), pf32bit);
  EXPECT_EQ(big.ScanLine(1)[1 * 4 + 2], 3);
  EXPECT_EQ(big.ScanLine(1)[1 * 4 + 3], 255);
  EXPECT_EQ(big.ScanLine(1)[3 * 4 + 2], 7);  // beyond the source: untouched
  EXPECT_EQ(big.ScanLine(2)[0], 7);

  TBitmap plain;
  plain.SetPixelFormat(pf24bit);
  plain.SetSize(5, 6);
  big.Assign(&plain);
  EXPECT_EQ(big.Width(), 5);
  EXPECT_EQ(big.PixelFormat(), pf32bit);
}

}  // namespace
