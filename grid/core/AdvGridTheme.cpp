#include "grid/core/AdvGridTheme.h"

#include "grid/foundation/AdvStyleIF.h"

void GridThemeNotification(TWinControl* Grid, bool Register) {
  TThemeNotifier* notifier = GetThemeNotifier(Grid);
  if (Register)
    notifier->RegisterWindow(Grid);
  else
    notifier->UnRegisterWindow(Grid);
}
