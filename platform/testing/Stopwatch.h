#pragma once
// Test support: elapsed wall time of the reference measurements.
#include <chrono>

namespace conftesting {

// Milliseconds since T0.
inline double MsSince(std::chrono::steady_clock::time_point T0) {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - T0).count();
}

}  // namespace conftesting
