# A platform's rules: what they set is listed where CMakeLists.txt includes them.
# Web browsers: Emscripten's own GLUT for the window, its callbacks and the
# main loop, over WebGL; the GL calls the viewer makes supplied by the page's
# own GL (platform/web/gl.cpp); the keys from the page's key events and
# on-screen keys.
set(plasma_os web)
set(plasma_keys input/key_poll_web.cpp)
set(plasma_key_libraries plasma_key_rule)
set(CMAKE_EXECUTABLE_SUFFIX .html)
add_library(plasma_web_gl STATIC platform/web/gl.cpp platform/web/point_gl.cpp platform/web/graphics_context.cpp)
target_include_directories(plasma_web_gl PUBLIC ${PROJECT_SOURCE_DIR})
plasma_warnings(plasma_web_gl)
set(plasma_glut plasma_web_gl)
set(plasma_gl plasma_web_gl)
set(plasma_display_libraries)

# The page, with the project's icon in it (the page fetches nothing).
execute_process(COMMAND base64 -w0 ${PROJECT_SOURCE_DIR}/packaging/plasma-fractals.png
  OUTPUT_VARIABLE PLASMA_ICON_BASE64 COMMAND_ERROR_IS_FATAL ANY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/packaging/plasma-fractals.png)
# The line under the heading that says what the keys do, made from the
# channels' table (render/channels.h) and in the page from its first paint,
# so that its height is known as the page lays itself out:
# "R, G and B switch the red, green and blue channels off and on."
file(STRINGS ${PROJECT_SOURCE_DIR}/render/channels.h rows REGEX "^ *{Channel::[a-z]+, '[A-Z]', \"[a-z]+\"")
set(letters)
set(names)
foreach(row ${rows})
  string(REGEX MATCH "'([A-Z])', \"([a-z]+)\"" row "${row}")
  list(APPEND letters ${CMAKE_MATCH_1})
  list(APPEND names ${CMAKE_MATCH_2})
endforeach()
if(NOT letters)
  message(FATAL_ERROR "render/channels.h: no row of kChannelKeys read for the page's line on its keys")
endif()
function(plasma_spoken_list out)  # ITEM...: "A, B and C"
  list(POP_BACK ARGN last)
  list(JOIN ARGN ", " first)
  if(first)
    set(${out} "${first} and ${last}" PARENT_SCOPE)
  else()
    set(${out} "${last}" PARENT_SCOPE)
  endif()
endfunction()
plasma_spoken_list(letters ${letters})
plasma_spoken_list(names ${names})
set(PLASMA_KEYS_SENTENCE "${letters} switch the ${names} channels off and on.")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/render/channels.h)
set(plasma_page ${PROJECT_BINARY_DIR}/page.html)
configure_file(${PROJECT_SOURCE_DIR}/platform/web/page.html ${plasma_page} @ONLY)

# The viewer as one page that needs nothing else: the program, its memory and the pause
# (Asyncify lets it wait inside a frame while the page runs on), with the
# page's scripts for its keys on screen and for its graphics' word; no
# code made at run time (so no 'unsafe-eval'), and the page's policy
# completed with its scripts' and styles' hashes.
function(plasma_platform_executable name)
  set(keys ${PROJECT_SOURCE_DIR}/platform/web/screen_keys.js)
  set(graphics ${PROJECT_SOURCE_DIR}/platform/web/graphics.js)
  target_link_options(${name} PRIVATE -sASYNCIFY -sSINGLE_FILE -sENVIRONMENT=web -sDYNAMIC_EXECUTION=0
    -sMINIFY_HTML=0 "SHELL:--shell-file ${plasma_page}" "SHELL:--js-library ${keys}" "SHELL:--js-library ${graphics}")
  set_target_properties(${name} PROPERTIES LINK_DEPENDS "${plasma_page};${keys};${graphics}")
  add_custom_command(TARGET ${name} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -DPAGE=$<TARGET_FILE:${name}> -P ${PROJECT_SOURCE_DIR}/cmake/page-policy.cmake)
endfunction()
