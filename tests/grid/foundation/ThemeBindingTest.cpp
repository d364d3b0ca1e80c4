// The visual-styles binding, the environment queries, the office theme mapping and the notifier.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/foundation/AdvStyleIF.h"
#include "grid/foundation/AdvXPVS.h"
#include "platform/ExtCtrls.h"
#include "platform/testing/RecordingCanvas.h"

namespace {

TPlatformProfile Profile(int major, int minor, int comctl, bool themed, const char16_t* scheme) {
  TPlatformProfile p;
  p.WinMajor = major;
  p.WinMinor = minor;
  p.ComCtlMajor = comctl;
  p.Themed = themed;
  p.ColorSchemeName = scheme;
  return p;
}

// Installs an office "Theme" reader for a test and restores the default afterwards.
class ScopedOfficeThemes {
 public:
  ScopedOfficeThemes(int v14, int v12) {
    SetOfficeThemeReader([this, v14, v12](const String& key) {
      keysRead.push_back(key);
      if (key == kOffice14CommonKey) return v14;
      if (key == kOffice12CommonKey) return v12;
      return -1;
    });
  }
  ~ScopedOfficeThemes() { SetOfficeThemeReader(nullptr); }
  std::vector<String> keysRead;
};

}  // namespace

TEST(ThemeBinding, QueriesAnswerFromTheProfile) {
  struct Case {
    TPlatformProfile p;
    bool xp, vista, comctl6;
    int xpStyle;
  };
  const std::vector<Case> cases = {
      {Profile(6, 1, 6, true, u"NormalColor"), true, true, true, 1},
      {Profile(5, 1, 6, true, u"HomeStead"), true, false, true, 2},
      {Profile(5, 2, 6, true, u"Metallic"), true, false, true, 3},
      {Profile(6, 0, 6, true, u"Aero"), true, true, true, 0},
      {Profile(5, 1, 6, false, u"NormalColor"), true, false, true, 0},  // no style active
      {Profile(5, 1, 5, true, u"NormalColor"), true, false, false, 0},  // common controls 5
      {Profile(5, 0, 6, true, u"NormalColor"), false, false, true, 0},  // Windows 2000
      {Profile(4, 9, 6, true, u"NormalColor"), false, false, true, 0},
  };
  for (const auto& c : cases) {
    const std::string at = std::to_string(c.p.WinMajor) + "." + std::to_string(c.p.WinMinor);
    EXPECT_EQ(IsWindowsXPOrLater(c.p), c.xp) << at;
    EXPECT_EQ(IsVistaOrLater(c.p), c.vista) << at;
    EXPECT_EQ(IsComCtl6OrLater(c.p), c.comctl6) << at;
    EXPECT_EQ(CurrentXPStyle(c.p), c.xpStyle) << at;
  }
  // The platform's own profile: a themed Windows 6.1 with common controls 6.
  EXPECT_TRUE(IsWindowsXPOrLater());
  EXPECT_TRUE(IsVistaOrLater());
  EXPECT_TRUE(IsComCtl6OrLater());
  EXPECT_EQ(CurrentXPStyle(), 1);
  EXPECT_EQ(DefaultFontName(), u"Segoe UI");
}

TEST(ThemeBinding, StyleDataOpensForKnownClassesOnly) {
  ASSERT_TRUE(BindUxTheme());
  EXPECT_TRUE(BindUxTheme());  // binding again changes nothing
  for (const char16_t* cls : {u"button", u"COMBOBOX", u"spin", u"header", u"progress"}) {
    HTHEME t = OpenThemeData(nullptr, cls);
    EXPECT_NE(t, 0) << StringToUtf8(cls);
    EXPECT_EQ(CloseThemeData(t), 0);
  }
  EXPECT_EQ(OpenThemeData(nullptr, u"scrollbar"), 0);
  EXPECT_NE(CloseThemeData(0), 0);
  EXPECT_NE(CloseThemeData(99), 0);

  TRecordingCanvas rec;
  HTHEME t = OpenThemeData(nullptr, u"spin");
  EXPECT_EQ(DrawThemeBackground(t, &rec, 2, 4, Rect(1, 2, 3, 4)), 0);
  EXPECT_NE(DrawThemeBackground(0, &rec, 2, 4, Rect(1, 2, 3, 4)), 0);
  CloseThemeData(t);
  EXPECT_EQ(rec.Log(), "ThemeDrawBackground(2,4,1,2,3,4,'spin')\n");

  String file, scheme, size;
  ASSERT_TRUE(GetCurrentThemeName(file, scheme, size));
  EXPECT_EQ(scheme, PlatformProfile().ColorSchemeName);
  EXPECT_EQ(file, PlatformProfile().ThemeFileName);
  EXPECT_EQ(size, PlatformProfile().SizeName);
}

TEST(ThemeBinding, UnboundBindingOpensNothing) {
  UnbindUxTheme();
  EXPECT_FALSE(UxThemeLoaded());
  const HTHEME t = OpenThemeData(nullptr, u"button");
  String file, scheme, size;
  const bool named = GetCurrentThemeName(file, scheme, size);
  TRecordingCanvas rec;
  const bool drawn = DrawThemedPart(&rec, nullptr, u"button", 1, 1, Rect(0, 0, 5, 5));
  BindUxTheme();
  EXPECT_EQ(t, 0);
  EXPECT_FALSE(named);
  EXPECT_FALSE(drawn);
  EXPECT_TRUE(rec.Calls().empty());
  EXPECT_TRUE(UxThemeLoaded());
  EXPECT_TRUE(DrawThemedPart(&rec, nullptr, u"button", 1, 1, Rect(0, 0, 5, 5)));
}

TEST(ThemeBinding, OfficeThemeMapping) {
  struct Case {
    int v14, v12, xp;
    TOfficeTheme expected;
  };
  const std::vector<Case> cases = {
      {1, -1, 0, ot2010Blue},     {2, -1, 0, ot2010Silver},  {3, -1, 0, ot2010Black},
      {0, 3, 3, ot2003Blue},      // a 14.0 value other than 1 to 3 decides without 12.0
      {7, -1, 2, ot2003Blue},     {-1, 1, 0, ot2007Blue},    {-1, 2, 0, ot2007Silver},
      {-1, 3, 0, ot2007Black},    {-1, 0, 3, ot2003Blue},    {-1, -1, 0, ot2003Classic},
      {-1, -1, 1, ot2003Blue},    {-1, -1, 2, ot2003Olive},  {-1, -1, 3, ot2003Silver},
  };
  for (const auto& c : cases)
    EXPECT_EQ(OfficeThemeFromValues(c.v14, c.v12, c.xp), c.expected) << c.v14 << "/" << c.v12 << "/" << c.xp;
}

TEST(ThemeBinding, CurrentOfficeThemeReadsTheKeysInOrder) {
  {
    ScopedOfficeThemes themes(3, 1);
    EXPECT_EQ(CurrentOfficeTheme(), ot2010Black);
    EXPECT_EQ(themes.keysRead, std::vector<String>{kOffice14CommonKey});
  }
  {
    ScopedOfficeThemes themes(-1, 2);
    EXPECT_EQ(CurrentOfficeTheme(), ot2007Silver);
    EXPECT_EQ(themes.keysRead, (std::vector<String>{kOffice14CommonKey, kOffice12CommonKey}));
  }
  // No office keys: the platform's XP colour scheme ("NormalColor") gives blue.
  EXPECT_EQ(CurrentOfficeTheme(), ot2003Blue);
  EXPECT_EQ(InstalledOfficeVersion(), 0);
}

TEST(ThemeBinding, HandleListKeepsOrderAndRemovesFirstOccurrence) {
  TPanel a(nullptr), b(nullptr), c(nullptr);
  THandleList list;
  EXPECT_EQ(list.Add(&a), 0);
  EXPECT_EQ(list.Add(&b), 1);
  list.Insert(0, &c);
  list.Add(&a);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list[0], &c);
  list.DeleteValue(&a);  // the first of the two
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list[1], &b);
  EXPECT_EQ(list[2], &a);
  list.DeleteValue(nullptr);  // unknown: nothing happens
  EXPECT_EQ(list.Count(), 3);
  list.Delete(0);
  EXPECT_FALSE(list.HasValue(&c));
  EXPECT_TRUE(list.HasValue(&a));
  EXPECT_THROW(list[5], EListError);
  EXPECT_THROW(list.Delete(-1), EListError);
  EXPECT_THROW(list.Insert(4, &a), EListError);
}

TEST(ThemeBinding, NotifierIsSharedAndHasNoWatcherWithoutAnOfficeSuite) {
  TPanel owner(nullptr);
  TThemeNotifier* n = GetThemeNotifier(&owner);
  ASSERT_NE(n, nullptr);
  EXPECT_EQ(GetThemeNotifier(nullptr), n);
  EXPECT_EQ(n->Owner(), &owner);
  EXPECT_FALSE(n->HasWatcher());
  TPanel wnd(nullptr);
  n->RegisterWindow(&wnd);
  n->RegisterWindow(&wnd);
  n->UnRegisterWindow(&owner);
  EXPECT_FALSE(n->HasWatcher());
  // Destroyed with its owner, the notifier is made anew on the next request.
  delete n;
  TPanel other(nullptr);
  TThemeNotifier* m = GetThemeNotifier(&other);
  EXPECT_EQ(m->Owner(), &other);
  delete m;
}
