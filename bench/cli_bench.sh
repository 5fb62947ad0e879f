#!/usr/bin/env bash
# Times scrivlet-cli over a generated game folder of 10,000 scripts with their dialogue
# files, against reading the same files with cat in the same run. Best of three runs
# each, warm cache. Usage: bench/cli_bench.sh [scrivlet-cli] (default: a Release build
# made in build-release/).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
source bench/bench-common.sh
game=$work/game

"$repo/bench/make-game-folder.sh" "$game"

files=$(find "$game" -type f | wc -l)
bytes=$(du -sb "$game" | cut -f1)
echo "folder: $files files, $((bytes / 1024 / 1024)) MiB ($cli)"

read_all() { find "$game" -type f -print0 | xargs -0 cat; }
dump_100() { for _ in $(seq 100); do "$cli" dump "$game/area07/057.npc" --format json; done; }

read_all > /dev/null # warm the cache
cat_ms=$(best read_all)
check_ms=$(best "$cli" check "$game")
find_ms=$(best "$cli" find "$game" --fact 57)
dump_ms=$(best dump_100)
echo "cat of every file:            ${cat_ms} ms"
echo "check of the folder:          ${check_ms} ms ($(ratio "$check_ms" "$cat_ms") x cat; goal: within 3x)"
echo "find --fact 57 over the folder: ${find_ms} ms"
echo "dump --format json, one script: $(awk "BEGIN { printf \"%.1f\", $dump_ms / 100 }") ms a run (100 runs: ${dump_ms} ms)"
