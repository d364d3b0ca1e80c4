#pragma once
// A fresh, empty folder of its own under the system's temporary folder for the life of the
// scope; removed with everything in it at the end, even where a test took permissions away.
#include <filesystem>
#include <string>

#include "platform/UString.h"

class TScratchFolder {
 public:
  // Prefix only makes a left-over folder easier to recognise.
  explicit TScratchFolder(const std::string& Prefix = "conf_test");
  ~TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  // The folder as the program names paths.
  String Folder() const;
  // A name inside the folder (nothing is created).
  std::filesystem::path operator/(const std::string& Name) const { return path_ / Name; }
  String File(const std::string& Name) const;

 private:
  std::filesystem::path path_;
};
