# cmake --install, and the Debian package made from the same rules (cpack -G DEB).
install(TARGETS scrivlet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET scrivlet-cli)
  install(TARGETS scrivlet-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(TARGETS scrivlet-pictures LIBRARY DESTINATION ${SCRIVLET_PICTURES_DIR})
endif()

set(SHARE ${CMAKE_INSTALL_DATADIR})
install(FILES ${SHIPPED_LISTS} DESTINATION ${SHARE}/scrivlet/Data)
install(FILES resources/desktop/scrivlet.desktop DESTINATION ${SHARE}/applications)
install(FILES resources/desktop/scrivlet-npc.xml DESTINATION ${SHARE}/mime/packages)
install(FILES resources/desktop/scrivlet.svg DESTINATION ${SHARE}/icons/hicolor/scalable/apps)
install(FILES ${SHIPPED_MANUAL} resources/debian/copyright DESTINATION ${SHARE}/doc/scrivlet)
install(FILES ${SHIPPED_MANUAL_IMAGES} DESTINATION ${SHARE}/doc/scrivlet/images)
install(DIRECTORY examples/ DESTINATION ${SHARE}/doc/scrivlet/examples)
install(FILES resources/debian/doc-base DESTINATION ${SHARE}/doc-base RENAME scrivlet)
install(FILES resources/debian/lintian-overrides DESTINATION ${SHARE}/lintian/overrides RENAME scrivlet)

set(CPACK_PACKAGE_NAME scrivlet)
set(CPACK_PACKAGE_VENDOR "Scrivlet developers")
set(CPACK_PACKAGE_CONTACT "Scrivlet developers <scrivlet@developers.invalid>")

include(cmake/Changelog.cmake)
set(package_dir ${CMAKE_BINARY_DIR}/package)

# Software centres take the screenshots from the web only: the manual's images, as
# published under this address.
set(SCRIVLET_WEB_HOME "https://scrivlet.github.io/"
    CACHE STRING "Web address under which the manual and its images/ are published")
set(metainfo io.github.scrivlet.Scrivlet.metainfo.xml)
configure_file(resources/desktop/${metainfo}.in ${package_dir}/${metainfo} @ONLY)
install(FILES ${package_dir}/${metainfo} DESTINATION ${SHARE}/metainfo)

# Manual pages and the changelog, compressed as Debian wants them: no name, no time.
find_program(GZIP_PROGRAM gzip)
function(scrivlet_gzip source destination)
  execute_process(COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} OUTPUT_FILE ${source}.gz RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip could not compress ${source}")
  endif()
  install(FILES ${source}.gz DESTINATION ${destination})
endfunction()
if(GZIP_PROGRAM)
  scrivlet_gzip(${SCRIVLET_DEBIAN_CHANGELOG} ${SHARE}/doc/scrivlet)
  foreach(language IN ITEMS "" ru)
    foreach(page IN ITEMS scrivlet scrivlet-cli)
      set(page_out ${package_dir}/man/${language}/${page}.1)
      configure_file(man/${language}/${page}.1.in ${page_out} @ONLY)
      scrivlet_gzip(${page_out} ${CMAKE_INSTALL_MANDIR}/${language}/man1)
    endforeach()
  endforeach()
else()
  message(STATUS "No gzip: the manual pages and the changelog are not installed")
endif()
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor of the NPC scripts of the game Korvan")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Scrivlet opens, edits and saves the NPC scripts (.npc) of the game Korvan\n"
       "in both of their byte layouts, names field values from editable reference\n"
       "lists, keeps the links between records right when records move, shows the\n"
       "phrases of the dialogue file (.edt) and keeps record templates (macros).\n"
       "The interface is in Russian.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded when first needed, so not seen in the binaries: Graphviz's layout for the map and
# Hunspell for the spell checking. Data, so not seen either: the Russian dictionary. (The
# icons are pictures drawn by the build: no SVG module.)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgvc6, libhunspell-1.7-0, hunspell-ru")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "hunspell-en-us")
# Russian standard buttons and dialogs; xdg-open shows the manual on F1.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
include(CPack)
