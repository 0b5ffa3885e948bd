# The window's icon for X11 desktops: the sizes of packaging/plasma-fractals.ico
# that its own bitmaps hold (16, 32 and 48 pixels: what task bars, docks and
# window switchers show), written as _NET_WM_ICON holds them, into a source
# file of the build: each size's width and height, then its pixels as ARGB
# from the top row down. Read from the icon Windows shows, so that both
# desktops show the same pictures.

# A little-endian number of BYTES bytes at byte OFFSET of the hex text.
function(plasma_icon_number hex offset bytes out)
  set(digits "")
  foreach(byte RANGE 1 ${bytes})
    math(EXPR at "2 * (${offset} + ${bytes} - ${byte})")
    string(SUBSTRING "${hex}" ${at} 2 pair)
    string(APPEND digits "${pair}")
  endforeach()
  math(EXPR value "0x${digits}")
  set(${out} ${value} PARENT_SCOPE)
endfunction()

function(plasma_window_icon ico out)
  file(READ ${ico} hex HEX)
  plasma_icon_number("${hex}" 4 2 count)
  set(values "")
  math(EXPR last "${count} - 1")
  foreach(entry RANGE ${last})
    math(EXPR at "6 + 16 * ${entry}")
    plasma_icon_number("${hex}" ${at} 1 side)
    math(EXPR at "${at} + 12")
    plasma_icon_number("${hex}" ${at} 4 offset)
    plasma_icon_number("${hex}" ${offset} 4 header)
    if(side EQUAL 0 OR NOT header EQUAL 40)
      continue()  # 256 pixels, as a PNG: larger than any of these desktops shows
    endif()
    string(APPEND values "    ${side}, ${side},\n")
    math(EXPR row_digits "8 * ${side}")
    math(EXPR top "${side} - 1")
    foreach(row RANGE ${top} 0 -1)  # the bitmap's rows go from the bottom up
      math(EXPR at "2 * (${offset} + 40) + ${row_digits} * ${row}")
      string(SUBSTRING "${hex}" ${at} ${row_digits} pixels)
      # Blue, green, red, alpha to ARGB.
      string(REGEX REPLACE "(..)(..)(..)(..)" "0x\\4\\3\\2\\1, " pixels "${pixels}")
      string(APPEND values "    ${pixels}\n")
    endforeach()
  endforeach()
  file(WRITE ${out}.new "// Made by cmake/window-icon.cmake from ${ico}.
#include \"platform/linux/window_icon.h\"

const unsigned long kWindowIcon[] = {
${values}};
const int kWindowIconLength = static_cast<int>(sizeof kWindowIcon / sizeof kWindowIcon[0]);
")
  file(COPY_FILE ${out}.new ${out} ONLY_IF_DIFFERENT)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${ico})
endfunction()
