// Whole device pixels per point, so that every point is a sharp square of
// one level at any scale; and the window grown about its centre.
#include "app/window_scale.h"

#include <algorithm>
#include <cmath>

#include "render/frame.h"

namespace {

// A window scaling factor counts alone, so that no desktop's scale counts
// twice (the display-scale rule: README.md, "Display scale").
double desktopScale(const DisplayReading& display) {
    return display.windowScale > 1 ? display.windowScale : display.dotsPerInch / kStandardDotsPerInch;
}

// Along one axis: the frame's new start, about its present centre, and
// within the work area where it fits there.
int centred(int start, int size, int newSize, int workStart, int workSize) {
    const int about = start + (size - newSize) / 2;
    return workSize > 0 ? std::max(workStart, std::min(about, workStart + workSize - newSize)) : about;
}

}  // namespace

int pointScale(const DisplayReading& display) {
    const int fits = std::min((display.workWidth - display.frameWidth) / kWindowSide,
                              (display.workHeight - display.frameHeight) / kWindowSide);
    const double nearest = std::floor(desktopScale(display) + 0.5);
    return nearest >= 1.0 ? static_cast<int>(std::min(nearest, static_cast<double>(std::max(fits, 1)))) : 1;
}

WindowPlace windowPlace(const DisplayReading& display, int n) {
    if (display.placedByUser) {
        return {display.frameX, display.frameY};
    }
    const int side = kWindowSide * n;
    return {centred(display.frameX, display.windowWidth + display.frameWidth, side + display.frameWidth, display.workX,
                    display.workWidth),
            centred(display.frameY, display.windowHeight + display.frameHeight, side + display.frameHeight,
                    display.workY, display.workHeight)};
}
