# Precompiled Qt (and GoogleTest) headers and unity builds, for a build from nothing
# (scripts/test.sh, a packager). Off by default: a developer's worktrees share one ccache,
# which neither option lets them do, and rebuild one file at a time, which a batch slows.
# Both are plain CMake features and work with any compiler CMake knows (gcc, clang,
# MinGW, MSVC).
option(SCRIVLET_PRECOMPILE_HEADERS "Precompile the Qt headers" OFF)
option(SCRIVLET_UNITY_BUILD "Compile the sources of a target in batches" OFF)

set(SCRIVLET_CORE_HEADERS <QByteArray> <QDir> <QFile> <QFileInfo> <QHash> <QList> <QObject>
    <QString> <QStringList> <algorithm> <functional> <memory> <optional> <vector>)
set(SCRIVLET_WIDGETS_HEADERS ${SCRIVLET_CORE_HEADERS} <QAction> <QApplication> <QBoxLayout>
    <QComboBox> <QDialog> <QLabel> <QLineEdit> <QMenu> <QPushButton> <QWidget>)

# ccache reuses results built with a precompiled header only when told that the
# header's own macros and time stamps do not matter.
if(SCRIVLET_PRECOMPILE_HEADERS AND CCACHE_PROGRAM)
  set(CMAKE_CXX_COMPILER_LAUNCHER ${CMAKE_COMMAND} -E env
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime ${CCACHE_PROGRAM})
endif()

# scrivlet_build_faster(target CORE|WIDGETS [TESTS] [SEPARATE] [ALONE file...]): the
# headers to precompile for a target that uses QtCore only or the widgets too (and
# GoogleTest's, for a test program); its sources compiled in batches, but for those
# ALONE (whose file-local names another file of the target uses too) or all of them
# (SEPARATE).
function(scrivlet_build_faster target kind)
  cmake_parse_arguments(PARSE_ARGV 2 ARG "TESTS;SEPARATE" "" "ALONE")
  if(ARG_TESTS)
    # The test programs' own code unoptimised, which halves its compiling; the code they
    # test keeps the build's optimisation.
    target_compile_options(${target} PRIVATE $<$<CXX_COMPILER_ID:GNU,Clang>:-O0>)
  endif()
  if(SCRIVLET_PRECOMPILE_HEADERS AND ARG_TESTS)
    target_precompile_headers(${target} PRIVATE ${SCRIVLET_${kind}_HEADERS} <gtest/gtest.h>)
  elseif(SCRIVLET_PRECOMPILE_HEADERS)
    # One precompiled header per kind, made for the first library of that kind.
    get_property(maker GLOBAL PROPERTY SCRIVLET_PCH_${kind})
    if(maker)
      target_precompile_headers(${target} REUSE_FROM ${maker})
    else()
      target_precompile_headers(${target} PRIVATE ${SCRIVLET_${kind}_HEADERS})
      set_property(GLOBAL PROPERTY SCRIVLET_PCH_${kind} ${target})
    endif()
  endif()
  if(SCRIVLET_UNITY_BUILD AND NOT ARG_SEPARATE)
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    get_target_property(sources ${target} SOURCES)
    foreach(file IN LISTS ARG_ALONE)
      list(FILTER sources INCLUDE REGEX "/${file}$")
      if(NOT sources)
        message(FATAL_ERROR "${target} has no source ${file} to compile alone")
      endif()
      set_source_files_properties(${sources} TARGET_DIRECTORY ${target} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
      get_target_property(sources ${target} SOURCES)
    endforeach()
  endif()
endfunction()
