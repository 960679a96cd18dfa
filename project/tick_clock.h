// The millisecond tick counter that times conversions and compiler runs; tests may replace it.
#pragma once

#include <cstdint>

namespace t2c {

// Milliseconds since a fixed moment, wrapping at 2^32 as the system's tick counter does.
using TickSource = uint32_t (*)();

// Sets the clock and returns the previous one; null restores the system's tick counter.
TickSource setTickSource(TickSource source);

uint32_t tickCount();

}  // namespace t2c
