# morrowset_add_test(NAME SOURCES...): one GoogleTest program, its cases registered with CTest.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  # No GoogleTest libraries for the cross target: build Debian's GoogleTest sources for it.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(MORROWSET_MSVC_ABI)
    # No structured exception handling: GoogleTest reports C++ exceptions only.
    target_compile_definitions(gtest PUBLIC GTEST_HAS_SEH=0)
  endif()
  set(MORROWSET_DISCOVERY PRE_TEST)  # under the emulator, when ctest runs
else()
  find_package(GTest REQUIRED)
  set(MORROWSET_DISCOVERY POST_BUILD)
endif()

# Each case may take 60 s, or MORROWSET_TIMEOUT_<NAME> when set.
function(morrowset_add_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE morrowset_test_support GTest::gtest_main)
  set(timeout 60)
  if(DEFINED MORROWSET_TIMEOUT_${name})
    set(timeout ${MORROWSET_TIMEOUT_${name}})
  endif()
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 120 DISCOVERY_MODE ${MORROWSET_DISCOVERY}
                       PROPERTIES TIMEOUT ${timeout})
endfunction()
