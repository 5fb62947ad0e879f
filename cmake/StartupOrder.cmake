# The editor's start-up functions linked side by side. The kernel maps a program's code in
# blocks of 64 KB around each page first run; spread over the whole program, the few
# hundred functions that run at start made all of its code resident. The list is
# cmake/startup-functions.txt, written by bench/startup_order.py: a function missing from
# it is only laid elsewhere, and a name no longer in the program is passed over.
#
# lld reads the list; without lld (and on Windows, and in the sanitizer build) the program
# links as before.
function(scrivlet_order_startup target)
endfunction()
if(WIN32 OR SCRIVLET_SANITIZE OR NOT CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  return()
endif()
include(CheckLinkerFlag)
check_linker_flag(CXX -fuse-ld=lld SCRIVLET_HAS_LLD)
if(NOT SCRIVLET_HAS_LLD)
  message(STATUS "No lld: the start-up functions are not linked side by side")
  return()
endif()
add_compile_options(-ffunction-sections)
set(SCRIVLET_STARTUP_FUNCTIONS ${CMAKE_CURRENT_LIST_DIR}/startup-functions.txt)
function(scrivlet_order_startup target)
  target_link_options(${target} PRIVATE -fuse-ld=lld LINKER:--symbol-ordering-file=${SCRIVLET_STARTUP_FUNCTIONS}
                      LINKER:--no-warn-symbol-ordering)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${SCRIVLET_STARTUP_FUNCTIONS})
endfunction()
