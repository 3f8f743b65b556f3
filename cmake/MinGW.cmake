# Cross toolchain shared by both Windows programs: MinGW-w64 for the
# processor the including file names (SCRIVLO_MINGW_TRIPLE), with the posix
# thread model (std::mutex and std::thread, which GoogleTest needs).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${SCRIVLO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCRIVLO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${SCRIVLO_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCRIVLO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# No MinGW runtime DLL beside the .exe: link libgcc, libstdc++ and winpthread in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Test programs run under Wine (the loader that matches the program) in a
# prefix that belongs to the build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run;--prefix;${CMAKE_BINARY_DIR}/wineprefix")
