#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/Forms.h"
#include "platform/ShellIcons.h"
#include "platform/SysUtils.h"
#include "platform/testing/ImageCanvas.h"
#include "platform/testing/ScratchFolder.h"

namespace {

std::vector<TColor> Pixels(const std::unique_ptr<TIcon>& icon) {
  TImageCanvas img(icon->Width(), icon->Height(), clWhite);
  img.Canvas()->Draw(0, 0, icon.get());
  return img.Snapshot();
}

TEST(ShellIconsTest, AnswersAreKeptUntilTheDesktopThemeChanges) {
  Application->Initialize();
  TScratchFolder scratch("shell_icons");
  const std::filesystem::path dir = scratch / "later";
  const String name = Utf8ToString(dir.string());
  const std::vector<TColor> asFile = Pixels(ShellFileIcon(name, false));

  std::filesystem::create_directories(dir);
  // The folder now exists, but the kept answer for the name still holds.
  EXPECT_EQ(Pixels(ShellFileIcon(name, false)), asFile);
  Application->NotifyThemeChanged();
  const std::vector<TColor> now = Pixels(ShellFileIcon(name, false));
  EXPECT_NE(now, asFile);
}

}  // namespace
