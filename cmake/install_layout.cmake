# Where the program and its files go when installed, and where the program
# looks for its home page, relative to its own folder.
#
# Linux: `cmake --install` and the Debian package put the program in the
# games folder below the prefix (VOLLEON_INSTALL_GAMESDIR: /usr/games for
# the package), and the home page in share/volleon. The build tree keeps a
# copy of the page at the same place relative to the program, so the program
# built here finds it too.
# Windows: the program and its files share one folder.
include(GNUInstallDirs)

set(VOLLEON_HOME_PAGE_URL "" CACHE STRING
  "Web address that \"Home Page\" opens; empty to open the page shipped with the program")
if(VOLLEON_HOME_PAGE_URL MATCHES "[\"\\\\]|[ \t\r\n]")
  message(FATAL_ERROR "VOLLEON_HOME_PAGE_URL must not hold quotes, backslashes or spaces")
endif()
set(VOLLEON_HOME_PAGE_NAME index.html)

if(WIN32)
  set(VOLLEON_HOME_PAGE_PLACE ${VOLLEON_HOME_PAGE_NAME})
else()
  set(VOLLEON_INSTALL_GAMESDIR games CACHE STRING
    "Folder of the installed program, relative to the install prefix")
  set(VOLLEON_INSTALL_PAGEDIR ${CMAKE_INSTALL_DATADIR}/volleon)
  # The page's place from the program's folder. Folders given relative to
  # the prefix keep that place wherever the prefix is (the package's /usr
  # as well as the build's own prefix).
  cmake_path(ABSOLUTE_PATH VOLLEON_INSTALL_GAMESDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
    OUTPUT_VARIABLE from)
  cmake_path(ABSOLUTE_PATH VOLLEON_INSTALL_PAGEDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
    OUTPUT_VARIABLE to)
  file(RELATIVE_PATH VOLLEON_HOME_PAGE_PLACE ${from} ${to}/${VOLLEON_HOME_PAGE_NAME})
endif()
