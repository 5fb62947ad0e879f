# The libraries the program loads before its first window: none that only one window
# needs (Graphviz, for the map, is loaded when a map is first laid out, Hunspell when a
# dictionary is first loaded), nor Qt's SVG module.
# cmake -DREADELF=... -DPROGRAM=... -P this file
execute_process(COMMAND ${READELF} -d ${PROGRAM} OUTPUT_VARIABLE dynamic RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "${READELF} could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "\\(NEEDED\\)[^\n]*" needed "${dynamic}")
if(NOT needed)
  message(FATAL_ERROR "${PROGRAM} names no libraries")
endif()
foreach(entry IN LISTS needed)
  if(entry MATCHES "lib(gvc|cgraph|cdt|pathplan|xdot)[.]")
    message(FATAL_ERROR "${PROGRAM} loads Graphviz at start: ${entry}")
  endif()
  if(entry MATCHES "libhunspell")
    message(FATAL_ERROR "${PROGRAM} loads Hunspell at start: ${entry}")
  endif()
  if(entry MATCHES "libQt6Svg[.]")
    message(FATAL_ERROR "${PROGRAM} loads Qt's SVG module, which it does not use: ${entry}")
  endif()
endforeach()
