#pragma once
// Reads back what a form really shows: the form and every child window composited offscreen,
// written to a PNG and loaded again as blue, green, red bytes.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/testing/PaintToPng.h"

struct TGrabbedPixels {
  int Width = 0;
  int Height = 0;
  std::vector<std::array<int, 3>> Bgr;  // row by row
  const std::array<int, 3>& At(int x, int y) const { return Bgr[static_cast<size_t>(y * Width + x)]; }
};

inline TGrabbedPixels GrabPixels(TControl* Control, const std::string& Name) {
  const std::filesystem::path png =
      std::filesystem::temp_directory_path() / (Name + "_" + std::to_string(getpid()) + ".png");
  TGrabbedPixels out;
  if (!PaintToPng(Control, Utf8ToString(png.string()))) return out;
  TPicture picture;
  picture.LoadFromFile(Utf8ToString(png.string()));
  TBitmap bitmap;
  bitmap.Assign(picture.Graphic());
  std::error_code ignored;
  std::filesystem::remove(png, ignored);
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
