#pragma once
// Times as the player reads them.
#include <cstdint>
#include <string>

namespace velmora {

enum class TimeStyle : int {
  Clock = 0,            // 0:01:05, 0.4 under a second
  Words = 1,            // 1 minute, 5.0 seconds
  ShortClock = 2,       // 1:05, 5 under a minute
  ShortClockTenths = 3  // 1:05.3, 5.3 under a minute
};

// Negative times read as 0. An unknown style gives an empty text.
std::string FormatTime(int64_t milliseconds, int style);
inline std::string FormatTime(int64_t milliseconds, TimeStyle style) {
  return FormatTime(milliseconds, static_cast<int>(style));
}

}  // namespace velmora
