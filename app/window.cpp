// The window at a whole number of device pixels per point, n. Drawing
// coordinates are in points: one unit is n pixels from the lower-left
// corner, and each point is drawn n pixels wide, so the picture and its
// border keep their size in points, and their place, after any resize.
#include "app/window.h"

#include <GL/glut.h>

#include "app/window_scale.h"
#include "platform/display.h"
#include "render/frame.h"

namespace {

int pixelsPerPoint = 1;

// A new size grows the window about its centre, as a window manager that
// centres windows would have placed it at that size; a place the user chose
// keeps its corner.
void fitToDisplayNow() {
    const DisplayReading display = readDisplay();
    const int fitted = pointScale(display);
    if (fitted != pixelsPerPoint) {
        pixelsPerPoint = fitted;
        const WindowPlace place = windowPlace(display, fitted);
        if (place.x != display.frameX || place.y != display.frameY) {
            glutPositionWindow(place.x, place.y);
        }
        glutReshapeWindow(kWindowSide * pixelsPerPoint, kWindowSide * pixelsPerPoint);
    }
}

}  // namespace

void fitWindowToDisplay() {
    fitToDisplayNow();
    followDisplayChanges(fitToDisplayNow);
}

// Points are sent on whole units, which are pixel corners, where GLs differ
// on which pixel lights (Mesa the one above and right, a browser's the one
// below and left, a GPU either, even within one picture): half a unit more
// puts each on the centre of its n × n block.
void reshapeWindow(int width, int height) {
    const double scale = pixelsPerPoint;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, width / scale, 0.0, height / scale);  // NOLINT(readability-suspicious-call-argument): right, top
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.5F, 0.5F, 0.0F);
    glPointSize(static_cast<float>(pixelsPerPoint));
}
