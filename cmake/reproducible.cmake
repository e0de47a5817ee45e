# The same sources give the same files wherever they are built: the paths
# of the source and build folders are mapped out of the binaries, and the
# files moc writes include the headers by their path below an include
# folder, not by a path that climbs from the build folder back to the
# sources (whose length depends on where the build folder is).
target_compile_options(volleon_options INTERFACE
  -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
  -ffile-prefix-map=${PROJECT_BINARY_DIR}/=)
set(CMAKE_AUTOMOC_PATH_PREFIX ON)
