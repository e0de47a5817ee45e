# The programs are compiled and linked the way distributions harden their
# packages. Every target links volleon_options, so the tests run the code
# as it ships. With VOLLEON_HARDENING off, the builder's flags alone decide.
if(NOT VOLLEON_HARDENING)
  return()
endif()

# The stack protector everywhere; the checked string and memory functions
# of the C library's headers where the optimiser makes them apply, at level
# 2 unless the builder's flags or the compiler itself already choose a
# level, which is then kept (it may be higher).
include(CheckCXXSourceCompiles)
string(TOUPPER "${CMAKE_BUILD_TYPE}" config)
set(CMAKE_REQUIRED_FLAGS "${CMAKE_CXX_FLAGS_${config}} -O2")
# Checked again when the builder's flags change.
if(NOT "${CMAKE_CXX_FLAGS} ${CMAKE_REQUIRED_FLAGS}" STREQUAL "${VOLLEON_FORTIFY_CHECKED_FLAGS}")
  unset(VOLLEON_FORTIFY_LEFT_TO_PROJECT CACHE)
endif()
set(VOLLEON_FORTIFY_CHECKED_FLAGS "${CMAKE_CXX_FLAGS} ${CMAKE_REQUIRED_FLAGS}" CACHE INTERNAL "")
check_cxx_source_compiles("
#ifdef _FORTIFY_SOURCE
#error the level is chosen
#endif
int main() { return 0; }" VOLLEON_FORTIFY_LEFT_TO_PROJECT)
unset(CMAKE_REQUIRED_FLAGS)
target_compile_options(volleon_options INTERFACE -fstack-protector-strong)
if(VOLLEON_FORTIFY_LEFT_TO_PROJECT)
  target_compile_options(volleon_options INTERFACE
    $<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-D_FORTIFY_SOURCE=2>)
endif()

if(MINGW)
  # The Windows program keeps the linker's ASLR, DEP and high-entropy
  # addresses. GCC's libssp serves the stack protector and the checked
  # functions; the static link puts it into the program.
  target_link_options(volleon_options INTERFACE -fstack-protector-strong)
elseif(UNIX)
  # A position independent executable, and relocations read-only and bound
  # at start-up. Static libraries are built position independent too;
  # without semantic interposition, which only shared libraries need, they
  # are optimised as the executable is.
  include(CheckPIESupported)
  check_pie_supported(LANGUAGES CXX)
  set(CMAKE_POSITION_INDEPENDENT_CODE ON)
  target_compile_options(volleon_options INTERFACE -fno-semantic-interposition)
  target_link_options(volleon_options INTERFACE LINKER:-z,relro LINKER:-z,now)

  # What the processor itself can guard, as Debian enables it for each
  # architecture: stack clash protection on x86, 64- and 32-bit Arm;
  # control-flow protection (CET) on x86; return address signing and
  # branch target identification on 64-bit Arm. Elsewhere the stack
  # protector above is all. Each flag is kept only where the compiler
  # offers it for the target.
  string(TOLOWER "${CMAKE_SYSTEM_PROCESSOR}" processor)
  set(processor_flags)
  if(processor MATCHES "^(x86_64|amd64|i[3-6]86|x86)$")
    set(processor_flags -fstack-clash-protection -fcf-protection)
  elseif(processor MATCHES "^(aarch64|arm64)$")
    set(processor_flags -fstack-clash-protection -mbranch-protection=standard)
  elseif(processor MATCHES "^arm")
    set(processor_flags -fstack-clash-protection)
  endif()
  include(CheckCXXCompilerFlag)
  foreach(flag IN LISTS processor_flags)
    string(MAKE_C_IDENTIFIER "VOLLEON_HAS${flag}" offered)
    check_cxx_compiler_flag(${flag} ${offered})
    if(${offered})
      target_compile_options(volleon_options INTERFACE ${flag})
    endif()
  endforeach()
endif()
