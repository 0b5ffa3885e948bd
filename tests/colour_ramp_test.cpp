// The colour ramp, bit for bit, at its ends and on both sides of every
// threshold: a constant or threshold one unit in the last place off changes
// some channel of some row.
#include <gtest/gtest.h>

#include "render/colour_ramp.h"

namespace {

struct Known {
    float v;
    Colour colour;
};

// Worked out apart from the program: single-precision constants, differences
// in double precision, each channel rounded once.
const Known kKnown[] = {
    {0.0F, {0.0F, 0.600000024F, 1.0F}},
    {0.25F, {0.5F, 0.100000024F, 0.5F}},
    {0.299999982F, {0.599999964F, 5.96046448e-08F, 0.400000036F}},
    {0.300000012F, {0.600000024F, 0.0F, 0.399999976F}},
    {0.49999997F, {0.99999994F, 0.399999917F, 5.96046448e-08F}},
    {0.5F, {1.0F, 0.399999976F, 0.0F}},
    {0.799999952F, {0.400000095F, 0.999999881F, 0.599999905F}},
    {0.800000012F, {0.399999976F, 0.999999881F, 0.600000024F}},
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

}  // namespace
