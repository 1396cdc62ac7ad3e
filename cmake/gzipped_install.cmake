# Installs SOURCE compressed as Debian wants man pages and changelogs: gzip -9
# without the name and time stamp that would make two builds differ. An
# optional third argument names the install component.
function(ordelix_install_gzipped source destination)
  set(component ${ARGN})
  if(NOT component)
    set(component ${CMAKE_INSTALL_DEFAULT_COMPONENT_NAME})
  endif()
  cmake_path(GET source FILENAME name)
  set(packed ${CMAKE_CURRENT_BINARY_DIR}/gzipped/${name}.gz)
  add_custom_command(
    OUTPUT ${packed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/gzipped
    COMMAND gzip -9nc ${source} > ${packed}
    DEPENDS ${source}
    VERBATIM)
  string(MAKE_C_IDENTIFIER "gzipped_${name}" target)
  add_custom_target(${target} ALL DEPENDS ${packed})
  set_property(GLOBAL APPEND PROPERTY ordelix_gzipped_targets ${target})
  install(FILES ${packed} DESTINATION ${destination} COMPONENT ${component})
endfunction()
