// The millisecond clock: the system's tick count since it started.
#include "platform/clock.h"

#include <windows.h>

std::uint32_t tickCount() { return GetTickCount(); }
