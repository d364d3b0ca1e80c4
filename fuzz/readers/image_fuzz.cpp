// libFuzzer target for the device image build: the input, cut at "\n@@\n", is ParGen.xml,
// SNMP_Trap.xml and LoRaWAN_Gateway.xml of a configuration. Any files build both banks or
// raise the program's exception; a build never writes past its banks.
#include <cstddef>
#include <cstdint>

#include "fuzz/readers/FuzzSupport.h"
#include "gateway/USaveBincc.h"
#include "platform/SysUtils.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    Load_Default_Strings();
    Project_Folder = fuzz::ScratchFolder();
    Set_Files();
    return true;
  }();
  (void)ready;
  const std::vector<std::string_view> files = fuzz::Split(data, size, 3);
  fuzz::Write(Path_ParGen, files[0]);
  fuzz::Write(Path_SNMP_Trap, files[1]);
  fuzz::Write(Path_LoRaWAN_Gateway, files[2]);
  try {
    Build_Bin_Banks();
  } catch (const Exception&) {
    return 0;
  }
  if (!Bin_Banks_Ready()) fuzz::Fail("a build that raised nothing is ready");
  if (Bank1_Length < 0 || Bank1_Length > Bank1_Buffer_Size || Bank2_Length < 0 || Bank2_Length > Bank2_Buffer_Size)
    fuzz::Fail("bank lengths within their buffers");
  return 0;
}
