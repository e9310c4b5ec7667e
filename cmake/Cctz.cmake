# cctz, vendored unmodified in third_party/cctz: compiled once as plugin code (hidden symbols)
# into the library cctz, from which each program and the plugin take only the parts they use.
# It reads only the zone data compiled in (config/TimeZone.cpp supplies it).
set(CCTZ_DIR ${CMAKE_SOURCE_DIR}/third_party/cctz)
add_library(cctz_objects OBJECT
  ${CCTZ_DIR}/src/civil_time_detail.cc
  ${CCTZ_DIR}/src/time_zone_fixed.cc
  ${CCTZ_DIR}/src/time_zone_format.cc
  ${CCTZ_DIR}/src/time_zone_if.cc
  ${CCTZ_DIR}/src/time_zone_impl.cc
  ${CCTZ_DIR}/src/time_zone_info.cc
  ${CCTZ_DIR}/src/time_zone_libc.cc
  ${CCTZ_DIR}/src/time_zone_lookup.cc
  ${CCTZ_DIR}/src/time_zone_posix.cc
  ${CCTZ_DIR}/src/zone_info_source.cc)
morrowset_plugin_code(cctz_objects)
target_include_directories(cctz_objects SYSTEM PUBLIC ${CCTZ_DIR}/include)
target_compile_options(cctz_objects PRIVATE -w)  # upstream's code, built as it comes
add_library(cctz STATIC $<TARGET_OBJECTS:cctz_objects>)
target_include_directories(cctz SYSTEM PUBLIC ${CCTZ_DIR}/include)
