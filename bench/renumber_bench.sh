#!/usr/bin/env bash
# Times renumbering a generated game folder of 10,000 scripts and merging a script, in
# the same run as their baselines: the plan (renumber --dry-run) against cat of the same
# scripts, the renumbering applied against cp of the files it changes, and a merge of
# three scripts against the goal of 10 ms. Best of three runs each, warm cache; each
# applied run gets a fresh copy of the folder. Usage: bench/renumber_bench.sh
# [scrivlet-cli] (default: a Release build made in build-release/).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
source bench/bench-common.sh

# Item 7 is in about four scripts of ten; 100 is free, and the list goes up to 200.
original=$work/original
mkdir -p "$original/Data"
"$repo/bench/make-game-folder.sh" "$original/game"
for n in $(seq 0 200); do [ "$n" -ne 100 ] && printf '%d=item %d\r\n' "$n" "$n"; done >"$original/Data/Items.txt"
renumber=(renumber item 7=100 game)

cd "$original"
"$cli" "${renumber[@]}" --dry-run | sed -n 's/^\([^:]*\.npc\):.*/\1/p' | sort -u >"$work/changed"
echo Data/Items.txt >>"$work/changed"
echo "folder: $(find game -name '*.npc' | wc -l) scripts; ${renumber[*]} changes $(wc -l <"$work/changed") files ($cli)"

read_scripts() { find game -name '*.npc' -print0 | xargs -0 cat; }
read_scripts >/dev/null # warm the cache
cat_ms=$(best read_scripts)
plan_ms=$(best "$cli" "${renumber[@]}" --dry-run)

# Replacing a file frees the blocks of the old one, which copying to new files does not:
# on a file system mounted with "discard" that is most of the time, so both are timed.
fresh_copy() { rm -rf "$work/run" && cp -a "$original" "$work/run" && sync && cd "$work/run"; }
copy_to_new() { xargs -a "$work/changed" cp --parents -t "$work/run/copy"; }
copy_over() { (cd "$original" && xargs -a "$work/changed" cp --parents -t "$work/run"); }
make_copy_folder() { fresh_copy && mkdir copy; }
cp_new_ms=$(BENCH_SETUP=make_copy_folder best copy_to_new)
cp_ms=$(BENCH_SETUP=fresh_copy best copy_over)
apply_ms=$(BENCH_SETUP=fresh_copy best "$cli" "${renumber[@]}")
cd "$work/run"
"$cli" check game >/dev/null 2>&1 || true # the result reads

# Two edits of one script, apart.
mkdir -p "$work/merge" && cd "$work/merge"
cp "$original/game/area07/057.npc" base.npc
perl -e 'local $/; my $b = <STDIN>; substr($b, 9, 1) = chr(5); print $b' <base.npc >ours.npc
perl -e 'local $/; my $b = <STDIN>; substr($b, 32 + 12, 1) = chr(40); print $b' <base.npc >theirs.npc
merge_100() { for _ in $(seq 100); do "$cli" merge base.npc ours.npc theirs.npc -o out.npc; done; }
merge_ms=$(best merge_100)
start_100() { for _ in $(seq 100); do "$cli" --version; done; }
start_ms=$(best start_100)
"$cli" merge base.npc ours.npc theirs.npc -o out.npc

echo "cat of every script:              ${cat_ms} ms"
echo "renumber --dry-run (the plan):    ${plan_ms} ms ($(ratio "$plan_ms" "$cat_ms") x cat; goal: within 3x)"
echo "cp of the changed files to new:   ${cp_new_ms} ms"
echo "cp of the changed files over them: ${cp_ms} ms"
echo "renumber, applied (whole run):    ${apply_ms} ms; the applying alone $((apply_ms - plan_ms)) ms" \
     "($(ratio $((apply_ms - plan_ms)) "$cp_ms") x cp over them; goal: within 3x)"
echo "merge of three scripts:           $(awk "BEGIN { printf \"%.1f\", $merge_ms / 100 }") ms a run" \
     "(goal: under 10 ms), of which starting the program: $(awk "BEGIN { printf \"%.1f\", $start_ms / 100 }")" \
     "ms (scrivlet-cli --version); in the process: build/bench/scrivlet_bench --benchmark_filter=Merge"
