#!/usr/bin/env bash
# Puts beside the Windows program what it needs to run: Qt's libraries and plugins, Qt's
# Russian words, MinGW's runtime libraries.
#   scripts/windows/runtime.sh DEPS-FOLDER PROGRAM-FOLDER
set -euo pipefail
deps=$1
to=$2
gcc=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
copy() { # source... folder
    local folder=${*: -1}
    mkdir -p "$to/$folder"
    for file in "${@:1:$#-1}"; do
        [ -f "$file" ] || { echo "runtime: $file is missing" >&2; exit 1; }
        cp "$file" "$to/$folder/"
    done
}
copy "$deps"/bin/Qt6{Core,Gui,Widgets}.dll .
copy "$gcc/libstdc++-6.dll" "$gcc/libgcc_s_seh-1.dll" /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll .
copy "$deps/plugins/platforms/qwindows.dll" platforms
copy "$deps/plugins/styles/qwindowsvistastyle.dll" styles
copy "$deps/plugins/imageformats/qico.dll" imageformats
copy /usr/share/qt6/translations/qtbase_ru.qm translations
# Qt looks for its plugins and translations below this folder, not where it was built.
printf '[Paths]\r\nPrefix = .\r\n' > "$to/qt.conf"
# Spell checking's dictionaries (Debian's hunspell-ru and hunspell-en-us), with their terms.
for language in ru_RU:hunspell-ru en_US:hunspell-en-us; do
    copy /usr/share/hunspell/${language%%:*}.{aff,dic} dictionaries
    cp /usr/share/doc/${language##*:}/copyright "$to/dictionaries/${language%%:*}.copyright.txt"
done
