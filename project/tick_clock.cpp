// The millisecond tick counter behind a replaceable source.
#include "project/tick_clock.h"

#include <chrono>

namespace t2c {

namespace {

// Only differences of readings are used, so any steady origin serves.
uint32_t steadyTicks() {
  const auto since = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(since).count());
}

TickSource g_ticks = steadyTicks;

}  // namespace

TickSource setTickSource(TickSource source) {
  TickSource previous = g_ticks;
  g_ticks = source ? source : steadyTicks;
  return previous;
}

uint32_t tickCount() { return g_ticks(); }

}  // namespace t2c
