// libFuzzer target for the RTF reader and writer of rich-text cells: any bytes load (unreadable
// RTF as its plain text); what the reader makes of them is written and read back unchanged; any
// UTF-16 text survives the writer.
#include <cstddef>
#include <cstdint>

#include "fuzz/readers/FuzzSupport.h"
#include "platform/Encoding.h"
#include "platform/RichText.h"

namespace {

bool SameRuns(const TRichRuns& a, const TRichRuns& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (a[i].Text != b[i].Text || !(a[i].Format == b[i].Format)) return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TRichCharFormat def;
  def.FontName = u"Tahoma";
  TRichRuns runs;
  const bool rtf = ReadRtf(bytes, def, runs);
  if (!rtf && !runs.empty()) fuzz::Fail("unreadable RTF leaves no runs");
  const TRichRuns loaded = LoadRichBytes(bytes, def);
  if (!rtf && RichPlainText(loaded) != RichPlainText(RichRunsFromPlainText(DecodeUtf8OrAnsi(bytes), def)))
    fuzz::Fail("unreadable RTF loads as its plain text");
  if (rtf) {
    const std::string written = WriteRtf(runs, def);
    TRichRuns back;
    if (!ReadRtf(written, def, back)) fuzz::Fail("the writer's RTF is readable");
    if (!SameRuns(back, runs)) fuzz::Fail("written runs read back as they were");
    if (WriteRtf(back, def) != written) fuzz::Fail("writing again gives the same bytes");
  }
  // The bytes as UTF-16 units, lone surrogates and all.
  String units;
  for (size_t i = 0; i + 1 < size; i += 2) units.push_back(static_cast<Char>(data[i] | (data[i + 1] << 8)));
  TRichRuns text;
  AppendRichText(text, units, def);
  TRichRuns again;
  if (!ReadRtf(WriteRtf(text, def), def, again) || RichPlainText(again) != RichPlainText(text))
    fuzz::Fail("any UTF-16 text survives the writer");
  return 0;
}
