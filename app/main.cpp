// The program entry: initialises the application, creates the forms once in their fixed order
// (the main window first, so its creation handler initialises everything the others read),
// links the step forms and writers to the main window and runs the message loop.
//
// Forms of subsystems that are not part of the program yet are not created; their step buttons
// stop after the step guard.
#include "gateway/UBoot.h"
#include "gateway/USNMP_MIB.h"
#include "gateway/USaveBincc.h"
#include "parameters/UParGen.h"
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
  Application->CreateForm(FBoot);
  Create_FParGen();

  TFKelvaneFirmWare* main = FKelvaneFirmWare;
  main->Register_Form(u"TFBoot", FBoot, [] { FBoot->Set_Lang(); });
  main->Register_Form(u"TFParGen", FParGen, [] { FParGen->Set_Lang(); });

  TStepRoutines& steps = main->Step_Routines;
  steps.Compile_Bin = [] { return Compile_Bin(); };
  steps.Save_Bin = [] { return Save_Bin(); };
  steps.Set_Boot_Form_Type = [](int type) { FBoot->Form_Type = type; };
  steps.Create_SNMP_MIB = [](TSaveDialog& dialog) { Create_SNMP_MIB(dialog); };

  Application->Run();
  return 0;
}
