# morrowset_version(TARGET DESCRIPTION): the release version for a target: MORROWSET_VERSION in
# its code, and on Windows a version resource with DESCRIPTION as its file description and
# LICENSE's copyright line, and for a program its application manifest (cmake/program.manifest).
function(morrowset_version target description)
  target_compile_definitions(${target} PRIVATE MORROWSET_VERSION="${PROJECT_VERSION}")
  if(NOT WIN32)
    return()
  endif()
  get_target_property(type ${target} TYPE)
  get_target_property(file ${target} OUTPUT_NAME)
  if(NOT file)
    set(file ${target})
  endif()
  set(MORROWSET_RC_MANIFEST "")
  if(type STREQUAL "EXECUTABLE")
    set(MORROWSET_RC_TYPE VFT_APP)
    set(MORROWSET_RC_FILE ${file}.exe)
    # A program's application manifest: resource 1 of type 24 (RT_MANIFEST).
    set(MORROWSET_RC_MANIFEST "1 24 \"${PROJECT_SOURCE_DIR}/cmake/program.manifest\"")
    set_property(SOURCE ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc APPEND PROPERTY OBJECT_DEPENDS
                 ${PROJECT_SOURCE_DIR}/cmake/program.manifest)
  else()
    set(MORROWSET_RC_TYPE VFT_DLL)
    set(MORROWSET_RC_FILE ${file}.dll)
  endif()
  set(MORROWSET_RC_NAME ${target})
  set(MORROWSET_RC_DESCRIPTION "${description}")
  # The copyright line of LICENSE, as Details shows it.
  file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE MORROWSET_RC_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
endfunction()
