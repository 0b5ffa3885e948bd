// The linear congruential source behind every field; its constants fix the
// sequence, so a seed names one field for good.
#include "field/random_source.h"

namespace {

struct RandomSource {
    std::uint32_t state = 1;
};
RandomSource source;

constexpr std::uint32_t kMultiplier = 214013U;
constexpr std::uint32_t kIncrement = 2531011U;
constexpr int kDrawRange = 10000;
// Single precision on purpose: widened, it is a little below 0.0001, and the
// field's values depend on that.
constexpr float kDrawStep = 0.0001F;

}  // namespace

void seedRandom(std::uint32_t seed) { source.state = seed; }

int nextRandom() {
    source.state = source.state * kMultiplier + kIncrement;  // wraps modulo 2^32
    return static_cast<int>((source.state >> 16U) & 0x7FFFU);
}

double unitDraw() { return static_cast<double>(nextRandom() % kDrawRange) * static_cast<double>(kDrawStep); }
