# CHANGELOG.md is the one list of versions: its newest entry must be the project's
# version, and the Debian changelog and the AppStream releases are written from it.
#
# Sets SCRIVLET_DEBIAN_CHANGELOG (a file in the build folder), SCRIVLET_RELEASES_XML (the
# <release> elements) and SCRIVLET_RELEASE_DATE (the newest entry's date).

include(${CMAKE_CURRENT_LIST_DIR}/ChangelogRender.cmake)
set(changelog_source ${CMAKE_SOURCE_DIR}/CHANGELOG.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog_source})

changelog_render(${changelog_source} "${CPACK_PACKAGE_CONTACT}" debian SCRIVLET_RELEASES_XML newest
                 SCRIVLET_RELEASE_DATE)
if(NOT newest STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "CHANGELOG.md's newest entry is ${newest}, the project is ${PROJECT_VERSION}: "
                      "give the new version an entry (or the project the entry's version)")
endif()

set(SCRIVLET_DEBIAN_CHANGELOG ${CMAKE_BINARY_DIR}/package/changelog)
# Rewritten only when it changed, so that its compressed copy is not made again.
file(WRITE ${SCRIVLET_DEBIAN_CHANGELOG}.new "${debian}")
file(COPY_FILE ${SCRIVLET_DEBIAN_CHANGELOG}.new ${SCRIVLET_DEBIAN_CHANGELOG} ONLY_IF_DIFFERENT)
file(REMOVE ${SCRIVLET_DEBIAN_CHANGELOG}.new)
