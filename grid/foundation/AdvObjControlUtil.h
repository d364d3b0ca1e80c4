#pragma once
// Small helpers shared by the grid pack's own controls.
#include "platform/SysUtils.h"
#include "platform/UString.h"

// Whether Ch is the accelerator of Caption: "&x" marks x (case-blind); "&&" is a literal "&".
inline bool IsCaptionAccelerator(Char Ch, const String& Caption) {
  for (size_t i = 0; i + 1 < Caption.size(); ++i) {
    if (Caption[i] != u'&') continue;
    if (Caption[i + 1] == u'&') {
      ++i;
      continue;
    }
    return AnsiUpperCase(String(1, Caption[i + 1])) == AnsiUpperCase(String(1, Ch));
  }
  return false;
}
