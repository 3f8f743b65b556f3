# GoogleTest built from the sources Debian's googletest package ships, with
# whichever compiler this configuration uses.
set(SCRIVLO_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
if(NOT EXISTS ${SCRIVLO_GTEST_SOURCE}/CMakeLists.txt)
  message(FATAL_ERROR "GoogleTest sources not found at ${SCRIVLO_GTEST_SOURCE}: run tools/bootstrap")
endif()
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${SCRIVLO_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Our warning flags are not GoogleTest's business.
foreach(t gtest gtest_main gmock gmock_main)
  if(TARGET ${t})
    set_target_properties(${t} PROPERTIES COMPILE_OPTIONS "" CXX_CLANG_TIDY "")
    target_compile_options(${t} PRIVATE -w)
  endif()
endforeach()
include(GoogleTest)
