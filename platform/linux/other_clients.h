// The viewer among the X server's other clients: the window manager and the
// settings manager, whose windows it reads and whose answers it awaits.
// Their windows may go at any moment, even as the viewer reads them, and
// that ends nothing; any other error is the viewer's own and ends it, as
// Xlib and freeglut end a program.
#pragma once

#include <X11/Xlib.h>
#include <poll.h>

#include <chrono>

// The viewer's window, once there is one: an error about it is the viewer's own.
void viewerWindowIs(Window window);

// Waits until the condition holds, checking it at first and again after
// each event the connection hears, for at most the time given; whether it
// held. Another client's answer may never come.
template <typename Condition>
bool waitUntil(Display* display, std::chrono::milliseconds longest, Condition holds) {
    const auto end = std::chrono::steady_clock::now() + longest;
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    while (!holds()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        // An event read with the reply to a request sits in Xlib's queue,
        // where poll does not see it.
        if (left.count() <= 0 ||
            (XPending(display) == 0 && poll(&connection, 1, static_cast<int>(left.count())) == 0)) {
            return false;
        }
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
        }
    }
    return true;
}
