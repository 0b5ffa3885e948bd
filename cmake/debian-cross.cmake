# Cross-compiling for another of Debian's architectures with Debian's own
# cross toolchain (<triplet>-g++), the target's libraries and pkg-config
# files coming through multiarch (/usr/lib/<triplet>). What is built runs
# here under emulation (qemu-user-static). Included by a file per target,
# which names PLASMA_TRIPLET, CMAKE_SYSTEM_PROCESSOR and PLASMA_QEMU, and
# PLASMA_MULTIARCH where the libraries' folder is not named by the triplet.
if(NOT PLASMA_MULTIARCH)
  set(PLASMA_MULTIARCH ${PLASMA_TRIPLET})
endif()
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_C_COMPILER ${PLASMA_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${PLASMA_TRIPLET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${PLASMA_MULTIARCH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${PLASMA_MULTIARCH}/pkgconfig:/usr/share/pkgconfig)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${PLASMA_QEMU}-static)
