// The pause: the system's own sleep of the calling thread.
#include "platform/pause.h"

#include <windows.h>

void pauseMilliseconds(unsigned milliseconds) { Sleep(milliseconds); }
