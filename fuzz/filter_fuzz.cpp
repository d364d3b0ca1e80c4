// libFuzzer target for the grid's filter matcher: any expression against any cell text must
// return, without reading or writing out of bounds.
#include <cstddef>
#include <cstdint>

#include "grid/foundation/ZazAdezFilter.h"
#include "platform/SysUtils.h"

// The matcher reads the locale through these; the fuzz build links no graphics.
Char GetDateSeparatorChar() { return FormatSettings().DateSeparator; }
Char GetTimeSeparatorChar() { return FormatSettings().TimeSeparator; }
Char GetThousandSeparatorChar() { return FormatSettings().ThousandSeparator; }
Char GetDecimalSeparatorChar() { return FormatSettings().DecimalSeparator; }
String GetShortDateFormatText() { return FormatSettings().ShortDateFormat; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  static bool init = [] {
    FormatSettings() = FormatSettingsFromLocale("C");
    FormatSettings().ShortDateFormat = u"dd/MM/yyyy";
    return true;
  }();
  (void)init;
  // First byte: flags; the rest split at the first 0 byte into expression and cell text.
  const bool caseSensitive = data[0] & 1;
  String expr, cell;
  String* target = &expr;
  for (size_t i = 1; i < size; ++i) {
    if (data[i] == 0 && target == &expr) {
      target = &cell;
      continue;
    }
    target->push_back(static_cast<Char>(data[i]));
  }
  MatchFilterExpression(expr, cell, caseSensitive);
  TDateTime dt;
  ParseLocaleDateTime(cell, dt);
  return 0;
}
