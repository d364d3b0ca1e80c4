// The DeviceNet offsets form with one slave of 65535 input and 65535 output bytes, every byte
// stored in DNETM_DefOff.xml: its show (slave list, stored positions, byte grids filled) and its
// save (byte grids back into the slave, check, the nested file written).
#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "ScratchProject.h"
#include "protocols/can/UDefOffset.h"

namespace {

constexpr int kBytes = 65535;

class BigSlave {
 public:
  BigSlave() {
    const std::string n = std::to_string(kBytes);
    Write(Path_DNETM_Net, "<DNET_Net><row ID=\"1\" NB_IN=\"" + n + "\" NB_OUT=\"" + n +
                              "\" Mnemonic=\"big\"/></DNET_Net><!--SW_VERSION = 1.000-->");
    std::string in, out;
    for (int j = 0; j < kBytes; ++j) {
      in += "<row Offset=\"" + std::to_string(j % 1440) + "\" Mnemonic=\"in" + std::to_string(j) + "\"/>";
      out += std::string("<row Offset=\"") + (j < 1440 ? std::to_string(j) : "None") + "\" Mnemonic=\"\"/>";
    }
    Write(Path_DNETM_DefOff, "<Define_Offset><Nodo_DNET><ByteIN>" + in + "</ByteIN><ByteOUT>" + out +
                                 "</ByteOUT></Nodo_DNET></Define_Offset><!--SW_VERSION = 1.000-->");
  }

 private:
  static void Write(const String& Path, const std::string& Text) {
    std::ofstream(StringToUtf8(Path), std::ios::binary) << Text;
  }
  bench::ScratchProject project_{"bench_devicenet"};
};

void BM_ShowSlaveOf65535Bytes(benchmark::State& state) {
  BigSlave slave;
  auto* form = New<TFDefOffset>(nullptr);
  form->FormCreate(form);
  for (auto _ : state) form->FormShow(form);
  if (form->ACG_ByteIN->RowCount() != kBytes + 1 || form->ACG_ByteIN->GetCellEx(1, kBytes) != u"734")
    state.SkipWithError("bytes not shown");
  delete form;
}
BENCHMARK(BM_ShowSlaveOf65535Bytes)->Unit(benchmark::kMillisecond);

void BM_SaveSlaveOf65535Bytes(benchmark::State& state) {
  BigSlave slave;
  auto* form = New<TFDefOffset>(nullptr);
  form->FormCreate(form);
  form->FormShow(form);
  for (auto _ : state) {
    form->Save_Data_ByteIN_ByteOUT();
    if (!form->Check_Data()) state.SkipWithError("the check failed");
    form->Save_Offset_Slave_DN();
  }
  delete form;
}
BENCHMARK(BM_SaveSlaveOf65535Bytes)->Unit(benchmark::kMillisecond);

}  // namespace
