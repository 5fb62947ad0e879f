# Sourced by the benchmark scripts, from the repository folder, with their arguments: sets
# cli, the program to time, and work, a temporary folder removed at the end.

# The command line program to time: the one given, else a Release build in build-release/.
bench_cli() {
    if [ -n "${1:-}" ]; then
        realpath "$1" # the scripts change folders
        return
    fi
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DSCRIVLET_BENCHMARKS=OFF > /dev/null
    nice cmake --build build-release -j2 --target scrivlet-cli > /dev/null
    echo "$(pwd)/build-release/scrivlet-cli"
}

# Milliseconds of the best of three runs of a command. With BENCH_SETUP set, that command
# runs before each, untimed.
best() {
    local best_ms=""
    for _ in 1 2 3; do
        local start end ms
        if [ -n "${BENCH_SETUP:-}" ]; then $BENCH_SETUP; fi
        start=$(date +%s%N)
        "$@" > /dev/null 2>&1 || true
        end=$(date +%s%N)
        ms=$(((end - start) / 1000000))
        if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
    done
    echo "$best_ms"
}

# "2.15": a over b, two decimals.
ratio() {
    awk "BEGIN { printf \"%.2f\", $1 / ($2 ? $2 : 1) }"
}

cli=$(bench_cli "${1:-}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
