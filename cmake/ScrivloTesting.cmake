# scrivlo_add_test(name SOURCES ... [LIBS ...] [WINDOWS] [TIMEOUT s])
# Builds one GoogleTest program and registers its cases with ctest. Under the
# cross build the cases run through the Wine emulator; every case is its own
# process, so a crash or a hang shows as that case alone.
function(scrivlo_add_test name)
  cmake_parse_arguments(T "" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gmock GTest::gtest_main)
  if(WIN32)
    # Console test program; keep the exported test names free of CR.
    target_link_options(${name} PRIVATE -mconsole)
    # One desktop serves the whole run: every case starts it afresh.
    target_sources(${name} PRIVATE $<TARGET_OBJECTS:scrivlo_test_case_start>)
    target_link_libraries(${name} PRIVATE scrivlo_test_support)
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES TIMEOUT ${T_TIMEOUT}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
