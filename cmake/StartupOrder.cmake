# The editor's start-up functions linked side by side. The kernel maps a program's code in
# blocks of 64 KB around each page first run; spread over the whole program, the few
# hundred functions that run at start made all of its code resident. The list is
# cmake/startup-functions.txt, written by bench/startup_order.py: a function missing from
# it is only laid elsewhere, and a name no longer in the program is passed over.
#
# lld reads the list. Without lld, on Windows and in the sanitizer build, the program
# links as it would without the list.
if(NOT WIN32 AND NOT SCRIVLET_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  include(CheckLinkerFlag)
  check_linker_flag(CXX -fuse-ld=lld SCRIVLET_HAS_LLD)
  if(SCRIVLET_HAS_LLD)
    add_compile_options(-ffunction-sections)
  else()
    message(STATUS "No lld: the start-up functions are not linked side by side")
  endif()
endif()

function(scrivlet_order_startup target)
  if(SCRIVLET_HAS_LLD)
    set(functions ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/startup-functions.txt)
    target_link_options(${target} PRIVATE -fuse-ld=lld LINKER:--symbol-ordering-file=${functions}
                        LINKER:--no-warn-symbol-ordering)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${functions})
  endif()
endfunction()
