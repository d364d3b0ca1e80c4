#pragma once
// A throw-away configuration folder for the device image tests: input files written as raw XML,
// banks built and read back from bin/bank1.bin and bin/bank2.bin.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "gateway/USaveBincc.h"
#include "platform/Files.h"
#include "platform/testing/ScratchFolder.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace bank_test {

using Bytes = std::vector<uint8_t>;
using Attrs = std::vector<std::pair<std::string, std::string>>;

inline std::string Xml_Escape(const std::string& s) {
  std::string o;
  for (char c : s) {
    switch (c) {
      case '&': o += "&amp;"; break;
      case '<': o += "&lt;"; break;
      case '>': o += "&gt;"; break;
      case '"': o += "&quot;"; break;
      default: o += c;
    }
  }
  return o;
}

inline std::string Element(const std::string& Name, const Attrs& A, const std::string& Inner = "") {
  std::string s = "<" + Name;
  for (const auto& [k, v] : A) s += " " + k + "=\"" + Xml_Escape(v) + "\"";
  return s + ">" + Inner + "</" + Name + ">";
}

inline uint32_t U32(const Bytes& b, size_t at) {
  return uint32_t(b.at(at)) | uint32_t(b.at(at + 1)) << 8 | uint32_t(b.at(at + 2)) << 16 | uint32_t(b.at(at + 3)) << 24;
}
inline uint16_t U16(const Bytes& b, size_t at) { return uint16_t(b.at(at) | b.at(at + 1) << 8); }
inline std::string Text_At(const Bytes& b, size_t at, size_t n) {
  return std::string(b.begin() + at, b.begin() + at + n);
}
// A slot's text up to its first zero byte.
inline std::string Slot_Text(const Bytes& b, size_t at, size_t n) {
  std::string s = Text_At(b, at, n);
  return s.substr(0, s.find('\0'));
}

class BankTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Language_List == nullptr) Load_Default_Strings();
    std::filesystem::create_directories(dir_ / "bin");
    Project_Folder = dir_.Folder();
    Set_Files();
  }
  void TearDown() override {
    Project_Folder.clear();
    Set_Files();
  }

  void Write(const std::string& Name, const std::string& Content) {
    std::ofstream(dir_ / Name, std::ios::binary) << Content;
  }

  // ParGen.xml with one element per key, in the given order.
  void Write_ParGen(const std::vector<std::pair<std::string, std::string>>& Keys) {
    std::string inner;
    for (const auto& [k, v] : Keys) inner += "<" + k + ">" + Xml_Escape(v) + "</" + k + ">";
    Write("ParGen.xml", "<Par_Gen>" + inner + "</Par_Gen><!--SW_VERSION = 1.000-->");
  }

  // SNMP_Trap.xml from the rows of both sections.
  void Write_SNMP(const std::vector<Attrs>& Read, const std::vector<Attrs>& Write_Rows) {
    std::string r, w;
    for (const Attrs& a : Read) r += Element("row", a);
    for (const Attrs& a : Write_Rows) w += Element("row", a);
    Write("SNMP_Trap.xml", "<SNMP_Trap>" + Element("SNMP_Trap_Read", {}, r) +
                               Element("SNMP_Trap_Write", {}, w) + "</SNMP_Trap><!--SW_VERSION = 1.000-->");
  }

  static Bytes Read_File(const std::filesystem::path& P) {
    std::ifstream in(P, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    std::string s = ss.str();
    return Bytes(s.begin(), s.end());
  }

  // Builds, writes and reads both bank files back.
  void Build() {
    Build_Bin_Banks();
    ASSERT_TRUE(Write_Bin_Files());
    bank1 = Read_File(dir_ / "bin" / "bank1.bin");
    bank2 = Read_File(dir_ / "bin" / "bank2.bin");
  }

  TScratchFolder dir_{"bank_image"};
  Bytes bank1, bank2;
};

}  // namespace bank_test
