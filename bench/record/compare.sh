#!/usr/bin/env bash
# Times the record's decoding, encoding and by-name field access of the working tree
# against those of another revision (default: the parent commit), in one go, alternating
# runs so that a busy machine slows both alike.
#     bench/record/compare.sh [REV] [RUNS]
set -euo pipefail
cd "$(dirname "$0")/../.."
rev=${1:-HEAD~1}
runs=${2:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for side in base now; do
    mkdir -p "$work/$side/document"
    if [ "$side" = base ]; then
        git show "$rev:src/document/NpcRecord.h" > "$work/$side/document/NpcRecord.h"
        git show "$rev:src/document/NpcRecord.cpp" > "$work/$side/NpcRecord.cpp"
    else
        cp src/document/NpcRecord.h "$work/$side/document/"
        cp src/document/NpcRecord.cpp "$work/$side/"
    fi
    g++ -std=c++20 -O2 -fPIC -I"$work/$side" $(pkg-config --cflags Qt6Core) bench/record/RecordCodecDriver.cpp \
        "$work/$side/NpcRecord.cpp" -o "$work/$side/bench" $(pkg-config --libs Qt6Core)
done
for _ in $(seq "$runs"); do
    echo "$rev: $("$work/base/bench")"
    echo "now: $("$work/now/bench")"
done
