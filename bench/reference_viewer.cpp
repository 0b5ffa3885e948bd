// Reference viewers for the frame benchmark: the same window, field, colours
// and pacing as the program, drawn the plainest way, either point by point in
// immediate mode or from a vertex array built once.
#include <GL/glu.h>
#include <GL/glut.h>

#include <vector>

#include "field/height_field.h"
#include "platform/clock.h"
#include "platform/pause.h"
#include "render/colour_ramp.h"

namespace {

constexpr int kSide = 512;
constexpr int kMargin = 10;

HeightField field;
std::vector<float> vertices;
std::vector<float> colours;

void reshape(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, width, 0.0, height);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void display() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
#if REFERENCE_VERTEX_ARRAY
    glDrawArrays(GL_POINTS, 0, kSide * kSide);
#else
    glBegin(GL_POINTS);
    for (int x = 0; x < kSide; ++x) {
        for (int y = 0; y < kSide; ++y) {
            const Colour colour = colourRamp(field[x][y]);
            glColor3f(colour.red, colour.green, colour.blue);
            glVertex2f(static_cast<float>(x + kMargin), static_cast<float>(y + kMargin));
        }
    }
    glEnd();
#endif
    glutSwapBuffers();
    pauseMilliseconds(200);
    glutPostRedisplay();
}

}  // namespace

int main(int argc, char** argv) {
    glutInit(&argc, argv);
    glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
    glutInitWindowSize(kSide + 2 * kMargin, kSide + 2 * kMargin);
    glutCreateWindow("Plasma Fractals");
    glutReshapeFunc(reshape);
    glutDisplayFunc(display);
    generateField(field, tickCount());
#if REFERENCE_VERTEX_ARRAY
    for (int x = 0; x < kSide; ++x) {
        for (int y = 0; y < kSide; ++y) {
            const Colour colour = colourRamp(field[x][y]);
            colours.insert(colours.end(), {colour.red, colour.green, colour.blue});
            vertices.insert(vertices.end(), {static_cast<float>(x + kMargin), static_cast<float>(y + kMargin)});
        }
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, 0, vertices.data());
    glColorPointer(3, GL_FLOAT, 0, colours.data());
#endif
    glutMainLoop();
    return 0;
}
