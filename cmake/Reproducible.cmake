# Programs that come out byte for byte the same from any checkout of the same
# commit, wherever it lies: source and build folders are mapped to fixed
# names in everything the compiler writes (file names in assertions, debug
# information), the linker leaves the time stamp out of the PE header, and
# the programs are stripped.
add_compile_options(
  -ffile-prefix-map=${CMAKE_SOURCE_DIR}=/scrivlo
  -ffile-prefix-map=${CMAKE_BINARY_DIR}=/scrivlo-build)
if(WIN32)
  add_link_options(-Wl,--no-insert-timestamp -s)
endif()
