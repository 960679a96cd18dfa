// The system's tick counter behind a replaceable source.
#include "project/tick_clock.h"

#include <windows.h>

namespace t2c {

namespace {

uint32_t systemTicks() { return GetTickCount(); }

TickSource g_ticks = systemTicks;

}  // namespace

TickSource setTickSource(TickSource source) {
  TickSource previous = g_ticks;
  g_ticks = source ? source : systemTicks;
  return previous;
}

uint32_t tickCount() { return g_ticks(); }

}  // namespace t2c
