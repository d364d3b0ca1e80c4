// The start-up benchmark's program side, an executable of its own as the program is (the
// benchmark library and the benchmark's code are not in it):
//   startup_program <program folder> <report fd> <hold fd>
// The program entry's steps, then the main window shown until idle instead of the endless
// message loop; writes "idle <client width> <client height>" to the report descriptor and waits
// until the hold descriptor ends, so the benchmark can read its memory at rest.
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "app/AppForms.h"
#include "platform/Files.h"
#include "platform/Forms.h"
#include "platform/testing/StartupProbe.h"

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  SetProgramFolderForTests(Utf8ToString(argv[1]));
  Application->Initialize();
  Application->SetMainFormOnTaskBar(true);
  Create_Program_Forms();
  const bool ok = ShowMainFormUntilIdle();
  std::string line = "no-paint\n";
  if (ok) {
    TForm* main = Application->MainForm();
    line = "idle " + std::to_string(main->ClientWidth()) + " " + std::to_string(main->ClientHeight()) + "\n";
  }
  const int report = std::atoi(argv[2]), hold = std::atoi(argv[3]);
  if (write(report, line.data(), line.size()) < 0) return 3;
  char c;
  while (read(hold, &c, 1) > 0) {
  }
  // The process ends here as the program's would after its loop; teardown is not measured.
  std::_Exit(0);
}
