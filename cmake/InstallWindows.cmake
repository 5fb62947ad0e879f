# The Windows program's folder, as the zip and the installer ship it: everything beside
# scrivlet.exe, so that it runs from wherever it is unpacked. scripts/windows/runtime.sh
# adds Qt's and MinGW's libraries.
install(TARGETS scrivlet scrivlet-cli RUNTIME DESTINATION .)
install(TARGETS scrivlet-pictures LIBRARY DESTINATION .)
install(FILES ${SHIPPED_LISTS} DESTINATION Data)
install(FILES ${SHIPPED_MANUAL} DESTINATION doc)
install(FILES ${SHIPPED_MANUAL_IMAGES} DESTINATION doc/images)
install(DIRECTORY examples/ DESTINATION examples)
install(FILES resources/debian/copyright DESTINATION doc)
