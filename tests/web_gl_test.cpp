// The page's GL without a browser: its colour levels against a desktop GL's,
// and what it asks of WebGL in each frame, through recording stand-ins for
// WebGL's calls. (Its matrices show in the page's pictures, exact to the
// pixel: the page always draws at 532 x 532, one pixel per point.)
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "platform/web/point_gl.h"
#include "platform/web/webgl.h"

namespace {

struct Recorded {
    int programs = 0;
    int buffers = 0;
    GLuint boundBuffer = 0;
    std::vector<std::vector<GatheredPoint>> uploads;
    std::vector<GLsizei> draws;  // the count of each draw
    std::vector<std::vector<GLint>> viewports;
    void (*restored)() = nullptr;
    GLint compiled = GL_TRUE;
    GLint linked = GL_TRUE;
    bool lost = false;  // the context: WebGL answers 0 and no to everything
    int failuresShown = 0;
} webgl;

}  // namespace

extern "C" {
void emscripten_glClear(GLbitfield /*mask*/) {}
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height) {
    webgl.viewports.push_back({x, y, width, height});
}
GLuint emscripten_glCreateShader(GLenum /*type*/) { return 1; }
void emscripten_glShaderSource(GLuint /*shader*/, GLsizei /*count*/, const char* const* /*sources*/,
                               const GLint* /*lengths*/) {}
void emscripten_glCompileShader(GLuint /*shader*/) {}
GLuint emscripten_glCreateProgram() { return webgl.lost ? 0 : static_cast<GLuint>(++webgl.programs); }
void emscripten_glAttachShader(GLuint /*program*/, GLuint /*shader*/) {}
void emscripten_glBindAttribLocation(GLuint /*program*/, GLuint /*index*/, const char* /*name*/) {}
void emscripten_glLinkProgram(GLuint /*program*/) {}
void emscripten_glDeleteShader(GLuint /*shader*/) {}
void emscripten_glGetShaderiv(GLuint /*shader*/, GLenum /*name*/, GLint* value) {
    *value = webgl.lost ? GL_FALSE : webgl.compiled;
}
void emscripten_glGetProgramiv(GLuint /*program*/, GLenum /*name*/, GLint* value) {
    *value = webgl.lost ? GL_FALSE : webgl.linked;
}
void showGraphicsFailure() { ++webgl.failuresShown; }
void announcePicture() {}
GLint emscripten_glGetUniformLocation(GLuint /*program*/, const char* /*name*/) { return 0; }
void emscripten_glGenBuffers(GLsizei /*count*/, GLuint* buffers) { *buffers = static_cast<GLuint>(++webgl.buffers); }
void emscripten_glUseProgram(GLuint /*program*/) {}
void emscripten_glBindBuffer(GLenum /*target*/, GLuint buffer) { webgl.boundBuffer = buffer; }
void emscripten_glBufferData(GLenum /*target*/, long size, const void* data, GLenum /*usage*/) {
    std::vector<GatheredPoint> upload(static_cast<std::size_t>(size) / sizeof(GatheredPoint));
    std::memcpy(upload.data(), data, upload.size() * sizeof(GatheredPoint));
    webgl.uploads.push_back(upload);
}
void emscripten_glEnableVertexAttribArray(GLuint /*index*/) {}
void emscripten_glVertexAttribPointer(GLuint /*index*/, GLint /*size*/, GLenum /*type*/, GLboolean /*normalized*/,
                                      GLsizei /*stride*/, const void* /*offset*/) {}
void emscripten_glUniform1f(GLint /*location*/, GLfloat /*value*/) {}
void emscripten_glDrawArrays(GLenum mode, GLint /*first*/, GLsizei count) {
    EXPECT_EQ(mode, static_cast<GLenum>(GL_POINTS));
    webgl.draws.push_back(count);
}
}

void followGraphicsContext(void (*restored)()) { webgl.restored = restored; }

namespace {

// A desktop GL's level: c × 255 in single precision, to the nearest, halves to even.
TEST(PageGl, ColourLevelsAreADesktopGlsNearestHalvesToEven) {
    for (int k = 0; k < 256; ++k) {
        EXPECT_EQ(colourLevel(static_cast<float>(k / 255.0)), k) << "level " << k;
    }
    // (k + 0.5) / 255, made single, times 255 in single precision is k + 0.5 exactly.
    for (int k = 0; k < 255; ++k) {
        EXPECT_EQ(colourLevel(static_cast<float>((k + 0.5) / 255.0)), k % 2 == 0 ? k : k + 1)
            << "between " << k << " and " << k + 1;
    }
    EXPECT_EQ(colourLevel(std::nextafter(0.5F, 0.0F)), 127);
    EXPECT_EQ(colourLevel(std::nextafter(0.5F, 1.0F)), 128);
    EXPECT_EQ(colourLevel(-0.25F), 0);
    EXPECT_EQ(colourLevel(1.5F), 255);
    EXPECT_EQ(colourLevel(std::numeric_limits<float>::quiet_NaN()), 0);
}

// One frame of points, as the viewer draws them: the window's drawing
// coordinates, then the points between glBegin and glEnd.
void frame(const std::vector<std::pair<float, float>>& vertices, float grey = 0.5F) {
    glViewport(0, 0, 532, 532);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, 532.0, 0.0, 532.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glBegin(GL_POINTS);
    glColor3f(grey, grey, grey);
    for (const auto& [x, y] : vertices) {
        glVertex2f(x, y);
    }
    glEnd();
}

TEST(PageGl, EachFrameIsOneUploadAndOneDrawOfItsOwnPoints) {
    frame({{10, 10}});
    const auto uploads = webgl.uploads.size();
    const auto draws = webgl.draws.size();
    const int programs = webgl.programs;
    frame({{10, 10}, {10, 11}, {11, 10}}, 0.0F);
    frame({{20, 20}, {20, 21}}, 1.0F);
    ASSERT_EQ(webgl.uploads.size(), uploads + 2);
    ASSERT_EQ(webgl.draws.size(), draws + 2);
    EXPECT_EQ(std::vector<GLsizei>(webgl.draws.end() - 2, webgl.draws.end()), (std::vector<GLsizei>{3, 2}));
    EXPECT_EQ(webgl.programs, programs) << "its objects made once, not at every frame";
    ASSERT_EQ(webgl.uploads.back().size(), 2U);
    for (const GatheredPoint& point : webgl.uploads.back()) {
        EXPECT_EQ(point.green, 255) << "a point of the frame before";
    }
}

// Objects WebGL would not make: shaders it would not compile, or link, or
// anything made while the context is lost. Whole pictures are dropped,
// frame after frame, never outgrowing the page's point array (which
// AddressSanitizer watches); a refusal is said once. A context given back
// gets its objects and viewport anew, and its first upload is one
// picture's points, no more.
TEST(PageGl, WholePicturesWebGlCannotDrawAreDroppedAndARefusalSaidOnce) {
    std::vector<std::pair<float, float>> picture;
    for (int x = 10; x < 522; ++x) {
        for (int y = 10; y < 522; ++y) {
            picture.emplace_back(static_cast<float>(x), static_cast<float>(y));
        }
    }
    frame({{10, 10}});  // follows the context from here
    const struct {
        const char* road;
        void (*refuse)(bool);
    } roads[] = {
        {"shaders not compiled", [](bool refused) { webgl.compiled = refused ? GL_FALSE : GL_TRUE; }},
        {"program not linked", [](bool refused) { webgl.linked = refused ? GL_FALSE : GL_TRUE; }},
        {"objects made while the context is lost", [](bool refused) { webgl.lost = refused; }},
    };
    for (const auto& road : roads) {
        webgl.restored();
        road.refuse(true);
        const auto draws = webgl.draws.size();
        const int shown = webgl.failuresShown;
        for (int frames = 0; frames < 3; ++frames) {
            frame(picture);
        }
        EXPECT_EQ(webgl.failuresShown, shown + 1) << road.road;
        EXPECT_EQ(webgl.draws.size(), draws) << road.road;
        road.refuse(false);
        webgl.restored();
        const int programs = webgl.programs;
        webgl.viewports.clear();
        glBegin(GL_POINTS);  // the window as it was: no new viewport asked for
        for (const auto& [x, y] : picture) {
            glVertex2f(x, y);
        }
        glEnd();
        EXPECT_EQ(webgl.programs, programs + 1) << road.road;
        EXPECT_EQ(webgl.boundBuffer, static_cast<GLuint>(webgl.buffers)) << road.road << ": a new buffer";
        EXPECT_EQ(webgl.viewports, (std::vector<std::vector<GLint>>{{0, 0, 532, 532}})) << road.road;
        EXPECT_EQ(webgl.failuresShown, shown + 1) << road.road;
        ASSERT_EQ(webgl.draws.size(), draws + 1) << road.road;
        EXPECT_EQ(webgl.draws.back(), 512 * 512) << road.road;
        EXPECT_EQ(webgl.uploads.back().size(), 512U * 512U) << road.road;
    }
}

}  // namespace
