#!/usr/bin/env bash
# Builds Scrivlet and starts it in a start folder of its own, build/run/, made on the
# first run with a copy of Data/ and a link to examples/. The settings (scrivlet.ini)
# and macros (Data/macros.mcr) it writes stay there, out of the checkout.
# Arguments go to the editor.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
scripts/install-deps.sh
scripts/configure.sh build >/dev/null
cmake --build build -j "$(nproc)" --target scrivlet scrivlet_shipped_files
run=build/run
if [ ! -d "$run" ]; then
    mkdir -p "$run/Data"
    cp Data/*.txt "$run/Data/"
    ln -s "$repo/examples" "$run/examples"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "No display found. To run Scrivlet without one, start it under a virtual display:"
    echo "    xvfb-run -s '-screen 0 1280x900x24' scripts/run.sh"
    echo "or see \"Running without a display\" in README.md."
    exit 1
fi
echo "Scrivlet starts in $repo/$run (process $$)."
cd "$run"
exec "$repo/build/scrivlet" "$@"
