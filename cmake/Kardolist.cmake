# One static library per folder; sources are the folder's own files
# (not its subfolders), so a subsystem's logic and its windows stay apart.
function(kardolist_library name dir)
  file(GLOB sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/${dir}/*.cpp
    ${PROJECT_SOURCE_DIR}/${dir}/*.h
    ${PROJECT_SOURCE_DIR}/${dir}/*.ui
    ${PROJECT_SOURCE_DIR}/${dir}/*.qrc)
  if(NOT sources)
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${ARGN})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  # uic mirrors the form's folder below the target's autogen include dir.
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}
    PRIVATE ${PROJECT_BINARY_DIR}/${name}_autogen/include/${dir})
  target_link_libraries(${name} PUBLIC ${ARGN})
endfunction()
