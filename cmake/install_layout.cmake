# Where the program and its files go when installed, and where the program
# looks for its home page, relative to its own folder.
#
# Linux: `cmake --install` puts the program in CMAKE_INSTALL_BINDIR (bin),
# the Debian package in /usr/games (VOLLEON_INSTALL_GAMESDIR), and both the
# home page in share/volleon. The build tree keeps a copy of the page at the
# same place relative to the program, so the program built here finds it too.
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
  set(VOLLEON_INSTALL_GAMESDIR games)
  set(VOLLEON_INSTALL_PAGEDIR ${CMAKE_INSTALL_DATADIR}/volleon)
  function(volleon_page_place bindir out)
    cmake_path(ABSOLUTE_PATH bindir BASE_DIRECTORY /prefix OUTPUT_VARIABLE from)
    cmake_path(ABSOLUTE_PATH VOLLEON_INSTALL_PAGEDIR BASE_DIRECTORY /prefix OUTPUT_VARIABLE to)
    file(RELATIVE_PATH place ${from} ${to}/${VOLLEON_HOME_PAGE_NAME})
    set(${out} ${place} PARENT_SCOPE)
  endfunction()
  volleon_page_place(${CMAKE_INSTALL_BINDIR} VOLLEON_HOME_PAGE_PLACE)
  volleon_page_place(${VOLLEON_INSTALL_GAMESDIR} games_place)
  if(NOT games_place STREQUAL VOLLEON_HOME_PAGE_PLACE)
    message(WARNING "The home page lies at ${VOLLEON_HOME_PAGE_PLACE} from ${CMAKE_INSTALL_BINDIR} "
      "but at ${games_place} from ${VOLLEON_INSTALL_GAMESDIR}: the Debian package's program "
      "will not find it")
  endif()
endif()
