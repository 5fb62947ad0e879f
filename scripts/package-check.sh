#!/usr/bin/env bash
# Builds the Debian package in build/, has lintian check it (an error or a warning fails),
# installs it with apt-get (as root: CI's machine is thrown away afterwards) and tries the
# installed programs from a folder without Data/: the editor must stay up, the desktop
# files, the AppStream data and the manual pages must be in place, valid and known to the
# system, the versions of the changelog, the AppStream releases and the programs must be
# the package's, start-up must write nothing into the user's folders, and scrivlet-cli
# must name records from the installed lists and draw a map.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
fail() { echo "package-check: $*" >&2; exit 1; }

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
for tool in dpkg-shlibdeps:dpkg-dev file:file lintian:lintian appstreamcli:appstream man:man-db \
            desktop-file-validate:desktop-file-utils update-mime-database:shared-mime-info xdg-mime:xdg-utils \
            mimetype:libfile-mimeinfo-perl; do
    command -v "${tool%%:*}" >/dev/null || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${tool##*:}"
done

[ -f build/build.ninja ] || scripts/configure.sh build
cmake --build build -j "$(nproc)"
rm -f build/scrivlet_*.deb
(cd build && cpack -G DEB)
debs=(build/scrivlet_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single scrivlet_*.deb"
deb=$repo/${debs[0]}
dpkg-deb --field "$deb" Package Version Architecture Depends Section Maintainer
# Root is what CI is; lintian only warns about it on stderr.
lintian --fail-on error,warning --display-info "$deb" 2> >(grep -v 'root privileges' >&2) ||
    fail "lintian found errors or warnings in $deb"
echo "package-check: lintian passed"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --reinstall "$deb"

metainfo=/usr/share/metainfo/io.github.scrivlet.Scrivlet.metainfo.xml
pages=(/usr/share/man/man1/scrivlet.1.gz /usr/share/man/man1/scrivlet-cli.1.gz
       /usr/share/man/ru/man1/scrivlet.1.gz /usr/share/man/ru/man1/scrivlet-cli.1.gz)
for f in /usr/bin/scrivlet /usr/bin/scrivlet-cli /usr/share/applications/scrivlet.desktop \
         /usr/share/mime/packages/scrivlet-npc.xml /usr/share/icons/hicolor/scalable/apps/scrivlet.svg \
         /usr/share/scrivlet/Data/Action.txt /usr/share/doc/scrivlet/manual.html /usr/share/doc/scrivlet/copyright \
         /usr/share/doc/scrivlet/changelog.gz /usr/share/doc/scrivlet/examples/057.npc \
         /usr/share/doc/scrivlet/examples/057.edt "$metainfo" "${pages[@]}"; do
    [ -e "$f" ] || fail "$f is not installed"
done
[ ! -e /usr/share/scrivlet/Data/macros.mcr ] || fail "the package ships a macro file"
grep -q '^Exec=scrivlet %f$' /usr/share/applications/scrivlet.desktop || fail "desktop entry without Exec=scrivlet %f"
desktop-file-validate /usr/share/applications/scrivlet.desktop || fail "the desktop entry is not valid"
appstreamcli validate --no-net "$metainfo" || fail "the AppStream data is not valid"
# Its screenshots are the manual's pictures, published under one web address.
for image in $(grep -o '<image>[^<]*</image>' "$metainfo" | sed 's|.*/images/||; s|</image>||'); do
    [ -f "/usr/share/doc/scrivlet/images/$image" ] || fail "the AppStream screenshot $image is none of the manual's pictures"
done
for page in "${pages[@]}"; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man warns about $page: $warnings"
done
echo "package-check: desktop entry, AppStream data and manual pages valid"

# One version everywhere: the package's is CMake's, which CHANGELOG.md must start with.
version=$(dpkg-deb --field "$deb" Version)
changelog_version=$(zcat /usr/share/doc/scrivlet/changelog.gz | dpkg-parsechangelog -l - -S Version)
[ "$changelog_version" = "$version" ] || fail "the changelog's newest version is $changelog_version, the package's $version"
release=$(grep -o -m1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)
[ "$release" = "$version" ] || fail "the AppStream data's newest release is $release, the package's $version"
[ "$(scrivlet-cli --version)" = "scrivlet-cli $version" ] || fail "scrivlet-cli --version does not say $version"
echo "package-check: changelog, AppStream releases and scrivlet-cli say version $version"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/home" "$work/start"
cd "$work/start"
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_DATA_DIRS=/usr/local/share:/usr/share

set +e
QT_QPA_PLATFORM=offscreen timeout 5 scrivlet
status=$?
set -e
[ $status -eq 124 ] || fail "the installed editor did not stay up (exit status $status)"
[ ! -e "$XDG_DATA_HOME" ] || fail "start-up wrote into the user's data folder: $(find "$XDG_DATA_HOME")"
echo "package-check: the installed editor stayed up and wrote nothing into the user's folders"

# What the file manager does: ask the type of a file, then open it with its application.
cp /usr/share/doc/scrivlet/examples/057.npc /usr/share/doc/scrivlet/examples/057.edt "$work/start/"
for kind in npc edt; do
    type=$(xdg-mime query filetype "$work/start/057.$kind")
    [ "$type" = "application/x-korvan-$kind" ] || fail "xdg-mime takes a .$kind file for $type"
    app=$(xdg-mime query default "application/x-korvan-$kind")
    [ "$app" = "scrivlet.desktop" ] || fail "xdg-mime opens a .$kind file with '$app', not scrivlet.desktop"
done
set +e
QT_QPA_PLATFORM=offscreen timeout 5 scrivlet "$work/start/057.edt"
status=$?
set -e
[ $status -eq 124 ] || fail "the editor did not stay up with a dialogue file to open (exit status $status)"
echo "package-check: .npc and .edt files have their types and open with the installed editor"

scrivlet-cli dump "$repo/examples/057.npc" >"$work/dump.txt"
# Any name of the installed Action list in the listing proves the lists were found.
iconv -f WINDOWS-1251 -t UTF-8 /usr/share/scrivlet/Data/Action.txt | tr -d '\r' | grep -v ';' |
    cut -d= -f2- | grep -E '.{3,}' | sort -u >"$work/names.txt"
grep -qF -f "$work/names.txt" "$work/dump.txt" || fail "scrivlet-cli dump printed no name from the installed lists"
echo "package-check: scrivlet-cli dump named records from the installed lists"
# Drawing loads the installed picture library and Graphviz's layout, with no display.
env -u DISPLAY -u WAYLAND_DISPLAY scrivlet-cli map "$repo/examples/057.npc" -o "$work/map.png"
file "$work/map.png" | grep -q "PNG image data" || fail "scrivlet-cli map drew no PNG"
echo "package-check: scrivlet-cli map drew the dialogue map without a display"
echo "package-check: passed"
