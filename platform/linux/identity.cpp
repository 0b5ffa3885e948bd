// The window's identity on X11 desktops, which freeglut leaves unset: its
// class, which the desktop entry's StartupWMClass names, so that docks and
// task bars match the window to its menu entry; its title in UTF-8 (EWMH's
// _NET_WM_NAME, beside freeglut's WM_NAME) and its icon; and the process
// and machine it runs on, where freeglut has not set them (it does only
// under a window manager that was running as it started).
#include "platform/identity.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstring>

#include "platform/linux/other_clients.h"
#include "platform/linux/window_icon.h"

namespace {

// The desktop entry's StartupWMClass, and the entry's own name.
char kClass[] = "plasma-fractals";

void setProperty(Display* display, Window window, const char* name, Atom type, int format, const void* data,
                 int count) {
    XChangeProperty(display, window, XInternAtom(display, name, False), type, format, PropModeReplace,
                    static_cast<const unsigned char*>(data), count);
}

}  // namespace

void identifyWindow() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == None) {
        return;
    }
    viewerWindowIs(window);
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
    XFlush(display);
}
