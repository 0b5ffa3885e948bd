// What the X server's other clients cause: Xlib's and freeglut's handling
// of errors, but for a window of another client that has gone.
#include "platform/linux/other_clients.h"

#include <GL/freeglut.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "platform/display.h"

namespace {

struct {
    const char* program = "";
    XErrorHandler xlibs = nullptr;  // Xlib's own: says what failed and ends the program
    Window viewer = None;
    // The request that last failed only because another client's window
    // had gone, and the connection it went through.
    Display* goneOn = nullptr;
    unsigned long goneRequest = 0;
} errors;

int onXError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow && error->resourceid != errors.viewer) {
        errors.goneOn = display;
        errors.goneRequest = error->serial;
        return 0;
    }
    return errors.xlibs(display, error);
}

// freeglut takes a request that failed as its own error and ends the
// program (at start, reading the window manager's check window): one that
// failed only for another client's window gone, it is told to carry on
// from, as from a window that holds nothing. Its other errors end the
// program as freeglut's own handling does, saying the same.
void onGlutError(const char* format, va_list arguments) {
    if (errors.goneOn != nullptr && LastKnownRequestProcessed(errors.goneOn) == errors.goneRequest) {
        errors.goneOn = nullptr;
        return;
    }
    std::fprintf(stderr, "freeglut (%s): ", errors.program);
    std::vfprintf(stderr, format, arguments);
    std::fputc('\n', stderr);
    std::exit(1);
}

}  // namespace

void tolerateOtherClients(const char* program) {
    errors.program = program;
    errors.xlibs = XSetErrorHandler(onXError);
    glutInitErrorFunc(onGlutError);
}

void viewerWindowIs(Window window) { errors.viewer = window; }
