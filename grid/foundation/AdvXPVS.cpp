#include "grid/foundation/AdvXPVS.h"

#include <array>

#include "platform/SysUtils.h"

namespace {

bool gLoaded = false;

// The classes the platform's theme painter knows; a handle is the class's position plus one,
// so opening and closing style data for every painted cell allocates nothing.
constexpr std::array<const char16_t*, 5> kThemeClasses = {u"button", u"combobox", u"spin", u"header",
                                                          u"progress"};

const char16_t* ClassOf(HTHEME Theme) {
  if (Theme < 1 || Theme > static_cast<HTHEME>(kThemeClasses.size())) return nullptr;
  return kThemeClasses[static_cast<size_t>(Theme - 1)];
}

}  // namespace

bool BindUxTheme() {
  // The painter is part of the platform: binding cannot fail and there is nothing to look up.
  gLoaded = true;
  return gLoaded;
}

void UnbindUxTheme() { gLoaded = false; }

bool UxThemeLoaded() { return gLoaded; }

HTHEME OpenThemeData(TWinControl*, const String& ClassName) {
  if (!gLoaded || !IsThemeActive()) return 0;
  for (size_t i = 0; i < kThemeClasses.size(); ++i)
    if (SameText(ClassName, kThemeClasses[i])) return static_cast<HTHEME>(i + 1);
  return 0;
}

int CloseThemeData(HTHEME Theme) { return ClassOf(Theme) ? 0 : 1; }

int DrawThemeBackground(HTHEME Theme, TCanvas* Canvas, int PartId, int StateId, const TRect& R) {
  const char16_t* cls = ClassOf(Theme);
  if (!cls || !Canvas) return 1;
  return ThemeDrawBackground(Canvas, cls, PartId, StateId, R) ? 0 : 1;
}

bool GetCurrentThemeName(String& FileName, String& ColorScheme, String& SizeName) {
  if (!gLoaded || !IsThemeActive()) return false;
  const TPlatformProfile& p = PlatformProfile();
  FileName = p.ThemeFileName;
  ColorScheme = p.ColorSchemeName;
  SizeName = p.SizeName;
  return true;
}

bool DrawThemedPart(TCanvas* Canvas, TWinControl* Wnd, const String& ClassName, int PartId, int StateId,
                    const TRect& R) {
  HTHEME theme = OpenThemeData(Wnd, ClassName);
  if (!theme) return false;
  const bool drawn = DrawThemeBackground(theme, Canvas, PartId, StateId, R) == 0;
  CloseThemeData(theme);
  return drawn;
}

// ---- environment queries --------------------------------------------------------------------

bool IsComCtl6OrLater(const TPlatformProfile& Profile) { return Profile.ComCtlMajor > 5; }
bool IsComCtl6OrLater() { return IsComCtl6OrLater(PlatformProfile()); }

// The system library gained the locale-name entry points with Windows 6.0.
bool IsVistaOrLater(const TPlatformProfile& Profile) { return Profile.WinMajor >= 6; }
bool IsVistaOrLater() { return IsVistaOrLater(PlatformProfile()); }

bool IsWindowsXPOrLater(const TPlatformProfile& Profile) {
  return Profile.WinMajor > 5 || (Profile.WinMajor == 5 && Profile.WinMinor > 0);
}
bool IsWindowsXPOrLater() { return IsWindowsXPOrLater(PlatformProfile()); }

int CurrentXPStyle(const TPlatformProfile& Profile) {
  if (!IsWindowsXPOrLater(Profile)) return 0;
  if (!Profile.Themed || !IsComCtl6OrLater(Profile)) return 0;
  const String& scheme = Profile.ColorSchemeName;
  if (Pos(u"NormalColor", scheme) > 0) return 1;
  if (Pos(u"HomeStead", scheme) > 0) return 2;
  if (Pos(u"Metallic", scheme) > 0) return 3;
  return 0;
}
int CurrentXPStyle() { return CurrentXPStyle(PlatformProfile()); }

namespace {
// Bound at start-up, as the unit's initialisation does.
[[maybe_unused]] const bool gBoundAtStart = BindUxTheme();
}  // namespace
