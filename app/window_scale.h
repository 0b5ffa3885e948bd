// How many device pixels, across and up, each point of the picture takes:
// the rule is docs/design.md's "Display scale".
#pragma once

#include "platform/display.h"

// n for a display's reading; one for a reading that makes no sense (not a
// number, not positive).
int pointScale(const DisplayReading& display);
