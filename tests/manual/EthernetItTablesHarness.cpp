// The MQTT topic, S7 request or KNX table form alone (their steps are hidden), on a configuration
// folder, to try by hand or drive with xdotool under Xvfb. Not part of the test run. Prints the
// form's modal result when it closes; OK has then written the form's file.
#include <cstdio>
#include <cstring>

#include "protocols/ethernet_it/UKNXAccess.h"
#include "protocols/ethernet_it/UMQTT_Set_Topic.h"
#include "protocols/ethernet_it/US7_Protocol_Set_Access.h"
#include "tests/manual/HarnessStart.h"

int main(int argc, char** argv) {
  if (argc < 3 || (std::strcmp(argv[1], "mqtt") && std::strcmp(argv[1], "s7") && std::strcmp(argv[1], "knx"))) {
    std::fprintf(stderr, "usage: ethernet_it_tables_harness mqtt|s7|knx <configuration folder>\n");
    return 2;
  }
  Start_Harness(argv[2]);
  TForm* form = nullptr;
  if (!std::strcmp(argv[1], "mqtt")) {
    Application->CreateForm(FMQTT_Set_Topic);
    form = FMQTT_Set_Topic;
  } else if (!std::strcmp(argv[1], "s7")) {
    Application->CreateForm(FS7_Protocol_Set_Access);
    form = FS7_Protocol_Set_Access;
  } else {
    Application->CreateForm(FKNXAccess);
    form = FKNXAccess;
  }
  const int result = form->ShowModal();
  std::printf("result %d\n", result);
  return 0;
}
