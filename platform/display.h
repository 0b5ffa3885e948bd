// The display the viewer's window is on, as the platform reports it: what
// decides how many device pixels each point of the picture takes.
#pragma once

// A desktop at 100%: the scale every platform measures from.
constexpr double kStandardDotsPerInch = 96.0;

struct DisplayReading {
    double dotsPerInch;  // the desktop's scale, kStandardDotsPerInch at 100%
    int workWidth;       // the area windows may take on the window's screen, in device pixels
    int workHeight;
    int frameWidth;  // what the window's frame adds around its picture, in device pixels
    int frameHeight;
};

// Once the window exists and its GL context is current.
DisplayReading readDisplay();

// Calls the given function whenever the window's display may have changed
// its scale (the window moved to a monitor of another scale), between
// frames; where the platform cannot tell, never.
void followDisplayChanges(void (*changed)());
