// The frame, through recording stand-ins for GL and the pause: what it sends,
// in which order, with which colours. Built with the clock stuck at 1 ms, so
// the program's field is seed 1's.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>

#include "field/height_field.h"
#include "render/channel_switches.h"
#include "render/colour_ramp.h"
#include "render/frame.h"
#include "tests/recording_gl.h"

// Every allocation in this test program is counted.
namespace {
std::size_t allocations = 0;
}  // namespace

void* operator new(std::size_t size) {
    ++allocations;
    if (void* block = std::malloc(size)) {
        return block;
    }
    throw std::bad_alloc();
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t /*size*/) noexcept { std::free(block); }

namespace {

constexpr std::size_t kSide = kPictureSide;
constexpr std::size_t kPoints = kSide * kSide;

class DisplayFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite() { generateField(); }
    void SetUp() override {
        switchAllChannelsOn();
        recordedCalls().clear();
        recordedCalls().reserve(2 * kPoints + 7);  // so recording allocates nothing
    }
    // The calls around the points: the same in every frame.
    static void expectFrameAround(const std::vector<Record>& calls, std::size_t points) {
        ASSERT_EQ(calls.size(), 2 * points + 7);
        EXPECT_EQ(calls[0].call, Call::clear);
        EXPECT_EQ(calls[0].value, 0x4100U);
        EXPECT_EQ(calls[1].call, Call::begin);
        EXPECT_EQ(calls[1].value, static_cast<unsigned>(GL_POINTS));
        const std::size_t after = 2 + 2 * points;
        EXPECT_EQ(calls[after].call, Call::end);
        EXPECT_EQ(calls[after + 1].call, Call::swap);
        EXPECT_EQ(calls[after + 2].call, Call::pause);
        EXPECT_EQ(calls[after + 2].value, 200U);
        EXPECT_EQ(calls[after + 3].call, Call::postRedisplay);
        EXPECT_EQ(calls[after + 4].call, Call::poll);
    }
};

TEST_F(DisplayFrame, StartUpShowsSeedOneWithEveryChannelOn) {
    EXPECT_EQ(heightField()[1][1], 0.00704527553F);
    generateField();
    const ChannelSwitches on = channelSwitches();
    EXPECT_TRUE(on.red && on.green && on.blue);
}

// Cell [x][y] goes out as the point (x + 10, y + 10), x-major, coloured by
// the ramp; the cells of the last row and column are never sent.
TEST_F(DisplayFrame, SendsEveryShownCellOnceInXMajorOrderWithItsRampColour) {
    displayFrame();
    const std::vector<Record>& calls = recordedCalls();
    expectFrameAround(calls, kPoints);
    for (std::size_t i = 0; i < kPoints; ++i) {
        const auto x = static_cast<int>(i / kSide);
        const auto y = static_cast<int>(i % kSide);
        const Record& colour = calls[2 + 2 * i];
        const Record& vertex = calls[3 + 2 * i];
        const Colour expected = colourRamp(heightField()[x][y]);
        ASSERT_EQ(colour.call, Call::colour);
        ASSERT_EQ(colour.a, expected.red) << x << ", " << y;
        ASSERT_EQ(colour.b, expected.green) << x << ", " << y;
        ASSERT_EQ(colour.c, expected.blue) << x << ", " << y;
        ASSERT_EQ(vertex.call, Call::vertex);
        ASSERT_EQ(vertex.a, static_cast<float>(x + 10));
        ASSERT_EQ(vertex.b, static_cast<float>(y + 10));
    }
}

TEST_F(DisplayFrame, SwitchedOffChannelsAreZeroAndTheOthersUntouched) {
    for (int off = 1; off < 7; ++off) {
        switchAllChannelsOn();
        toggleChannels((off & 1) != 0, (off & 2) != 0, (off & 4) != 0);
        recordedCalls().clear();
        displayFrame();
        const std::vector<Record>& calls = recordedCalls();
        expectFrameAround(calls, kPoints);
        for (std::size_t i = 0; i < kPoints; ++i) {
            const Colour expected = colourRamp(heightField()[i / kSide][i % kSide]);
            const Record& colour = calls[2 + 2 * i];
            ASSERT_EQ(colour.a, (off & 1) != 0 ? 0.0F : expected.red) << off;
            ASSERT_EQ(colour.b, (off & 2) != 0 ? 0.0F : expected.green) << off;
            ASSERT_EQ(colour.c, (off & 4) != 0 ? 0.0F : expected.blue) << off;
        }
    }
}

TEST_F(DisplayFrame, AFrameAllocatesNothing) {
    const std::size_t before = allocations;
    displayFrame();
    recordedCalls().clear();
    toggleChannels(true, true, true);
    displayFrame();
    EXPECT_EQ(allocations, before);
}

TEST_F(DisplayFrame, AllChannelsOffSendsNoPointsBetweenBeginAndEnd) {
    toggleChannels(true, true, true);
    displayFrame();
    expectFrameAround(recordedCalls(), 0);
}

}  // namespace
