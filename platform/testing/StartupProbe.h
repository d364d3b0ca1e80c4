#pragma once
// Start-up measurement support: the last step of the program's start-up without its endless
// message loop, so a benchmark can tell when the main window has come to rest.
#include "platform/Forms.h"

// Shows the application's main form as TApplication::Run does and runs the event loop until the
// form has painted once and nothing else is waiting. false when there is no main form or it
// never painted.
bool ShowMainFormUntilIdle();

// Shows Form and runs the event loop until it has painted once and nothing else is waiting.
bool ShowFormUntilIdle(TForm* Form);
