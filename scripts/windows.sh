#!/usr/bin/env bash
# Makes the Windows program on a Debian machine: cross-builds scrivlet.exe, scrivlet-cli.exe
# and the test programs with MinGW-w64, runs the tests under Wine, and packs
# build-windows/scrivlet-VERSION-win64.zip and build-windows/scrivlet-VERSION-setup.exe.
#
#   scripts/windows.sh             all of it (the dependencies are built first when missing)
#   scripts/windows.sh --no-tests  without running the tests
#   scripts/windows.sh --check     as CI: only when the dependencies are at hand, else one line
#
# Tools: apt-get install g++-mingw-w64-x86-64-posix wine64 nsis zip qt6-base-dev-tools qt6-svg-dev
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
OUT=$ROOT/build-windows
BUILD=$OUT/build
JOBS=${SCRIVLET_JOBS:-2}
WINE=/usr/lib/wine/wine64
TRIPLET=x86_64-w64-mingw32

die() { echo "windows: $*" >&2; exit 1; }
log() { echo "windows: $(date +%H:%M:%S) $*" >&2; }
need() { command -v "$1" >/dev/null || die "$1 is missing: apt-get install $2"; }

run_tests=1
case ${1:-} in
    --no-tests) run_tests=0 ;;
    --check)
        # Missing dependencies skip the check; a damaged prepared copy fails it.
        status=0
        mkdir -p "$OUT"
        DEPS=$(scripts/windows-deps.sh --check 2>"$OUT/deps-check.log") || status=$?
        if [ $status -eq 2 ]; then
            echo "Windows check skipped: the Windows dependencies (scripts/windows-deps.sh, hours of building) are" \
                 "neither in ~/.cache/scrivlet nor in ../shared/windows-deps"
            exit 0
        fi
        [ $status -eq 0 ] || { cat "$OUT/deps-check.log" >&2; exit $status; } ;;
    "") ;;
    *) die "unknown argument $1" ;;
esac

need $TRIPLET-g++-posix g++-mingw-w64-x86-64-posix
need makensis nsis
need zip zip
need pkg-config pkg-config
[ $run_tests -eq 0 ] || [ -x "$WINE" ] || die "$WINE is missing: apt-get install wine64"
pkg-config --exists Qt6Svg || die "the host's Qt SVG module draws the icons: apt-get install qt6-svg-dev"

start=$SECONDS
DEPS=${DEPS:-$(scripts/windows-deps.sh)}
export SCRIVLET_WINDOWS_DEPS=$DEPS
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ROOT/..}
VERSION=$(sed -n 's/^project(Scrivlet VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$VERSION" ] || die "no version in CMakeLists.txt"

# The icons drawn beforehand by the host's Qt, which has the SVG module.
mkdir -p "$OUT/host"
if [ ! -x "$OUT/host/render-icons" ] || [ scripts/render-icons.cpp -nt "$OUT/host/render-icons" ]; then
    # shellcheck disable=SC2046
    g++ -std=c++17 -fPIC -O1 -o "$OUT/host/render-icons" scripts/render-icons.cpp \
        $(pkg-config --cflags --libs Qt6Svg Qt6Gui Qt6Core)
fi

log "building with the dependencies in $DEPS"
# What an earlier configuring found in other dependencies is looked for again.
mkdir -p "$BUILD"
[ "$(cat "$BUILD/dependencies" 2>/dev/null)" = "$DEPS" ] || rm -f "$BUILD/CMakeCache.txt"
echo "$DEPS" >"$BUILD/dependencies"
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DCMAKE_PREFIX_PATH="$DEPS" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DSCRIVLET_ICON_RENDERER="$OUT/host/render-icons" -DSCRIVLET_BENCHMARKS=OFF >"$OUT/configure.log" ||
    die "configuring failed; see $OUT/configure.log"
cmake --build "$BUILD" -j "$JOBS" --target scrivlet scrivlet-cli scrivlet-pictures scrivlet_core_tests scrivlet_ui_tests

# The portable folder: everything beside the program.
NAME=scrivlet-$VERSION-win64
STAGE=$OUT/$NAME
rm -rf "$STAGE"
cmake --install "$BUILD" --prefix "$STAGE" >/dev/null
scripts/windows/runtime.sh "$DEPS" "$STAGE"
log "packing $NAME.zip"
rm -f "$OUT/$NAME.zip"
(cd "$OUT" && zip -qr9 "$NAME.zip" "$NAME")
log "making the installer"
scripts/windows/installer-lists.sh "$STAGE" "$OUT"
makensis -V2 -DVERSION="$VERSION" -DOUT="$OUT" -DOUTFILE="$OUT/scrivlet-$VERSION-setup.exe" \
    packaging/windows/scrivlet.nsi

if [ $run_tests -eq 1 ]; then
    scripts/windows/test.sh "$DEPS" "$BUILD"
fi
log "done in $(( (SECONDS - start) / 60 )) min: $OUT/$NAME.zip, $OUT/scrivlet-$VERSION-setup.exe"
