// The LoRaWAN Access form with 1,000 devices of 15 uplink and 15 downlink rules each: its show
// (reset of the model and the three grids, load of LoRaWAN_Gateway.xml, devices and the first
// device's rules into the grids) with the window painted until idle, and a click on a device row
// refilling the two 1,024-row rule grids. Peer in the same run: the same file loaded into a plain
// device list, no grid.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <unistd.h>

#include "gateway/ULoRaWAN_GatewayForm.h"
#include "platform/Files.h"
#include "platform/testing/StartupProbe.h"
#include "shell/UComon.h"
#include "shell/ULanguage.h"

namespace {

constexpr int kRules = 15;

class FullList {
 public:
  FullList() : folder_(std::filesystem::temp_directory_path() / ("bench_lorawan_form_" + std::to_string(getpid()))) {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
    Load_Default_Strings();
    Soft_Code = Soft_Code_Init;
    Project_Folder = FromPath(folder_);
    Set_Files();
    TDeviceLoRaList list;
    for (int i = 0; i < list.Count(); ++i) {
      TDeviceLoRa& d = *list[i];
      const String n = IntToStr(i + 1);
      d.SetDeviceEUI(String(16 - n.size(), u'0') + n);
      d.SetJoinEUI(u"8899AABBCCDDEEFF");
      d.SetDeviceName(u"device" + n);
      d.SetActMethod(i % 2 ? LoRaWAN_Act_OTAA : LoRaWAN_Act_ABP);
      d.SetNetSessKey(String(32, u'1'));
      d.SetAppSessKey(String(32, u'2'));
      d.SetAppKey(String(32, u'3'));
      d.SetDevAdd(u"26011BDA");
      d.SetClassLoRa(u"A");
      d.SetDiagTimeOut(u"60000");
      d.SetMnemonic(u"m" + n);
      for (int r = 0; r < kRules; ++r) {
        TRuleLoRa& up = *d.UpLinkRules.Add();
        up.SetPort(IntToStr(r + 1));
        up.SetStartBit(u"0");
        up.SetNumBits(u"4");
        up.SetPosBit(IntToStr(r * 4));
        up.SetMnemonic(u"up" + IntToStr(r));
        TRuleLoRa& down = *d.DownLinkRules.Add();
        down.SetPort(IntToStr(r + 1));
        down.SetStartBit(u"0");
        down.SetNumBits(u"4");
        down.SetOnTimer(true);
        down.SetTime(u"1000");
        down.SetPosBit(IntToStr(r * 4));
        down.SetMnemonic(u"down" + IntToStr(r));
      }
    }
    Save_LoRaWAN_Gateway_File(Path_LoRaWAN_Gateway, list);
  }
  ~FullList() {
    std::error_code ec;
    std::filesystem::remove_all(folder_, ec);
  }

 private:
  std::filesystem::path folder_;
};

TFLoRaWAN_Gateway* NewForm() { return New<TFLoRaWAN_Gateway>(nullptr); }

void BM_ShowFullList(benchmark::State& state) {
  FullList files;
  auto* form = NewForm();
  for (auto _ : state) {
    ShowFormUntilIdle(form);
    form->Hide();
    Application->ProcessMessages();
  }
  if (form->ASG_LoRaWAN_Device_List->GetCellEx(2, 1000) != u"0000000000001000") state.SkipWithError("not loaded");
  delete form;
}
BENCHMARK(BM_ShowFullList)->Unit(benchmark::kMillisecond);

// Two devices clicked in turn: each click stores nothing new and refills both rule grids.
void BM_DeviceClickRefillsRules(benchmark::State& state) {
  FullList files;
  auto* form = NewForm();
  form->FormShow(form);
  TAdvStringGrid* grid = form->ASG_LoRaWAN_Device_List;
  int row = 1;
  for (auto _ : state) {
    row = row == 1 ? 500 : 1;
    grid->SetRowEx(row);
    form->Grid_ClickCell(grid, row, 2);
  }
  if (form->ACG_LoRaWAN_Uplink->GetCellEx(10, kRules) != u"up14") state.SkipWithError("rules not shown");
  delete form;
}
BENCHMARK(BM_DeviceClickRefillsRules)->Unit(benchmark::kMillisecond);

void BM_LoadIntoPlainList(benchmark::State& state) {
  FullList files;
  TDeviceLoRaList list;
  for (auto _ : state) benchmark::DoNotOptimize(Load_LoRaWAN_Gateway_File(Path_LoRaWAN_Gateway, list, true));
}
BENCHMARK(BM_LoadIntoPlainList)->Unit(benchmark::kMillisecond);

}  // namespace
