#include "tests/recording_gl.h"

#include <GL/glut.h>

#include "input/channel_keys.h"
#include "platform/pause.h"

std::vector<Record>& recordedCalls() {
    static std::vector<Record> calls;
    return calls;
}

void glClear(GLbitfield mask) { recordedCalls().push_back({Call::clear, 0, 0, 0, mask}); }
void glBegin(GLenum mode) { recordedCalls().push_back({Call::begin, 0, 0, 0, mode}); }
void glEnd() { recordedCalls().push_back({Call::end}); }
void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    recordedCalls().push_back({Call::colour, red, green, blue});
}
void glVertex2f(GLfloat x, GLfloat y) { recordedCalls().push_back({Call::vertex, x, y}); }
void glutSwapBuffers() { recordedCalls().push_back({Call::swap}); }
void glutPostRedisplay() { recordedCalls().push_back({Call::postRedisplay}); }
void pauseMilliseconds(unsigned milliseconds) {
    recordedCalls().push_back({Call::pause, 0, 0, 0, milliseconds});
}
void pollChannelKeys() { recordedCalls().push_back({Call::poll}); }
