#!/usr/bin/env bash
# Builds Scrivlet twice (plain, and with AddressSanitizer and UndefinedBehaviorSanitizer)
# and runs every test in both builds, and the reliability figures in the plain one.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)

# The two GoogleTest programs run whole, each in as many parts as there are cores, the
# one with the slowest tests (the windows') first: a process per test, as ctest runs
# them, spent more time starting 421 programs than in the tests. The rest run by ctest.
run_tests() {
    local build=$1
    shift
    local failed=0 pids=() program shard
    for program in scrivlet_ui_tests scrivlet_core_tests; do
        for ((shard = 0; shard < jobs; shard++)); do
            env "$@" QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$PWD/$build/tests/xdg-config" \
                GTEST_TOTAL_SHARDS=$jobs GTEST_SHARD_INDEX=$shard \
                "$build/tests/$program" --gtest_brief=1 &
            pids+=($!)
        done
    done
    for pid in "${pids[@]}"; do
        wait "$pid" || failed=1
    done
    (cd "$build" && env "$@" ctest --output-on-failure -j "$jobs" -LE gtest) || failed=1
    return $failed
}

scripts/configure.sh build -DSCRIVLET_BENCHMARKS=OFF
cmake --build build -j "$jobs"
run_tests build
# The reliability figures mostly wait on the programs they kill: they run while the
# sanitizer build compiles, and are shown when both are done.
scripts/reliability.sh build >build/reliability.log 2>&1 &
reliability=$!
trap 'kill $reliability 2>/dev/null || true' EXIT
# The reliability drivers serve the plain build only.
scripts/configure.sh build-asan -DCMAKE_BUILD_TYPE=Debug -DSCRIVLET_SANITIZE=ON
cmake --build build-asan -j "$jobs" --target scrivlet scrivlet_shipped_files scrivlet_core_tests scrivlet_ui_tests
run_tests build-asan ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1
status=0
wait $reliability || status=$?
trap - EXIT
cat build/reliability.log
if [ $status -ne 0 ]; then
    echo "test.sh: the reliability figures failed (build/reliability.log)" >&2
    exit 1
fi
