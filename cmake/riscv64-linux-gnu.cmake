# Cross-compiling for Debian's riscv64.
set(PLASMA_TRIPLET riscv64-linux-gnu)
set(CMAKE_SYSTEM_PROCESSOR riscv64)
set(PLASMA_QEMU riscv64)
include(${CMAKE_CURRENT_LIST_DIR}/debian-cross.cmake)
