# Hunspell for spell checking: HUNSPELL_INCLUDE_DIRS, HUNSPELL_LINK_LIBRARIES and the
# definitions its header needs, HUNSPELL_DEFINITIONS.
if(WIN32)
  # Built by scripts/windows-deps.sh as a static library; its header marks functions as
  # imported from a DLL unless told otherwise.
  find_path(HUNSPELL_INCLUDE_DIRS hunspell/hunspell.hxx REQUIRED)
  find_library(HUNSPELL_LINK_LIBRARIES NAMES hunspell-1.7 hunspell REQUIRED)
  set(HUNSPELL_DEFINITIONS HUNSPELL_STATIC)
else()
  # With the dictionaries of the system's packages.
  find_package(PkgConfig REQUIRED)
  pkg_check_modules(HUNSPELL REQUIRED IMPORTED_TARGET hunspell)
  set(HUNSPELL_DEFINITIONS)
endif()
