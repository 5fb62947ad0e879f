#!/usr/bin/env bash
# Times scrivlet-cli over a generated game folder of 10,000 scripts with their dialogue
# files, against reading the same files with cat in the same run. Best of three runs
# each, warm cache. Usage: bench/cli_bench.sh [scrivlet-cli] (default: a Release build
# made in build-release/).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
cli=${1:-}
if [ -z "$cli" ]; then
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
        -DSCRIVLET_BENCHMARKS=OFF > /dev/null
    nice cmake --build build-release -j2 --target scrivlet-cli > /dev/null
    cli=$repo/build-release/scrivlet-cli
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
game=$work/game

# 40 folders of 250 scripts (NPC numbers 0 to 249), each with a .edt of 10 to 60 lines;
# records link within the script and to other characters of the folder.
perl -e '
    use strict; srand(12);
    my ($root) = @ARGV;
    mkdir $root;
    for my $d (0 .. 39) {
        my $dir = sprintf("%s/area%02d", $root, $d);
        mkdir $dir;
        for my $n (0 .. 249) {
            my $lines = 10 + int(rand(51));
            my $used = 5 + int(rand(36));
            my $npc = "";
            for my $r (0 .. 49) {
                if ($r >= $used) { $npc .= "\0" x 32; next; }
                my $link = rand();
                my $cnpc = $link < 0.3 ? $n : $link < 0.6 ? int(rand(260)) : 255;
                my $crec = $cnpc == 255 ? 255 : int(rand(52));
                my $phrase = rand() < 0.2 ? 255 : int(rand($lines + 3));
                $npc .= pack("v4 C12 v6",
                    int(rand(4)), int(rand(40)), rand() < 0.5 ? 65535 : int(rand(520)), 65535,
                    255, int(rand(20)), rand() < 0.5 ? 255 : int(rand(30)), int(rand(30)), 0,
                    $phrase, 1 + int(rand(3)), 255, 255, $cnpc, $crec, 0,
                    65535, 0, 65535, int(rand(40)), 0, 0);
            }
            open(my $f, ">", sprintf("%s/%03d.npc", $dir, $n)) or die; binmode $f; print $f $npc; close $f;
            my $edt = "";
            for my $l (1 .. $lines) {
                my $text = join("", map { chr(97 + int(rand(26))) } 1 .. (20 + int(rand(100))));
                my @units = map { ord($_) + 1 } split(//, $text);
                $edt .= pack("v240", @units, (0) x (240 - @units));
            }
            open($f, ">", sprintf("%s/%03d.edt", $dir, $n)) or die; binmode $f; print $f $edt; close $f;
        }
    }' "$game"

files=$(find "$game" -type f | wc -l)
bytes=$(du -sb "$game" | cut -f1)
echo "folder: $files files, $((bytes / 1024 / 1024)) MiB ($cli)"

# Milliseconds of the best of three runs of a command.
best() {
    local best_ms=""
    for _ in 1 2 3; do
        local start end ms
        start=$(date +%s%N)
        "$@" > /dev/null 2>&1 || true
        end=$(date +%s%N)
        ms=$(((end - start) / 1000000))
        if [ -z "$best_ms" ] || [ "$ms" -lt "$best_ms" ]; then best_ms=$ms; fi
    done
    echo "$best_ms"
}
read_all() { find "$game" -type f -print0 | xargs -0 cat; }
dump_100() { for _ in $(seq 100); do "$cli" dump "$game/area07/057.npc" --format json; done; }

read_all > /dev/null # warm the cache
cat_ms=$(best read_all)
check_ms=$(best "$cli" check "$game")
find_ms=$(best "$cli" find "$game" --fact 57)
dump_ms=$(best dump_100)
echo "cat of every file:            ${cat_ms} ms"
echo "check of the folder:          ${check_ms} ms ($(awk "BEGIN { printf \"%.2f\", $check_ms / ($cat_ms ? $cat_ms : 1) }") x cat; goal: within 3x)"
echo "find --fact 57 over the folder: ${find_ms} ms"
echo "dump --format json, one script: $(awk "BEGIN { printf \"%.1f\", $dump_ms / 100 }") ms a run (100 runs: ${dump_ms} ms)"
