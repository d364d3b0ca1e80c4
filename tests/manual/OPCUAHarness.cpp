// The OPC UA client form (argument "client") or the OPC UA server variables form ("server") alone,
// on a configuration folder, to try by hand or drive with xdotool under Xvfb (no step button shows
// them). Not part of the test run. Prints the form's modal result when it closes.
#include <cstdio>
#include <cstring>

#include "protocols/ethernet_it/UOPC_UA_Client_Access.h"
#include "protocols/ethernet_it/UOPC_UA_Server_Access.h"
#include "tests/manual/HarnessStart.h"

int main(int argc, char** argv) {
  if (argc < 3 || (std::strcmp(argv[1], "client") != 0 && std::strcmp(argv[1], "server") != 0)) {
    std::fprintf(stderr, "usage: opc_ua_harness client|server <configuration folder>\n");
    return 2;
  }
  Start_Harness(argv[2]);
  int result = 0;
  if (std::strcmp(argv[1], "client") == 0) {
    Application->CreateForm(FOPC_UA_Client_Access);
    result = FOPC_UA_Client_Access->ShowModal();
  } else {
    Application->CreateForm(FOPC_UA_Server_Access);
    result = FOPC_UA_Server_Access->ShowModal();
  }
  std::printf("result %d\n", result);
  return 0;
}
