#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "platform/ShellIcons.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/ScratchFolder.h"
#include "tests/support/Utf8Text.h"

namespace {

// The icon's pixels over white, the way the renderer draws it (transparent).
std::vector<TColor> PixelsOf(TIcon* icon) {
  TImageCanvas img(icon->Width(), icon->Height(), clWhite);
  img.Canvas()->Draw(0, 0, icon);
  return img.Snapshot();
}

int ShownPixels(TIcon* icon) {
  int n = 0;
  for (TColor c : PixelsOf(icon)) n += c != clWhite ? 1 : 0;
  return n;
}

class ShellIcons : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(dir / "Folder");
    std::ofstream(dir / "notes.txt") << "plain text\n";
  }
  String Path(const char* name) const { return dir.File(name); }
  TScratchFolder dir{"shell_icons"};
};

TEST_F(ShellIcons, EveryKindOfNameGivesAVisibleIconOfTheSystemSize) {
  EXPECT_EQ(ShellIconSize(false), 16);
  EXPECT_EQ(ShellIconSize(true), 32);
  const String names[] = {u"0",
                          u"3",
                          Path("Folder"),
                          Path("notes.txt"),
                          u"report.pdf",
                          u"no_such_file.qqzzxx",  // an extension no type has
                          u"README",                // no extension at all
                          u"-1"};                   // not a number: a file name
  for (const String& name : names)
    for (bool large : {false, true}) {
      std::unique_ptr<TIcon> icon = ShellIcon(name, large);
      ASSERT_NE(icon, nullptr) << Utf8(name);
      EXPECT_EQ(icon->Width(), large ? 32 : 16) << Utf8(name);
      EXPECT_EQ(icon->Height(), large ? 32 : 16) << Utf8(name);
      EXPECT_GT(ShownPixels(icon.get()), 0) << Utf8(name);
    }
}

TEST_F(ShellIcons, ExistingFolderShowsAFolderNotAFile) {
  for (bool large : {false, true}) {
    auto folder = PixelsOf(ShellIcon(Path("Folder"), large).get());
    EXPECT_NE(folder, PixelsOf(ShellIcon(Path("notes.txt"), large).get())) << large;
    EXPECT_NE(folder, PixelsOf(ShellIcon(u"unknown.qqzzxx", large).get())) << large;
    EXPECT_EQ(folder.size(), large ? 32u * 32u : 16u * 16u);
  }
}

TEST_F(ShellIcons, ImageIndexInsideAndOutsideTheList) {
  const int count = ShellImageCount();
  ASSERT_GE(count, 16);
  struct TCase {
    String Name;
    bool Found;
  };
  const TCase cases[] = {{u"0", true},
                         {u"3", true},
                         {u"15", true},
                         {u"0015", true},
                         {Utf8ToString(std::to_string(count - 1)), true},
                         {Utf8ToString(std::to_string(count)), false},
                         {u"99", false},
                         {u"99999999999999999999", false}};
  for (const auto& c : cases) {
    auto icon = ShellIcon(c.Name, false);
    EXPECT_EQ(icon != nullptr, c.Found) << Utf8(c.Name);
  }
  EXPECT_EQ(ShellImageIcon(-1, true), nullptr);
  EXPECT_EQ(ShellImageIcon(count, true), nullptr);
  // The list holds distinct pictures: a file is not a folder, a folder not a drive.
  EXPECT_NE(PixelsOf(ShellImageIcon(0, false).get()), PixelsOf(ShellImageIcon(3, false).get()));
  EXPECT_NE(PixelsOf(ShellImageIcon(3, false).get()), PixelsOf(ShellImageIcon(8, false).get()));
}

TEST_F(ShellIcons, SpecialFileIsNotOpened) {
  // Guessing a pipe's type from its content would block on reading it.
  const auto fifo = dir / "pipe";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  auto icon = ShellFileIcon(Utf8ToString(fifo.string()), false);
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(icon->Width(), 16);
}

}  // namespace
