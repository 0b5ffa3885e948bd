# Web browsers: Emscripten's own GLUT, GL and GLU, over its emulation of
# immediate mode, and the keys from the page's key events and on-screen keys.
set(plasma_os web)
set(plasma_keys input/channel_keys_web.cpp)
set(plasma_key_libraries plasma_key_rule)
set(CMAKE_EXECUTABLE_SUFFIX .html)
add_library(plasma_web_gl INTERFACE)
target_link_options(plasma_web_gl INTERFACE -sLEGACY_GL_EMULATION
  # room for a frame's 262,144 points (the default 2 MiB is not)
  -sGL_MAX_TEMP_BUFFER_SIZE=16777216
  "SHELL:--js-library ${PROJECT_SOURCE_DIR}/platform/web/colour_levels.js")
set(plasma_glut plasma_web_gl)
set(plasma_gl plasma_web_gl)

# The page, with the project's icon in it (the page fetches nothing).
execute_process(COMMAND base64 -w0 ${PROJECT_SOURCE_DIR}/packaging/plasma-fractals.png
  OUTPUT_VARIABLE PLASMA_ICON_BASE64 COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/plasma-fractals.png)
set(plasma_page ${PROJECT_BINARY_DIR}/page.html)
configure_file(${PROJECT_SOURCE_DIR}/platform/web/page.html ${plasma_page} @ONLY)

# The viewer as one page that needs nothing else: the program, its memory and the pause
# (Asyncify lets it wait inside a frame while the page runs on), with the
# page's own scripts: its on-screen keys, and the graphics brought back
# after the browser has taken them away.
function(plasma_platform_executable name)
  set(scripts touch_keys.js graphics_context.js)
  list(TRANSFORM scripts PREPEND ${PROJECT_SOURCE_DIR}/platform/web/)
  target_link_options(${name} PRIVATE -sASYNCIFY -sSINGLE_FILE -sENVIRONMENT=web
    -sMINIFY_HTML=0 "SHELL:--shell-file ${plasma_page}" "-sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=restoreGraphics")
  foreach(script ${scripts})
    target_link_options(${name} PRIVATE "SHELL:--js-library ${script}")
  endforeach()
  set_target_properties(${name} PROPERTIES
    LINK_DEPENDS "${plasma_page};${scripts};${PROJECT_SOURCE_DIR}/platform/web/colour_levels.js")
endfunction()
set(plasma_display_libraries)
