#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "platform/Forms.h"
#include "platform/ShellIcons.h"
#include "platform/SysUtils.h"
#include "platform/testing/ImageCanvas.h"

namespace {

std::vector<TColor> Pixels(const std::unique_ptr<TIcon>& icon) {
  TImageCanvas img(icon->Width(), icon->Height(), clWhite);
  img.Canvas()->Draw(0, 0, icon.get());
  return img.Snapshot();
}

TEST(ShellIconsTest, AnswersAreKeptUntilTheDesktopThemeChanges) {
  Application->Initialize();
  namespace fs = std::filesystem;
  fs::path dir = fs::temp_directory_path() / ("shell_icons_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  const String name = Utf8ToString(dir.string());
  const std::vector<TColor> asFile = Pixels(ShellFileIcon(name, false));

  fs::create_directories(dir);
  // The folder now exists, but the kept answer for the name still holds.
  EXPECT_EQ(Pixels(ShellFileIcon(name, false)), asFile);
  Application->NotifyThemeChanged();
  const std::vector<TColor> now = Pixels(ShellFileIcon(name, false));
  EXPECT_NE(now, asFile);
  fs::remove_all(dir);
}

}  // namespace
