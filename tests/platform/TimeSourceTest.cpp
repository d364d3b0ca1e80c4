#include "platform/TimeSource.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

class TimeSourceTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetTimeSources(); }
  void TearDown() override { ResetTimeSources(); }
};

}  // namespace

TEST_F(TimeSourceTest, ElapsedTicksSurviveTheWrap) {
  struct Case { uint32_t from, to, want; };
  const Case cases[] = {{100, 350, 250},
                        {0xFFFFFFF0u, 0x10u, 0x20u},
                        {0xFFFFFFFFu, 0u, 1u},
                        {5, 5, 0}};
  for (const Case& c : cases) EXPECT_EQ(TicksElapsed(c.from, c.to), c.want) << c.from << "->" << c.to;
}

TEST_F(TimeSourceTest, VirtualClockDrivesClockAndTicks) {
  VirtualClock clock(EncodeDate(2026, 1, 31) + EncodeTime(23, 59, 59, 0), 0xFFFFFF00u);
  clock.Install();
  EXPECT_EQ(GetTickCount(), 0xFFFFFF00u);
  const uint32_t start = GetTickCount();
  clock.Advance(0x200);
  EXPECT_EQ(GetTickCount(), 0x100u);
  EXPECT_EQ(TicksElapsed(start, GetTickCount()), 0x200u);
  EXPECT_EQ(FormatDateTime(u"yyyy-mm-dd hh:nn:ss.zzz", ClockNow()), u"2026-01-31 23:59:59.512");
  EXPECT_EQ(FormatDateTime(u"yyyy-mm-dd hh:nn:ss.zzz", Now()), u"2026-01-31 23:59:59.512");
  clock.Advance(488);
  EXPECT_EQ(FormatDateTime(u"yyyy-mm-dd hh:nn:ss.zzz", ClockNow()), u"2026-02-01 00:00:00.000");
}

TEST_F(TimeSourceTest, ManySmallStepsDoNotDrift) {
  VirtualClock clock(EncodeDate(2026, 6, 1), 0);
  clock.Install();
  for (int i = 0; i < 86400; ++i) clock.Advance(1000);
  EXPECT_EQ(ClockNow(), EncodeDate(2026, 6, 2));
  EXPECT_EQ(GetTickCount(), 86400000u);
}

TEST_F(TimeSourceTest, InjectedFunctionsAndReset) {
  double fake = 100.25;
  uint32_t ticks = 7;
  SetTestClock([&] { return fake; });
  TimeSource::SetTestTicks([&] { return ticks; });
  EXPECT_EQ(ClockNow(), 100.25);
  EXPECT_EQ(GetTickCount(), 7u);
  fake = 200.5;
  ticks = 9;
  EXPECT_EQ(ClockNow(), 200.5);
  EXPECT_EQ(GetTickCount(), 9u);
  TimeSource::ResetTimeSources();
  EXPECT_GT(ClockNow(), EncodeDate(2020, 1, 1));  // the machine's clock again
}

TEST_F(TimeSourceTest, DestroyedVirtualClockPutsTheRealSourcesBack) {
  {
    VirtualClock clock(EncodeDate(1990, 5, 5), 1);
    clock.Install();
    EXPECT_EQ(ClockNow(), EncodeDate(1990, 5, 5));
  }
  EXPECT_GT(ClockNow(), EncodeDate(2020, 1, 1));
  // A clock that was replaced in between does not undo the newer injection.
  VirtualClock* older = new VirtualClock(EncodeDate(1990, 5, 5), 1);
  older->Install();
  SetTestClock([] { return 5.0; });
  delete older;
  EXPECT_EQ(ClockNow(), 5.0);
}

TEST_F(TimeSourceTest, RealClockIsLocalTime) {
  const time_t before = time(nullptr);
  const TDateTime now = ClockNow();
  const time_t after = time(nullptr);
  tm a{}, b{};
  localtime_r(&before, &a);
  localtime_r(&after, &b);
  const TDateTime lo = EncodeDate(a.tm_year + 1900, a.tm_mon + 1, a.tm_mday) +
                       EncodeTime(a.tm_hour, a.tm_min, a.tm_sec > 59 ? 59 : a.tm_sec, 0);
  const TDateTime hi = EncodeDate(b.tm_year + 1900, b.tm_mon + 1, b.tm_mday) +
                       EncodeTime(b.tm_hour, b.tm_min, b.tm_sec > 59 ? 59 : b.tm_sec, 999);
  EXPECT_GE(now, lo);
  EXPECT_LE(now, hi);
}
