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
