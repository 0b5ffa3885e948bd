// What end-to-end tests need of a real X server: a private Xvfb, the viewer
// started in it, its window found by title, its pixels read, and keys,
// resizes and a window manager's close request sent to it.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

using namespace std::chrono_literals;
using Milliseconds = std::chrono::milliseconds;

// A virtual X server of its own, ended with the object.
class XServer {
public:
    XServer();
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& name() const { return name_; }
    Display* display() const { return display_; }
    // Ends the server at once, as a lost display would.
    void kill();

private:
    pid_t pid_ = -1;
    std::string name_;
    Display* display_ = nullptr;
};

// A program started with DISPLAY set (or unset, for an empty name); its
// output goes to a file the test can read.
class Process {
public:
    Process(const std::string& program, const std::string& display,
            const std::vector<std::string>& arguments);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    pid_t pid() const { return pid_; }
    // The exit status, or -signal if a signal ended it; nothing if it is
    // still running when the time is up.
    std::optional<int> waitForExit(Milliseconds timeout);
    bool running();
    std::string output() const;

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
    std::string outputPath_;
};

// The window with this title, once it is mapped; 0 if none comes in time.
Window findWindow(Display* display, const char* title, Milliseconds timeout = 5s);

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB, top row first
    std::uint32_t at(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
    bool operator==(const Picture&) const = default;
};

Picture capture(Display* display, Window window);

// Captures until the picture satisfies the test, or the time is up; returns
// the last picture taken.
template <typename Test>
Picture captureUntil(Display* display, Window window, Test test, Milliseconds timeout = 3s) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    Picture picture = capture(display, window);
    while (!test(picture) && std::chrono::steady_clock::now() < end) {
        std::this_thread::sleep_for(20ms);
        picture = capture(display, window);
    }
    return picture;
}

// Real key events through the XTEST extension, as a keyboard would send them.
void sendKey(Display* display, const char* keysym, bool down);
void tapKey(Display* display, const char* keysym);
// Keys go to the window under the pointer, as with no window manager.
void movePointer(Display* display, int x, int y);

void resizeWindow(Display* display, Window window, int width, int height);
// What a window manager sends when the user closes the window.
void requestClose(Display* display, Window window);
