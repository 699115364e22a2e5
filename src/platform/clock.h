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

}  // namespace velmora
