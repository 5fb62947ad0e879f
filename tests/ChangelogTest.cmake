# The changelog made from CHANGELOG.md: cmake -DSOURCE_DIR=... -DWORK_DIR=... -P this file.
# With -DRENDER=FILE it only renders that file, for the cases that must fail.
include(${SOURCE_DIR}/cmake/ChangelogRender.cmake)

if(DEFINED RENDER)
  changelog_render(${RENDER} "Dev <dev@example.invalid>" debian releases version date)
  return()
endif()

file(MAKE_DIRECTORY ${WORK_DIR})

function(expect_equal what actual expected)
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what}:\n[${actual}]\ninstead of\n[${expected}]")
  endif()
endfunction()

# Characters that CMake lists and XML treat specially, an item over two lines, an
# introduction and a sub-heading that are no entries, and a leap day (a Thursday).
file(WRITE ${WORK_DIR}/two.md [=[
# Changelog

Some words first; none of them is an entry.

## 1.10.0 - 2024-02-29

### Changed

- Links [here](x); a < b & c > d, `code`, and enough words to go past the width of one
  line of the Debian changelog.
- Second.

## 1.9.2 - 2023-01-01
- First.
]=])
changelog_render(${WORK_DIR}/two.md "Dev <dev@example.invalid>" debian releases version date)
expect_equal("newest version" "${version}" "1.10.0")
expect_equal("newest date" "${date}" "2024-02-29")
expect_equal("Debian changelog" "${debian}" [=[
scrivlet (1.10.0) unstable; urgency=medium

  * Links [here](x); a < b & c > d, code, and enough words to go past the
    width of one line of the Debian changelog.
  * Second.

 -- Dev <dev@example.invalid>  Thu, 29 Feb 2024 00:00:00 +0000

scrivlet (1.9.2) unstable; urgency=medium

  * First.

 -- Dev <dev@example.invalid>  Sun, 01 Jan 2023 00:00:00 +0000
]=])
expect_equal("AppStream releases" "${releases}" [=[
    <release version="1.10.0" date="2024-02-29">
      <description>
        <ul>
          <li>Links [here](x); a &lt; b &amp; c &gt; d, code, and enough words to go past the width of one line of the Debian changelog.</li>
          <li>Second.</li>
        </ul>
      </description>
    </release>
    <release version="1.9.2" date="2023-01-01">
      <description>
        <ul>
          <li>First.</li>
        </ul>
      </description>
    </release>]=])

# Changelogs that must stop the build, each with its reason.
set(cases
    "no-entry|# Changelog\n\nNothing yet.\n|has no entry"
    "bad-heading|## Version 1.0\n\n- A change.\n|is no heading"
    "no-change|## 1.1.0 - 2024-01-01\n\n## 1.0.0 - 2023-01-01\n\n- A change.\n|lists no change"
    "old-first|## 1.0.0 - 2023-01-01\n\n- A.\n\n## 1.1.0 - 2024-01-01\n\n- B.\n|the newest comes first")
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 name)
  list(GET parts 1 text)
  list(GET parts 2 reason)
  string(REPLACE "\\n" "\n" text "${text}")
  file(WRITE ${WORK_DIR}/${name}.md "${text}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${SOURCE_DIR} -DRENDER=${WORK_DIR}/${name}.md
                          -P ${CMAKE_CURRENT_LIST_FILE}
                  RESULT_VARIABLE failed ERROR_VARIABLE error OUTPUT_QUIET)
  string(REGEX REPLACE "[ \n]+" " " error "${error}") # CMake wraps its messages
  if(NOT failed OR NOT error MATCHES "${reason}")
    message(FATAL_ERROR "${name}: expected a failure saying \"${reason}\", got ${failed}: ${error}")
  endif()
endforeach()
