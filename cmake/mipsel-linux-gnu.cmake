# Cross-compiling for Debian's mipsel.
set(PLASMA_TRIPLET mipsel-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR mips)
set(PLASMA_QEMU mipsel)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
