#!/usr/bin/env bash
# Builds Scrivlet and starts it with the repository as start folder, so that it finds
# the shipped Data/ folder; the examples/ folder holds scripts to open.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target scrivlet
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. To run Scrivlet without one, start it under a virtual display:"
    echo "    xvfb-run -s '-screen 0 1280x900x24' scripts/run.sh"
    exit 1
fi
exec build/scrivlet
