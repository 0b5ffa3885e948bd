// The millisecond clock: the wall clock, reduced to 32 bits. Not the time
// since the page loaded, which is about the same few hundred milliseconds on
// every load and would show one of a handful of fields.
#include "platform/clock.h"

#include <emscripten/html5.h>

std::uint32_t tickCount() { return static_cast<std::uint32_t>(static_cast<std::uint64_t>(emscripten_date_now())); }
