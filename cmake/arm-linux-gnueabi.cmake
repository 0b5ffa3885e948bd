# Cross-compiling for Debian's armel.
set(PLASMA_TRIPLET arm-linux-gnueabi)
set(CMAKE_SYSTEM_PROCESSOR arm)
set(PLASMA_QEMU arm)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
