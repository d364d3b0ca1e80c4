#pragma once
// Helpers shared by the shell tests: a scratch folder and a reset of the shared state.
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/UString.h"
#include "shell/UComon.h"

namespace shelltest {

class TempFolder {
 public:
  TempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("shell_test_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  const std::filesystem::path& path() const { return path_; }
  String str() const { return Utf8ToString(path_.string()); }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::filesystem::create_directories(p.parent_path());
  std::ofstream f(p, std::ios::binary | std::ios::trunc);
  f << bytes;
}

inline std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline std::string Fixture(const std::string& relative) {
  return std::string(CONF_FIXTURES) + "/shell/" + relative;
}

// Shared state as at process start, with the folders under `folder`.
inline void ResetState(const String& folder) {
  Set_Folders(folder);
  Project_Name.clear();
  Project_Folder.clear();
  Last_IP_Address.clear();
  Language_Name.clear();
  Opt_Enable_Internet = Opt_Enable_Update = Opt_Jump_Field_Tables = Opt_Double_Click_Auto_Size = false;
}

}  // namespace shelltest
