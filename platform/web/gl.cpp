// The GL calls the viewer makes, supplied for a page as a desktop GL driver
// supplies them: the matrices, the current colour and the points between
// glBegin and glEnd are kept here in WebAssembly memory, worked out as a
// desktop GL does (platform/web/point_gl.h), and a frame's points reach
// WebGL in one upload and one draw, at glEnd. The viewer draws points only.
#include <GL/gl.h>
#include <GL/glu.h>

#include <cstddef>

#include "platform/web/point_gl.h"
#include "platform/web/webgl.h"

namespace {

// A whole picture's points, one per cell: one frame's upload. (More would go
// in batches of this size.)
constexpr int kBatchPoints = 512 * 512;
GatheredPoint points[kBatchPoints];
int gathered = 0;

Matrix modelView = identityMatrix();
Matrix projection = identityMatrix();
Matrix* current = &modelView;
Matrix toClip = identityMatrix();                // projection × model-view, between glBegin and glEnd
GatheredPoint colour{0, 0, 255, 255, 255, 255};  // the current colour's levels: GL starts with white
float pointSize = 1.0F;
GLint viewport[4] = {};
bool viewportSet = false;

constexpr GLuint kPosition = 0;
constexpr GLuint kColour = 1;
constexpr const char* kVertexShader = R"(
attribute vec2 position;
attribute vec4 colour;
uniform float pointSize;
varying vec4 shade;
void main() {
    gl_Position = vec4(position, 0.0, 1.0);
    gl_PointSize = pointSize;
    shade = colour;
})";
// The levels come in as level / 255 and go out as the same level: exact even
// at medium precision.
constexpr const char* kFragmentShader = R"(
precision mediump float;
varying vec4 shade;
void main() {
    gl_FragColor = shade;
})";

// The page's few WebGL objects: made at the first draw, and again after
// the browser has given back a lost context, whose objects are gone.
struct Objects {
    GLuint program;
    GLuint buffer;
    GLint pointSize;
    bool made;
    bool usable;  // the shaders compiled and linked
} objects{};

void forgetObjects() { objects.made = false; }

// Whether it compiled.
bool attachShader(GLuint program, GLenum type, const char* source) {
    const GLuint shader = emscripten_glCreateShader(type);
    emscripten_glShaderSource(shader, 1, &source, nullptr);
    emscripten_glCompileShader(shader);
    GLint compiled = GL_FALSE;
    emscripten_glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    emscripten_glAttachShader(program, shader);
    emscripten_glDeleteShader(shader);  // kept while attached
    return compiled == GL_TRUE;
}

void makeObjects() {
    static bool following = false;
    if (!following) {
        followGraphicsContext(forgetObjects);
        following = true;
    }
    const GLuint program = emscripten_glCreateProgram();
    const bool vertices = attachShader(program, GL_VERTEX_SHADER, kVertexShader);
    const bool fragments = attachShader(program, GL_FRAGMENT_SHADER, kFragmentShader);
    emscripten_glBindAttribLocation(program, kPosition, "position");
    emscripten_glBindAttribLocation(program, kColour, "colour");
    emscripten_glLinkProgram(program);
    GLint linked = GL_FALSE;
    emscripten_glGetProgramiv(program, GL_LINK_STATUS, &linked);
    const bool usable = vertices && fragments && linked == GL_TRUE;
    if (!usable) {
        showGraphicsFailure();
    }
    GLuint buffer = 0;
    emscripten_glGenBuffers(1, &buffer);
    objects = {program, buffer, emscripten_glGetUniformLocation(program, "pointSize"), true, usable};
    if (viewportSet) {  // a new context has the canvas's own
        emscripten_glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    }
}

// Draws the points gathered, or drops them where the shaders are unusable
// (refused, or made while the context was lost): either way the batch
// starts again empty, so that the points never outgrow their array.
void drawGathered() {
    const int count = gathered;
    gathered = 0;
    if (count == 0) {
        return;
    }
    if (!objects.made) {
        makeObjects();
    }
    if (!objects.usable) {
        return;
    }
    constexpr auto kStride = static_cast<GLsizei>(sizeof(GatheredPoint));
    emscripten_glUseProgram(objects.program);
    emscripten_glBindBuffer(GL_ARRAY_BUFFER, objects.buffer);
    emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<long>(sizeof(GatheredPoint)) * count, points, GL_STREAM_DRAW);
    emscripten_glEnableVertexAttribArray(kPosition);
    emscripten_glVertexAttribPointer(kPosition, 2, GL_FLOAT, GL_FALSE, kStride, nullptr);
    emscripten_glEnableVertexAttribArray(kColour);
    // GL takes the offset into the buffer as a pointer.
    emscripten_glVertexAttribPointer(
        kColour, 4, GL_UNSIGNED_BYTE, GL_TRUE, kStride,
        reinterpret_cast<const void*>(offsetof(GatheredPoint, red)));  // NOLINT(performance-no-int-to-ptr)
    emscripten_glUniform1f(objects.pointSize, pointSize);
    emscripten_glDrawArrays(GL_POINTS, 0, count);
    static bool announced = false;
    if (!announced) {
        announcePicture();
        announced = true;
    }
}

}  // namespace

void glClear(GLbitfield mask) { emscripten_glClear(mask); }

void glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    viewport[0] = x;
    viewport[1] = y;
    viewport[2] = width;
    viewport[3] = height;
    viewportSet = true;
    emscripten_glViewport(x, y, width, height);
}

void glMatrixMode(GLenum mode) { current = mode == GL_PROJECTION ? &projection : &modelView; }

void glLoadIdentity() { *current = identityMatrix(); }

void glTranslatef(GLfloat x, GLfloat y, GLfloat z) { *current = *current * translationMatrix(x, y, z); }

void gluOrtho2D(GLdouble left, GLdouble right, GLdouble bottom, GLdouble top) {
    *current = *current * orthographicMatrix(left, right, bottom, top);
}

void glPointSize(GLfloat size) { pointSize = size; }

void glBegin(GLenum /*mode*/) { toClip = projection * modelView; }

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
    colour.red = colourLevel(red);
    colour.green = colourLevel(green);
    colour.blue = colourLevel(blue);
}

void glVertex2f(GLfloat x, GLfloat y) {
    if (gathered == kBatchPoints) {
        drawGathered();
    }
    GatheredPoint point = clipPoint(toClip, x, y);
    point.red = colour.red;
    point.green = colour.green;
    point.blue = colour.blue;
    point.alpha = colour.alpha;
    points[gathered++] = point;
}

void glEnd() { drawGathered(); }
