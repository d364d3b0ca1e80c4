// libFuzzer target for the EDE reader: any text is split without reading out of bounds; every
// object kept has a kept object type, is chosen for import and the read table, and is offered for
// writing only when commandable; a line that becomes an object splits into the same fields again.
#include <cstddef>
#include <cstdint>

#include "fuzz/readers/FuzzSupport.h"
#include "gateway/BACnetEDE.h"
#include "platform/Encoding.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<String> lines = SplitLines(DecodeText(std::string_view(reinterpret_cast<const char*>(data), size)));
  std::vector<TBACnet_Var> list;
  try {
    Read_EDE_Lines(lines, list);
  } catch (const EEDEFileError&) {
    if (lines.size() >= 7) fuzz::Fail("seven lines are read");
    return 0;
  }
  if (list.size() > lines.size()) fuzz::Fail("at most one object a line");
  for (const TBACnet_Var& v : list) {
    if (!EDE_Kept_Object_Type(v.object_type)) fuzz::Fail("only kept object types");
    if (!v.import || !v.read || v.write != v.commandable) fuzz::Fail("the reader's choices");
  }
  for (const String& l : lines) {
    const TBACnet_Var v = Split_EDE_Line(l);
    if (v.keyname.size() > l.size() || v.vendor_specific_address.size() > l.size()) fuzz::Fail("fields are parts of the line");
  }
  return 0;
}
