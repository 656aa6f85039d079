# One static library per folder, its sources listed by name, so that a
# subsystem's logic and its windows stay apart and a new file is a choice.
#   kardolist_library(NAME SOURCES file... LINKS target...)
function(kardolist_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()
