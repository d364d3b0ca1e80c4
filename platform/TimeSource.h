#pragma once
// Wall clock and millisecond tick of the program. Both can be replaced in tests; the event
// loop's timers read their ticks from here.
#include <cstdint>
#include <functional>

#include "platform/SysUtils.h"

// Local wall-clock time as TDateTime (or the test clock when one is installed).
TDateTime ClockNow();
// Milliseconds of a monotonic clock (or the test ticks); wraps at 2^32 like the system's.
uint32_t GetTickCount();
// Milliseconds from `from` to `to`, correct across one wrap of the counter.
inline uint32_t TicksElapsed(uint32_t from, uint32_t to) { return to - from; }

// Blocks the calling thread for ms milliseconds; with a virtual clock installed it only moves that
// clock on (no timer fires meanwhile), as a blocked thread would see it.
void Sleep(uint32_t ms);

class TimeSource {
 public:
  // An empty function puts the real source back.
  static void SetTestClock(std::function<TDateTime()> clock);
  static void SetTestTicks(std::function<uint32_t()> ticks);
  static void ResetTimeSources();
};

void SetTestClock(std::function<TDateTime()> clock);
void SetTestTicks(std::function<uint32_t()> ticks);
// Puts the real clock and tick back.
void ResetTimeSources();

// A clock that moves only when told to. Install() makes ClockNow/GetTickCount read it; the
// destructor puts the real sources back if this clock is still the installed one.
class VirtualClock {
 public:
  explicit VirtualClock(TDateTime start = 46000.5 /* 2025-12-09 12:00 */, uint32_t startTicks = 1000);
  ~VirtualClock();
  VirtualClock(const VirtualClock&) = delete;
  VirtualClock& operator=(const VirtualClock&) = delete;

  void Advance(uint32_t ms);
  TDateTime Now() const;
  uint32_t Ticks() const { return ticks_; }
  void Install();

 private:
  TDateTime start_ = 0;
  uint64_t elapsedMs_ = 0;
  uint32_t ticks_ = 0;
  bool installed_ = false;
};
