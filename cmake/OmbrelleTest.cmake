include(GoogleTest)

# ombrelle_add_tests(<name> SOURCES ... [LIBRARIES ...] [SERIAL_TESTS <filter>])
# One test program per area. Every test case becomes its own CTest test,
# listed at test time, with a hard timeout so that nothing can hang a run.
# Listing and running go through tests/support/run-gtest, which fails a
# listing that names no test and a test that does not report its own pass.
# Each test runs on a desktop of its own (run-gtest), so focus and foreground
# are its own. SERIAL_TESTS is a GoogleTest filter of the tests that run
# alone: those that move the mouse pointer (the display has one, which every
# desktop follows), and those whose shell folder browser walks down the
# temporary folder, whose subfolders the other test programs make and remove
# meanwhile.
function(ombrelle_add_tests name)
  cmake_parse_arguments(T "" "SERIAL_TESTS" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE testsupport ${T_LIBRARIES})
  set_target_properties(${name} PROPERTIES
    CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/support/run-gtest)
  if(T_SERIAL_TESTS)
    gtest_discover_tests(${name}
      TEST_FILTER "${T_SERIAL_TESTS}"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE)
    set(others "-${T_SERIAL_TESTS}")
  else()
    set(others "*")
  endif()
  gtest_discover_tests(${name}
    TEST_FILTER "${others}"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120)
endfunction()
