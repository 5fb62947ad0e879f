# Graphviz's dot layout for the dialogue map, as target scrivlet_graphviz, and the
# definitions that the one file that calls it needs (SCRIVLET_GRAPHVIZ_DEFINITIONS).
add_library(scrivlet_graphviz INTERFACE)
if(WIN32)
  # Built by scripts/windows-deps.sh as one static library with the dot layout and the
  # core renderers linked in, so nothing is loaded at run time.
  find_path(GRAPHVIZ_INCLUDE_DIR graphviz/gvc.h REQUIRED)
  find_library(GRAPHVIZ_LIBRARY gvc REQUIRED)
  target_include_directories(scrivlet_graphviz INTERFACE ${GRAPHVIZ_INCLUDE_DIR})
  target_link_libraries(scrivlet_graphviz INTERFACE ${GRAPHVIZ_LIBRARY})
  set(SCRIVLET_GRAPHVIZ_DEFINITIONS SCRIVLET_DOT_LAYOUT_LINKED)
else()
  # Graphviz's shared libraries are loaded when a map is first laid out, not linked: its
  # headers only, and the names its libraries are loaded by (with the major version, as
  # the runtime package has them). Its dot layout is opened by its path rather than looked
  # for through Graphviz's plugin configuration, so that nothing depends on that.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(GRAPHVIZ REQUIRED libgvc libcgraph)
  pkg_get_variable(GRAPHVIZ_LIBDIR libgvc libdir)
  target_include_directories(scrivlet_graphviz INTERFACE ${GRAPHVIZ_INCLUDE_DIRS})
  target_link_libraries(scrivlet_graphviz INTERFACE Qt6::Core ${CMAKE_DL_LIBS})
  set(SCRIVLET_GRAPHVIZ_DEFINITIONS)
  foreach(library gvc cgraph)
    string(TOUPPER ${library} upper)
    find_library(GRAPHVIZ_${upper}_FILE ${library} HINTS ${GRAPHVIZ_LIBRARY_DIRS} REQUIRED)
    get_filename_component(file ${GRAPHVIZ_${upper}_FILE} REALPATH)
    string(REGEX REPLACE "^.*/([^/]*\\.so\\.[0-9]+)(\\..*)?$" "\\1" name ${file})
    list(APPEND SCRIVLET_GRAPHVIZ_DEFINITIONS SCRIVLET_${upper}_LIBRARY="${name}")
  endforeach()
  find_library(GRAPHVIZ_DOT_LAYOUT gvplugin_dot_layout PATHS ${GRAPHVIZ_LIBDIR}/graphviz NO_DEFAULT_PATH REQUIRED)
  get_filename_component(GRAPHVIZ_DOT_LAYOUT_FILE ${GRAPHVIZ_DOT_LAYOUT} REALPATH)
  string(REGEX REPLACE "(\\.so\\.[0-9]+)\\..*$" "\\1" GRAPHVIZ_DOT_LAYOUT_FILE ${GRAPHVIZ_DOT_LAYOUT_FILE})
  list(APPEND SCRIVLET_GRAPHVIZ_DEFINITIONS SCRIVLET_DOT_LAYOUT="${GRAPHVIZ_DOT_LAYOUT_FILE}")
endif()
