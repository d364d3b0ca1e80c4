#pragma once
// The grid pack's visual-styles binding, bound to the platform's theme painter, and the queries
// of the environment (Windows and common-controls versions, the visual style's colour scheme),
// answered from the platform profile.
//
// Visual styles are drawn only when the binding is loaded, the profile is themed and Windows is
// 5.1 or later; callers make the last two tests themselves, as they choose between themed and
// classic drawing.
#include <cstdint>

#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/UString.h"

// Style data opened for one class; 0 is none.
using HTHEME = intptr_t;

// Binds once (the first call, made at start-up); later calls do nothing. Returns the loaded flag.
bool BindUxTheme();
// Drops the binding; the next BindUxTheme binds again.
void UnbindUxTheme();
bool UxThemeLoaded();

// Style data for one class ("button", "combobox", "spin", "header", "progress", case-blind) of
// a window (which may be nullptr); 0 when the binding is not loaded, no visual style is active
// or the class is unknown.
HTHEME OpenThemeData(TWinControl* Wnd, const String& ClassName);
// 0 on success, non-zero for a handle that is not open style data.
int CloseThemeData(HTHEME Theme);
// Draws a part in a state into R, unclipped. 0 on success, non-zero when nothing was drawn.
int DrawThemeBackground(HTHEME Theme, TCanvas* Canvas, int PartId, int StateId, const TRect& R);
// The current visual style's file, colour scheme and size names; false when none is active.
bool GetCurrentThemeName(String& FileName, String& ColorScheme, String& SizeName);

// Opens the class's style data for Wnd, draws one part and closes the data again; false when
// the data could not be opened or the part not drawn.
bool DrawThemedPart(TCanvas* Canvas, TWinControl* Wnd, const String& ClassName, int PartId, int StateId,
                    const TRect& R);

// ---- environment queries --------------------------------------------------------------------
// Each has a form over an explicit profile, used by the other and by tests.
bool IsComCtl6OrLater(const TPlatformProfile& Profile);
bool IsComCtl6OrLater();
bool IsVistaOrLater(const TPlatformProfile& Profile);
bool IsVistaOrLater();
bool IsWindowsXPOrLater(const TPlatformProfile& Profile);
bool IsWindowsXPOrLater();
// 0 none, 1 blue ("NormalColor"), 2 olive ("HomeStead"), 3 silver ("Metallic").
int CurrentXPStyle(const TPlatformProfile& Profile);
int CurrentXPStyle();
