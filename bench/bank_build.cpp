// Full device image builds: SNMP tables at their 256 + 256 rows, and a LoRaWAN section of
// 1000 devices with 15 rules each. BM_Image_Ratio pairs the build and write with its peer in
// the same run: pugixml reading the same input files and the bank bytes written plainly.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "Paired.h"
#include "gateway/USaveBincc.h"
#include "platform/Files.h"
#include "platform/testing/XmlReference.h"
#include "shell/UComon.h"

namespace {

class TempProject {
 public:
  explicit TempProject(const std::string& Tag) {
    dir_ = std::filesystem::temp_directory_path() / ("bench_bank_" + Tag + "_" + std::to_string(::getpid()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "bin");
    Project_Folder = FromPath(dir_);
    Set_Files();
  }
  ~TempProject() {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  void Write(const std::string& Name, const std::string& Content) {
    std::ofstream(dir_ / Name, std::ios::binary) << Content;
  }
  String Path(const std::string& Name) const { return FromPath(dir_ / Name); }

 private:
  std::filesystem::path dir_;
};

std::string Snmp_File() {
  std::string r, w;
  for (int i = 0; i < 256; ++i) {
    std::string n = std::to_string(i);
    r += "<row Enable=\"Y\" Community_Name=\"comm" + n + "\" Type=\"" + (i % 2 ? "Int" : "String") +
         "\" On_Change=\"Y\" On_Command=\"N\" On_Timer=\"Y\" Time=\"1000\" Position=\"" + n +
         "\" Bit=\"0\" NumBits=\"16\" Description=\"desc" + n +
         "\" IP_Address=\"192.168.1.10\" Conversion=\"Float * 10\" Mnemonic=\"m\"/>";
    w += "<row Enable=\"Y\" Community_Name=\"wcomm" + n + "\" Type=\"Int\" Position=\"" + n +
         "\" Bit=\"0\" NumBits=\"8\" Description=\"wdesc" + n + "\" Conversion=\"None\" Mnemonic=\"m\"/>";
  }
  return "<SNMP_Trap><SNMP_Trap_Read>" + r + "</SNMP_Trap_Read><SNMP_Trap_Write>" + w +
         "</SNMP_Trap_Write></SNMP_Trap><!--SW_VERSION = 1.000-->";
}

std::string LoRaWAN_File(int Devices, int Rules_Per_Device) {
  std::string s = "<LoRaWAN_Gateway><LoRaWAN_Devices_List>";
  for (int d = 0; d < Devices; ++d) {
    s += "<LoRaWAN_Device Enable=\"Y\" DeviceEUI=\"0011223344556677\" JoinEUI=\"8899AABBCCDDEEFF\" "
         "DeviceName=\"device\" ActivationMethod=\"Over-the-Air Activation [OTAA]\" "
         "NetworkSessionKey=\"000102030405060708090A0B0C0D0E0F\" "
         "ApplicationSessionKey=\"101112131415161718191A1B1C1D1E1F\" "
         "ApplicationKey=\"202122232425262728292A2B2C2D2E2F\" DeviceAddress=\"26011BDA\" Class=\"C\" "
         "DiagTimeOut=\"60000\" RX2_Datarate=\"SF9BW125\" Mnemonic=\"m\"><LoRaWAN_Rules><LoRaWAN_UpLink_Rules>";
    for (int r = 0; r < Rules_Per_Device; r += 2)
      s += "<Rule Enable=\"Y\" Port=\"10\" StartTest=\"0\" LenTest=\"2\" HexTest=\"Y\" ValueTest=\"ABCD\" "
           "StartBit=\"2\" NumberBits=\"4\" PositionBit=\"100\" Mnemonic=\"m\"/>";
    s += "</LoRaWAN_UpLink_Rules><LoRaWAN_DownLink_Rules>";
    for (int r = 1; r < Rules_Per_Device; r += 2)
      s += "<Rule Enable=\"Y\" Port=\"11\" StartBit=\"0\" NumberBits=\"4\" OnChange=\"Y\" OnCommand=\"N\" "
           "OnTimer=\"Y\" Time=\"5000\" PositionBit=\"200\" Mnemonic=\"m\"/>";
    s += "</LoRaWAN_DownLink_Rules></LoRaWAN_Rules></LoRaWAN_Device>";
  }
  return s + "</LoRaWAN_Devices_List></LoRaWAN_Gateway><!--SW_VERSION = 1.000-->";
}

void BM_Build_Snmp_Tables_Full(benchmark::State& state) {
  TempProject p("snmp");
  p.Write("ParGen.xml", "<Par_Gen><WiFi_SSID>net</WiFi_SSID></Par_Gen>");
  p.Write("SNMP_Trap.xml", Snmp_File());
  for (auto _ : state) {
    Build_Bin_Banks();
    benchmark::DoNotOptimize(Bank2_Length);
  }
}
BENCHMARK(BM_Build_Snmp_Tables_Full)->Unit(benchmark::kMillisecond);

void BM_Build_LoRaWAN_1000x15(benchmark::State& state) {
  TempProject p("lorawan");
  p.Write("ParGen.xml", "<Par_Gen><LoRaWAN_RF_Band>EU868</LoRaWAN_RF_Band></Par_Gen>");
  p.Write("SNMP_Trap.xml", Snmp_File());
  p.Write("LoRaWAN_Gateway.xml", LoRaWAN_File(1000, 15));
  for (auto _ : state) {
    Build_Bin_Banks();
    benchmark::DoNotOptimize(Bank2_Length);
  }
  state.counters["bank2_bytes"] = Bank2_Length;
}
BENCHMARK(BM_Build_LoRaWAN_1000x15)->Unit(benchmark::kMillisecond);

void BM_Build_And_Write(benchmark::State& state) {
  TempProject p("write");
  p.Write("SNMP_Trap.xml", Snmp_File());
  p.Write("LoRaWAN_Gateway.xml", LoRaWAN_File(1000, 15));
  for (auto _ : state) {
    Build_Bin_Banks();
    benchmark::DoNotOptimize(Write_Bin_Files());
  }
}
BENCHMARK(BM_Build_And_Write)->Unit(benchmark::kMillisecond);

// The peer's work: read the three input files with pugixml, then write bytes as many as the two
// banks hold, each file at once.
size_t Peer_Read_And_Write(const TempProject& P, size_t Bank1_Bytes, size_t Bank2_Bytes) {
  size_t sum = ReadXmlWithPugi(P.Path("ParGen.xml")) + ReadXmlWithPugi(P.Path("SNMP_Trap.xml")) +
               ReadXmlWithPugi(P.Path("LoRaWAN_Gateway.xml"));
  const std::string bank1(Bank1_Bytes, '\x5A'), bank2(Bank2_Bytes, '\xA5');
  std::ofstream(ToPath(P.Path("bin/peer1.bin")), std::ios::binary).write(bank1.data(), static_cast<std::streamsize>(bank1.size()));
  std::ofstream(ToPath(P.Path("bin/peer2.bin")), std::ios::binary).write(bank2.data(), static_cast<std::streamsize>(bank2.size()));
  return sum;
}

// Both in each iteration, alternately: ratio below 1 means the builder is faster than its peer.
void BM_Image_Ratio(benchmark::State& state) {
  TempProject p("pair");
  p.Write("ParGen.xml", "<Par_Gen><LoRaWAN_RF_Band>EU868</LoRaWAN_RF_Band></Par_Gen>");
  p.Write("SNMP_Trap.xml", Snmp_File());
  p.Write("LoRaWAN_Gateway.xml", LoRaWAN_File(1000, 15));
  Build_Bin_Banks();
  const size_t bank1 = static_cast<size_t>(Bank1_Length), bank2 = static_cast<size_t>(Bank2_Length);
  bench::PairedTimes times;
  size_t sum = 0;
  for (auto _ : state) {
    const double ours = bench::TimeMs([&] {
      Build_Bin_Banks();
      benchmark::DoNotOptimize(Write_Bin_Files());
    });
    const double peer = bench::TimeMs([&] { sum += Peer_Read_And_Write(p, bank1, bank2); });
    times.Add(ours, peer);
  }
  benchmark::DoNotOptimize(sum);
  state.counters["bank_bytes"] = static_cast<double>(bank1 + bank2);
  times.Report(state, "image_ms");
}
BENCHMARK(BM_Image_Ratio)->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace
