#!/usr/bin/env bash
# Configures a build folder as scripts/run.sh and scripts/test.sh build it, so that each
# goes on from what the other built: Ninja, and precompiled headers and batches of
# sources, which build it from nothing in about half the time.
#     scripts/configure.sh FOLDER [CMAKE_OPTION ...]
set -euo pipefail
folder=$1
shift
cmake -S "$(dirname "$0")/.." -B "$folder" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DSCRIVLET_PRECOMPILE_HEADERS=ON -DSCRIVLET_UNITY_BUILD=ON "$@"
