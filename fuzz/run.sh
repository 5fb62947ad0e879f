#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs each for SECONDS (default 60) with a fixed
# seed, as many at once as there are cores. A crash, sanitizer report, broken round trip,
# or input still slow when run again alone fails the run and its input is printed in hex.
# Without clang it says so and passes.
#   fuzz/run.sh [SECONDS] [TARGET...]
set -uo pipefail
seconds=${1:-60}
shift || true
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
build=${SCRIVLET_FUZZ_BUILD:-$root/build-fuzz}

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ not found, fuzz targets skipped"
    exit 0
fi
set -e
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
"$here/make-corpus.sh" "$build/seeds"
set +e

targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(npc_file npc_json edt_text reference_list macro_file settings_file list_renumber
                                     merge script_graph foreign_links recovery_file file_set_journal po_file
                                     text_replace)
declare -A max_len=([npc_file]=4096 [npc_json]=16384 [edt_text]=65536 [reference_list]=32768 [macro_file]=16384
                    [settings_file]=8192 [list_renumber]=16384 [merge]=4096 [script_graph]=16384
                    [foreign_links]=4096 [recovery_file]=16384 [file_set_journal]=8192 [po_file]=16384
                    [text_replace]=4096)
# A unit running this many seconds is a fault; one a tenth as long, a stall (see below).
timeout=10
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# One target; its report goes to $build/$t.report, and the file $build/$t.failed marks a fault.
fuzz_one() {
    local t=$1 work=$build/work/$1 findings=$build/findings/$1 log=$build/$1.log rc f ms
    rm -rf "$work" "$findings" "$build/stalls/$t" "$build/$t.failed"
    mkdir -p "$work" "$findings"
    {
        echo "fuzz: $t for ${seconds}s"
        "$build/fuzz_$t" -seed=1 -max_total_time="$seconds" -timeout=$timeout -rss_limit_mb=2048 \
            -max_len="${max_len[$t]:-8192}" -print_final_stats=1 -artifact_prefix="$findings/" \
            "$work" "$build/seeds/$t" >"$log" 2>&1
        rc=$?
        grep -E '^#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec' "$log" | tail -3
        # A unit reported slow, or timed out, that runs fast alone was the machine stalling
        # (a shared CI machine can pause a process for seconds): it is set aside, not failed.
        # A truly slow input is slow again, and fails.
        for f in "$findings"/slow-unit-* "$findings"/timeout-*; do
            [ -f "$f" ] || continue
            ms=$("$build/fuzz_$t" -timeout=$timeout "$f" 2>&1 | sed -nE 's/^Executed .* in ([0-9]+) ms$/\1/p')
            if [ -n "$ms" ] && [ "$ms" -lt $((timeout * 100)) ]; then
                echo "fuzz: $t: $(basename "$f") ran slowly in the run but in $ms ms alone: a stall, not a fault"
                mkdir -p "$build/stalls/$t" && mv "$f" "$build/stalls/$t/"
            fi
        done
        # A timeout (exit 70) always leaves its input among the findings, which decide.
        if { [ $rc -ne 0 ] && [ $rc -ne 70 ]; } || [ -n "$(ls -A "$findings")" ]; then
            touch "$build/$t.failed"
            echo "fuzz: $t FOUND A FAULT (exit $rc)"
            grep -E 'ERROR|runtime error|check failed|Test unit written|SUMMARY' "$log" | head -20
            for f in "$findings"/*; do
                [ -f "$f" ] || continue
                echo "input $(basename "$f") ($(stat -c %s "$f") bytes):"
                od -An -tx1 -v "$f" | head -200
            done
        fi
    } >"$build/$t.report"
}

# As many targets at once as there are cores; the reports in the order given.
for t in "${targets[@]}"; do
    while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do wait -n; done
    fuzz_one "$t" &
done
wait
failed=0
for t in "${targets[@]}"; do
    cat "$build/$t.report"
    [ -e "$build/$t.failed" ] && failed=1
done
[ $failed -eq 0 ] && echo "fuzz: every target ran clean"
exit $failed
