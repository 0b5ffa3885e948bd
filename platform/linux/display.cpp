// The X11 display, what the display-scale rule reads (README.md, "Display
// scale"): the desktop's settings, the work area of the window's monitor,
// and the window's frame and place.
#include "platform/display.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

#include "platform/linux/other_clients.h"
#include "platform/linux/xsettings.h"

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

// Up to `size` values of a property of a window, of 32-bit values of the
// given type (CARDINAL, WINDOW); how many.
unsigned long readLongs(Display* display, Window window, const char* name, Atom wanted, unsigned long* values,
                        unsigned long size) {
    const Atom property = XInternAtom(display, name, True);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    if (property == None || XGetWindowProperty(display, window, property, 0, static_cast<long>(size), False, wanted,
                                               &type, &format, &count, &after, &data) != Success) {
        return 0;
    }
    if (data == nullptr || type != wanted || format != 32) {
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

unsigned long readCardinals(Display* display, Window window, const char* name, unsigned long* values,
                            unsigned long size) {
    return readLongs(display, window, name, XA_CARDINAL, values, size);
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

// The desktop's settings, where a settings manager owns them for the
// screen. The manager may go between asking for its window and reading
// from it: the read then fails, and there are none.
struct DesktopSettings {
    int windowScale = 0;
    double dotsPerInch = 0.0;
};

DesktopSettings desktopSettings(Display* display) {
    char selection[32] = {};
    std::snprintf(selection, sizeof selection, "_XSETTINGS_S%d", DefaultScreen(display));
    const Atom owned = XInternAtom(display, selection, True);
    const Atom property = XInternAtom(display, "_XSETTINGS_SETTINGS", True);
    const Window manager = owned != None ? XGetSelectionOwner(display, owned) : None;
    DesktopSettings settings;
    if (manager == None || property == None) {
        return settings;
    }
    Atom type = None;
    int format = 0;
    unsigned long size = 0;
    unsigned long after = 0;
    unsigned char* bytes = nullptr;
    if (XGetWindowProperty(display, manager, property, 0, 1L << 16, False, AnyPropertyType, &type, &format, &size,
                           &after, &bytes) == Success &&
        format == 8) {
        settings.windowScale = xsettingsInteger(bytes, size, "Gdk/WindowScalingFactor").value_or(0);
        // In 1024ths of a dot per inch.
        settings.dotsPerInch = xsettingsInteger(bytes, size, "Xft/DPI").value_or(0) / 1024.0;
    }
    if (bytes != nullptr) {
        XFree(bytes);
    }
    return settings;
}

// What the window manager's frame adds on each side of the window: left,
// right, top, bottom. A window manager sets them as it frames the window;
// where it has not yet, one that says it answers is asked, and one that
// says it sets them (KWin, which answers without saying so) is waited
// for, a moment at most; with any other, or none, there is no frame.
constexpr std::chrono::milliseconds kFrameAnswer{500};

// Left as they were unless all four are read.
bool frameOf(Display* display, Window window, unsigned long (&extents)[4]) {
    unsigned long read[4] = {};
    if (readCardinals(display, window, "_NET_FRAME_EXTENTS", read, 4) != 4) {
        return false;
    }
    std::copy(std::begin(read), std::end(read), std::begin(extents));
    return true;
}

// Whether a window's list of atoms (_NET_SUPPORTED) holds the one named.
bool lists(Display* display, Window window, const char* list, const char* name) {
    const Atom property = XInternAtom(display, list, True);
    const Atom wanted = XInternAtom(display, name, True);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long after = 0;
    unsigned char* data = nullptr;
    bool found = false;
    if (property != None && wanted != None &&
        XGetWindowProperty(display, window, property, 0, 1L << 16, False, XA_ATOM, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && type == XA_ATOM && format == 32) {
        const auto* atoms = reinterpret_cast<const unsigned long*>(data);  // format 32 arrives as longs
        found = std::find(atoms, atoms + count, wanted) != atoms + count;
    }
    if (data != nullptr) {
        XFree(data);
    }
    return found;
}

// A window manager that is there (EWMH: its check window names itself; a
// manager that has gone may leave the root naming a window gone too) and
// says it supports what is named.
bool managerSupports(Display* display, const char* name) {
    const Window root = DefaultRootWindow(display);
    unsigned long manager = 0;
    unsigned long itself = 0;
    return readLongs(display, root, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &manager, 1) == 1 &&
           readLongs(display, manager, "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, &itself, 1) == 1 && itself == manager &&
           lists(display, root, "_NET_SUPPORTED", name);
}

void readFrame(Display* glut, Window window, unsigned long (&extents)[4]) {
    if (frameOf(glut, window, extents)) {
        return;
    }
    const bool asks = managerSupports(glut, "_NET_REQUEST_FRAME_EXTENTS");
    if (!asks && !managerSupports(glut, "_NET_FRAME_EXTENTS")) {
        return;
    }
    // A connection of its own, to hear of the answer without taking the
    // window's events from GLUT.
    Display* display = XOpenDisplay(DisplayString(glut));
    if (display == nullptr) {
        return;
    }
    XSelectInput(display, window, PropertyChangeMask);
    if (asks) {
        XEvent request{};
        request.xclient = {
            ClientMessage, 0, True, display, window, XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False), 32, {}};
        XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
                   &request);
    }
    XFlush(display);
    waitUntil(display, kFrameAnswer, [&] { return frameOf(display, window, extents); });
    XCloseDisplay(display);
}

}  // namespace

DisplayReading readDisplay() {
    Display* display = glXGetCurrentDisplay();
    const Window window = glXGetCurrentDrawable();
    if (display == nullptr || window == None) {
        return {kStandardDotsPerInch, 0, 0, 0, 0};
    }
    const int screen = DefaultScreen(display);
    Area work = windowsMonitor(display, {0, 0, DisplayWidth(display, screen), DisplayHeight(display, screen)});
    // x, y, width and height for each desktop; the current desktop's.
    unsigned long desktop = 0;
    unsigned long areas[4 * kMostDesktops] = {};
    readCardinals(display, DefaultRootWindow(display), "_NET_CURRENT_DESKTOP", &desktop, 1);
    if (desktop < kMostDesktops && readCardinals(display, DefaultRootWindow(display), "_NET_WORKAREA", areas,
                                                 4 * kMostDesktops) >= 4 * (desktop + 1)) {
        const unsigned long* area = &areas[4 * desktop];
        work = overlap(work, {static_cast<int>(area[0]), static_cast<int>(area[1]), static_cast<int>(area[2]),
                              static_cast<int>(area[3])});
    }
    const DesktopSettings settings = desktopSettings(display);
    unsigned long frame[4] = {};  // left, right, top, bottom
    readFrame(display, window, frame);
    XWindowAttributes attributes{};
    XGetWindowAttributes(display, window, &attributes);
    int x = 0;
    int y = 0;
    Window child = None;
    XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
    XSizeHints hints{};
    long supplied = 0;
    const bool placedByUser =
        XGetWMNormalHints(display, window, &hints, &supplied) != 0 && (hints.flags & USPosition) != 0;
    return {settings.dotsPerInch > 0.0 ? settings.dotsPerInch : resourceDotsPerInch(display),
            work.width,
            work.height,
            static_cast<int>(frame[0] + frame[1]),
            static_cast<int>(frame[2] + frame[3]),
            settings.windowScale,
            work.x,
            work.y,
            x - static_cast<int>(frame[0]),
            y - static_cast<int>(frame[2]),
            attributes.width,
            attributes.height,
            placedByUser};
}

void followDisplayChanges(void (* /*changed*/)()) {}
