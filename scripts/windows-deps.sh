#!/usr/bin/env bash
# Builds what the Windows program links against, from Debian's own source packages:
# Qt 6 (Core, Gui, Widgets, Test; the windows and offscreen platforms), Graphviz's layout
# libraries, Hunspell and GoogleTest, all cross-compiled with MinGW-w64.
#
#   scripts/windows-deps.sh            prints the ready folder (builds it when missing)
#   scripts/windows-deps.sh --key      prints the folder's key only
#   scripts/windows-deps.sh --check    prints the ready folder; exit code 2 at once when missing
#
# The result is ~/.cache/scrivlet/windows-deps-KEY/ with windows-deps-KEY.tar.xz and its
# .sha256 beside it; KEY names the source versions and this script's hash. A prepared copy
# in ../shared/windows-deps/ is used instead of building when its checksum matches.
# Each part is built in a temporary folder and renamed only when complete, and is kept under
# its own key, so a change to one part rebuilds that part only.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD

QT_VERSION=6.4.2+dfsg-10
GRAPHVIZ_VERSION=2.42.2-7+deb12u1
HUNSPELL_VERSION=1.7.1-1
MIRROR=${SCRIVLET_DEBIAN_MIRROR:-http://deb.debian.org/debian}
SUITE=bookworm
TRIPLET=x86_64-w64-mingw32
CACHE=${SCRIVLET_CACHE:-$HOME/.cache/scrivlet}
WORK=$CACHE/windows-deps-work
SHARED=$ROOT/../shared/windows-deps
JOBS=${SCRIVLET_JOBS:-2}
TOOLCHAIN=$ROOT/cmake/mingw-w64.cmake
PARTS=(build_qt build_graphviz build_hunspell build_gtest)

die() { echo "windows-deps: $*" >&2; exit 1; }
log() { echo "windows-deps: $(date +%H:%M:%S) $*" >&2; }

hash_of() { sha256sum | cut -c1-12; }
script_hash() {
    { cat "$ROOT/scripts/windows-deps.sh" "$ROOT/scripts/windows-deps-graphviz.sh" "$TOOLCHAIN"
      find "$ROOT/scripts/windows-deps" -type f | sort | xargs cat; } | hash_of
}
KEY="qt${QT_VERSION%%+*}-gv${GRAPHVIZ_VERSION%%-*}-hs${HUNSPELL_VERSION%%-*}-$(script_hash)"
FINAL=$CACHE/windows-deps-$KEY
ARCHIVE=$CACHE/windows-deps-$KEY.tar.xz

need_program() { command -v "$1" >/dev/null || die "$1 is missing: apt-get install $2"; }
need_file() { [ -e "$1" ] || die "$1 is missing: apt-get install $2"; }

check_tools() {
    need_program $TRIPLET-g++-posix g++-mingw-w64-x86-64-posix
    need_program $TRIPLET-gcc-posix gcc-mingw-w64-x86-64-posix
    need_program $TRIPLET-windres binutils-mingw-w64-x86-64
    need_program cmake cmake
    need_program ninja ninja-build
    need_program dpkg-source dpkg-dev
    need_program xz xz-utils
    need_program bison bison
    need_program flex flex
    need_file /usr/lib/qt6/libexec/moc qt6-base-dev-tools
    need_file /usr/lib/x86_64-linux-gnu/cmake/Qt6HostInfo qt6-base-dev
    need_file /usr/src/googletest/CMakeLists.txt googletest
    local host
    host=$(dpkg-query -W -f='${Version}' qt6-base-dev 2>/dev/null || true)
    [ "$host" = "$QT_VERSION" ] ||
        die "the host Qt is qt6-base-dev ${host:-(none)}, the Windows Qt is $QT_VERSION: apt-get install qt6-base-dev=$QT_VERSION qt6-base-dev-tools=$QT_VERSION"
}

# Debian's source packages, fetched through a source list of our own so that the machine's
# apt configuration stays as it is.
fetch_sources() {
    local apt=$WORK/apt
    [ -f "$WORK/src/qt6-base_$QT_VERSION.dsc" ] && [ -f "$WORK/src/graphviz_$GRAPHVIZ_VERSION.dsc" ] &&
        [ -f "$WORK/src/hunspell_$HUNSPELL_VERSION.dsc" ] && return
    mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$WORK/src"
    echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $MIRROR $SUITE main" > "$apt/sources.list"
    local opts=(-o "Dir::Etc::SourceList=$apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
                -o "Dir::State::Lists=$apt/lists" -o "Dir::Cache=$apt/cache" -o APT::Sandbox::User=root)
    log "fetching the source packages from $MIRROR $SUITE"
    apt-get "${opts[@]}" update >"$WORK/apt.log" 2>&1 ||
        die "the source list from $MIRROR could not be read (see $WORK/apt.log): check the network or set SCRIVLET_DEBIAN_MIRROR"
    (cd "$WORK/src" && apt-get "${opts[@]}" source --download-only "qt6-base=$QT_VERSION" "graphviz=$GRAPHVIZ_VERSION" \
        "hunspell=$HUNSPELL_VERSION") >>"$WORK/apt.log" 2>&1 ||
        die "qt6-base $QT_VERSION, graphviz $GRAPHVIZ_VERSION or hunspell $HUNSPELL_VERSION could not be downloaded (see $WORK/apt.log); a mirror keeping these versions (SCRIVLET_DEBIAN_MIRROR, e.g. http://snapshot.debian.org/archive/debian/20250520T000000Z) has them"
}

# Unpacks a source package (with Debian's patches) into $2, once, and mends it.
unpack() {
    local dsc=$1 dir=$2
    if [ ! -f "$dir/.unpacked" ]; then
        rm -rf "$dir"
        dpkg-source --no-check -x "$dsc" "$dir" >/dev/null || die "$dsc could not be unpacked"
        touch "$dir/.unpacked"
    fi
    # Qt 6.4's Windows platform plugin asks OpenGL whether it is a software one even when
    # built without OpenGL; without it, the answer is no.
    local windows=$dir/src/plugins/platforms/windows
    [ ! -d "$windows" ] || sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
        "$windows/qwindowswindow.cpp"
    # Its DirectWrite font database is built into QtGui only with Direct2D, which is off.
    [ ! -d "$windows" ] || sed -i 's/^#if QT_CONFIG(directwrite3)$/#if QT_CONFIG(directwrite3) \&\& QT_CONFIG(direct2d)/' \
        "$windows/qwindowsintegration.cpp"
}

# The folder of the part built by function $1: named by what the part is built from.
part_dir() {
    local name=$1 extra=$ROOT/scripts/windows-deps/${1#build_}
    echo "$WORK/$name-$( { declare -f "$name"; cat "$TOOLCHAIN"; echo "$QT_VERSION $GRAPHVIZ_VERSION"
                           [ "$name" != build_hunspell ] || echo "$HUNSPELL_VERSION"
                           [ ! -d "$extra" ] || find "$extra" -type f | sort | xargs cat; } | hash_of)"
}

# Builds the part of function $1 unless already there; prints its folder.
part() {
    local name=$1 dir
    dir=$(part_dir "$name")
    if [ ! -d "$dir" ]; then
        # A build stopped half-way goes on where it stopped; the install starts afresh.
        rm -rf "$dir.tmp"
        mkdir -p "$dir.tmp" "$dir.build"
        log "building $name (log: $dir.log)"
        local start=$SECONDS
        set +e
        (set -e; cd "$dir.build"; "$name" "$dir.tmp") >"$dir.log" 2>&1
        local status=$?
        set -e
        [ $status -eq 0 ] || die "building $name failed; the end of $dir.log says why"
        mv "$dir.tmp" "$dir"
        rm -rf "$dir.build"
        log "$name built in $(( (SECONDS - start) / 60 )) min"
    fi
    echo "$dir"
}

build_qt() {
    local prefix=$1 src=$WORK/src/qt6-base
    unpack "$WORK/src/qt6-base_$QT_VERSION.dsc" "$src"
    # Debian's source lacks wintab (tablets) and iaccessible2; neither is needed here.
    nice -n 19 cmake -S "$src" -B . -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache \
        -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
        -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF -DFEATURE_printsupport=OFF \
        -DFEATURE_vulkan=OFF -DFEATURE_direct2d=OFF -DFEATURE_tabletevent=OFF \
        -DFEATURE_jpeg=OFF -DFEATURE_gif=OFF -DFEATURE_testlib=ON \
        -DFEATURE_system_zlib=OFF -DFEATURE_system_png=OFF -DFEATURE_system_freetype=OFF \
        -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_pcre2=OFF \
        -DFEATURE_system_doubleconversion=OFF -DFEATURE_zstd=OFF \
        -DFEATURE_openssl=OFF -DFEATURE_icu=OFF
    nice -n 19 cmake --build . -j "$JOBS"
    cmake --install .
    [ -f "$prefix/bin/Qt6Widgets.dll" ] && [ -f "$prefix/plugins/platforms/qwindows.dll" ] &&
        [ -f "$prefix/plugins/platforms/qoffscreen.dll" ] && [ -f "$prefix/bin/Qt6Test.dll" ]
}

build_hunspell() {
    local prefix=$1 src=$WORK/src/hunspell
    unpack "$WORK/src/hunspell_$HUNSPELL_VERSION.dsc" "$src"
    # Its wide-character open of a path given as \\?\ and UTF-8, for folders named outside
    # the ANSI code page, is meant for any Windows compiler, not only Microsoft's.
    sed -i 's/^#if defined(_WIN32) && defined(_MSC_VER)$/#if defined(_WIN32)/' "$src/src/hunspell/csutil.cxx"
    nice -n 19 cmake -S "$ROOT/scripts/windows-deps/hunspell" -B . -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DHUNSPELL_SRC="$src/src/hunspell"
    nice -n 19 cmake --build . -j "$JOBS"
    cmake --install .
}

build_gtest() {
    local prefix=$1
    nice -n 19 cmake -S /usr/src/googletest -B . -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF
    nice -n 19 cmake --build . -j "$JOBS"
    cmake --install .
}

source "$ROOT/scripts/windows-deps-graphviz.sh"

assemble() {
    local tmp=$FINAL.tmp
    rm -rf "$tmp"
    mkdir -p "$tmp"
    local p
    for p in "$@"; do cp -al "$p/." "$tmp/"; done # links: the parts stay as they are
    echo "$KEY" > "$tmp/KEY"
    mv "$tmp" "$FINAL"
    log "packing $ARCHIVE"
    tar -C "$CACHE" -cf - "windows-deps-$KEY" | nice -n 19 xz -T"$JOBS" -6 > "$ARCHIVE.tmp"
    mv "$ARCHIVE.tmp" "$ARCHIVE"
    (cd "$CACHE" && sha256sum "windows-deps-$KEY.tar.xz" > "windows-deps-$KEY.tar.xz.sha256")
}

# A prepared copy is used only when its checksum matches.
from_shared() {
    local copy=$SHARED/windows-deps-$KEY.tar.xz
    [ -f "$copy" ] || return 1
    [ -f "$copy.sha256" ] || die "$copy has no $copy.sha256 beside it: copy both, or remove the archive to build from source"
    (cd "$SHARED" && sha256sum --quiet -c "windows-deps-$KEY.tar.xz.sha256") >&2 ||
        die "$copy does not match its .sha256 (corrupted copy): copy it again from a machine that built it, or remove it to build from source"
    log "unpacking the prepared copy $copy"
    mkdir -p "$CACHE"
    rm -rf "$FINAL.tmp"
    mkdir -p "$FINAL.tmp"
    tar -C "$FINAL.tmp" --strip-components=1 -xJf "$copy" || die "$copy could not be unpacked"
    [ "$(cat "$FINAL.tmp/KEY" 2>/dev/null)" = "$KEY" ] || die "$copy holds another key than $KEY"
    mv "$FINAL.tmp" "$FINAL"
    cp "$copy" "$copy.sha256" "$CACHE/"
}

main() {
    case ${1:-} in
        --key) echo "$KEY"; return ;;
        --check)
            [ -f "$FINAL/KEY" ] && { echo "$FINAL"; return; }
            [ -f "$SHARED/windows-deps-$KEY.tar.xz" ] && { from_shared && echo "$FINAL"; return; }
            # Every part built already (the script changed elsewhere): only put together.
            local parts=() name
            for name in "${PARTS[@]}"; do
                [ -d "$(part_dir "$name")" ] || {
                    echo "windows-deps: neither $FINAL nor $SHARED/windows-deps-$KEY.tar.xz is at hand" >&2
                    return 2
                }
                parts+=("$(part_dir "$name")")
            done
            assemble "${parts[@]}"
            echo "$FINAL"
            return ;;
        "") ;;
        *) [ "$(type -t "$1")" = function ] && [[ $1 == build_* ]] || die "unknown argument $1"
           check_tools; fetch_sources; part "$1"; return ;;
    esac
    [ -f "$FINAL/KEY" ] && { echo "$FINAL"; return; }
    from_shared && { echo "$FINAL"; return; }
    check_tools
    fetch_sources
    local start=$SECONDS parts=() name
    for name in "${PARTS[@]}"; do
        parts+=("$(part "$name")")
    done
    assemble "${parts[@]}"
    log "ready in $(( (SECONDS - start) / 60 )) min: $FINAL"
    echo "$FINAL"
}

main "$@"
