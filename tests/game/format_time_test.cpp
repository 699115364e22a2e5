#include <gtest/gtest.h>

#include "format_time.h"

namespace velmora {
namespace {

struct TimeCase {
  int64_t ms;
  const char* clock;
  const char* words;
  const char* shortClock;
  const char* shortTenths;
};

TEST(FormatTime, AllStylesAcrossTheUnits) {
  const TimeCase cases[] = {
      {0, "0.0", "0.0 seconds", "0.0", "0.0"},
      {400, "0.4", "0.4 seconds", "0.4", "0.4"},
      {5300, "0:00:05", "5.3 seconds", "5", "5.3"},
      {65000, "0:01:05", "1 minute, 5.0 seconds", "1:05", "1:05.0"},
      {65300, "0:01:05", "1 minute, 5.3 seconds", "1:05", "1:05.3"},
      {754900, "0:12:34", "12 minutes, 34.9 seconds", "12:34", "12:34.9"},
      {3603000, "1:00:03", "1 hour, 0 minute, 3.0 seconds", "1:00:03", "1:00:03.0"},
      {7322000, "2:02:02", "2 hours, 2 minutes, 2.0 seconds", "2:02:02", "2:02:02.0"},
      {86400000, "1:00:00:00", "1 day, 0 hour, 0 minute, 0.0 seconds", "1:00:00:00", "1:00:00:00.0"},
      {2 * 86400000LL + 3 * 3600000 + 4 * 60000 + 5600, "2:03:04:05", "2 days, 3 hours, 4 minutes, 5.6 seconds",
       "2:03:04:05", "2:03:04:05.6"},
  };
  for (const TimeCase& c : cases) {
    EXPECT_EQ(FormatTime(c.ms, TimeStyle::Clock), c.clock) << c.ms;
    EXPECT_EQ(FormatTime(c.ms, TimeStyle::Words), c.words) << c.ms;
    EXPECT_EQ(FormatTime(c.ms, TimeStyle::ShortClock), c.shortClock) << c.ms;
    EXPECT_EQ(FormatTime(c.ms, TimeStyle::ShortClockTenths), c.shortTenths) << c.ms;
  }
}

TEST(FormatTime, OddInputs) {
  EXPECT_EQ(FormatTime(-500, 0), "0.0");
  EXPECT_EQ(FormatTime(1000, 7), "");
  EXPECT_EQ(FormatTime(999, 0), "0.9");
  EXPECT_EQ(FormatTime(59999, 0), "0:00:59");
  EXPECT_EQ(FormatTime(60000, 2), "1:00");
}

}  // namespace
}  // namespace velmora
