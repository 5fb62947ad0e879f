#!/usr/bin/env bash
# Builds the Debian package in build/, installs it with apt-get (as root: CI's machine is
# thrown away afterwards) and tries the installed programs from a folder without Data/:
# the editor must stay up, the desktop files must be in place and known to the system,
# start-up must write nothing into the user's folders, and scrivlet-cli (when packaged)
# must name records from the installed lists.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
fail() { echo "package-check: $*" >&2; exit 1; }

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
for tool in dpkg-shlibdeps:dpkg-dev file:file; do
    command -v "${tool%%:*}" >/dev/null || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${tool##*:}"
done

[ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
rm -f build/scrivlet_*.deb
(cd build && cpack -G DEB)
debs=(build/scrivlet_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "cpack made no single scrivlet_*.deb"
deb=$repo/${debs[0]}
dpkg-deb --field "$deb" Package Version Architecture Depends Section Maintainer
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --reinstall "$deb"

for f in /usr/bin/scrivlet /usr/share/applications/scrivlet.desktop /usr/share/mime/packages/scrivlet-npc.xml \
         /usr/share/icons/hicolor/scalable/apps/scrivlet.svg /usr/share/scrivlet/Data/Action.txt \
         /usr/share/doc/scrivlet/manual.html; do
    [ -e "$f" ] || fail "$f is not installed"
done
[ ! -e /usr/share/scrivlet/Data/macros.mcr ] || fail "the package ships a macro file"
grep -q '^Exec=scrivlet %f$' /usr/share/applications/scrivlet.desktop || fail "desktop entry without Exec=scrivlet %f"
# dpkg's trigger of shared-mime-info has rebuilt the database.
if command -v update-mime-database >/dev/null; then
    grep -q "application/x-korvan-npc" /usr/share/mime/globs2 || fail "the MIME database does not know *.npc"
fi

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

if command -v scrivlet-cli >/dev/null; then
    scrivlet-cli dump "$repo/examples/057.npc" >"$work/dump.txt"
    # Any name of the installed Action list in the listing proves the lists were found.
    iconv -f WINDOWS-1251 -t UTF-8 /usr/share/scrivlet/Data/Action.txt | tr -d '\r' | grep -v ';' |
        cut -d= -f2- | grep -E '.{3,}' | sort -u >"$work/names.txt"
    grep -qF -f "$work/names.txt" "$work/dump.txt" || fail "scrivlet-cli dump printed no name from the installed lists"
    echo "package-check: scrivlet-cli dump named records from the installed lists"
fi
echo "package-check: passed"
