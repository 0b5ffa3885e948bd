// The window's icons on Windows: freeglut gives its window class the icon
// named GLUT_ICON, which the executable does not have, so the window shows
// the executable's own icon, given at the sizes of the title bar (small)
// and of Alt+Tab and the task bar (big).
#include "platform/identity.h"

#include <GL/gl.h>
#include <windows.h>

#include "platform/windows/resources.h"

namespace {

void giveIcon(HWND window, WPARAM which, int width, int height) {
    const auto icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(PLASMA_EXECUTABLE_ICON),
                                                    IMAGE_ICON, width, height, LR_DEFAULTCOLOR));
    if (icon != nullptr) {
        SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
    }
}

}  // namespace

void identifyWindow() {
    HWND window = WindowFromDC(wglGetCurrentDC());
    if (window == nullptr) {
        return;
    }
    giveIcon(window, ICON_BIG, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));
    giveIcon(window, ICON_SMALL, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
}
