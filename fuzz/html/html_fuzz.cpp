// libFuzzer target for the mini-HTML renderer (measure, hit-test and recorded drawing) and the
// CONTROL-tag and entity routines: any text must render and parse without reading or writing
// out of bounds, without looping, and entity encoding must round-trip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "grid/foundation/AsgHTMLE.h"
#include "platform/testing/FakeMetrics.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

void Render(const String& markup, uint8_t mode, int width, int x, int y) {
  static TFakeMetrics metrics;
  TRecordingCanvas canvas;
  canvas.SetMetrics(&metrics);
  String anchor, plain, focused, title, ctrlId = u"c1", ctrlValue, ctrlType;
  int ex = 0, ey = 0, links = 0, hit = 0;
  TRect linkRect, ctrlRect;
  RenderMiniHTML(&canvas, markup, Rect(0, 0, width, 60), nullptr, x, y, mode & 4 ? 0 : -1, 1, 2,
                 (mode & 3) == 1, (mode & 3) == 0, false, mode & 8, mode & 16, mode & 32, mode & 64,
                 false, 1.0, clBlue, clYellow, clRed, clGray, anchor, plain, focused, title, ex, ey, links, hit,
                 linkRect, ctrlRect, ctrlId, ctrlValue, ctrlType, nullptr, nullptr, nullptr, bdLeftToRight);
}

void Controls(const String& text) {
  String copy = text;
  String id = NextEditControlID(text, u"");
  String v;
  if (GetControlValue(text, id, v)) {
    GetControlProp(text, id);
    GetControlMaxLen(text, id);
    if (!SetControlValue(copy, id, text.substr(0, 16))) std::abort();
  }
  ResetRadioControls(text);
  HasControlTag(text);
  ParseControlTag(text);
  for (bool accents : {false, true})
    if (DecodeHTMLEntities(EncodeHTMLEntities(text, accents), accents) != text) std::abort();
  StripHTMLTags(text);
  if (text.size() > 1) RemoveHighlightTags(InsertHighlightTags(text, text.substr(0, 2), u"hi", text[0] & 1), u"hi");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 4) return 0;
  const uint8_t mode = data[0];
  const int width = data[1];
  const int x = data[2], y = data[3] % 64;
  const String text = Utf8ToString(std::string_view(reinterpret_cast<const char*>(data + 4), size - 4));
  if (mode & 128) Controls(text);
  else Render(text, mode, width, x, y);
  return 0;
}
