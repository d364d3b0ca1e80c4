#pragma once
// A configuration folder of the benchmark's own under the temporary folder, opened as the
// program opens one (texts loaded, the per-step paths set), removed at the end.
#include <unistd.h>

#include <filesystem>
#include <string>

#include "platform/Files.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace bench {

class ScratchProject {
 public:
  explicit ScratchProject(const std::string& Stem)
      : folder_(std::filesystem::temp_directory_path() / (Stem + "_" + std::to_string(getpid()))) {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    Load_Default_Strings();
    Soft_Code = Soft_Code_Init;
    Project_Folder = FromPath(folder_);
    Set_Files();
  }
  ~ScratchProject() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }
  ScratchProject(const ScratchProject&) = delete;
  ScratchProject& operator=(const ScratchProject&) = delete;

 private:
  std::filesystem::path folder_;
};

}  // namespace bench
