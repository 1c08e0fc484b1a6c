include(GoogleTest)

# ombrelle_add_tests(<name> SOURCES ... [LIBRARIES ...])
# One test program per area. Every test case becomes its own CTest test,
# listed at test time through the emulator (Wine), with a hard timeout so
# that nothing can hang a run.
function(ombrelle_add_tests name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE testsupport ${T_LIBRARIES})
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 120
    PROPERTIES TIMEOUT 120)
endfunction()
