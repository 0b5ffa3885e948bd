// The pause: the program waits, the page does not. Asyncify unwinds the
// program to the browser's event loop and resumes it when the time is up.
#include "platform/pause.h"

#include <emscripten.h>

void pauseMilliseconds(unsigned milliseconds) { emscripten_sleep(milliseconds); }
