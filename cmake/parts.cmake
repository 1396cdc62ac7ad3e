# app/ is built as one library per folder, each linking only the folders it
# builds on. A folder's headers are reached as "folder/name.h" through an
# include root of its own that holds only a link to the folder, and only what
# links the library gets that root: an include against the direction of the
# layers fails the build.
function(ordelix_part name)
  cmake_parse_arguments(PARSE_ARGV 1 part "" "" "SOURCES;LINKS;PRIVATE_LINKS")
  set(target ordelix_${name})
  add_library(${target} STATIC ${part_SOURCES})
  set(root ${CMAKE_BINARY_DIR}/include-roots/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${name} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${part_LINKS} PRIVATE ${part_PRIVATE_LINKS})
endfunction()
