// Whole device pixels per point, so that every point is a sharp square of
// one level at any scale.
#include "app/window_scale.h"

#include <algorithm>
#include <cmath>

#include "render/frame.h"

int pointScale(const DisplayReading& display) {
    const int fits = std::min((display.workWidth - display.frameWidth) / kWindowSide,
                              (display.workHeight - display.frameHeight) / kWindowSide);
    const double nearest = std::floor(display.dotsPerInch / kStandardDotsPerInch + 0.5);
    return nearest >= 1.0 ? static_cast<int>(std::min(nearest, static_cast<double>(std::max(fits, 1)))) : 1;
}
