// The colour ramp: its known values to the last bit, and its shape.
#include <gtest/gtest.h>

#include <cmath>

#include "render/colour_ramp.h"

namespace {

struct Known {
    float v;
    Colour colour;
};

// 0.3 and 0.8 are the single-precision constants, as the ramp compares them.
const Known kKnown[] = {
    {0.0F, {0.0F, 0.600000024F, 1.0F}},
    {0.25F, {0.5F, 0.100000024F, 0.5F}},
    {0.3F, {0.600000024F, 0.0F, 0.399999976F}},
    {0.5F, {1.0F, 0.399999976F, 0.0F}},
    {0.8F, {0.399999976F, 0.999999881F, 0.600000024F}},
    {1.0F, {0.0F, 0.599999905F, 1.0F}},
};

TEST(ColourRamp, KnownValuesComeOutBitForBit) {
    for (const Known& known : kKnown) {
        const Colour colour = colourRamp(known.v);
        EXPECT_EQ(colour.red, known.colour.red) << "v = " << known.v;
        EXPECT_EQ(colour.green, known.colour.green) << "v = " << known.v;
        EXPECT_EQ(colour.blue, known.colour.blue) << "v = " << known.v;
    }
}

// Just below each threshold the lower rule still applies and agrees with the
// upper one to within a few units in the last place.
TEST(ColourRamp, ChannelsMeetAtEveryThreshold) {
    for (float threshold : {0.3F, 0.5F, 0.8F}) {
        const Colour below = colourRamp(std::nextafter(threshold, 0.0F));
        const Colour at = colourRamp(threshold);
        EXPECT_NEAR(below.red, at.red, 1e-6F) << threshold;
        EXPECT_NEAR(below.green, at.green, 1e-6F) << threshold;
        EXPECT_NEAR(below.blue, at.blue, 1e-6F) << threshold;
    }
    EXPECT_GT(colourRamp(std::nextafter(0.3F, 0.0F)).green, 0.0F);
    EXPECT_GT(colourRamp(std::nextafter(0.5F, 0.0F)).blue, 0.0F);
    EXPECT_LT(colourRamp(std::nextafter(0.5F, 0.0F)).red, 1.0F);
}

TEST(ColourRamp, EveryChannelStaysInRangeAndMovesSmoothly) {
    constexpr int kSteps = 1 << 16;
    Colour previous = colourRamp(0.0F);
    for (int step = 1; step <= kSteps; ++step) {
        const Colour colour = colourRamp(static_cast<float>(step) / kSteps);
        for (float channel : {colour.red, colour.green, colour.blue}) {
            ASSERT_GE(channel, 0.0F);
            ASSERT_LE(channel, 1.0F);
        }
        // Slopes are at most 2, so no channel may jump further than 2 steps.
        ASSERT_LE(std::fabs(colour.red - previous.red), 2.0F / kSteps + 1e-6F) << step;
        ASSERT_LE(std::fabs(colour.green - previous.green), 2.0F / kSteps + 1e-6F) << step;
        ASSERT_LE(std::fabs(colour.blue - previous.blue), 2.0F / kSteps + 1e-6F) << step;
        previous = colour;
    }
}

}  // namespace
