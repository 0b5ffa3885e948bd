// The viewer among the X server's other clients: the window manager and the
// settings manager, whose windows it reads. Their windows may go at any
// moment, even as the viewer reads them, and that ends nothing; any other
// error is the viewer's own and ends it, as Xlib and freeglut end a program.
#pragma once

#include <X11/Xlib.h>

// The viewer's window, once there is one: an error about it is the viewer's own.
void viewerWindowIs(Window window);
