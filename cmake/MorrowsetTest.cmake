# morrowset_add_test(NAME SOURCES...): one GoogleTest program, its cases registered with CTest.
include(GoogleTest)
find_package(GTest REQUIRED)

function(morrowset_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE morrowset_test_support GTest::gtest_main)
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 60)
endfunction()
