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
  TMiniHTMLResult result;
  result.HitControlID = u"c1";
  RenderMiniHTML(&canvas, markup,
                 {.Area = Rect(0, 0, width, 60),
                  .TestX = x,
                  .TestY = y,
                  .FocusedLink = mode & 4 ? 0 : -1,
                  .HotLink = 1,
                  .ShadowDepth = 2,
                  .HitTestOnly = (mode & 3) == 1,
                  .MeasureOnly = (mode & 3) == 0,
                  .InSelection = (mode & 8) != 0,
                  .BlinkOn = (mode & 16) != 0,
                  .UnderlineHotOnly = (mode & 32) != 0,
                  .WrapWords = (mode & 64) != 0,
                  .HotBackColor = clYellow,
                  .HotTextColor = clRed},
                 result);
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
