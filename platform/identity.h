// How the desktop knows the viewer's window: the name and icon its task
// bar, dock and window switcher show, and the menu entry it belongs to.
#pragma once

// Once the window exists and its GL context is current.
void identifyWindow();
