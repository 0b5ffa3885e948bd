// The window's identity on X11 desktops, which freeglut leaves unset: its
// class, which the desktop entry's StartupWMClass names, so that docks and
// task bars match the window to its menu entry; its title in UTF-8 (EWMH's
// _NET_WM_NAME, beside freeglut's WM_NAME) and its icon; and the process
// and machine it runs on, where freeglut has not set them (it does only
// under a window manager that was running as it started).
//
// A window manager applies its rules for a window (by class, ICCCM 4.1.2.5)
// as it takes the window over, and freeglut shows the window as it makes it,
// before the viewer can set any of this: under a window manager the window
// is withdrawn, identified and shown again, before its first frame.
#include "platform/identity.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <chrono>
#include <cstring>

#include "platform/linux/other_clients.h"
#include "platform/linux/window_icon.h"

namespace {

// The desktop entry's StartupWMClass, and the entry's own name.
char kClass[] = "plasma-fractals";

// How long a window manager is given to let go of the window, and to take it over again.
constexpr std::chrono::milliseconds kLetGo{500};
constexpr std::chrono::milliseconds kShown{2000};

void setProperty(Display* display, Window window, const char* name, Atom type, int format, const void* data,
                 int count) {
    XChangeProperty(display, window, XInternAtom(display, name, False), type, format, PropModeReplace,
                    static_cast<const unsigned char*>(data), count);
}

void identify(Display* display, Window window) {
    XClassHint hint{kClass, kClass};
    XSetClassHint(display, window, &hint);
    char* title = nullptr;
    if (XFetchName(display, window, &title) != 0 && title != nullptr) {
        setProperty(display, window, "_NET_WM_NAME", XInternAtom(display, "UTF8_STRING", False), 8, title,
                    static_cast<int>(std::strlen(title)));
        XFree(title);
    }
    setProperty(display, window, "_NET_WM_ICON", XA_CARDINAL, 32, kWindowIcon, kWindowIconLength);
    const long process = getpid();
    setProperty(display, window, "_NET_WM_PID", XA_CARDINAL, 32, &process, 1);
    utsname system{};
    if (uname(&system) == 0) {
        setProperty(display, window, "WM_CLIENT_MACHINE", XA_STRING, 8, system.nodename,
                    static_cast<int>(std::strlen(system.nodename)));
    }
}

// Whether a window manager redirects the windows shown on the screen.
bool managed(Display* display) {
    XWindowAttributes root{};
    return XGetWindowAttributes(display, DefaultRootWindow(display), &root) != 0 &&
           (root.all_event_masks & SubstructureRedirectMask) != 0;
}

// The window's WM_STATE, as the window manager keeps it; kNoState where
// it keeps none.
constexpr long kNoState = -1;
long stateOf(Display* display, Window window) {
    const Atom state = XInternAtom(display, "WM_STATE", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    long value = kNoState;
    if (XGetWindowProperty(display, window, state, 0, 1, False, state, &type, &format, &count, &after, &data) ==
            Success &&
        data != nullptr && count == 1 && format == 32) {
        value = reinterpret_cast<const long*>(data)[0];  // format 32 arrives as longs
    }
    if (data != nullptr) {
        XFree(data);
    }
    return value;
}

// Whether the window manager has taken the window over again: shown it,
// or kept it as an icon, or framed it and marked it withdrawn while it
// shows another workspace (as i3 does).
bool takenOver(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) != 0 && attributes.map_state == IsViewable) {
        return true;
    }
    const long state = stateOf(display, window);
    if (state == IconicState) {
        return true;
    }
    Window root = None;
    Window parent = None;
    Window* children = nullptr;
    unsigned count = 0;
    const bool framed = XQueryTree(display, window, &root, &parent, &children, &count) != 0 && parent != root;
    if (children != nullptr) {
        XFree(children);
    }
    return framed && state != kNoState;
}

// Withdrawn as ICCCM 4.1.4 has it, and shown again once the window manager
// has let go of it (back where it was: openbox and fluxbox put it there).
void showAgain(Display* glut, Window window) {
    // A connection of its own, to hear of the window's changes without
    // taking GLUT's events.
    Display* watch = XOpenDisplay(DisplayString(glut));
    if (watch == nullptr) {
        return;
    }
    XSelectInput(watch, window, PropertyChangeMask | StructureNotifyMask);
    XSync(watch, False);
    XWithdrawWindow(glut, window, DefaultScreen(glut));
    XFlush(glut);
    waitUntil(watch, kLetGo, [&] { return stateOf(watch, window) <= WithdrawnState; });  // none, or withdrawn
    XMapWindow(glut, window);
    XFlush(glut);
    waitUntil(watch, kShown, [&] { return takenOver(watch, window); });
    XCloseDisplay(watch);
}

}  // namespace

void identifyWindow() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == None) {
        return;
    }
    viewerWindowIs(window);
    identify(display, window);
    if (managed(display)) {
        showAgain(display, window);
    }
    XFlush(display);
}
