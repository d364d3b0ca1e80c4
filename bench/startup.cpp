// Start-up of the program to its main window at rest against a bare Qt window, each in a fresh
// process: from fork to the moment the window has painted and the event loop is idle (the
// time), and the resident memory at that moment. The program side is startup_program (it creates
// the program's forms as the program's entry does, linked as the program is); the bare side is
// bare_qt_window, linked against Qt alone. Ratios are program / bare window.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "Paired.h"

namespace {

std::filesystem::path g_folder;  // the program folder of the program child

struct Start {
  bool Ok = false;
  double Ms = 0;
  double RssMb = 0;
  std::string Report;
};

double RssMbOf(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("VmRSS:", 0) == 0) return std::strtod(line.c_str() + 6, nullptr) / 1024.0;
  }
  return 0;
}

// Runs args[0] with the report and hold descriptors appended to args; times it to its report.
Start Spawn(std::vector<std::string> args) {
  Start s;
  int report[2], hold[2];
  if (pipe(report) != 0) return s;
  if (pipe(hold) != 0) {
    close(report[0]);
    close(report[1]);
    return s;
  }
  args.push_back(std::to_string(report[1]));
  args.push_back(std::to_string(hold[0]));
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const auto t0 = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid == 0) {
    close(report[0]);
    close(hold[1]);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(report[1]);
  close(hold[0]);
  if (pid > 0) {
    char buf[128];
    ssize_t n;
    while ((n = read(report[0], buf, sizeof buf)) > 0) {
      s.Report.append(buf, static_cast<size_t>(n));
      if (s.Report.find('\n') != std::string::npos) break;
    }
    s.Ms = bench::MillisecondsOf(t0);
    s.RssMb = RssMbOf(pid);
    s.Ok = s.Report.rfind("idle", 0) == 0;
  }
  close(hold[1]);
  close(report[0]);
  if (pid > 0) waitpid(pid, nullptr, 0);
  return s;
}

Start Program() { return Spawn({CONF_STARTUP_PROGRAM, g_folder.string()}); }

Start Bare(const std::string& width, const std::string& height) {
  return Spawn({CONF_BARE_QT_WINDOW, width, height});
}

void BM_StartUp(benchmark::State& state) {
  // A first start of each: the program makes its folders and settings, and the files of both
  // are in the page cache before the timed pairs.
  Start first = Program();
  if (!first.Ok) {
    state.SkipWithError(("the program did not come to rest: " + first.Report).c_str());
    return;
  }
  // "idle <client width> <client height>": the bare window gets the main window's size.
  std::string width = "800", height = "600";
  {
    const size_t a = first.Report.find(' '), b = first.Report.find(' ', a + 1);
    if (a != std::string::npos && b != std::string::npos) {
      width = first.Report.substr(a + 1, b - a - 1);
      height = first.Report.substr(b + 1, first.Report.find('\n') - b - 1);
    }
  }
  if (!Bare(width, height).Ok) {
    state.SkipWithError("the bare Qt window did not come to rest");
    return;
  }
  bench::PairedTimes time, memory;
  for (auto _ : state) {
    for (int i = 0; i < state.range(0); ++i) {
      Start ours, bare;
      if (i % 2 == 0) {
        ours = Program();
        bare = Bare(width, height);
      } else {
        bare = Bare(width, height);
        ours = Program();
      }
      if (!ours.Ok || !bare.Ok) {
        state.SkipWithError("a start did not come to rest");
        return;
      }
      time.Add(ours.Ms, bare.Ms);
      memory.Add(ours.RssMb, bare.RssMb);
    }
  }
  time.Report(state, "to_idle_ms");
  memory.Report(state, "rss_mb");
}
BENCHMARK(BM_StartUp)->Arg(15)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  // Both sides run on the same Qt platform; offscreen unless the caller chose one.
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  g_folder = std::filesystem::temp_directory_path() / ("bench_startup_" + std::to_string(getpid()));
  std::filesystem::create_directories(g_folder);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(g_folder, ec);
  return 0;
}
