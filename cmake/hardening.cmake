# The programs are compiled and linked the way distributions harden their
# packages. Every target links volleon_options, so the tests run the code
# as it ships.

# The stack protector everywhere; the checked string and memory functions
# of the C library's headers where the optimiser makes them apply.
target_compile_options(volleon_options INTERFACE -fstack-protector-strong
  $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=2>)

if(MINGW)
  # The Windows program keeps the linker's ASLR, DEP and high-entropy
  # addresses. GCC's libssp serves the stack protector and the checked
  # functions; the static link puts it into the program.
  target_link_options(volleon_options INTERFACE -fstack-protector-strong)
elseif(UNIX)
  # Stack clash and control-flow protection, a position independent
  # executable, and relocations read-only and bound at start-up. Static
  # libraries are built position independent too; without semantic
  # interposition, which only shared libraries need, they are optimised as
  # the executable is.
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  target_compile_options(volleon_options INTERFACE
    -fno-semantic-interposition -fstack-clash-protection -fcf-protection)
  target_link_options(volleon_options INTERFACE LINKER:-z,relro LINKER:-z,now)
endif()
