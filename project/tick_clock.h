// The millisecond tick counter that times conversions and compiler runs; tests may replace it.
#pragma once

#include <cstdint>

namespace t2c {

// Milliseconds since a fixed moment, wrapping at 2^32 as the system's tick counter does.
using TickSource = uint32_t (*)();

// Sets the clock and returns the previous one; null restores the system's tick counter.
TickSource setTickSource(TickSource source);

uint32_t tickCount();

// When a stream of progress texts is shown: the first at once, then whenever the interval has
// passed since the last one shown. Showing costs far more than making a text, so the texts in
// between are skipped rather than shown faster than anyone reads them.
class ShowingPace {
 public:
  explicit ShowingPace(uint32_t intervalMs) : interval_(intervalMs) {}
  bool Due() const { return !shown_ || tickCount() - last_ >= interval_; }
  void Shown() {
    last_ = tickCount();
    shown_ = true;
  }
  void Restart() { shown_ = false; }

 private:
  uint32_t interval_;
  uint32_t last_ = 0;
  bool shown_ = false;
};

}  // namespace t2c
