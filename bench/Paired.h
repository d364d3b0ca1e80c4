#pragma once
// Paired timing: our code and its peer run alternately in the same process, so a machine busy
// with other work slows both alike; min and median of each side and of the per-pair ratio.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace bench {

inline double MillisecondsOf(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

template <class Fn>
double TimeMs(Fn&& fn) {
  const auto t0 = std::chrono::steady_clock::now();
  fn();
  return MillisecondsOf(t0);
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double Min(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

struct PairedTimes {
  std::vector<double> Ours, Peer;

  void Add(double OursMs, double PeerMs) {
    Ours.push_back(OursMs);
    Peer.push_back(PeerMs);
  }
  // Counters <Name>_min/med, <Name>_peer_min/med, <Name>_ratio_min/med (the name carries the
  // unit); the ratio of the medians is the figure to read, the ratio of the minimums the best case.
  void Report(benchmark::State& State, const std::string& Name) const {
    const double om = Min(Ours), od = Median(Ours), pm = Min(Peer), pd = Median(Peer);
    State.counters[Name + "_min"] = om;
    State.counters[Name + "_med"] = od;
    State.counters[Name + "_peer_min"] = pm;
    State.counters[Name + "_peer_med"] = pd;
    State.counters[Name + "_ratio_min"] = pm > 0 ? om / pm : 0;
    State.counters[Name + "_ratio_med"] = pd > 0 ? od / pd : 0;
  }
};

}  // namespace bench
