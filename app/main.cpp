// The program entry: initialises the application, makes the main window own the taskbar button,
// creates the forms and runs the message loop until the main window closes.
#include "app/AppForms.h"
#include "platform/Forms.h"

int main() {
  Application->Initialize();
  Application->SetMainFormOnTaskBar(true);
  Create_Program_Forms();
  Application->Run();
  return 0;
}
