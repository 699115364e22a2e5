#include "format_time.h"

namespace velmora {
namespace {

constexpr int64_t kDay = 86400000, kHour = 3600000, kMinute = 60000, kSecond = 1000;

std::string TwoDigits(int64_t value) { return std::string(value < 10 ? "0" : "") + std::to_string(value); }

struct Parts {
  int64_t days, hours, minutes, seconds, tenths;
};

Parts Split(int64_t ms) {
  return {ms / kDay, ms % kDay / kHour, ms % kHour / kMinute, ms % kMinute / kSecond, ms % kSecond / 100};
}

std::string Clock(int64_t ms, const Parts& p) {
  if (ms < kSecond) return std::string("0.") + std::to_string(p.tenths);
  if (ms < kMinute) return "0:00:" + TwoDigits(p.seconds);
  if (ms < kHour) return "0:" + TwoDigits(p.minutes) + ":" + TwoDigits(p.seconds);
  if (ms < kDay) return std::to_string(p.hours) + ":" + TwoDigits(p.minutes) + ":" + TwoDigits(p.seconds);
  return std::to_string(p.days) + ":" + TwoDigits(p.hours) + ":" + TwoDigits(p.minutes) + ":" + TwoDigits(p.seconds);
}

std::string Words(int64_t ms, const Parts& p) {
  std::string text;
  if (ms >= kDay) text += std::to_string(p.days) + " day" + (p.days > 1 ? "s, " : ", ");
  if (ms >= kHour) text += std::to_string(p.hours) + " hour" + (p.hours < 2 ? ", " : "s, ");
  if (ms >= kMinute) text += std::to_string(p.minutes) + " minute" + (p.minutes < 2 ? ", " : "s, ");
  return text + std::to_string(p.seconds) + "." + std::to_string(p.tenths) + " seconds";
}

std::string ShortClock(int64_t ms, const Parts& p) {
  if (ms < kMinute) return std::to_string(p.seconds);
  if (ms < kHour) return std::to_string(p.minutes) + ":" + TwoDigits(p.seconds);
  if (ms < kDay) return std::to_string(p.hours) + ":" + TwoDigits(p.minutes) + ":" + TwoDigits(p.seconds);
  return std::to_string(p.days) + ":" + TwoDigits(p.hours) + ":" + TwoDigits(p.minutes) + ":" + TwoDigits(p.seconds);
}

}  // namespace

std::string FormatTime(int64_t milliseconds, int style) {
  const int64_t ms = milliseconds < 0 ? 0 : milliseconds;
  const Parts parts = Split(ms);
  switch (static_cast<TimeStyle>(style)) {
    case TimeStyle::Clock: return Clock(ms, parts);
    case TimeStyle::Words: return Words(ms, parts);
    case TimeStyle::ShortClock:
      return ms < kSecond ? std::string("0.") + std::to_string(parts.tenths) : ShortClock(ms, parts);
    case TimeStyle::ShortClockTenths:
      return ms < kSecond ? std::string("0.") + std::to_string(parts.tenths)
                          : ShortClock(ms, parts) + "." + std::to_string(parts.tenths);
  }
  return "";
}

}  // namespace velmora
