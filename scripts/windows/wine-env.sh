# Sourced: a Wine of our own for the Windows program, in a fresh prefix, without download
# offers or menu entries in the real home folder. Needs WINEPREFIX set.
export WINE=/usr/lib/wine/wine64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
windows_path() { echo "Z:${1//\//\\}"; }
fresh_prefix() {
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    /usr/lib/wine/wineboot -i >/dev/null 2>&1 || wineboot -i >/dev/null 2>&1
    /usr/lib/wine/wineserver -w 2>/dev/null || wineserver -w
}
