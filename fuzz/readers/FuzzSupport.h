#pragma once
// Shared by the reader fuzz targets: a scratch folder of the process for the files a reader
// takes by name, and the split of one input into several files.
#include <stdlib.h>

#include <cstdint>
#include <filesystem>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Files.h"
#include "platform/UString.h"

namespace fuzz {

// Created once, removed at exit.
inline const String& ScratchFolder() {
  static const String folder = [] {
    char tmpl[] = "/tmp/conf-fuzz-XXXXXX";
    const char* made = ::mkdtemp(tmpl);
    if (!made) std::abort();
    static std::string keep = made;
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(keep, ec);
    });
    return Utf8ToString(made);
  }();
  return folder;
}

inline String ScratchFile(const char16_t* name) { return PathJoin(ScratchFolder(), name); }

inline void Write(const String& path, std::string_view bytes) {
  if (!WriteFileBytes(path, bytes)) std::abort();
}

// The input cut at each "\n@@\n" into at most `parts` pieces (the last takes the rest); missing
// pieces are empty.
inline std::vector<std::string_view> Split(const uint8_t* data, size_t size, size_t parts) {
  std::string_view all(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> out;
  while (out.size() + 1 < parts) {
    const size_t at = all.find("\n@@\n");
    if (at == std::string_view::npos) break;
    out.push_back(all.substr(0, at));
    all.remove_prefix(at + 4);
  }
  out.push_back(all);
  out.resize(parts);
  return out;
}

// A finding: the property named did not hold.
[[noreturn]] inline void Fail(const char* what) {
  std::fprintf(stderr, "property failed: %s\n", what);
  std::abort();
}

}  // namespace fuzz
