// The BACnet server objects form alone, on a configuration folder given as the argument, to try
// it by hand or drive it with xdotool under Xvfb (no step button shows it). Not part of the test
// run. Prints the form's modal result when it closes; OK has then written BACnet_Slave.xml.
#include <cstdio>

#include "gateway/UBACnetSlaveSetAccess.h"
#include "platform/Forms.h"
#include "tests/manual/HarnessSupport.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bacnet_server_harness <configuration folder>\n");
    return 2;
  }
  Harness_Setup(argv[1]);
  Application->CreateForm(FBACnetSlaveSetAccess);
  const int result = FBACnetSlaveSetAccess->ShowModal();
  std::printf("result %d\n", result);
  return 0;
}
