# How every target is compiled: link-time optimisation, reproducible output,
# sanitizers when asked for, and the project's warnings and exact arithmetic.

# Link-time optimisation lets generation inline the random source's draws.
include(CheckIPOSupported)
check_ipo_supported(RESULT plasma_ipo_supported LANGUAGES CXX)
if(plasma_ipo_supported AND NOT PLASMA_SANITIZE AND NOT DEFINED CMAKE_INTERPROCEDURAL_OPTIMIZATION)
  set(CMAKE_INTERPROCEDURAL_OPTIMIZATION ON)
endif()

# Reproducible builds: no build paths in what is built (two clean builds of
# one release in two folders give the same bytes).
if(NOT MSVC)
  add_compile_options(-ffile-prefix-map=${PROJECT_SOURCE_DIR}=.)
endif()
if(MINGW)
  add_link_options(-Wl,--no-insert-timestamp)  # no link time in the executable's header
endif()

if(PLASMA_SANITIZE)
  # Every target, tests included, so that the same tests run sanitized.
  add_compile_options(-fsanitize=${PLASMA_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${PLASMA_SANITIZE})
endif()

function(plasma_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${PLASMA_WARNINGS_AS_ERRORS}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                           $<$<BOOL:${PLASMA_WARNINGS_AS_ERRORS}>:-Werror>)
  endif()
endfunction()

# Field values must come out bit for bit, on every platform: no fused multiply-add.
function(plasma_exact_arithmetic target)
  target_compile_options(${target} PRIVATE $<IF:$<CXX_COMPILER_ID:MSVC>,/fp:precise,-ffp-contract=off>)
endfunction()
