# A platform's rules: what they set is listed where CMakeLists.txt includes them.
# Linux and the other X11 desktops: GL, GLU and freeglut as the system has
# them, and the keys from the X server's key events, by key under any layout;
# the display's scale from its resource database and its monitors.
set(plasma_os linux)
set(plasma_keys input/key_poll_x11.cpp)
find_package(X11)
plasma_require(X11_FOUND Xlib libx11-dev)
plasma_require(X11_Xrandr_FOUND Xrandr libxrandr-dev)
plasma_require(OpenGL_GLX_FOUND GLX libgl-dev)
find_package(GLUT)
plasma_require(GLUT_FOUND freeglut freeglut3-dev)
set(plasma_glut GLUT::GLUT)
set(plasma_key_libraries plasma_key_rule X11::X11 OpenGL::GLX)
# The display's scale, monitors, work area and frame, and the window's
# identity, with its icon made from the Windows icon; the desktop's settings
# read apart from the X server (testable without one).
include(cmake/window-icon.cmake)
plasma_window_icon(${PROJECT_SOURCE_DIR}/packaging/plasma-fractals.ico ${PROJECT_BINARY_DIR}/window_icon.cpp)
add_library(plasma_xsettings STATIC platform/linux/xsettings.cpp)
target_include_directories(plasma_xsettings PUBLIC ${PROJECT_SOURCE_DIR})
plasma_warnings(plasma_xsettings)
add_library(plasma_window_icon STATIC ${PROJECT_BINARY_DIR}/window_icon.cpp)
target_include_directories(plasma_window_icon PUBLIC ${PROJECT_SOURCE_DIR})
# Xlib's and freeglut's errors, but for other clients' windows gone.
add_library(plasma_other_clients STATIC platform/linux/other_clients.cpp)
target_include_directories(plasma_other_clients PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(plasma_other_clients PUBLIC X11::X11 GLUT::GLUT)
plasma_warnings(plasma_other_clients)
set(plasma_display_libraries plasma_xsettings plasma_window_icon plasma_other_clients X11::X11 X11::Xrandr OpenGL::GLX)
