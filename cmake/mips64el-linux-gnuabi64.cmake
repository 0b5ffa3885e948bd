# Cross-compiling for Debian's mips64el.
set(PLASMA_TRIPLET mips64el-linux-gnuabi64)
set(CMAKE_SYSTEM_PROCESSOR mips64)
set(PLASMA_QEMU mips64el)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
