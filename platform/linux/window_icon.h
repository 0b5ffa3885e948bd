// The window's icon as _NET_WM_ICON holds it, made by the build from the
// Windows icon (cmake/window-icon.cmake).
#pragma once

extern const unsigned long kWindowIcon[];
extern const int kWindowIconLength;
