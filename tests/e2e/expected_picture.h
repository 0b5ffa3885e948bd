// How the viewer's window must look, pixel for pixel, for a field and a set
// of channel switches.
#pragma once

#include <cstdint>

#include "field/height_field.h"
#include "render/channel_switches.h"
#include "tests/e2e/x_session.h"

constexpr const char* kTitle = "Plasma Fractals";
constexpr int kWindow = 532;
constexpr int kMargin = 10;
constexpr ChannelSwitches kAllOn{true, true, true};

// The 24-bit pixel a cell of value v is drawn as.
std::uint32_t pixelFor(float v, ChannelSwitches on);

// Cell [x][y] at pixel (x + 10, y + 10) from the lower-left corner, black
// everywhere else, clipped to the window.
Picture expectedPicture(const HeightField& cells, ChannelSwitches on, int width = kWindow,
                        int height = kWindow);

// How many pixels differ; -1 when the sizes do.
int mismatches(const Picture& actual, const Picture& expected);
