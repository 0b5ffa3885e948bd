#include "tests/e2e/x_session.h"

#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const std::string& what) { throw std::runtime_error(what); }

std::optional<int> reap(pid_t pid, Milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        }
        if (std::chrono::steady_clock::now() >= end) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(5ms);
    }
}

}  // namespace

XServer::XServer() {
    int ready[2];
    if (pipe(ready) != 0) {
        fail("pipe");
    }
    pid_ = fork();
    if (pid_ == 0) {
        close(ready[0]);
        const int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, STDOUT_FILENO);
        dup2(quiet, STDERR_FILENO);
        const std::string fd = std::to_string(ready[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
               "-nolisten", "tcp", "-noreset", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(ready[1]);
    // Xvfb writes its display number once it accepts connections.
    std::string number;
    char c = 0;
    while (read(ready[0], &c, 1) == 1 && c != '\n') {
        number += c;
    }
    close(ready[0]);
    if (number.empty()) {
        fail("Xvfb did not start (is it installed?)");
    }
    name_ = ":" + number;
    display_ = XOpenDisplay(name_.c_str());
    if (display_ == nullptr) {
        fail("cannot open " + name_);
    }
}

XServer::~XServer() { kill(); }

void XServer::kill() {
    if (display_ != nullptr) {
        XCloseDisplay(display_);
        display_ = nullptr;
    }
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        reap(pid_, 5s);
        pid_ = -1;
    }
}

Process::Process(const std::string& program, const std::string& display,
                 const std::vector<std::string>& arguments) {
    char path[] = "/tmp/plasma-e2e-XXXXXX";
    const int output = mkstemp(path);
    if (output < 0) {
        fail("mkstemp");
    }
    outputPath_ = path;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(output, STDOUT_FILENO);
        dup2(output, STDERR_FILENO);
        // Sanitized builds: the program itself allocates nothing, and a leak
        // check at exit would only find the GL driver's teardown, in a module
        // already unloaded by then.
        setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
        if (display.empty()) {
            unsetenv("DISPLAY");
        } else {
            setenv("DISPLAY", display.c_str(), 1);
        }
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(output);
}

Process::~Process() {
    if (running()) {
        ::kill(pid_, SIGKILL);
        reap(pid_, 5s);
    }
    std::remove(outputPath_.c_str());
}

std::optional<int> Process::waitForExit(Milliseconds timeout) {
    if (!status_) {
        status_ = reap(pid_, timeout);
    }
    return status_;
}

bool Process::running() { return !waitForExit(0ms).has_value(); }

std::string Process::output() const {
    std::ifstream file(outputPath_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

namespace {

Window findIn(Display* display, Window window, const char* title) {
    char* name = nullptr;
    if (XFetchName(display, window, &name) != 0 && name != nullptr) {
        const bool match = std::strcmp(name, title) == 0;
        XFree(name);
        XWindowAttributes attributes;
        if (match && XGetWindowAttributes(display, window, &attributes) != 0 &&
            attributes.map_state == IsViewable) {
            return window;
        }
    }
    Window root = 0;
    Window parent = 0;
    Window* children = nullptr;
    unsigned count = 0;
    Window found = 0;
    if (XQueryTree(display, window, &root, &parent, &children, &count) != 0) {
        for (unsigned i = 0; i < count && found == 0; ++i) {
            found = findIn(display, children[i], title);
        }
        XFree(children);
    }
    return found;
}

}  // namespace

Window findWindow(Display* display, const char* title, Milliseconds timeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const Window window = findIn(display, DefaultRootWindow(display), title);
        if (window != 0 || std::chrono::steady_clock::now() >= end) {
            return window;
        }
        std::this_thread::sleep_for(20ms);
    }
}

Picture capture(Display* display, Window window) {
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    Picture picture{attributes.width, attributes.height, {}};
    XImage* image = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                              static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
    if (image == nullptr) {
        fail("XGetImage");
    }
    if (image->bits_per_pixel != 32) {
        XDestroyImage(image);
        fail("expected a 24-bit screen with 32 bits per pixel");
    }
    picture.pixels.resize(static_cast<std::size_t>(picture.width * picture.height));
    for (int y = 0; y < picture.height; ++y) {
        const char* row = image->data + static_cast<std::ptrdiff_t>(y) * image->bytes_per_line;
        std::memcpy(&picture.pixels[static_cast<std::size_t>(y * picture.width)], row,
                    static_cast<std::size_t>(picture.width) * sizeof(std::uint32_t));
    }
    for (std::uint32_t& pixel : picture.pixels) {
        pixel &= 0xFFFFFFU;
    }
    XDestroyImage(image);
    return picture;
}

void sendKey(Display* display, const char* keysym, bool down) {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(keysym));
    if (code == 0) {
        fail(std::string("no key for ") + keysym);
    }
    XTestFakeKeyEvent(display, code, down ? True : False, CurrentTime);
    XSync(display, False);
}

void tapKey(Display* display, const char* keysym) {
    sendKey(display, keysym, true);
    sendKey(display, keysym, false);
}

void movePointer(Display* display, int x, int y) {
    XSetInputFocus(display, PointerRoot, RevertToPointerRoot, CurrentTime);
    XWarpPointer(display, None, DefaultRootWindow(display), 0, 0, 0, 0, x, y);
    XSync(display, False);
}

void resizeWindow(Display* display, Window window, int width, int height) {
    XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XSync(display, False);
}

void requestClose(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XSync(display, False);
}
