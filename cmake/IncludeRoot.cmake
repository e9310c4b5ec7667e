# morrowset_include_root(NAME FOLDER...): a folder of links to the given source folders, so that
# a target that includes it can reach those folders and nothing else of the source tree.
function(morrowset_include_root name)
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  file(MAKE_DIRECTORY ${root})
  foreach(folder ${ARGN})
    if(NOT EXISTS ${root}/${folder})
      file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC COPY_ON_ERROR)
    endif()
  endforeach()
  set(${name}_ROOT ${root} PARENT_SCOPE)
endfunction()
