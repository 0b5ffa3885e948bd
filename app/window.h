// The viewer's window: its size and drawing coordinates, a whole number of
// device pixels per point.
#pragma once

// Sizes the window for its display: the picture at pointScale device pixels
// per point. Again whenever the display's scale changes.
void fitWindowToDisplay();

// GLUT's reshape callback: one unit per point from the lower-left corner,
// whatever the window's size.
void reshapeWindow(int width, int height);
