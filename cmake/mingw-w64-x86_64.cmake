# Cross-building the native Windows program (64-bit) with Debian's mingw-w64
# compilers:
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
# Every program is linked statically, so volleon.exe and the test programs
# need no DLL beyond those of Windows itself. Tests run under Wine, in a
# private Wine prefix inside the build tree (VOLLEON_WINEPREFIX).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VOLLEON_MINGW_TRIPLET x86_64-w64-mingw32)
# The compilers with the POSIX thread model: only they have std::mutex and
# std::thread, which GoogleTest needs.
set(CMAKE_C_COMPILER ${VOLLEON_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VOLLEON_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${VOLLEON_MINGW_TRIPLET}-windres)

# Headers and libraries come from the cross sysroot only; build tools from
# the host.
set(CMAKE_FIND_ROOT_PATH /usr/${VOLLEON_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

# CTest and gtest_discover_tests start the Windows programs through Wine.
# The toolchain file is read again for each try_compile, where the binary
# folder is a scratch one: the cache keeps the main build's prefix.
set(VOLLEON_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix" CACHE PATH
  "Wine prefix in which the tests run the Windows programs")
set(CMAKE_CROSSCOMPILING_EMULATOR sh "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh" "${VOLLEON_WINEPREFIX}")
