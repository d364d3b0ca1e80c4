#include "platform/TimeSource.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <mutex>
#include <sys/time.h>
#include <thread>

namespace {

struct Sources {
  std::mutex mutex;
  std::function<TDateTime()> clock;
  std::function<uint32_t()> ticks;
  const VirtualClock* installed = nullptr;
};

Sources& Src() {
  static Sources s;
  return s;
}

TDateTime RealClock() {
  timeval tv{};
  gettimeofday(&tv, nullptr);
  time_t secs = tv.tv_sec;
  tm local{};
  localtime_r(&secs, &local);
  TDateTime d = 0, t = 0;
  TryEncodeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, d);
  // A leap second (tm_sec 60) reads as :59.
  TryEncodeTime(local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec,
                static_cast<int>(tv.tv_usec / 1000), t);
  return d + t;
}

uint32_t RealTicks() {
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now().time_since_epoch())
                .count();
  return static_cast<uint32_t>(static_cast<uint64_t>(ms));
}

}  // namespace

TDateTime ClockNow() {
  std::function<TDateTime()> f;
  {
    std::lock_guard<std::mutex> lock(Src().mutex);
    f = Src().clock;
  }
  return f ? f() : RealClock();
}

uint32_t GetTickCount() {
  std::function<uint32_t()> f;
  {
    std::lock_guard<std::mutex> lock(Src().mutex);
    f = Src().ticks;
  }
  return f ? f() : RealTicks();
}

void SetTestClock(std::function<TDateTime()> clock) {
  std::lock_guard<std::mutex> lock(Src().mutex);
  Src().clock = std::move(clock);
  Src().installed = nullptr;
}

void SetTestTicks(std::function<uint32_t()> ticks) {
  std::lock_guard<std::mutex> lock(Src().mutex);
  Src().ticks = std::move(ticks);
  Src().installed = nullptr;
}

void ResetTimeSources() {
  std::lock_guard<std::mutex> lock(Src().mutex);
  Src().clock = nullptr;
  Src().ticks = nullptr;
  Src().installed = nullptr;
}

void TimeSource::SetTestClock(std::function<TDateTime()> clock) { ::SetTestClock(std::move(clock)); }
void TimeSource::SetTestTicks(std::function<uint32_t()> ticks) { ::SetTestTicks(std::move(ticks)); }
void TimeSource::ResetTimeSources() { ::ResetTimeSources(); }

VirtualClock::VirtualClock(TDateTime start, uint32_t startTicks) : start_(start), ticks_(startTicks) {}

VirtualClock::~VirtualClock() {
  std::lock_guard<std::mutex> lock(Src().mutex);
  if (Src().installed == this) {
    Src().clock = nullptr;
    Src().ticks = nullptr;
    Src().installed = nullptr;
  }
}

void VirtualClock::Advance(uint32_t ms) {
  elapsedMs_ += ms;
  ticks_ += ms;  // wraps like the real counter
}

TDateTime VirtualClock::Now() const {
  // Whole milliseconds on the day grid, so repeated advances do not accumulate rounding.
  const double startMs = std::round(start_ * MSecsPerDay);
  return (startMs + static_cast<double>(elapsedMs_)) / MSecsPerDay;
}

void VirtualClock::Install() {
  std::lock_guard<std::mutex> lock(Src().mutex);
  Src().clock = [this] { return Now(); };
  Src().ticks = [this] { return Ticks(); };
  Src().installed = this;
}

void Sleep(uint32_t ms) {
  VirtualClock* virtualClock = nullptr;
  {
    std::lock_guard<std::mutex> lock(Src().mutex);
    virtualClock = const_cast<VirtualClock*>(Src().installed);
  }
  if (virtualClock) virtualClock->Advance(ms);
  else std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
