// The EtherNet/IP scanner form alone (its step button is hidden in this model), on a configuration
// folder given as the argument, to try it by hand or drive it with xdotool under Xvfb; with
// "profinet" after the folder, the PROFINET file-name dialog and then the GSDML step instead. Not
// part of the test run. Prints the modal result when the form closes.
#include <cstdio>
#include <cstring>

#include "platform/Forms.h"
#include "protocols/ethernet_it/UEtherNetIP_Master_Access.h"
#include "protocols/ethernet_it/UProfinetFileName.h"
#include "protocols/ethernet_it/UProfinet_GSDML.h"
#include "tests/manual/HarnessStart.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: ethernetip_harness <configuration folder> [profinet]\n");
    return 2;
  }
  Start_Harness(argv[1]);
  if (argc > 2 && std::strcmp(argv[2], "profinet") == 0) {
    Application->CreateForm(FProfinetFileName);
    const int result = FProfinetFileName->ShowModal();
    std::printf("result %d name %s\n", result, StringToUtf8(FProfinetFileName->Name_File_XML).c_str());
    if (result == mrOk) {
      try {
        Create_PROFINET_XML(FProfinetFileName->Name_File_XML);
      } catch (const std::exception& E) {
        Application->ShowException(E);
      }
    }
    return 0;
  }
  Application->CreateForm(FEtherNetIP_Master_Access);
  const int result = FEtherNetIP_Master_Access->ShowModal();
  std::printf("result %d\n", result);
  return 0;
}
