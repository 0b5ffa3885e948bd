# A platform's rules: what they set is listed where CMakeLists.txt includes them.
# Linux and the other X11 desktops: GL, GLU and freeglut as the system has
# them, and the keys from the X server's key events, by key under any layout;
# the display's scale from its resource database and its monitors.
set(plasma_os linux)
set(plasma_keys input/key_poll_x11.cpp)
find_package(X11)
plasma_require(X11_FOUND Xlib libx11-dev libX11-devel libx11)
plasma_require(X11_Xrandr_FOUND Xrandr libxrandr-dev libXrandr-devel libxrandr)
plasma_require(OpenGL_GLX_FOUND GLX libgl-dev libglvnd-devel libglvnd)
find_package(GLUT)
plasma_require(GLUT_FOUND freeglut freeglut3-dev freeglut-devel freeglut)
set(plasma_glut GLUT::GLUT)
set(plasma_key_libraries plasma_key_rule X11::X11 OpenGL::GLX)
set(plasma_display_libraries X11::X11 X11::Xrandr OpenGL::GLX)  # the display's scale, monitors and work area
