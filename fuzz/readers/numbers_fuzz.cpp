// libFuzzer target for numbers and conversions: any text parses or is refused without reading
// out of bounds; what parses prints back to a text that parses to the same value.
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "fuzz/readers/FuzzSupport.h"
#include "gateway/TableFile.h"
#include "gateway/USaveBincc.h"
#include "platform/SysUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String text = Utf8ToString(std::string_view(reinterpret_cast<const char*>(data), size));
  int i = 0;
  if (TryStrToInt(text, i) && StrToInt(IntToStr(i)) != i) fuzz::Fail("integers print back");
  int64_t l = 0;
  if (TryStrToInt64(text, l) && StrToInt64(IntToStr(l)) != l) fuzz::Fail("64-bit integers print back");
  double d = 0;
  if (TryStrToFloat(text, d) && std::isfinite(d)) {
    double back = 0;
    if (!TryStrToFloat(FloatToStr(d), back)) fuzz::Fail("a printed real parses");
    if (d != 0 && std::fabs(back - d) > std::fabs(d) * 1e-14) fuzz::Fail("reals print back to 15 digits");
    Round(std::fmod(d, 1e15));
    Trunc(std::fmod(d, 1e15));
  }
  int32_t c = 0;
  const bool cell = TryCellToInt(text, c);
  if (CellToInt(text, -7) != (cell ? c : -7)) fuzz::Fail("a cell number or the default");
  int64_t c64 = 0;
  TryCellToInt64(text, c64);
  std::array<uint8_t, 16> field{};
  Hex_To_Field(text, field, size & 1);
  Pad_Left_Zeros(text.substr(0, 64), static_cast<int>(size % 40));
  Trim(text);
  UpperCase(text);
  AnsiUpperCase(text);
  AnsiLowerCase(text);
  if (!text.empty()) {
    Copy(text, static_cast<int>(data[0]) - 10, static_cast<int>(size) - 20);
    Pos(text.substr(0, 3), text);
  }
  // The text as a Format pattern: a bad directive raises EConvertError, nothing else happens.
  try {
    Format(text, {TVarRec(42), TVarRec(u"s"), TVarRec(2.5)});
  } catch (const EConvertError&) {
  }
  FormatLiteralD(text, {1, -2, 3});
  TDateTime dt;
  if (TryStrToDateTime(text, dt)) DateTimeToStr(dt);
  return 0;
}
