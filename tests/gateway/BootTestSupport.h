#pragma once
// The update dialog in a throw-away program folder, with the shared state it reads and writes
// put back afterwards, and an echo client that stands in for the network on the tick clock.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "button/LbButton.h"
#include "gateway/UBoot.h"
#include "platform/Dialogs.h"
#include "platform/Files.h"
#include "platform/IcmpEcho.h"
#include "platform/TimeSource.h"
#include "platform/testing/ScratchFolder.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace boot_test {

inline std::string Read_File(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string Text(int index) { return StringToUtf8(Language_List->Strings(index)); }

// Answers echo i (0-based) after Answer_After_Ms[i] ms, or never when the entry is negative or
// missing; an unanswered echo times out after ReceiveTimeout like the real client.
class TFakeEcho : public TIcmpEchoClient {
 public:
  explicit TFakeEcho(std::vector<int> answerAfterMs) : TIcmpEchoClient(nullptr), answers_(std::move(answerAfterMs)) {
    SetReceiveTimeout(Boot_Echo_Timeout_Ms);
  }
  void Send(const String& AData) override {
    uint32_t addr = 0;
    if (!Parse_Dotted_IPv4(Host(), addr)) throw EIcmpError(u"not an address");
    data.push_back(AData);
    hosts.push_back(Host());
    Begin_Echo();
    sentAt_ = GetTickCount();
  }
  void Poll() override {
    if (!Pending()) return;
    const size_t i = static_cast<size_t>(EchoesSent() - 1);
    const int after = i < answers_.size() ? answers_[i] : -1;
    if (after >= 0 && TicksElapsed(sentAt_, GetTickCount()) >= static_cast<uint32_t>(after)) {
      TReplyStatus s;
      s.ReplyStatusType = rsEcho;
      s.BytesReceived = Boot_Echo_Data_Size;
      s.FromIpAddress = Host();
      s.SequenceId = Sequence();
      Report(s);
      return;
    }
    TIcmpEchoClient::Poll();  // the time-out
  }
  std::vector<String> data, hosts;

 private:
  std::vector<int> answers_;
  uint32_t sentAt_ = 0;
};

class BootTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Load_Default_Strings();
    saved_ = {Program_Folder, Master_Folder, Project_Folder, Last_IP_Address};
    savedOption_ = Last_Update_Option;
    savedReadBack_ = Last_Read_Back;
    Program_Folder = dir_.Folder();
    Master_Folder = Utf8ToString((dir_ / "MASTER").string());
    Project_Folder = Utf8ToString((dir_ / "PROJECTS" / "Plant").string());
    Last_IP_Address = u"192.168.2.205";
    Last_Update_Option = 0;
    Last_Read_Back = true;
    form = New<TFBoot>(nullptr);
    form->Form_Type = 1;
    form->Set_Lang();  // fills the option list, as every showing does
  }
  void TearDown() override {
    delete form;
    ResetTimeSources();
    Set_Start_Program_Limit(Start_Program_Default_Limit_Ms);
    Program_Folder = saved_[0];
    Master_Folder = saved_[1];
    Project_Folder = saved_[2];
    Last_IP_Address = saved_[3];
    Last_Update_Option = savedOption_;
    Last_Read_Back = savedReadBack_;
  }
  void Set_Address(const char16_t* a, const char16_t* b, const char16_t* c, const char16_t* d) {
    form->E_IP1->SetText(a);
    form->E_IP2->SetText(b);
    form->E_IP3->SetText(c);
    form->E_IP4->SetText(d);
  }
  std::filesystem::path Script_Path() const { return dir_ / "Ethernet_Update.xml"; }

  TFBoot* form = nullptr;
  TScratchFolder dir_{"boot_test"};

 private:
  std::vector<String> saved_;
  int32_t savedOption_ = 0;
  bool savedReadBack_ = true;
};

}  // namespace boot_test
