// libFuzzer target for the settings file (Kelvane.xml): any file is read or replaced by the
// defaults; what was read is saved and reads back the same.
#include <cstddef>
#include <cstdint>

#include "fuzz/readers/FuzzSupport.h"
#include "shell/UComon.h"
#include "shell/USettings.h"

namespace {

struct TSettings {
  String Project, Ip, Language;
  bool Internet, Update, Jump, AutoSize;
  bool operator==(const TSettings&) const = default;
};

TSettings Current() {
  return {Project_Name, Last_IP_Address, Language_Name, Opt_Enable_Internet, Opt_Enable_Update,
          Opt_Jump_Field_Tables, Opt_Double_Click_Auto_Size};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool ready = [] {
    Set_Folders(fuzz::ScratchFolder());
    return true;
  }();
  (void)ready;
  fuzz::Write(Settings_File_Path(), std::string_view(reinterpret_cast<const char*>(data), size));
  Read_Settings();
  const TSettings read = Current();
  Save_Setting();
  Read_Settings();
  if (!(Current() == read)) fuzz::Fail("saved settings read back as they were read");
  return 0;
}
