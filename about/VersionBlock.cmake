# Included right after the about library is declared.

# The logo is decoded by libjpeg itself.
find_package(JPEG REQUIRED)
target_link_libraries(kardolist_about PRIVATE JPEG::JPEG)
target_compile_definitions(kardolist_about PUBLIC KARDOLIST_VERSION="${PROJECT_VERSION}")
if(WIN32)
  target_link_libraries(kardolist_about PRIVATE version)
endif()

# The version block is laid out at build time by the same builder the tests
# use, and carried by every executable that calls kardolist_embed_version_block.
add_executable(kardolist-versionblock
  ${PROJECT_SOURCE_DIR}/about/generator/GenerateVersionBlock.cpp
  ${PROJECT_SOURCE_DIR}/about/VersionBlockBuilder.cpp)
target_include_directories(kardolist-versionblock PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(kardolist-versionblock PRIVATE Qt6::Core)

set(version_dir ${PROJECT_BINARY_DIR}/about/version)
file(MAKE_DIRECTORY ${version_dir})
add_custom_command(
  OUTPUT ${version_dir}/VersionBlockData.cpp ${version_dir}/VersionBlock.bin
  COMMAND kardolist-versionblock ${PROJECT_VERSION} ${version_dir}/VersionBlockData.cpp ${version_dir}/VersionBlock.bin
  DEPENDS kardolist-versionblock
  COMMENT "Laying out the version block ${PROJECT_VERSION}"
  VERBATIM)
set(version_sources ${version_dir}/VersionBlockData.cpp)
if(WIN32)
  # The same bytes as the executable's RT_VERSION (16) resource.
  file(WRITE ${version_dir}/VersionBlock.rc "1 16 \"${version_dir}/VersionBlock.bin\"\n")
  set_source_files_properties(${version_dir}/VersionBlock.rc PROPERTIES OBJECT_DEPENDS ${version_dir}/VersionBlock.bin)
  list(APPEND version_sources ${version_dir}/VersionBlock.rc)
endif()
add_library(about_version_block OBJECT ${version_sources})

function(kardolist_embed_version_block target)
  target_link_libraries(${target} PRIVATE about_version_block)
endfunction()
