// The display the viewer's window is on, as the platform reports it: what
// decides how many device pixels each point of the picture takes, and where
// the window goes when it takes another size.
#pragma once

// A desktop at 100%: the scale every platform measures from.
constexpr double kStandardDotsPerInch = 96.0;

struct DisplayReading {
    double dotsPerInch;  // the desktop's scale, kStandardDotsPerInch at 100%
    int workWidth;       // the area windows may take on the window's monitor, in device pixels
    int workHeight;
    int frameWidth;  // what the window's frame adds around its picture, in device pixels
    int frameHeight;
    // Where the desktop scales windows by a whole factor of its own (X11's
    // Gdk/WindowScalingFactor), that factor; 0 where it says none.
    int windowScale = 0;
    // The work area's top left, and the window's outer frame: its top left,
    // and the size of what it holds (the window as it is now), all in the
    // same device pixels; and whether that place was the user's own choice
    // (a -geometry position), which a new size then keeps.
    int workX = 0;
    int workY = 0;
    int frameX = 0;
    int frameY = 0;
    int windowWidth = 0;
    int windowHeight = 0;
    bool placedByUser = true;
};

// Before GLUT opens the display: what the display's other clients do (a
// window of theirs gone as the viewer reads it) does not end the viewer;
// its own failures do, with the program's name.
void tolerateOtherClients(const char* program);

// Once the window exists and its GL context is current.
DisplayReading readDisplay();

// Calls the given function whenever the window's display may have changed
// its scale (the window moved to a monitor of another scale), between
// frames; where the platform cannot tell, never.
void followDisplayChanges(void (*changed)());
