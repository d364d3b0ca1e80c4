// A language file of 5,500 entries applied over the built-in texts, against Qt's string classes
// given the same grammar in the same run (bench::PairedTimes: min and median of each side and of
// their ratio).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "Paired.h"
#include "platform/Files.h"
#include "platform/testing/QtReferenceTexts.h"
#include "shell/UBuiltinTexts.h"
#include "shell/ULanguage.h"

namespace {

constexpr int kEntries = 5500;

// Entries as translators write them: a comment header, blanks around "=", accented text, now and
// then a note after "/#/" and a text kept in pilcrows.
std::string LanguageFile() {
  std::string s = "; Language file\r\n; Traduction fran\xC3\xA7" "aise\r\n\r\n";
  for (int i = 0; i < kEntries; ++i) {
    const std::string n = std::to_string(i);
    s += "STR" + n + " = ";
    if (i % 50 == 0)
      s += "\xC2\xB6 Valeur " + n + " \xC2\xB6";
    else
      s += "Param\xC3\xA8tre de la passerelle num\xC3\xA9ro " + n + " : valeur %d";
    if (i % 20 == 0) s += "   /#/ note for the translator";
    s += "\r\n";
  }
  return s;
}

class TempFile {
 public:
  TempFile(const char* Name, const std::string& Bytes)
      : path_(std::filesystem::temp_directory_path() / (std::string(Name) + "_" + std::to_string(::getpid()))) {
    std::ofstream(path_, std::ios::binary) << Bytes;
  }
  ~TempFile() {
    std::error_code ec;
    std::filesystem::remove(path_, ec);
  }
  String Path() const { return FromPath(path_); }

 private:
  std::filesystem::path path_;
};

void BM_Load_Language_File(benchmark::State& state) {
  TempFile file("bench_language.lng", LanguageFile());
  Load_Default_Strings();
  for (auto _ : state) benchmark::DoNotOptimize(Load_Language_File(file.Path()));
}
BENCHMARK(BM_Load_Language_File)->Unit(benchmark::kMillisecond);

void BM_Qt_Language_File(benchmark::State& state) {
  TempFile file("bench_language_qt.lng", LanguageFile());
  TQtLanguageTable table(Builtin_Text_Count);
  for (auto _ : state) benchmark::DoNotOptimize(table.Load(file.Path()));
}
BENCHMARK(BM_Qt_Language_File)->Unit(benchmark::kMillisecond);

// Both in each iteration, alternately: ratio below 1 means the program's loader is faster.
void BM_Language_Ratio(benchmark::State& state) {
  TempFile file("bench_language_pair.lng", LanguageFile());
  Load_Default_Strings();
  TQtLanguageTable table(Builtin_Text_Count);
  bench::PairedTimes times;
  for (auto _ : state) {
    const double ours = bench::TimeMs([&] { Load_Language_File(file.Path()); });
    const double peer = bench::TimeMs([&] { table.Load(file.Path()); });
    times.Add(ours, peer);
  }
  benchmark::DoNotOptimize(table.Checksum());
  times.Report(state, "load_ms");
}
BENCHMARK(BM_Language_Ratio)->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace
