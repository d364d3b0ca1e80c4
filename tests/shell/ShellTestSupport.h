#pragma once
// Helpers shared by the shell tests: file bytes, fixtures and a reset of the shared state.
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/UString.h"
#include "platform/testing/ScratchFolder.h"
#include "shell/UComon.h"

namespace shelltest {

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
