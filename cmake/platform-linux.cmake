# A platform's rules: what they set is listed where CMakeLists.txt includes them.
# Linux and the other X11 desktops: GL, GLU and freeglut as the system has
# them, and the keys from GLUT's key events, checked against the X server's
# own state of the keys; the display's scale from its resource database.
set(plasma_os linux)
set(plasma_keys input/key_poll_glut.cpp)
find_package(GLUT REQUIRED)
find_package(X11 REQUIRED)
set(plasma_glut GLUT::GLUT)
set(plasma_key_libraries plasma_key_rule X11::X11 OpenGL::GLX)
set(plasma_display_libraries X11::X11 OpenGL::GLX)  # the display's scale and work area
