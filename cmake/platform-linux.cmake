# Linux and the other X11 desktops: GL, GLU and freeglut as the system has
# them, and the keys from GLUT's key events, checked against the X server's
# own state of the keys.
set(plasma_os linux)
set(plasma_keys input/channel_keys_glut.cpp)
set(OpenGL_GL_PREFERENCE GLVND)
find_package(OpenGL REQUIRED)
find_package(GLUT REQUIRED)
find_package(X11 REQUIRED)
set(plasma_gl OpenGL::GL OpenGL::GLU)
set(plasma_glut GLUT::GLUT)
set(plasma_key_libraries plasma_key_rule X11::X11 OpenGL::GLX)

function(plasma_platform_executable name)
endfunction()
