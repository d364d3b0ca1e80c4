#pragma once
// Our side and its peer alternate in the same run (each pair in the other order than the one
// before), so a machine busy with other work slows both alike. Each figure is reported as min and
// median of each side and the ratios of those.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace paired {

inline double Since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

inline double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double Min(const std::vector<double>& v) { return v.empty() ? 0 : *std::min_element(v.begin(), v.end()); }

struct Figure {
  std::vector<double> Ours, Peer;

  void Add(double OursValue, double PeerValue) {
    Ours.push_back(OursValue);
    Peer.push_back(PeerValue);
  }
  // <Name>_min, <Name>_med, <Name>_peer_min, <Name>_peer_med, <Name>_ratio_min, <Name>_ratio_med.
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

}  // namespace paired
