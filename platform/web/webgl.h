// The WebGL calls the page's GL makes, by the second names Emscripten gives
// every one of them (emscripten_glClear for glClear, ...) so that a program
// may define the GL calls itself; and the browser's word that a lost
// context is back. In tests, recording stand-ins take their place.
#pragma once

#include <GL/gl.h>

extern "C" {
void emscripten_glClear(GLbitfield mask);
void emscripten_glViewport(GLint x, GLint y, GLsizei width, GLsizei height);
GLuint emscripten_glCreateShader(GLenum type);
void emscripten_glShaderSource(GLuint shader, GLsizei count, const char* const* sources, const GLint* lengths);
void emscripten_glCompileShader(GLuint shader);
GLuint emscripten_glCreateProgram();
void emscripten_glAttachShader(GLuint program, GLuint shader);
void emscripten_glBindAttribLocation(GLuint program, GLuint index, const char* name);
void emscripten_glLinkProgram(GLuint program);
void emscripten_glDeleteShader(GLuint shader);
void emscripten_glGetShaderiv(GLuint shader, GLenum name, GLint* value);
void emscripten_glGetProgramiv(GLuint program, GLenum name, GLint* value);
GLint emscripten_glGetUniformLocation(GLuint program, const char* name);
void emscripten_glGenBuffers(GLsizei count, GLuint* buffers);
void emscripten_glUseProgram(GLuint program);
void emscripten_glBindBuffer(GLenum target, GLuint buffer);
void emscripten_glBufferData(GLenum target, long size, const void* data, GLenum usage);
void emscripten_glEnableVertexAttribArray(GLuint index);
void emscripten_glVertexAttribPointer(GLuint index, GLint size, GLenum type, GLboolean normalized, GLsizei stride,
                                      const void* offset);
void emscripten_glUniform1f(GLint location, GLfloat value);
void emscripten_glDrawArrays(GLenum mode, GLint first, GLsizei count);
}

// Calls the given function when the browser gives back a lost WebGL
// context, whose objects are gone.
void followGraphicsContext(void (*restored)());

// The page's word, in the picture's place, that WebGL would not take the
// shaders (platform/web/graphics.js): not said while the context is
// lost, when WebGL answers no to everything.
extern "C" void showGraphicsFailure();

// The page's word that the picture is drawn: from then on it is announced
// as an image.
extern "C" void announcePicture();
