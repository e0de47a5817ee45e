# The same sources give the same files wherever they are built: the paths
# of the source and build folders are mapped out of the binaries, and the
# files moc writes include the headers by their path below an include
# folder, not by a path that climbs from the build folder back to the
# sources (whose length depends on where the build folder is).
# The build folder itself is mapped too: Ninja compiles every file from
# there, so the debugging information names it as the compilation folder,
# and the linker's build ID, which the stripped program keeps, covers that.
# With VOLLEON_HARDENING off, the builder's own mapping (a distribution's
# -ffile-prefix-map in CXXFLAGS) is the one that applies: these, coming
# after it on the command line, would otherwise win.
if(VOLLEON_HARDENING)
  target_compile_options(volleon_options INTERFACE
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=
    -ffile-prefix-map=${PROJECT_BINARY_DIR}=.)
endif()
set(CMAKE_AUTOMOC_PATH_PREFIX ON)
