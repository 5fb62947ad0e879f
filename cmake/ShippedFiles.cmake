# The files installed beside the program, staged in the build folder in the same layout
# (share/ next to build/scrivlet), so that a build that is not installed finds them from
# any start folder.
file(GLOB SHIPPED_LISTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Data/*.txt)
file(GLOB SHIPPED_MANUAL_IMAGES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/doc/images/*.png)
set(SHIPPED_MANUAL ${CMAKE_SOURCE_DIR}/doc/manual.html)

set(SHIPPED_STAGE ${CMAKE_BINARY_DIR}/share)
set(staged)
function(scrivlet_stage subfolder)
  foreach(source IN LISTS ARGN)
    get_filename_component(name ${source} NAME)
    set(target ${SHIPPED_STAGE}/${subfolder}/${name})
    add_custom_command(OUTPUT ${target}
                       COMMAND ${CMAKE_COMMAND} -E copy_if_different ${source} ${target}
                       DEPENDS ${source} VERBATIM)
    list(APPEND staged ${target})
  endforeach()
  set(staged ${staged} PARENT_SCOPE)
endfunction()

scrivlet_stage(scrivlet/Data ${SHIPPED_LISTS})
scrivlet_stage(doc/scrivlet ${SHIPPED_MANUAL})
scrivlet_stage(doc/scrivlet/images ${SHIPPED_MANUAL_IMAGES})
add_custom_target(scrivlet_shipped_files ALL DEPENDS ${staged})
