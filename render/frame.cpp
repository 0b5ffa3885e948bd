// One frame: every displayed cell as a point through the colour ramp, with
// the switched-off channels zeroed. Points go out x-major at (x + margin,
// y + margin) in the window's drawing coordinates, where one unit is one
// point: n × n device pixels at n device pixels per point (app/window.h).
#include "render/frame.h"

#include <GL/glut.h>

#include "field/height_field.h"
#include "input/key_poll.h"
#include "platform/pause.h"
#include "render/channel_switches.h"
#include "render/colour_ramp.h"

void displayFrame() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBegin(GL_POINTS);
    const ChannelSwitches on = channelSwitches();
    // With every channel off the picture is black: no point needs sending.
    if (on != ChannelSwitches{}) {
        const HeightField& field = heightField();
        for (int x = 0; x < kPictureSide; ++x) {
            for (int y = 0; y < kPictureSide; ++y) {
                const Colour colour = colourRamp(field[x][y]);
                glColor3f(on[Channel::red] ? colour.red : 0.0F, on[Channel::green] ? colour.green : 0.0F,
                          on[Channel::blue] ? colour.blue : 0.0F);
                glVertex2f(static_cast<float>(x + kPictureMargin), static_cast<float>(y + kPictureMargin));
            }
        }
    }
    glEnd();
    glutSwapBuffers();
    pauseMilliseconds(kFramePauseMilliseconds);
    glutPostRedisplay();
    pollChannelKeys();
}
