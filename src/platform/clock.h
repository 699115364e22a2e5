#pragma once
// The millisecond clock and the pause, behind an interface so that tests move
// time by hand.
#include <cstdint>

namespace velmora {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds on a clock that only moves forward; wraps like a 32-bit counter.
  virtual uint32_t Now() const = 0;
  // Blocks the caller for the given time.
  virtual void Sleep(uint32_t milliseconds) = 0;
};

class SystemClock : public Clock {
 public:
  uint32_t Now() const override;
  void Sleep(uint32_t milliseconds) override;
};

// A clock that moves only when told to; sleeping moves it.
class ManualClock : public Clock {
 public:
  explicit ManualClock(uint32_t start = 0) : now_(start) {}
  uint32_t Now() const override { return now_; }
  void Sleep(uint32_t milliseconds) override { now_ += milliseconds; }
  void Advance(uint32_t milliseconds) { now_ += milliseconds; }
  void Set(uint32_t now) { now_ = now; }

 private:
  uint32_t now_;
};

}  // namespace velmora
