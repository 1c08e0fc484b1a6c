include(GoogleTest)

# ombrelle_add_tests(<name> SOURCES ... [LIBRARIES ...] [SERIAL_TESTS <filter>]
#                    [RESOURCE_LOCK <filter>])
# One test program per area. Every test case becomes its own CTest test,
# listed at test time, with a hard timeout so that nothing can hang a run.
# Listing and running go through tests/support/run-gtest, which fails a
# listing that names no test and a test that does not report its own pass.
# Each test runs on a desktop of its own (run-gtest), so focus and foreground
# are its own. SERIAL_TESTS is a GoogleTest filter of the tests that run
# alone: those that move the mouse pointer (the display has one, which every
# desktop follows), and those whose shell folder browser walks down the
# temporary folder, whose subfolders the other test programs make and remove
# meanwhile. RESOURCE_LOCK is a filter of tests that place the real cursor
# only to read it back where they put it (a check of what lies under the
# cursor): they take turns with one another through the lock "cursor" but run
# beside every other test.
function(ombrelle_add_tests name)
  cmake_parse_arguments(T "" "SERIAL_TESTS;RESOURCE_LOCK" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE testsupport ${T_LIBRARIES})
  set_target_properties(${name} PROPERTIES
    CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tests/support/run-gtest)
  set(excluded "")
  if(T_SERIAL_TESTS)
    gtest_discover_tests(${name}
      TEST_FILTER "${T_SERIAL_TESTS}"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT 120 RUN_SERIAL TRUE)
    list(APPEND excluded "${T_SERIAL_TESTS}")
  endif()
  if(T_RESOURCE_LOCK)
    gtest_discover_tests(${name}
      TEST_FILTER "${T_RESOURCE_LOCK}"
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT 120 RESOURCE_LOCK cursor)
    list(APPEND excluded "${T_RESOURCE_LOCK}")
  endif()
  if(excluded)
    list(JOIN excluded ":" others)
    set(others "-${others}")
  else()
    set(others "*")
  endif()
  gtest_discover_tests(${name}
    TEST_FILTER "${others}"
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120)
endfunction()
