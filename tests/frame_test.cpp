// The frame, through recording stand-ins for GL, GLUT, the pause and the key
// poll linked in place of the real ones: every call it makes, in order, for every set of
// channel switches. The clock is stuck at 1 ms, so the program's field is
// seed 1's.
#include <GL/glut.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "field/height_field.h"
#include "input/key_poll.h"
#include "platform/pause.h"
#include "render/channel_switches.h"
#include "render/colour_ramp.h"
#include "render/frame.h"

namespace {

struct Call {
    char name;  // Clear, Begin, colour, vertex, End, Swap, Pause, Redisplay, Keys polled
    float a = 0.0F;
    float b = 0.0F;
    float c = 0.0F;
    unsigned value = 0;
    bool operator==(const Call&) const = default;
};

std::vector<Call> calls;

}  // namespace

void glClear(GLbitfield mask) { calls.push_back({'C', 0, 0, 0, mask}); }
void glBegin(GLenum mode) { calls.push_back({'B', 0, 0, 0, mode}); }
void glColor3f(GLfloat red, GLfloat green, GLfloat blue) { calls.push_back({'c', red, green, blue}); }
void glVertex2f(GLfloat x, GLfloat y) { calls.push_back({'v', x, y}); }
void glEnd() { calls.push_back({'E'}); }
void glutSwapBuffers() { calls.push_back({'S'}); }
void pauseMilliseconds(unsigned milliseconds) { calls.push_back({'P', 0, 0, 0, milliseconds}); }
void glutPostRedisplay() { calls.push_back({'R'}); }
void pollChannelKeys() { calls.push_back({'K'}); }

namespace {

// Cell [x][y] as a point at (x + 10, y + 10), x-major, in its ramp colour
// less the channels switched off; no point at all with every channel off.
std::vector<Call> expectedFrame(bool red, bool green, bool blue) {
    std::vector<Call> frame{{'C', 0, 0, 0, 0x4100}, {'B', 0, 0, 0, GL_POINTS}};
    for (int x = 0; x < 512 && (red || green || blue); ++x) {
        for (int y = 0; y < 512; ++y) {
            const Colour colour = colourRamp(heightField()[x][y]);
            frame.push_back({'c', red ? colour.red : 0, green ? colour.green : 0, blue ? colour.blue : 0});
            frame.push_back({'v', static_cast<float>(x + 10), static_cast<float>(y + 10)});
        }
    }
    frame.insert(frame.end(), {{'E'}, {'S'}, {'P', 0, 0, 0, 200}, {'R'}, {'K'}});
    return frame;
}

TEST(DisplayFrame, DrawsEveryShownCellThroughTheRampAndTheSwitchesThenPauses) {
    generateField();
    for (int off = 0; off < 8; ++off) {
        const bool red = (off & 1) == 0;
        const bool green = (off & 2) == 0;
        const bool blue = (off & 4) == 0;
        switchAllChannelsOn();
        for (const auto& [channel, on] :
             {std::pair(Channel::red, red), {Channel::green, green}, {Channel::blue, blue}}) {
            if (!on) {
                toggleChannel(channel);
            }
        }
        calls.clear();
        displayFrame();
        EXPECT_TRUE(calls == expectedFrame(red, green, blue))
            << "red " << red << ", green " << green << ", blue " << blue;
    }
}

}  // namespace
