// The X11 display: its scale is the Xft.dpi resource that desktops set in
// the display's resource database (GNOME, KDE Plasma and Xfce at 2x: 192),
// and its work area the one the window manager publishes for the current
// desktop (_NET_WORKAREA), or the screen. A window manager's frame is not
// known before the window is shown; it is taken as none.
#include "platform/display.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xresource.h>

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

}  // namespace

DisplayReading readDisplay() {
    Display* display = glXGetCurrentDisplay();
    if (display == nullptr) {
        return {kStandardDotsPerInch, 0, 0, 0, 0};
    }
    const int screen = DefaultScreen(display);
    int width = DisplayWidth(display, screen);
    int height = DisplayHeight(display, screen);
    // x, y, width and height for each desktop; the current desktop's.
    unsigned long desktop = 0;
    unsigned long areas[4 * kMostDesktops] = {};
    readCardinals(display, "_NET_CURRENT_DESKTOP", &desktop, 1);
    if (desktop < kMostDesktops &&
        readCardinals(display, "_NET_WORKAREA", areas, 4 * kMostDesktops) >= 4 * (desktop + 1)) {
        width = static_cast<int>(areas[4 * desktop + 2]);
        height = static_cast<int>(areas[4 * desktop + 3]);
    }
    return {resourceDotsPerInch(display), width, height, 0, 0};
}

void followDisplayChanges(void (* /*changed*/)()) {}
