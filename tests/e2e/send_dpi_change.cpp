// Sends the viewer's window what Windows sends when the window moves to a
// monitor of another scale: WM_DPICHANGED with the new DPI, and a suggested
// rectangle; moved first, as a user drags it, where a place is given.
// Usage: send_dpi_change DPI [X Y]
#include <windows.h>

#include <cstdlib>

int main(int argc, char** argv) {
    HWND window = FindWindowW(nullptr, L"Plasma Fractals");
    if ((argc != 2 && argc != 4) || window == nullptr) {
        return 1;
    }
    if (argc == 4) {
        SetWindowPos(window, nullptr, std::atoi(argv[2]), std::atoi(argv[3]), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    const auto dpi = static_cast<WORD>(std::atoi(argv[1]));
    RECT suggested{};
    GetWindowRect(window, &suggested);
    SendMessageW(window, 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return 0;
}
