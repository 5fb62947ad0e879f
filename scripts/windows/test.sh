#!/usr/bin/env bash
# Runs the Windows test programs under Wine, each whole in one run, and lists the tests
# that were skipped there with their reasons.
#   scripts/windows/test.sh DEPS-FOLDER BUILD-FOLDER
set -euo pipefail
deps=$(realpath "$1")
build=$(realpath "$2")
export WINEPREFIX=$build/wine-tests
source "$(dirname "$0")/wine-env.sh"
gcc=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
fresh_prefix
export WINEPATH="$(windows_path "$deps/bin");$(windows_path "$gcc");$(windows_path /usr/x86_64-w64-mingw32/lib)"
export QT_PLUGIN_PATH=$(windows_path "$deps/plugins")
export QT_QPA_PLATFORM=offscreen QT_FORCE_STDERR_LOGGING=1
export QT_QPA_FONTDIR=$(windows_path /usr/share/fonts/truetype/dejavu)
failed=0
for program in scrivlet_core_tests scrivlet_ui_tests; do
    log=$build/$program-wine.log
    echo "windows tests: $program" >&2
    # Windows ends its lines with CR LF.
    (cd "$build/tests" && "$WINE" "$program.exe" --gtest_color=no) 2>&1 | tr -d '\r' >"$log" || failed=1
    grep -E '^\[  (PASSED|FAILED) +\] [0-9]+ test' "$log" | sed 's/^/  /' >&2 || true
    # What was skipped, with the reason printed just above each.
    awk '/^\[ RUN      \]/ { reason = "" } /: Skipped$/ { getline reason }
         /^\[  SKIPPED \]/ && reason != "" { print "  skipped: " $4 " -- " reason; reason = "" }' "$log" >&2
    grep -E '^\[  FAILED  \] [A-Za-z]' "$log" | sed 's/^/  /' >&2 || true
done
[ $failed -eq 0 ] || { echo "windows tests: failures, see $build/*-wine.log" >&2; exit 1; }
