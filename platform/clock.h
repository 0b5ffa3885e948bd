// The operating system's millisecond clock.
#pragma once

#include <cstdint>

// Milliseconds on a monotonic clock, reduced to 32 bits (wraps after about
// 49 days). Runs started at different milliseconds read different values.
std::uint32_t tickCount();
