// Blocking pause of the calling thread.
#pragma once

// Returns after at least the given number of milliseconds, even when signals
// interrupt the wait.
void pauseMilliseconds(unsigned milliseconds);
