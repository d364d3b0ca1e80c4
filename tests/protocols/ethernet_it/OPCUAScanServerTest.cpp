// The OPC UA browse form with a stand-in library the tests build: the call order, the library
// released on every path, the table from the records, the whole-column buttons, and the errors.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/Files.h"
#include "platform/testing/InputDriver.h"
#include "platform/testing/ModalScript.h"
#include "platform/testing/ScratchFolder.h"
#include "protocols/ethernet_it/UOPC_UA_Scan_Server.h"
#include "shell/ULanguage.h"
#include "tests/support/TableRows.h"

namespace {

using table_rows::Cells;
using table_rows::Row_Of;

class OpcUaScanTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    log_ = (scratch_ / "double.log").string();
    setenv("OPCUA_DOUBLE_LOG", log_.c_str(), 1);
    unsetenv("OPCUA_DOUBLE_COUNT");
    SetProgramFolderForTests(Utf8ToString(OPCUA_DOUBLE_DIR));
    scan_ = New<TFOPC_UA_Scan_Server>(nullptr);
  }
  void TearDown() override {
    delete scan_;
    unsetenv("OPCUA_DOUBLE_LOG");
    unsetenv("OPCUA_DOUBLE_COUNT");
    SetProgramFolderForTests(String());
  }
  // Shows the form for Address; the browse runs when its timer is due, then Drive.
  int Browse(
      const char* Address, const std::function<void()>& Drive = [] {}) {
    scan_->Server.server_address = Address;
    scan_->Server.user_pass_auth_flag = 1;
    scan_->Server.username = "op";
    scan_->Server.password = "pw";
    scan_->Server.cert = scan_->Server.priv_key = "";
    scan_->Server.security_type = 2;
    scan_->Server.security_policy = 3;
    script_.AnswerModal(u"FOPC_UA_Scan_Server", [&](TForm*) {
      driver_.AdvanceTime(99);
      EXPECT_EQ(Log(), "") << "the browse waits for the timer";
      driver_.AdvanceTime(1);
      Drive();
      return mrOk;
    });
    return scan_->ShowModal();
  }
  std::string Log() const {
    std::ifstream in(log_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::vector<String> Messages() const {
    std::vector<String> m;
    for (const auto& r : script_.Messages()) m.push_back(r.Text);
    return m;
  }
  Cells Row(int R) const { return Row_Of(scan_->ACG_OPC_UA_Scan_Var, R); }

  TScratchFolder scratch_{"opc_ua_scan"};
  std::string log_;
  ModalScript script_;
  InputDriver driver_;
  TFOPC_UA_Scan_Server* scan_ = nullptr;
};

}  // namespace

TEST_F(OpcUaScanTest, TheRecordsFillTheTableAndTheLibraryIsReleasedAfterwards) {
  EXPECT_EQ(Browse("opc.tcp://127.0.0.1:4840"), mrOk);
  EXPECT_EQ(Log(),
            "load\nbegin opc.tcp://127.0.0.1:4840 1 op pw   2 3\nvariable 0\nvariable 1\nvariable 2\nvariable 3\n"
            "variable 4\nrelease\n");
  EXPECT_TRUE(Messages().empty());
  EXPECT_FALSE(scan_->LWaiting->Visible());
  ASSERT_EQ(scan_->ACG_OPC_UA_Scan_Var->RowCount(), 6);
  EXPECT_EQ(Row(1), (Cells{u"Y", u"Y", u"var0", u"Numeric", u"4294967295", u"Boolean", u"1", u"Read/Write"}));
  EXPECT_EQ(Row(2), (Cells{u"Y", u"N", u"Grüße", u"String", u"Plant.Temp", u"Int16", u"2", u"Read"}));
  EXPECT_EQ(Row(3),
            (Cells{u"N", u"Y", u"var2", u"Guid", u"0123ABCD-EF01-2345-6789-ABCDEF113355", u"UInt32", u"3", u"Write"}));
  EXPECT_EQ(Row(4), (Cells{u"N", u"N", u"var3", u"ByteString", u"AQID", u"Float", u"4", u"Read/Write"}));
  EXPECT_EQ(Row(5), (Cells{u"Y", u"Y", u"var4", u"Numeric", u"4294967291", u"", u"5", u"Read/Write"}));
  // The kept copies outlive the library; the records hold no pointer into it.
  EXPECT_EQ(scan_->List_Var_Texts[3].ByteString, u"AQID");
  EXPECT_EQ(scan_->List_Var[1].displayName, nullptr);

  // Select All W, then Clear All R: every row a write variable only.
  driver_.Click(scan_->Btn_SelectAllWrite);
  driver_.Click(scan_->Btn_ClearAllRead);
  for (int r = 1; r <= 5; ++r) EXPECT_EQ((Cells{Row(r)[0], Row(r)[1]}), (Cells{u"N", u"Y"})) << r;

  // No address: no library call, the previous list from the kept copies.
  std::remove(log_.c_str());
  scan_->Server = opcua_server_to_discover();
  script_.AnswerModal(u"FOPC_UA_Scan_Server", mrCancel);
  scan_->ShowModal();
  driver_.AdvanceTime(500);
  EXPECT_EQ(Log(), "");
  EXPECT_EQ(Row(2)[2], u"Grüße");
}

TEST_F(OpcUaScanTest, AMissingLibraryOrExportIsReportedAndTheLibraryStillReleased) {
  TScratchFolder empty{"opc_ua_none"};
  SetProgramFolderForTests(empty.Folder());
  Browse("opc.tcp://127.0.0.1:4840", [&] {
    EXPECT_TRUE(scan_->LWaiting->Visible());  // the waiting text stays
  });
  EXPECT_EQ(Messages(), (std::vector<String>{u"Error DLL not Found!!"}));
  EXPECT_EQ(scan_->ACG_OPC_UA_Scan_Var->RowCount(), 2);
  EXPECT_EQ(Row(1)[2], u"");

  SetProgramFolderForTests(Utf8ToString(OPCUA_DOUBLE_NO_RETURN_DIR));
  Browse("opc.tcp://127.0.0.1:4840");
  EXPECT_EQ(Messages().back(), u"Error Functions in DLL not Found!!");
  EXPECT_EQ(Log(), "load\nrelease\n");
}

TEST_F(OpcUaScanTest, NoVariablesShowOneEmptyRowAndAFailureItsReason) {
  setenv("OPCUA_DOUBLE_COUNT", "0", 1);
  Browse("opc.tcp://127.0.0.1:4840");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(scan_->ACG_OPC_UA_Scan_Var->RowCount(), 2);
  EXPECT_TRUE(scan_->List_Var.empty());
  EXPECT_FALSE(scan_->LWaiting->Visible());

  setenv("OPCUA_DOUBLE_COUNT", "-3", 1);
  std::remove(log_.c_str());
  Browse("opc.tcp://127.0.0.1:1");
  EXPECT_EQ(Messages(), (std::vector<String>{u"Error!! The scan of the OPC UA Server failed: BadTimeout: no answer"}));
  EXPECT_EQ(Log(), "load\nbegin opc.tcp://127.0.0.1:1 1 op pw   2 3\nrelease\n");
  EXPECT_EQ(scan_->ACG_OPC_UA_Scan_Var->RowCount(), 2);
}
