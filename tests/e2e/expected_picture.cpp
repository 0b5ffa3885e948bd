#include "tests/e2e/expected_picture.h"

#include <cmath>

#include "render/colour_ramp.h"

namespace {

constexpr int kShown = 512;

// The GL stores each colour channel as the nearest of 256 levels: the channel
// times 255 in single precision, halves rounded to even.
std::uint32_t level(float channel) { return static_cast<std::uint32_t>(std::lrint(channel * 255.0F)); }

}  // namespace

std::uint32_t pixelFor(float v, ChannelSwitches on) {
    const Colour colour = colourRamp(v);
    return (on.red ? level(colour.red) << 16U : 0U) | (on.green ? level(colour.green) << 8U : 0U) |
           (on.blue ? level(colour.blue) : 0U);
}

Picture expectedPicture(const HeightField& cells, ChannelSwitches on, int width, int height) {
    Picture picture{width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width * height), 0U)};
    for (int x = 0; x < kShown && x + kMargin < width; ++x) {
        for (int y = 0; y < kShown && y + kMargin < height; ++y) {
            const int row = height - 1 - (y + kMargin);
            if (row >= 0) {
                picture.pixels[static_cast<std::size_t>(row * width + x + kMargin)] = pixelFor(cells[x][y], on);
            }
        }
    }
    return picture;
}

int mismatches(const Picture& actual, const Picture& expected) {
    if (actual.width != expected.width || actual.height != expected.height) {
        return -1;
    }
    int count = 0;
    for (std::size_t i = 0; i < actual.pixels.size(); ++i) {
        count += actual.pixels[i] != expected.pixels[i] ? 1 : 0;
    }
    return count;
}
