// The frame, through recording stand-ins for GL, GLUT, the pause and the key
// poll linked in place of the real ones: the calls it makes in order, where
// its points go, and their colours at cells whose values and colours are
// written out here. The clock is stuck at 1 ms, so the program's field is
// seed 1's, whose cells the exactness check pins.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "field/height_field.h"
#include "input/key_poll.h"
#include "platform/pause.h"
#include "render/channel_switches.h"
#include "render/frame.h"

namespace {

struct Point {
    float x, y, red, green, blue;
};

struct {
    std::string calls;  // Clear, Begin, End, Swap, Pause, Redisplay, Keys polled
    GLbitfield cleared = 0;
    GLenum mode = 0;
    unsigned paused = 0;
    float red = 1.0F, green = 1.0F, blue = 1.0F;  // the current colour
    std::vector<Point> points;
} recorded;

}  // namespace

void glClear(GLbitfield mask) {
    recorded.calls += 'C';
    recorded.cleared = mask;
}
void glBegin(GLenum mode) {
    recorded.calls += 'B';
    recorded.mode = mode;
}
void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    recorded.red = red;
    recorded.green = green;
    recorded.blue = blue;
}
void glVertex2f(GLfloat x, GLfloat y) {
    recorded.points.push_back({x, y, recorded.red, recorded.green, recorded.blue});
}
void glEnd() { recorded.calls += 'E'; }
void glutSwapBuffers() { recorded.calls += 'S'; }
void pauseMilliseconds(unsigned milliseconds) {
    recorded.calls += 'P';
    recorded.paused = milliseconds;
}
void glutPostRedisplay() { recorded.calls += 'R'; }
void pollChannelKeys() { recorded.calls += 'K'; }

namespace {

// One frame with these channels on ("rgb", "-g-", ...), of the program's
// field, made at the first.
void drawFrame(const std::string& on) {
    [[maybe_unused]] static const bool made = (generateField(), true);
    switchAllChannelsOn();
    for (const ChannelKey& row : kChannelKeys) {
        if (on[static_cast<std::size_t>(indexOf(row.channel))] == '-') {
            toggleChannel(row.channel);
        }
    }
    recorded = {};
    displayFrame();
}

TEST(DisplayFrame, ClearsDrawsShowsPausesAsksForTheNextAndPollsInThatOrder) {
    drawFrame("rgb");
    EXPECT_EQ(recorded.calls, "CBESPRK");
    EXPECT_EQ(recorded.cleared, 0x4100U) << "colour and depth";
    EXPECT_EQ(recorded.mode, static_cast<GLenum>(GL_POINTS));
    EXPECT_EQ(recorded.paused, 200U);
    EXPECT_EQ(recorded.points.size(), 512U * 512U);
}

// Seed 1's cells and their colours through the ramp, each channel rounded
// once to single precision; a channel switched off is 0, and with all three
// off no point is sent at all. Cell [x][y] is the point x-major at
// (x + 10, y + 10): the last column and row of the field are never drawn,
// and a 10-point border stays black.
TEST(DisplayFrame, CellsShowTheirRampColoursLessTheChannelsSwitchedOff) {
    const struct {
        int x, y;
        float red, green, blue;
    } cells[] = {
        {0, 0, 0x1.0cb296p-7F, 0x1.2f006ap-1F, 0x1.fbcd36p-1F},    // 0.00410000002
        {1, 1, 0x1.cdb81cp-7F, 0x1.2bfc54p-1F, 0x1.f8c92p-1F},     // 0.00704527553
        {64, 64, 0x1.f4af4ep-3F, 0x1.6c0ecp-2F, 0x1.82d42cp-1F},   // 0.122237496, below 0.3
        {256, 0, 0x1.466666p-1F, 0x1.33332p-5F, 0x1.733334p-2F},   // 0.318749994, from 0.3 to 0.5
        {0, 256, 0x1.b39c0ep-1F, 0x1.00d1b4p-2F, 0x1.318fc8p-3F},  // 0.425399989
        {128, 128, 0x1.d7ef9cp-1F, 0x1.4978dp-2F, 0x1.40832p-4F},  // 0.460874975
        {256, 256, 0x1.95eap-4F, 0x1.65f07p-1F, 0x1.cd42cp-1F},    // 0.950449944, above 0.8
    };
    for (const std::string on : {"rgb", "-gb", "r-b", "rg-", "r--", "-g-", "--b"}) {
        drawFrame(on);
        ASSERT_EQ(recorded.points.size(), 512U * 512U) << on;
        for (const auto& cell : cells) {
            const Point& point = recorded.points[static_cast<std::size_t>(cell.x * 512 + cell.y)];
            EXPECT_EQ(point.x, static_cast<float>(cell.x + 10)) << on;
            EXPECT_EQ(point.y, static_cast<float>(cell.y + 10)) << on;
            EXPECT_EQ(point.red, on[0] == 'r' ? cell.red : 0.0F) << "[" << cell.x << "][" << cell.y << "] " << on;
            EXPECT_EQ(point.green, on[1] == 'g' ? cell.green : 0.0F) << "[" << cell.x << "][" << cell.y << "] " << on;
            EXPECT_EQ(point.blue, on[2] == 'b' ? cell.blue : 0.0F) << "[" << cell.x << "][" << cell.y << "] " << on;
        }
    }
    drawFrame("---");
    EXPECT_EQ(recorded.calls, "CBESPRK");
    EXPECT_TRUE(recorded.points.empty());
}

}  // namespace
