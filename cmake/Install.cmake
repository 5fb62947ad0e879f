# cmake --install, and the Debian package made from the same rules (cpack -G DEB).
install(TARGETS scrivlet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET scrivlet-cli)
  install(TARGETS scrivlet-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

set(SHARE ${CMAKE_INSTALL_DATADIR})
install(FILES ${SHIPPED_LISTS} DESTINATION ${SHARE}/scrivlet/Data)
install(FILES resources/desktop/scrivlet.desktop DESTINATION ${SHARE}/applications)
install(FILES resources/desktop/scrivlet-npc.xml DESTINATION ${SHARE}/mime/packages)
install(FILES resources/desktop/scrivlet.svg DESTINATION ${SHARE}/icons/hicolor/scalable/apps)
install(FILES ${SHIPPED_MANUAL} DESTINATION ${SHARE}/doc/scrivlet)
install(FILES ${SHIPPED_MANUAL_IMAGES} DESTINATION ${SHARE}/doc/scrivlet/images)

set(CPACK_PACKAGE_NAME scrivlet)
set(CPACK_PACKAGE_VENDOR "Scrivlet developers")
set(CPACK_PACKAGE_CONTACT "Scrivlet developers <scrivlet@developers.invalid>")
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
# Loaded as plugins, so not seen in the binaries: the SVG icons of the toolbar.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6")
# Russian standard buttons and dialogs; xdg-open shows the manual on F1.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, xdg-utils")
include(CPack)
