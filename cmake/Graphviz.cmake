# Graphviz's dot layout for the dialogue map, as target scrivlet_graphviz.
add_library(scrivlet_graphviz INTERFACE)
if(WIN32)
  # Built by scripts/windows-deps.sh as one static library with the dot layout and the
  # core renderers linked in, so nothing is loaded at run time.
  find_path(GRAPHVIZ_INCLUDE_DIR graphviz/gvc.h REQUIRED)
  find_library(GRAPHVIZ_LIBRARY gvc REQUIRED)
  target_include_directories(scrivlet_graphviz INTERFACE ${GRAPHVIZ_INCLUDE_DIR})
  target_link_libraries(scrivlet_graphviz INTERFACE ${GRAPHVIZ_LIBRARY})
  target_compile_definitions(scrivlet_graphviz INTERFACE SCRIVLET_DOT_LAYOUT_LINKED)
else()
  # Graphviz's library, its dot layout opened by its path rather than looked for through
  # Graphviz's plugin configuration, so that nothing depends on that configuration.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GRAPHVIZ REQUIRED IMPORTED_TARGET libgvc libcgraph)
  pkg_get_variable(GRAPHVIZ_LIBDIR libgvc libdir)
  find_library(GRAPHVIZ_DOT_LAYOUT gvplugin_dot_layout PATHS ${GRAPHVIZ_LIBDIR}/graphviz NO_DEFAULT_PATH REQUIRED)
  # The dot layout lies in Graphviz's plugin folder, outside the loader's search path: it
  # is opened by its path (the name with the major version, as the runtime package has it).
  get_filename_component(GRAPHVIZ_DOT_LAYOUT_FILE ${GRAPHVIZ_DOT_LAYOUT} REALPATH)
  string(REGEX REPLACE "(\\.so\\.[0-9]+)\\..*$" "\\1" GRAPHVIZ_DOT_LAYOUT_FILE ${GRAPHVIZ_DOT_LAYOUT_FILE})
  target_link_libraries(scrivlet_graphviz INTERFACE PkgConfig::GRAPHVIZ ${CMAKE_DL_LIBS})
  target_compile_definitions(scrivlet_graphviz INTERFACE SCRIVLET_DOT_LAYOUT="${GRAPHVIZ_DOT_LAYOUT_FILE}")
endif()
