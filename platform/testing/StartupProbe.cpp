#include "platform/testing/StartupProbe.h"

#include "platform/qt/ControlBackend.h"
#include "platform/testing/QtIdle.h"

bool ShowFormUntilIdle(TForm* Form) {
  if (!Form) return false;
  confqt::EnsureApp();
  return conftesting::ShowUntilIdle([&] {
    confqt::Guarded(Form, [&] { Form->Show(); });
    DeliverPostedMessages();
  });
}

bool ShowMainFormUntilIdle() {
  Application->Initialize();
  return ShowFormUntilIdle(Application->MainForm());
}
