#pragma once
// Small helpers shared by the grid pack's own controls.
#include "platform/Graphics.h"
#include "platform/SysUtils.h"
#include "platform/UString.h"

// Bytes of one pixel in a scan line of B (24 or 32 bits).
inline int BytesPerPixel(TBitmap* B) { return B->PixelFormat() == pf24bit ? 3 : 4; }

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
