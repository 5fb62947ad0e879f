# Sourced: a Wine of our own for the Windows program, in a fresh prefix, without download
# offers or menu entries in the real home folder. Needs WINEPREFIX set. Wine 64-bit only:
# Debian has no wine32, and the `wine` wrapper would warn about it.
export WINE=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export LANG=C.UTF-8 LC_ALL=C.UTF-8
windows_path() { echo "Z:${1//\//\\}"; }
fresh_prefix() {
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    "$WINE" wineboot.exe -i >/dev/null 2>&1
    "$WINESERVER" -w
}
