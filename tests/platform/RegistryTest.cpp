// The registry stand-in: keys made on demand, values kept in the store's file, misses reported.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/Registry.h"
#include "platform/testing/ScratchFolder.h"

namespace {

struct ScratchRegistry {
  TScratchFolder scratch{"registry"};
  ScratchRegistry() { SetRegistryStoreFile(scratch.File("sub/registry.ini")); }
  ~ScratchRegistry() { SetRegistryStoreFile(String()); }
};

TEST(Registry, KeysAreMadeOnlyWhenAsked) {
  ScratchRegistry s;
  TRegistry reg;
  EXPECT_FALSE(reg.OpenKey(u"Software\\Test", false));
  EXPECT_FALSE(reg.OpenKey(u"\\", true));  // no key at all
  EXPECT_TRUE(reg.OpenKey(u"\\Software\\Test\\", true));
  EXPECT_EQ(StringToUtf8(reg.CurrentPath()), "Software\\Test");
  reg.CloseKey();
  EXPECT_TRUE(std::filesystem::exists(s.scratch / "sub" / "registry.ini"));
  EXPECT_TRUE(reg.KeyExists(u"software\\TEST"));  // case-blind
  EXPECT_TRUE(reg.OpenKey(u"Software\\Test", false));
}

TEST(Registry, ValuesSurviveInTheStore) {
  ScratchRegistry s;
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(u"Software\\Test\\Grid", true));
    reg.WriteInteger(u"Col0", 64);
    reg.WriteInteger(u"Col1", -3);
    reg.WriteString(u"Name", u"\u00fc\u4e2d");
  }  // the destructor writes the store back
  TRegistry reg;
  ASSERT_TRUE(reg.OpenKey(u"Software\\Test\\Grid", false));
  EXPECT_EQ(reg.ReadInteger(u"Col0"), 64);
  EXPECT_EQ(reg.ReadInteger(u"Col1"), -3);
  EXPECT_EQ(StringToUtf8(reg.ReadString(u"Name")), "\u00fc\u4e2d");
  EXPECT_TRUE(reg.ValueExists(u"col1"));
  EXPECT_FALSE(reg.ValueExists(u"Col2"));
  EXPECT_THROW(reg.ReadInteger(u"Col2"), ERegistryException);
  EXPECT_THROW(reg.ReadInteger(u"Name"), ERegistryException);  // not an integer
  reg.CloseKey();
  EXPECT_THROW(reg.WriteInteger(u"Col0", 1), ERegistryException);  // no key open
}

}  // namespace
