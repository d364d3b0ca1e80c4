// libFuzzer target for pictures (BMP, PNG, GIF, JPEG, ICO by content, and the JPEG decoder on its
// own): any bytes load or raise EInvalidGraphic, within the memory bound; a loaded picture draws.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "fuzz/readers/FuzzSupport.h"
#include "platform/Graphics.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TJpegPixels px;
  if (JpegDecode(bytes, px)) {
    if (px.Rgb.size() != static_cast<size_t>(px.Width) * px.Height * 3) fuzz::Fail("decoded size");
    if (uint64_t(px.Width) * px.Height * 4 > (uint64_t{64} << 20)) fuzz::Fail("within the memory bound");
  }
  TPicture pic;
  try {
    pic.LoadFromBytes(bytes);
  } catch (const EInvalidGraphic&) {
    return 0;
  }
  if (uint64_t(pic.Width()) * pic.Height() * 4 > (uint64_t{64} << 20)) fuzz::Fail("within the memory bound");
  TBitmap target;
  target.SetSize(16, 16);
  target.Canvas()->Draw(0, 0, pic.Graphic());
  return 0;
}
