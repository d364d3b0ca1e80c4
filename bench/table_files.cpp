// Table files at the sizes the forms allow: the SNMP tables (2 x 256 rows) and the LoRaWAN
// device list (1000 devices; one device with full 1024-rule lists).
#include <benchmark/benchmark.h>

#include <filesystem>

#include <unistd.h>

#include "gateway/ULoRaWAN_Gateway.h"
#include "gateway/USNMP_Trap_Access.h"
#include "platform/Files.h"

namespace {

String TempPath(const char* name) {
  return FromPath(std::filesystem::temp_directory_path() /
                  (std::string("bench_") + name + "_" + std::to_string(::getpid()) + ".xml"));
}

void FillSnmp(TSNMP_Trap_Tables& t) {
  for (int r = 1; r <= SNMP_Trap_Rows; ++r) {
    for (int c = 2; c < SNMP_Read_ColCount; ++c) t.Read.SetCell(c, r, u"value" + IntToStr(c));
    for (int c = 2; c < SNMP_Write_ColCount; ++c) t.Write.SetCell(c, r, u"value" + IntToStr(c));
  }
}

void FillLoRaWAN(TDeviceLoRaList& l, int rulesPerDevice, int devices) {
  for (int i = 0; i < devices; ++i) {
    TDeviceLoRa& d = *l[i];
    d.SetDeviceEUI(u"0004A30B001C0530");
    d.SetActMethod(LoRaWAN_Act_ABP);
    for (int k = 0; k < rulesPerDevice; ++k) {
      TRuleLoRa* u = d.UpLinkRules.Add();
      u->SetPort(u"10");
      u->SetStartBit(u"0");
      u->SetNumBits(u"4");
      u->SetPosBit(IntToStr(k));
      TRuleLoRa* w = d.DownLinkRules.Add();
      w->SetPort(u"20");
      w->SetTime(u"1000");
    }
  }
}

void BM_SnmpTrapSaveLoad(benchmark::State& state) {
  TSNMP_Trap_Tables t;
  FillSnmp(t);
  const String path = TempPath("snmp");
  for (auto _ : state) {
    Save_SNMP_Trap_File(path, t.Read, t.Write);
    TSNMP_Trap_Tables back;
    Load_SNMP_Trap_File(path, back.Read, back.Write);
    benchmark::DoNotOptimize(back.Read.Cell(2, SNMP_Trap_Rows));
  }
  DeleteFile(path);
}
BENCHMARK(BM_SnmpTrapSaveLoad)->Unit(benchmark::kMillisecond);

// range(0): rules per list; range(1): devices.
void BM_LoRaWANSaveLoad(benchmark::State& state) {
  TDeviceLoRaList l;
  FillLoRaWAN(l, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
  const String path = TempPath("lorawan");
  for (auto _ : state) {
    Save_LoRaWAN_Gateway_File(path, l);
    TDeviceLoRaList back;
    Load_LoRaWAN_Gateway_File(path, back, true);
    benchmark::DoNotOptimize(back.LoadedDevices());
  }
  DeleteFile(path);
}
BENCHMARK(BM_LoRaWANSaveLoad)->Args({8, 1000})->Args({LoRaWAN_Max_Rules, 1})->Args({LoRaWAN_Max_Rules, 10})
    ->Unit(benchmark::kMillisecond);

}  // namespace
