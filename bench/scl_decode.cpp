// Decoding generated SCD files of two sizes, the larger 50 logical devices x 40 logical nodes with
// 2,000 type elements, the smaller a fifth of both: the time per logical node stays the same when
// the decoding is linear.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/Files.h"
#include "protocols/ethernet_it/UIEC_Client_Decode.h"

namespace {

// Types: a tenth logical node types (5 DOs each), half data object types (2 DAs, one a structure),
// the rest attribute types (2 BDAs each). Every LN0 holds a data set of 10 members.
std::string Scd(int Devices, int NodesPerDevice, int TypeElements) {
  const int lnTypes = TypeElements / 10, doTypes = TypeElements / 2, daTypes = TypeElements - lnTypes - doTypes;
  std::string s = "<SCL><IED name=\"IED\"><AccessPoint name=\"AP\"><Server>";
  for (int d = 0; d < Devices; ++d) {
    s += "<LDevice inst=\"LD" + std::to_string(d) +
         "\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"LNT0\"><DataSet name=\"DS\">";
    for (int m = 1; m <= 10; ++m)
      s += "<FCDA ldInst=\"LD" + std::to_string(d) + "\" lnClass=\"GGIO\" lnInst=\"" + std::to_string(m) +
           "\" doName=\"D0\" daName=\"s.b0\"/>";
    s += "</DataSet></LN0>";
    for (int n = 1; n < NodesPerDevice; ++n)
      s += "<LN lnClass=\"GGIO\" inst=\"" + std::to_string(n) + "\" lnType=\"LNT" +
           std::to_string((d * NodesPerDevice + n) % lnTypes) + "\"/>";
    s += "</LDevice>";
  }
  s += "</Server></AccessPoint></IED><DataTypeTemplates>";
  for (int t = 0; t < lnTypes; ++t) {
    s += "<LNodeType id=\"LNT" + std::to_string(t) + "\" lnClass=\"GGIO\">";
    for (int k = 0; k < 5; ++k)
      s += "<DO name=\"D" + std::to_string(k) + "\" type=\"DOT" + std::to_string((t * 5 + k) % doTypes) + "\"/>";
    s += "</LNodeType>";
  }
  for (int t = 0; t < doTypes; ++t)
    s += "<DOType id=\"DOT" + std::to_string(t) + "\" cdc=\"SPS\"><DA name=\"v\" bType=\"BOOLEAN\" fc=\"ST\"/>" +
         "<DA name=\"s\" bType=\"Struct\" type=\"DAT" + std::to_string(t % daTypes) + "\" fc=\"ST\"/></DOType>";
  for (int t = 0; t < daTypes; ++t)
    s += "<DAType id=\"DAT" + std::to_string(t) +
         "\"><BDA name=\"b0\" bType=\"INT32\"/><BDA name=\"b1\" bType=\"FLOAT32\"/></DAType>";
  return s + "</DataTypeTemplates></SCL>";
}

// range(0): logical devices; 40 nodes each; range(1): type elements.
void BM_SclDecode(benchmark::State& state) {
  const int devices = static_cast<int>(state.range(0)), types = static_cast<int>(state.range(1));
  const std::filesystem::path p =
      std::filesystem::temp_directory_path() / ("bench_scl_" + std::to_string(::getpid()) + ".scd");
  std::ofstream(p, std::ios::binary) << Scd(devices, 40, types);
  const String path = FromPath(p);
  for (auto _ : state) {
    TIEC_Device dev(path);
    benchmark::DoNotOptimize(dev.List_LDevice().size());
  }
  std::filesystem::remove(p);
  state.SetItemsProcessed(state.iterations() * devices * 40);  // logical nodes
}
BENCHMARK(BM_SclDecode)->Args({10, 400})->Args({50, 2000})->Unit(benchmark::kMillisecond);

}  // namespace
