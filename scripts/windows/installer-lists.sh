#!/usr/bin/env bash
# Writes the installer's file lists: what to install from the program folder, and what the
# uninstaller removes, file by file, so that it removes nothing it did not install.
#   scripts/windows/installer-lists.sh PROGRAM-FOLDER OUT-FOLDER
set -euo pipefail
stage=$1
out=$2
install=$out/installer-files.nsh
uninstall=$out/uninstaller-files.nsh
: >"$install"
: >"$uninstall"
windows() { local p=${1#.}; p=${p#/}; echo "\$INSTDIR${p:+\\${p//\//\\}}"; }
while IFS= read -r dir; do
    echo "SetOutPath \"$(windows "$dir")\"" >>"$install"
    while IFS= read -r file; do
        echo "File \"$stage/${dir#./}/$file\"" | sed 's|//|/|g' >>"$install"
        echo "Delete \"$(windows "$dir/$file")\"" >>"$uninstall"
    done < <(cd "$stage/$dir" && find . -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort)
done < <(cd "$stage" && find . -type d | LC_ALL=C sort)
echo "SetOutPath \"\$INSTDIR\"" >>"$install"
# Folders deepest first; RMDir leaves a folder that still holds files of the user's.
(cd "$stage" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while IFS= read -r dir; do
    echo "RMDir \"$(windows "$dir")\"" >>"$uninstall"
done
