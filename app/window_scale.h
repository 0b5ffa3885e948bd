// How many device pixels, across and up, each point of the picture takes,
// and where the window goes when it takes that size: the display-scale
// rule, README.md's "Display scale".
#pragma once

#include "platform/display.h"

// n for a display's reading; one for a reading that makes no sense (not a
// number, not positive).
int pointScale(const DisplayReading& display);

// Where the window's outer frame has its top left once the window holds
// the picture at n pixels per point.
struct WindowPlace {
    int x;
    int y;
};
WindowPlace windowPlace(const DisplayReading& display, int n);
