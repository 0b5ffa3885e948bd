// How many device pixels, across and up, each point of the picture takes.
#pragma once

#include "platform/display.h"

// The desktop's scale (dots per inch / 96) to the nearest whole number,
// halves up (150% gives 2), at least one, and no more than lets the window
// with its frame fit the work area. A reading that makes no sense (not a
// number, not positive) gives one.
int pointScale(const DisplayReading& display);
