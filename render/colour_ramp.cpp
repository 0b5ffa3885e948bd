// The colour ramp. Thresholds are single precision, differences are formed in
// double precision and each channel is rounded once, to single precision.
#include "render/colour_ramp.h"

namespace {

constexpr float kGreenLow = 0.3F;
constexpr float kHalf = 0.5F;
constexpr float kGreenPeak = 0.8F;
constexpr float kOne = 1.0F;
constexpr float kGreenFold = 1.3F;

float twice(double difference) { return static_cast<float>(2.0 * difference); }

double minus(float a, float b) { return static_cast<double>(a) - static_cast<double>(b); }

}  // namespace

Colour colourRamp(float v) {
    const float red = v < kHalf ? twice(static_cast<double>(v)) : twice(minus(kOne, v));
    float green = 0.0F;
    if (v < kGreenLow) {
        green = twice(minus(kGreenLow, v));
    } else if (v < kGreenPeak) {
        green = twice(minus(v, kGreenLow));
    } else {
        green = twice(minus(kGreenFold, v));
    }
    const float blue = v < kHalf ? twice(minus(kHalf, v)) : twice(minus(v, kHalf));
    return {red, green, blue};
}
