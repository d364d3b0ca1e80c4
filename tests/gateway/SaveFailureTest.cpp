// The gateway's files under a disk that refuses the write: the previous file stays as it was and
// the error says what failed.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "gateway/ULoRaWAN_Gateway.h"
#include "gateway/USNMP_MIB.h"
#include "gateway/USNMP_Trap_Access.h"
#include "platform/Files.h"
#include "platform/testing/FailingWrites.h"
#include "platform/testing/ScratchFolder.h"
#include "shell/ULanguage.h"

namespace fs = std::filesystem;

namespace {

const std::string kOld = "<old>kept</old>";

struct Writer {
  const char* Name;
  const char* File;
  std::function<void(const String& Path)> Save;  // writes well over the limit
};

std::vector<Writer> Writers() {
  return {
      {"SNMP tables", "SNMP_Trap.xml",
       [](const String& p) {
         TSNMP_Trap_Tables t;
         t.Read.SetCell(srCommunity_Name, 1, u"public");
         t.Read.SetCell(srDescription, 1, u"temperature");
         Save_SNMP_Trap_File(p, t.Read, t.Write);
       }},
      {"LoRaWAN devices", "LoRaWAN_Gateway.xml",
       [](const String& p) {
         TDeviceLoRaList list;
         list.Items(0)->SetDeviceEUI(u"0004A30B001C0530");
         Save_LoRaWAN_Gateway_File(p, list);
       }},
      {"MIB", "GATEWAY.mib",
       [](const String& p) {
         Read_SNMP_Trap_Descriptions_From(u"/nonexistent/SNMP_Trap.xml");
         Save_SNMP_MIB(p);
       }},
  };
}

class SaveFailureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (Language_List == nullptr) Load_Default_Strings();
  }
  TScratchFolder dir_{"savefail"};
};

TEST_F(SaveFailureTest, SizeLimitKeepsThePreviousFile) {
  for (const Writer& w : Writers()) {
    SCOPED_TRACE(w.Name);
    const String path = FromPath(dir_ / w.File);
    ASSERT_TRUE(WriteFileBytes(path, kOld));
    const TChildValues v = RunWithFileSizeLimit(64, [&] {
      const std::string error = ErrorOf([&] { w.Save(path); });
      std::string after;
      ReadFileBytes(path, after);
      std::string names;
      for (const auto& e : fs::directory_iterator(dir_.Path())) names += e.path().filename().string() + " ";
      return TChildValues{error, after, names};
    });
    ASSERT_EQ(v.size(), 3u);
    EXPECT_NE(v[0].find("Error in file " + std::string(w.File) + ": Cannot save file \"" + StringToUtf8(path) +
                        "\": writing failed (File too large)."),
              std::string::npos)
        << v[0];
    EXPECT_EQ(v[1], kOld);
    EXPECT_EQ(v[2], std::string(w.File) + " ");
    fs::remove(dir_ / w.File);
  }
}

}  // namespace
