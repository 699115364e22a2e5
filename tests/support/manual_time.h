#pragma once
// Time that moves only when a test moves it: a clock and window timers for a
// game window, so that its splash, its pauses and its timers cost no real time.
#include <QCoreApplication>
#include <algorithm>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <utility>

#include "clock.h"
#include "window_timers.h"

namespace velmora::testing {

// A pause moves the clock on at once; otherwise only Set moves it.
class ManualClock : public Clock {
 public:
  uint32_t Now() const override { return now_; }
  void Sleep(uint32_t milliseconds) override { now_ += milliseconds; }
  void Set(uint32_t now) { now_ = now; }

 private:
  uint32_t now_ = 1000;
};

// Window timers on a ManualClock, with the rules of QtWindowTimers (a period
// below the minimum runs at the minimum; starting a running id restarts it).
// They fire only in Advance, each when it falls due.
class ManualWindowTimers : public WindowTimers {
 public:
  ManualWindowTimers(ManualClock& clock, std::function<void(int id)> handler)
      : clock_(clock), handler_(std::move(handler)) {}

  unsigned Start(int id, unsigned periodMs) override {
    const uint32_t period = std::max(periodMs, kMinimumTimerPeriod);
    running_[id] = {period, clock_.Now() + period};
    return static_cast<unsigned>(id);
  }
  bool Kill(int id) override { return running_.erase(id) != 0; }

  // Moves the clock on by the given time. Each timer fires when it falls due,
  // in the order they fall due, and the application's events are handled
  // before and after each expiry, as the event loop would. A timer whose period
  // passed more than once while a handler paused fires once, then runs on
  // from there, as Qt's timers do.
  void Advance(uint32_t milliseconds) {
    const uint32_t end = clock_.Now() + milliseconds;
    for (;;) {
      QCoreApplication::processEvents();
      auto next = running_.end();
      for (auto it = running_.begin(); it != running_.end(); ++it)
        if (it->second.due <= end && (next == running_.end() || it->second.due < next->second.due)) next = it;
      if (next == running_.end()) break;
      if (next->second.due > clock_.Now()) clock_.Set(next->second.due);
      const int id = next->first;
      next->second.due = clock_.Now() + next->second.period;  // the handler may kill or restart it
      handler_(id);
    }
    if (end > clock_.Now()) clock_.Set(end);
    QCoreApplication::processEvents();
  }

 private:
  struct Running {
    uint32_t period, due;
  };
  ManualClock& clock_;
  std::function<void(int)> handler_;
  std::map<int, Running> running_;
};

}  // namespace velmora::testing
