# The front ends reach the conversion through the core's door, core/ordelix.h,
# and beside it include only what they present. An #include of a part below
# the door fails the build, naming the line.
#
# Run as a script, `cmake -DFOLDER=... -P front_end_includes.cmake` checks the
# sources under FOLDER.
set(ORDELIX_BELOW_THE_DOOR save batch watch zip xlsx exportfile reports)
set(ORDELIX_FRONT_END_CHECK ${CMAKE_CURRENT_LIST_FILE})

function(ordelix_check_front_end_includes folder)
  file(GLOB_RECURSE sources ${folder}/*.h ${folder}/*.cpp)
  list(JOIN ORDELIX_BELOW_THE_DOOR "|" parts)
  set(found "")
  foreach(source ${sources})
    file(STRINGS ${source} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<](${parts})/")
    foreach(line ${lines})
      string(APPEND found "\n  ${source}: ${line}")
    endforeach()
  endforeach()
  if(found)
    message(FATAL_ERROR "A front end includes a part below the core's door "
                        "(what it needs of it comes through core/ordelix.h):${found}")
  endif()
endfunction()

# Checks the sources of `folder`, a front end's, whenever one of them changes,
# before `target` builds.
function(ordelix_front_end target folder)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${folder}/*.h ${folder}/*.cpp)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.checked)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${folder} -P ${ORDELIX_FRONT_END_CHECK}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${sources} ${ORDELIX_FRONT_END_CHECK}
    COMMENT "Checking that ${target} includes nothing below the core's door" VERBATIM)
  add_custom_target(${target}_includes DEPENDS ${stamp})
  add_dependencies(${target} ${target}_includes)
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  ordelix_check_front_end_includes(${FOLDER})
endif()
