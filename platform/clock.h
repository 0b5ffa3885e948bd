// The operating system's millisecond clock.
#pragma once

#include <cstdint>

// Milliseconds, reduced to 32 bits (wrapping after about 49 days): the
// system's monotonic clock on the desktops, the wall clock in a browser.
// Runs started at different milliseconds read different values.
std::uint32_t tickCount();
