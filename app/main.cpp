// Plasma Fractals: one random plasma field, made at start-up and shown until
// the window is closed. The keys R, G and B switch the colour channels.
#include <GL/glut.h>

#include "field/height_field.h"
#include "input/channel_keys.h"
#include "platform/memory.h"
#include "render/frame.h"

namespace {

// One unit per pixel from the lower-left corner, set afresh at every resize
// so the picture keeps its size and place. Points are sent on whole numbers,
// which are pixel corners, where GLs differ on which pixel lights (Mesa the
// one above and right, a browser's the one below and left, a GPU either,
// even within one picture): half a pixel more puts each on the centre of the
// pixel Mesa lights.
void reshapeWindow(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, width, 0.0, height);  // NOLINT(readability-suspicious-call-argument): right, top
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glTranslatef(0.5F, 0.5F, 0.0F);
}

}  // namespace

int main(int argc, char** argv) {
    keepFreedMemory();
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kWindowSide, kWindowSide);
    glutCreateWindow("Plasma Fractals");
    glutReshapeFunc(reshapeWindow);
    glutDisplayFunc(displayFrame);
    listenForChannelKeys();
    generateField();
    glutMainLoop();
    return 0;
}
