// libFuzzer target for the version reply: any body the server sends is judged without reading
// out of bounds, and the verdict agrees with the version number it holds.
#include <cstddef>
#include <cstdint>

#include "fuzz/readers/FuzzSupport.h"
#include "platform/Encoding.h"
#include "shell/UVersionCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const String reply = DecodeText(std::string_view(reinterpret_cast<const char*>(data), size));
  const int number = Conv_Version(reply);
  if (number < -1 || number > 9999) fuzz::Fail("a version number of four digits or -1");
  Is_Newer_Version_Reply(reply);
  return 0;
}
