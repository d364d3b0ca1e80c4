// The program entry: initialises the application, creates the forms once in their fixed order
// (the main window first, so its creation handler initialises everything the others read),
// links the step forms and writers to the main window and runs the message loop.
#include "gateway/USNMP_MIB.h"
#include "gateway/USaveBincc.h"
#include "platform/Forms.h"
#include "shell/UAbout.h"
#include "shell/UKelvaneFirmWare.h"
#include "shell/UNew_Project.h"
#include "shell/UOpenConf.h"
#include "shell/USoftOptions.h"

int main() {
  Application->Initialize();
  Application->SetMainFormOnTaskBar(true);
  Application->CreateForm(FKelvaneFirmWare);
  Application->CreateForm(FNew_Project);
  Application->CreateForm(FOpenConf);
  Application->CreateForm(FAbout);
  Application->CreateForm(FSoftOptions);

  TStepRoutines& steps = FKelvaneFirmWare->Step_Routines;
  steps.Compile_Bin = [] { return Compile_Bin(); };
  steps.Save_Bin = [] { return Save_Bin(); };
  steps.Create_SNMP_MIB = [](TSaveDialog& dialog) { Create_SNMP_MIB(dialog); };

  Application->Run();
  return 0;
}
