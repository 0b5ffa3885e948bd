# Cross-compiling for Debian's ppc64el.
set(PLASMA_TRIPLET powerpc64le-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR ppc64le)
set(PLASMA_QEMU ppc64le)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
