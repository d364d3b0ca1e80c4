#pragma once
// Style vocabulary of the grid pack and the office colour theme in use.
//
// There is no office suite and no registry on this platform: the installed office version reads
// 0, so a theme notifier never starts a watcher and registering windows with it has no effect.
// The office "Theme" values that CurrentOfficeTheme maps come from a replaceable reader (tests
// install their own); the default reader finds no key.
#include <functional>
#include <vector>

#include "platform/Classes.h"
#include "platform/Controls.h"
#include "platform/Graphics.h"
#include "platform/UString.h"

// ---- office colour themes -------------------------------------------------------------------
enum TOfficeTheme : uint8_t {
  ot2003Blue, ot2003Silver, ot2003Olive, ot2003Classic, ot2007Blue, ot2007Silver, ot2007Black,
  ot2010Blue, ot2010Silver, ot2010Black, otUnknown
};

// The keys under the current user that hold the office suite's "Theme" value.
inline constexpr char16_t kOffice14CommonKey[] = u"Software\\Microsoft\\Office\\14.0\\Common";
inline constexpr char16_t kOffice12CommonKey[] = u"Software\\Microsoft\\Office\\12.0\\Common";

// Answers the integer "Theme" value under Key, or -1 when the key or the value is missing.
using TOfficeThemeReader = std::function<int(const String& Key)>;
// Installs the reader CurrentOfficeTheme consults; an empty one restores the default (no key).
void SetOfficeThemeReader(TOfficeThemeReader Reader);

// The mapping itself: the 14.0 value decides unless it is -1, then the 12.0 value unless it is
// -1, then the Windows XP colour scheme (CurrentXPStyle's numbers).
TOfficeTheme OfficeThemeFromValues(int Office14Theme, int Office12Theme, int XPStyle);
// OfficeThemeFromValues over the installed reader and CurrentXPStyle().
TOfficeTheme CurrentOfficeTheme();
// 2 for office 14, 1 for office 12, 0 for none: always 0 here (no office suite to detect).
int InstalledOfficeVersion();

// "Segoe UI" on Windows Vista or later (as the platform profile says), else "Tahoma".
String DefaultFontName();

// ---- styles and colour tones ----------------------------------------------------------------
enum TQELStyle : uint8_t {
  tsOffice2003Blue, tsOffice2003Silver, tsOffice2003Olive, tsOffice2003Classic, tsOffice2007Luna,
  tsOffice2007Obsidian, tsWindowsXP, tsWhidbey, tsCustom, tsOffice2007Silver, tsWindowsVista,
  tsWindows7, tsTerminal, tsOffice2010Blue, tsOffice2010Silver, tsOffice2010Black
};

struct TColorTone {
  TColor BrushColor = clNone;
  TColor BorderColor = clNone;
  TColor TextColor = clNone;
  friend bool operator==(const TColorTone&, const TColorTone&) = default;
};

struct TColorTones {
  TColorTone Background;
  TColorTone Foreground;
  TColorTone Selected;
  TColorTone Hover;
  TColorTone Disabled;
  friend bool operator==(const TColorTones&, const TColorTones&) = default;
};

// Implemented by the grid and the drop-down editors.
class IQELStyle {
 public:
  virtual ~IQELStyle() = default;
  virtual void SetComponentStyle(TQELStyle AStyle) = 0;
};

class IQELTones {
 public:
  virtual ~IQELTones() = default;
  virtual void SetColorTones(TColorTones ATones) = 0;
};

// ---- theme change notification --------------------------------------------------------------
// The message a theme watcher sends to registered windows.
constexpr unsigned WM_OFFICETHEMECHANGED = 2993;

// Window handles, each kept once by whoever registers them.
class THandleList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises EListError for an index out of range.
  TWinControl* operator[](int Index) const;
  int Add(TWinControl* Handle);
  void Delete(int Index);
  void Insert(int Index, TWinControl* Handle);
  // Removes the first occurrence, if any.
  void DeleteValue(TWinControl* Handle);
  bool HasValue(TWinControl* Handle) const;

 private:
  std::vector<TWinControl*> items_;
};

// Tells registered windows when the office colour theme changes. A watcher needs an installed
// office suite; without one (always, here) the notifier has no watcher list and registration
// does nothing.
class TThemeNotifier : public TComponent {
 public:
  explicit TThemeNotifier(TComponent* AOwner);
  ~TThemeNotifier() override;
  String ClassName() const override { return u"TThemeNotifier"; }

  void RegisterWindow(TWinControl* Handle);
  void UnRegisterWindow(TWinControl* Handle);
  // Whether a watcher runs (it carries the registered windows).
  bool HasWatcher() const { return watcherWindows_ != nullptr; }

  TNotifyEvent OnOfficeThemeChange;

 private:
  THandleList* watcherWindows_ = nullptr;
};

// The process's notifier, created on first use; owned by the main form when it exists, else by
// Component. Destroying it clears the process's reference.
TThemeNotifier* GetThemeNotifier(TComponent* Component);
