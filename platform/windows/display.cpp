// The Windows display: the DPI of the window's monitor (GetDpiForWindow where
// Windows has it, the system's DPI before Windows 10), the monitor's work
// area, and the frame the window's style adds at that DPI. A move to a
// monitor of another scale arrives as WM_DPICHANGED, with the new monitor's
// DPI; the window's size is then the viewer's own, not the one suggested.
#include "platform/display.h"

#include <GL/glut.h>
#include <windows.h>

namespace {

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, Windows 8.1 and later

// Looked up when first needed, so that the program still starts where
// Windows lacks it. (Cast through void (*)(), which converts to any function.)
template <typename Function>
Function user32Function(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

HWND viewerWindow() { return WindowFromDC(wglGetCurrentDC()); }

UINT announcedDotsPerInch = 0;  // the last WM_DPICHANGED's, once there has been one

UINT dotsPerInch(HWND window) {
    if (announcedDotsPerInch != 0) {
        return announcedDotsPerInch;
    }
    static const auto getDpiForWindow = user32Function<UINT(WINAPI*)(HWND)>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        return getDpiForWindow(window);
    }
    HDC screen = GetDC(nullptr);
    const int system = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return static_cast<UINT>(system);
}

void (*displayChanged)() = nullptr;
WNDPROC glutWindowProcedure = nullptr;

LRESULT CALLBACK followingWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kDpiChanged && displayChanged != nullptr) {
        announcedDotsPerInch = LOWORD(wParam);
        displayChanged();
        return 0;
    }
    return CallWindowProcW(glutWindowProcedure, window, message, wParam, lParam);
}

}  // namespace

// No other program's window is read here.
void tolerateOtherClients(const char* /*program*/) {}

DisplayReading readDisplay() {
    HWND window = viewerWindow();
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &monitor);
    const UINT dpi = dotsPerInch(window);
    RECT frame{0, 0, 0, 0};
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    const auto extendedStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    static const auto adjustForDpi =
        user32Function<BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT)>("AdjustWindowRectExForDpi");
    if (adjustForDpi != nullptr) {
        adjustForDpi(&frame, style, FALSE, extendedStyle, dpi);
    } else {
        AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
    }
    // Where the window is, with its frame, as glutPositionWindow places it;
    // and whether the user gave that place (-geometry).
    RECT outer{};
    RECT inner{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &inner);
    return {static_cast<double>(dpi),
            monitor.rcWork.right - monitor.rcWork.left,
            monitor.rcWork.bottom - monitor.rcWork.top,
            frame.right - frame.left,
            frame.bottom - frame.top,
            0,
            monitor.rcWork.left,
            monitor.rcWork.top,
            outer.left,
            outer.top,
            inner.right - inner.left,
            inner.bottom - inner.top,
            glutGet(GLUT_INIT_WINDOW_X) != -1};
}

void followDisplayChanges(void (*changed)()) {
    displayChanged = changed;
    glutWindowProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(viewerWindow(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(followingWindowProcedure)));
}
