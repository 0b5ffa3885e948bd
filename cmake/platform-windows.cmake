# A platform's rules: what they set is listed where CMakeLists.txt includes them.
# Windows: freeglut (static where it was built so, as scripts/build-windows
# does) and the keys from the system's own key state.
enable_language(RC)
set(plasma_os windows)
set(plasma_keys input/key_poll_windows.cpp)
find_package(FreeGLUT CONFIG REQUIRED)
if(TARGET FreeGLUT::freeglut_static)
  set(plasma_glut FreeGLUT::freeglut_static)
else()
  set(plasma_glut FreeGLUT::freeglut)
endif()
set(plasma_key_libraries)
set(plasma_display_libraries ${plasma_glut})  # display.cpp asks GLUT where the user put the window
