# Building for another Debian architecture on this one, with Debian's cross
# compiler and the target's libraries installed beside the machine's own
# through multiarch (dpkg --add-architecture):
#   cmake -S . -B build/arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/debian-cross.cmake \
#     -DVOLLEON_TARGET=aarch64-linux-gnu
# (or cmake --preset arm64). VOLLEON_TARGET is the target's GNU triplet,
# which names both the compiler and the libraries' multiarch folder. Qt's
# code generators (moc) are the build machine's; the programs and the tests
# run under qemu-user.
if(NOT VOLLEON_TARGET)
  message(FATAL_ERROR "Set VOLLEON_TARGET to the target's GNU triplet, e.g. aarch64-linux-gnu")
endif()
# The toolchain file is read again for each try_compile, which gets the
# triplet through this list.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES VOLLEON_TARGET)

set(CMAKE_SYSTEM_NAME Linux)
string(REGEX REPLACE "-.*" "" CMAKE_SYSTEM_PROCESSOR "${VOLLEON_TARGET}")
set(CMAKE_CXX_COMPILER ${VOLLEON_TARGET}-g++)
set(CMAKE_LIBRARY_ARCHITECTURE ${VOLLEON_TARGET})

# Packages, libraries and headers are looked up in the usual places, where
# CMAKE_LIBRARY_ARCHITECTURE leads to the target's multiarch folders;
# pkg-config reads the target's .pc files alone.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${VOLLEON_TARGET}/pkgconfig:/usr/share/pkgconfig)
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
set(QT_HOST_PATH /usr CACHE PATH "Prefix of the build machine's Qt, whose tools the build runs")

# qemu-user runs a program of the target's; the target's dynamic loader and
# libraries are where multiarch puts them.
string(REGEX REPLACE "^powerpc64le$" "ppc64le" qemu "${CMAKE_SYSTEM_PROCESSOR}")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${qemu})
if(qemu STREQUAL "s390x")
  # qemu-user (7.2 and 10.0 alike) fails to hand an s390x program a file
  # descriptor that the X server sends, which breaks the connection when Qt
  # asks for a shared memory segment; Qt then puts its pictures through the
  # X connection itself.
  set(CMAKE_CROSSCOMPILING_EMULATOR env QT_XCB_NO_MITSHM=1 qemu-${qemu})
endif()
