// The end-to-end tests' oracle: the exact window the viewer must show for a
// seed and a set of channels, the seed whose picture a window shows, the
// window's next frames as they show, the program's clock, a window
// manager's close request, stand-ins for window managers (one that answers
// a request for a frame, listed or not; one gone; one that records what a
// window carries as it asks to be shown), and a switch of layout.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

#include "field/height_field.h"
#include "field/random_source.h"
#include "platform/clock.h"
#include "render/colour_ramp.h"

namespace {

constexpr int kWindow = 532;
HeightField field;

// Mesa stores each channel as the nearest of 256 levels: the channel times
// 255 in single precision (the cast keeps it so where floats are evaluated
// wider), halves rounded to even.
char level(float channel, char on) {
    return on == '-' ? '\0' : static_cast<char>(std::lrint(static_cast<float>(channel * 255.0F)));
}

// Cell [x][y] as the n x n block of pixels from ((x + 10) n, (y + 10) n) up
// and right from the lower-left corner, black elsewhere: RGB bytes, top row
// first. Channels as "rgb", "-g-", ...
std::string picture(const std::string& on, int width = kWindow, int height = kWindow, int n = 1) {
    std::string rgb(static_cast<std::size_t>(3 * width * height), '\0');
    for (int x = 0; x < 512; ++x) {
        for (int y = 0; y < 512; ++y) {
            const Colour colour = colourRamp(field[x][y]);
            const std::string levels{level(colour.red, on[0]), level(colour.green, on[1]), level(colour.blue, on[2])};
            for (int px = (x + 10) * n; px < (x + 11) * n && px < width; ++px) {
                for (int py = (y + 10) * n; py < (y + 11) * n && py < height; ++py) {
                    rgb.replace(static_cast<std::size_t>(3 * ((height - 1 - py) * width + px)), 3, levels);
                }
            }
        }
    }
    return rgb;
}

// Whether the window shows cell [0][y] of this value with every channel on.
bool shows(const std::string& window, float value, int y) {
    const Colour colour = colourRamp(value);
    const auto at = static_cast<std::size_t>(3 * ((kWindow - 11 - y) * kWindow + 10));
    return window.compare(at, 3, {level(colour.red, 'r'), level(colour.green, 'g'), level(colour.blue, 'b')}) == 0;
}

// Channels as "rgb", "-g-", ...: each letter in its place, or '-'.
bool channels(const std::string& on) {
    return on.size() == 3 && (on[0] == 'r' || on[0] == '-') && (on[1] == 'g' || on[1] == '-') &&
           (on[2] == 'b' || on[2] == '-');
}

std::uint32_t number(const char* text) { return static_cast<std::uint32_t>(std::strtoul(text, nullptr, 0)); }

// Whether an event came within the time given.
bool eventWithin(Display* display, std::chrono::milliseconds time) {
    if (XPending(display) > 0) {
        return true;
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    return poll(&connection, 1, static_cast<int>(time.count())) > 0 && XPending(display) > 0;
}

bool xFailed = false;
int noteXError(Display* /*display*/, XErrorEvent* /*error*/) {
    xFailed = true;
    return 0;
}

// The window's contents as RGB bytes, top row first, as xwd and convert
// give them: all of it, or its top left corner of the size given.
bool capture(Display* display, Window window, const std::string& path, int width, int height) {
    XWindowAttributes attributes{};
    if (XGetWindowAttributes(display, window, &attributes) == 0) {
        return false;
    }
    attributes.width = width > 0 ? width : attributes.width;
    attributes.height = height > 0 ? height : attributes.height;
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        return false;
    }
    std::string rgb;
    rgb.reserve(static_cast<std::size_t>(3 * attributes.width * attributes.height));
    for (int y = 0; y < attributes.height; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);  // a 24-bit TrueColor screen's
            rgb += {static_cast<char>(pixel >> 16U), static_cast<char>(pixel >> 8U), static_cast<char>(pixel)};
        }
    }
    XDestroyImage(image);
    std::ofstream(path, std::ios::binary) << rgb;
    return true;
}

// The window's next frames, each kept as PATH.1, PATH.2, ... once it has
// shown. A frame is what the program draws between two pauses: drawing to
// the window (its damage, from the swap) followed by a quiet spell.
int frames(Window window, int count, const std::string& path, int width, int height) {
    Display* display = XOpenDisplay(nullptr);
    int events = 0;
    int errors = 0;
    if (display == nullptr || XDamageQueryExtension(display, &events, &errors) == 0) {
        std::cerr << "pictures: no X display with the Damage extension\n";
        return 1;
    }
    XSetErrorHandler(noteXError);
    // A new damage object reports the whole window at once, drawn or not:
    // that report is let go of, so that the first frame kept is one drawn after.
    const Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
    XSync(display, False);
    for (XEvent event{}; XPending(display) > 0;) {
        XNextEvent(display, &event);
    }
    XDamageSubtract(display, damage, None, None);
    XSync(display, False);
    constexpr auto kLongest = std::chrono::seconds(60);  // a frame's longest wait, on the slowest machine
    for (int frame = 1; frame <= count && !xFailed; ++frame) {
        // Damage is all this connection hears of: its first, then the rest of
        // the frame's, until a quiet spell.
        if (!eventWithin(display, kLongest)) {
            std::cerr << "pictures: the window showed no frame " << frame << " within " << kLongest.count() << " s\n";
            return 1;
        }
        do {
            XEvent event;
            XNextEvent(display, &event);
            XDamageSubtract(display, damage, None, None);
            XSync(display, False);
        } while (eventWithin(display, std::chrono::milliseconds(30)));
        if (!capture(display, window, path + "." + std::to_string(frame), width, height)) {
            return 1;
        }
    }
    XCloseDisplay(display);
    return xFailed ? 1 : 0;
}

// Stand-ins for window managers, each as much of one as a scenario needs.
// A manager's check window names itself (EWMH), and the root lists what it
// supports: the request for a frame, or not.
void claimManager(Display* display, const char* listed) {  // and _NET_SUPPORTED lists that
    const Window root = DefaultRootWindow(display);
    Window check = XCreateSimpleWindow(display, root, 0, 0, 1, 1, 0, 0, 0);
    const Atom checking = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", False);
    for (const Window on : {root, check}) {
        XChangeProperty(display, on, checking, XA_WINDOW, 32, PropModeReplace, reinterpret_cast<unsigned char*>(&check),
                        1);
    }
    Atom supported[] = {checking, XInternAtom(display, listed, False)};
    XChangeProperty(display, root, XInternAtom(display, "_NET_SUPPORTED", False), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(supported), 2);
    XSync(display, False);
}

// A window manager that frames no window, yet answers a request for a
// frame, TOP pixels at the top, listing that request (asked-frame) or not
// (unlisted-frame: a window that asks all the same shows it); or one that
// takes windows over (record-maps) and keeps in PATH, for the last that
// asked to be shown, what it carried then as xprop says it, keeping
// WM_STATE as ICCCM has it, and a moment after showing it sets its frame,
// 200 at the top, as KWin does (listing frames, not the request).
int standIn(const std::string& kind, const char* argument) {
    Display* display = XOpenDisplay(nullptr);
    const Window root = DefaultRootWindow(display);
    XSetErrorHandler(noteXError);  // a window may go at any moment
    XSelectInput(display, root, SubstructureNotifyMask | (kind == "record-maps" ? SubstructureRedirectMask : 0));
    const char* listed[] = {"_NET_SUPPORTING_WM_CHECK", "_NET_REQUEST_FRAME_EXTENTS", "_NET_FRAME_EXTENTS"};
    claimManager(display, listed[kind == "asked-frame" ? 1 : kind == "record-maps" ? 2 : 0]);
    const Atom request = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    const Atom frame = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    const Atom state = XInternAtom(display, "WM_STATE", False);
    long extents[4] = {0, 0, kind == "record-maps" ? 200 : std::atol(argument), 0};
    long normal[2] = {NormalState, None};
    for (XEvent event{}; XNextEvent(display, &event) == 0;) {
        if (event.type == ClientMessage && event.xclient.message_type == request) {
            XChangeProperty(display, event.xclient.window, frame, XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(extents), 4);
        } else if (event.type == MapRequest) {
            const std::string xprop = "xprop -id " + std::to_string(event.xmaprequest.window) +
                                      " WM_CLASS _NET_WM_NAME _NET_WM_PID _NET_WM_ICON >" + argument;
            if (std::system(xprop.c_str()) != 0) {
                return 1;
            }
            XChangeProperty(display, event.xmaprequest.window, state, state, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(normal), 2);
            XMapWindow(display, event.xmaprequest.window);
            XSync(display, False);
            usleep(100000);
            XChangeProperty(display, event.xmaprequest.window, frame, XA_CARDINAL, 32, PropModeReplace,
                            reinterpret_cast<unsigned char*>(extents), 4);
        } else if (event.type == ConfigureRequest) {
            const XConfigureRequestEvent& asked = event.xconfigurerequest;
            XWindowChanges changes{asked.x,     asked.y,     asked.width, asked.height, asked.border_width,
                                   asked.above, asked.detail};
            XConfigureWindow(display, asked.window, static_cast<unsigned>(asked.value_mask), &changes);
        } else if (event.type == UnmapNotify && kind == "record-maps") {  // withdrawn, or about to be
            XDeleteProperty(display, event.xunmap.window, state);
            XDeleteProperty(display, event.xunmap.window, frame);
        }
    }
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    // SEED CHANNELS [WIDTH HEIGHT [PIXELS-PER-POINT]]
    if (command == "expect" && (argc == 4 || argc == 6 || argc == 7) && channels(argv[3])) {
        generateField(field, number(argv[2]));
        std::cout << (argc == 4 ? picture(argv[3])
                                : picture(argv[3], std::atoi(argv[4]), std::atoi(argv[5]),
                                          argc == 7 ? std::atoi(argv[6]) : 1));
        return 0;
    }
    if (command == "seed" && argc == 4) {  // FROM TO, the window's RGB bytes on input
        const std::string shown{std::istreambuf_iterator<char>(std::cin), {}};
        for (std::uint32_t seed = number(argv[2]); seed != number(argv[3]) + 1; ++seed) {
            // A cheap test first, so that few seeds reach the whole picture's
            // costly one: cells [0][0] and [0][256], from the first two draws
            // (the corners [0][0] and [0][512], and the average of the two).
            seedRandom(seed);
            const auto lowerLeft = static_cast<float>(unitDraw());
            const auto upperLeft = static_cast<float>(unitDraw());
            const auto left = static_cast<float>((static_cast<double>(upperLeft) + lowerLeft) * 0.5);
            if (shown.size() == 3 * kWindow * kWindow && shows(shown, lowerLeft, 0) && shows(shown, left, 256)) {
                generateField(field, seed);
                if (picture("rgb") == shown) {
                    std::cout << seed << '\n';
                    return 0;
                }
            }
        }
        return 1;
    }
    if (command == "frames" && (argc == 5 || argc == 7)) {  // WINDOW COUNT PATH [WIDTH HEIGHT]
        return frames(number(argv[2]), std::atoi(argv[3]), argv[4], argc == 7 ? std::atoi(argv[5]) : 0,
                      argc == 7 ? std::atoi(argv[6]) : 0);
    }
    if (command == "clock") {
        std::cout << tickCount() << '\n';
        return 0;
    }
    if (command == "close" && argc == 3) {  // WINDOW
        Display* display = XOpenDisplay(nullptr);
        XEvent event{};
        event.xclient = {
            ClientMessage, 0, True, display, number(argv[2]), XInternAtom(display, "WM_PROTOCOLS", False), 32, {}};
        event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
        XSendEvent(display, number(argv[2]), False, NoEventMask, &event);
        XCloseDisplay(display);
        return 0;
    }
    if (command == "layout" && argc == 3) {  // N: the keyboard's layout in use, as a user switches it
        Display* display = XOpenDisplay(nullptr);
        const bool locked = XkbLockGroup(display, XkbUseCoreKbd, number(argv[2])) != 0;
        XCloseDisplay(display);
        return locked ? 0 : 1;
    }
    if ((command == "asked-frame" || command == "unlisted-frame" || command == "record-maps") && argc == 3) {
        return standIn(command, argv[2]);
    }
    if (command == "gone-manager") {  // a window manager gone, its check window with it, the root still naming it
        Display* display = XOpenDisplay(nullptr);
        claimManager(display, "_NET_REQUEST_FRAME_EXTENTS");
        XCloseDisplay(display);
        return 0;
    }
    std::cerr
        << "usage: pictures expect SEED CHANNELS [WIDTH HEIGHT [PIXELS-PER-POINT]] | seed FROM TO | clock | "
           "close WINDOW | layout N | frames WINDOW COUNT PATH [WIDTH HEIGHT] | asked-frame TOP | unlisted-frame TOP | "
           "gone-manager | record-maps PATH\n";
    return 2;
}
