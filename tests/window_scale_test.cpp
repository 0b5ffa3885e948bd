// How many device pixels each point takes (docs/design.md, "Display
// scale"), as a table of readings.
#include <gtest/gtest.h>

#include <limits>

#include "app/window_scale.h"

namespace {

TEST(PointScale, TheNearestWholeScaleAtWhichTheWindowFits) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct {
        DisplayReading display;
        int scale;
    } rows[] = {
        {{96, 1280, 1024, 0, 0}, 1},    {{120, 1280, 1024, 0, 0}, 1},    // 100%, 125%
        {{143.9, 1920, 1200, 0, 0}, 1}, {{144, 1920, 1200, 0, 0}, 2},    // just under 150%, 150%
        {{192, 1920, 1200, 0, 0}, 2},   {{239.9, 3840, 2160, 0, 0}, 2},  // 200%, just under 250%
        {{288, 3840, 2160, 0, 0}, 3},   {{480, 3840, 2160, 0, 0}, 4},    // 300%; 500% fits 4
        {{192, 1280, 800, 0, 0}, 1},                                     // 200% on a small screen
        {{192, 1064, 1064, 0, 0}, 2},   {{192, 1063, 1200, 0, 0}, 1},    // just fits; one pixel short
        {{192, 1920, 1080, 16, 39}, 1}, {{192, 1920, 1103, 16, 39}, 2},  // the frame counts
        {{48, 1280, 1024, 0, 0}, 1},    {{0, 1280, 1024, 0, 0}, 1},      // never below one
        {{-192, 1920, 1200, 0, 0}, 1},  {{nan, 1920, 1200, 0, 0}, 1},    // nonsense readings
        {{192, 0, 0, 0, 0}, 1},                                          // no work area known
    };
    for (const auto& row : rows) {
        EXPECT_EQ(pointScale(row.display), row.scale)
            << row.display.dotsPerInch << " dpi, work area " << row.display.workWidth << " x " << row.display.workHeight
            << ", frame " << row.display.frameWidth << " x " << row.display.frameHeight;
    }
}

}  // namespace
