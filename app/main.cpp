// Plasma Fractals: one random plasma field, made at start-up and shown until
// the window is closed. The keys R, G and B switch the colour channels.
#include <GL/glut.h>

#include "app/window.h"
#include "field/height_field.h"
#include "input/key_poll.h"
#include "platform/display.h"
#include "platform/identity.h"
#include "platform/memory.h"
#include "render/frame.h"

int main(int argc, char** argv) {
    keepFreedMemory();
    tolerateOtherClients(argv[0]);
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kWindowSide, kWindowSide);
    glutCreateWindow("Plasma Fractals");
    identifyWindow();
    fitWindowToDisplay();
    glutReshapeFunc(reshapeWindow);
    glutDisplayFunc(displayFrame);
    listenForChannelKeys();
    generateField();
    glutMainLoop();
    return 0;
}
