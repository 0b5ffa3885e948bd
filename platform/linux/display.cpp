// The X11 display, as docs/design.md's "Display scale" has it read: the
// Xft.dpi resource, and the work area (_NET_WORKAREA) of the window's
// monitor (its RandR 1.5 monitor, or else the screen). A window manager's
// frame is not known before the window is shown; it is taken as none.
#include "platform/display.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

double resourceDotsPerInch(Display* display) {
    const char* resources = XResourceManagerString(display);
    if (resources == nullptr) {
        return kStandardDotsPerInch;
    }
    XrmInitialize();
    XrmDatabase database = XrmGetStringDatabase(resources);
    char* type = nullptr;
    XrmValue value{};
    double dotsPerInch = kStandardDotsPerInch;
    if (XrmGetResource(database, "Xft.dpi", "Xft.Dpi", &type, &value) != 0 && value.addr != nullptr) {
        char* end = nullptr;
        const double read = std::strtod(value.addr, &end);
        if (end != value.addr && std::isfinite(read) && read > 0.0) {
            dotsPerInch = read;
        }
    }
    XrmDestroyDatabase(database);
    return dotsPerInch;
}

// Up to `size` values of a CARDINAL property of the root window; how many.
unsigned long readCardinals(Display* display, const char* name, unsigned long* values, unsigned long size) {
    const Atom property = XInternAtom(display, name, True);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (property == None ||
        XGetWindowProperty(display, DefaultRootWindow(display), property, 0, static_cast<long>(size), False,
                           XA_CARDINAL, &type, &format, &count, &after, &data) != Success) {
        return 0;
    }
    if (data == nullptr || type != XA_CARDINAL || format != 32) {
        count = 0;
    }
    for (unsigned long i = 0; i < count; ++i) {
        values[i] = reinterpret_cast<const unsigned long*>(data)[i];  // format 32 arrives as longs
    }
    if (data != nullptr) {
        XFree(data);
    }
    return count;
}

constexpr unsigned long kMostDesktops = 64;

struct Area {
    int x, y, width, height;
};

Area overlap(const Area& a, const Area& b) {
    const int left = std::max(a.x, b.x);
    const int bottom = std::max(a.y, b.y);
    const int right = std::min(a.x + a.width, b.x + b.width);
    const int top = std::min(a.y + a.height, b.y + b.height);
    return {left, bottom, std::max(right - left, 0), std::max(top - bottom, 0)};
}

bool holds(const Area& area, int x, int y) {
    return x >= area.x && y >= area.y && x < area.x + area.width && y < area.y + area.height;
}

// The monitor holding the window's top left corner, or else the primary
// one, or else the first; the screen where the server has no monitors.
Area windowsMonitor(Display* display, Area screen) {
    int event = 0;
    int error = 0;
    int major = 0;
    int minor = 0;
    int x = 0;
    int y = 0;
    Window child = None;
    const Window window = glXGetCurrentDrawable();
    if (XRRQueryExtension(display, &event, &error) == 0 || XRRQueryVersion(display, &major, &minor) == 0 ||
        (major == 1 && minor < 5) || window == None ||
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child) == 0) {
        return screen;
    }
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display, DefaultRootWindow(display), True, &count);
    Area chosen = screen;
    int rank = 0;  // 3 the window's, 2 the primary, 1 the first
    for (int i = 0; i < count; ++i) {
        const Area monitor{monitors[i].x, monitors[i].y, monitors[i].width, monitors[i].height};
        const int its = holds(monitor, x, y) ? 3 : monitors[i].primary != 0 ? 2 : i == 0 ? 1 : 0;
        if (its > rank) {
            chosen = monitor;
            rank = its;
        }
    }
    if (monitors != nullptr) {
        XRRFreeMonitors(monitors);
    }
    return chosen;
}

}  // namespace

DisplayReading readDisplay() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return {kStandardDotsPerInch, 0, 0, 0, 0};
    }
    const int screen = DefaultScreen(display);
    Area work = windowsMonitor(display, {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)});
    // x, y, width and height for each desktop; the current desktop's.
    unsigned long desktop = 0;
    unsigned long areas[4 * kMostDesktops] = {};
    readCardinals(display, "_NET_CURRENT_DESKTOP", &desktop, 1);
    if (desktop < kMostDesktops &&
        readCardinals(display, "_NET_WORKAREA", areas, 4 * kMostDesktops) >= 4 * (desktop + 1)) {
        const unsigned long* area = &areas[4 * desktop];
        work = overlap(work, {static_cast<int>(area[0]), static_cast<int>(area[1]), static_cast<int>(area[2]),
                              static_cast<int>(area[3])});
    }
    return {resourceDotsPerInch(display), work.width, work.height, 0, 0};
}

void followDisplayChanges(void (* /*changed*/)()) {}
