# morrowset_plugin_code(TARGET): compiles TARGET's sources as code of the plugin library: hidden
# symbols, and no unique symbols (GCC's, on Linux), which would make the library impossible to
# unload.
function(morrowset_plugin_code target)
  set_target_properties(${target} PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND NOT WIN32)
    target_compile_options(${target} PRIVATE -fno-gnu-unique)
  endif()
endfunction()
