# Hunspell for spell checking, for the one file that calls it (src/spelling/HunspellLibrary.cpp):
# HUNSPELL_INCLUDE_DIRS, SCRIVLET_HUNSPELL_DEFINITIONS and, where it is linked,
# SCRIVLET_HUNSPELL_LINK.
if(WIN32)
  # Built by scripts/windows-deps.sh as a static library; its header marks functions as
  # imported from a DLL unless told otherwise.
  find_path(HUNSPELL_INCLUDE_DIRS hunspell/hunspell.h REQUIRED)
  find_library(SCRIVLET_HUNSPELL_LINK NAMES hunspell-1.7 hunspell REQUIRED)
  set(SCRIVLET_HUNSPELL_DEFINITIONS HUNSPELL_STATIC SCRIVLET_HUNSPELL_LINKED)
else()
  # The system's shared library, loaded when a dictionary is first loaded rather than
  # linked: its header only, and the name it is loaded by (with the major version, as the
  # runtime package has it). With the dictionaries of the system's packages.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(HUNSPELL REQUIRED hunspell)
  find_library(HUNSPELL_FILE NAMES ${HUNSPELL_LIBRARIES} HINTS ${HUNSPELL_LIBRARY_DIRS} REQUIRED)
  get_filename_component(file ${HUNSPELL_FILE} REALPATH)
  string(REGEX REPLACE "^.*/([^/]*\\.so\\.[0-9]+)(\\..*)?$" "\\1" name ${file})
  set(SCRIVLET_HUNSPELL_LINK)
  set(SCRIVLET_HUNSPELL_DEFINITIONS SCRIVLET_HUNSPELL_LIBRARY="${name}")
endif()
