# Cross-compiling for Debian's i386.
set(PLASMA_TRIPLET i686-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(PLASMA_QEMU i386)
set(PLASMA_MULTIARCH i386-linux-gnu)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
