#pragma once
// Reads back what a form really shows: the form and every child window composited offscreen,
// written to a PNG and loaded again as blue, green, red bytes.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/testing/PaintToPng.h"
#include "platform/testing/ScratchFolder.h"

struct TGrabbedPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::array<int, 3>> Bgr;  // row by row
  const std::array<int, 3>& At(int x, int y) const { return Bgr[static_cast<size_t>(y * Width + x)]; }
};

inline TGrabbedPixels GrabPixels(TControl* Control, const std::string& Name) {
  TScratchFolder scratch(Name);
  const String png = scratch.File(Name + ".png");
  TGrabbedPixels out;
  if (!PaintToPng(Control, png)) return out;
  TPicture picture;
  picture.LoadFromFile(png);
  TBitmap bitmap;
  bitmap.Assign(picture.Graphic());
  const int bpp = bitmap.PixelFormat() == pf24bit ? 3 : 4;
  out.Width = bitmap.Width();
  out.Height = bitmap.Height();
  out.Bgr.reserve(static_cast<size_t>(out.Width * out.Height));
  for (int y = 0; y < out.Height; ++y) {
    const uint8_t* row = bitmap.ScanLine(y);
    for (int x = 0; x < out.Width; ++x) out.Bgr.push_back({row[x * bpp], row[x * bpp + 1], row[x * bpp + 2]});
  }
  return out;
}
