#!/usr/bin/env bash
# The installer as a user meets it, under Wine: a silent install for the current user and
# one for all users, each in a fresh prefix; both file types in the registry; the installed
# scrivlet-cli.exe saying what the Linux build says about every example; the uninstaller
# leaving no file and no key behind; scrivlet.exe starting with a real window (a screenshot
# with 057.npc open).
#   scripts/windows/install-test.sh SETUP.EXE LINUX-SCRIVLET-CLI [SCREENSHOT.png]
set -euo pipefail
cd "$(dirname "$0")/../.."
ROOT=$PWD
setup=$(realpath "$1")
linux_cli=$(realpath "$2")
screenshot=${3:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/scrivlet-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
export WINEPREFIX=$work/prefix
source scripts/windows/wine-env.sh
failures=0
fail() { echo "install test: FAILED: $*" >&2; failures=$((failures + 1)); }
pass() { echo "install test: ok: $*" >&2; }

registry_value() { # key -> the default value, or nothing
    "$WINE" reg query "$1" /ve 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ *//p'
}

files_of_prefix() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path '*/Temp' -prune -o -print | LC_ALL=C sort)
}

# Every example through both programs; line ends aside, the texts must be equal.
compare_cli() {
    local cli=$1 out=$work/cli
    mkdir -p "$out"
    local runs=()
    for npc in examples/*.npc; do
        runs+=("dump $npc" "dump $npc --format json" "check $npc")
    done
    for edt in examples/*.edt; do
        runs+=("edt2txt $edt --utf8")
    done
    runs+=("check examples" "xref examples")
    local run n=0
    for run in "${runs[@]}"; do
        n=$((n + 1))
        # shellcheck disable=SC2086
        "$linux_cli" $run >"$out/$n.linux" 2>&1 || true
        # shellcheck disable=SC2086
        "$WINE" "$cli" $run 2>&1 | tr -d '\r' >"$out/$n.windows" || true
        # A folder's findings name its files as each system writes paths.
        case $run in
            *" examples") sed -i 's|\\|/|g' "$out/$n.windows" ;;
        esac
        if cmp -s <(tr -d '\r' <"$out/$n.linux") "$out/$n.windows"; then
            pass "scrivlet-cli $run"
        else
            fail "scrivlet-cli $run differs from the Linux build:"
            diff <(tr -d '\r' <"$out/$n.linux") "$out/$n.windows" | head -n 10 >&2 || true
        fi
    done
}

take_screenshot() {
    local exe=$1
    command -v xvfb-run >/dev/null && command -v import >/dev/null ||
        { fail "xvfb-run and import are needed for the screenshot (apt-get install xvfb imagemagick)"; return; }
    local shot=$work/window.png
    # Without a window manager Wine draws the frames itself; the dialog font of a Russian
    # Windows is a sans-serif face with Cyrillic letters, as DejaVu Sans is here.
    "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
    local face
    for face in "MS Shell Dlg" "MS Shell Dlg 2" "Segoe UI" Tahoma; do
        "$WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "DejaVu Sans" /f >/dev/null
    done
    "$WINESERVER" -w
    xvfb-run -a -s "-screen 0 1280x860x24" bash -c '
        "$0" "$1" "$2" &
        program=$!
        window=""
        for _ in $(seq 60); do
            sleep 1
            window=$(xwininfo -root -tree 2>/dev/null | grep "057.npc" | awk "{print \$1}" | head -n1)
            [ -z "$window" ] || break
        done
        sleep 3
        import -window "${window:-root}" "$3"
        kill $program 2>/dev/null || true
        /usr/lib/wine/wineserver -k 2>/dev/null || true' "$WINE" "$exe" "$(windows_path "$ROOT/examples/057.npc")" "$shot"
    if [ -s "$shot" ]; then
        pass "scrivlet.exe showed its window"
        [ -z "$screenshot" ] || cp "$shot" "$screenshot"
    else
        fail "no screenshot of scrivlet.exe"
    fi
}

for scope in CurrentUser AllUsers; do
    echo "install test: installing for $scope" >&2
    fresh_prefix
    before=$work/files-before
    files_of_prefix >"$before"
    "$WINE" "$setup" /S "/$scope"
    "$WINESERVER" -w
    if [ $scope = CurrentUser ]; then
        root=HKCU
        dir=$(find "$WINEPREFIX/drive_c/users" -maxdepth 5 -path '*/AppData/Local/Programs/Scrivlet' -type d | head -n1)
    else
        root=HKLM
        dir="$WINEPREFIX/drive_c/Program Files/Scrivlet"
    fi
    [ -n "$dir" ] && [ -f "$dir/scrivlet.exe" ] && [ -f "$dir/scrivlet-cli.exe" ] && [ -f "$dir/Data/Action.txt" ] &&
        pass "$scope: installed in ${dir#"$WINEPREFIX"/}" || { fail "$scope: nothing installed"; continue; }

    [ "$(registry_value "$root\\Software\\Classes\\.npc")" = Scrivlet ] &&
        [ "$(registry_value "$root\\Software\\Classes\\Scrivlet")" = "NPC-Script for Korvan" ] &&
        [ "$(registry_value "$root\\Software\\Classes\\.edt")" = Scrivlet.Edt ] &&
        registry_value "$root\\Software\\Classes\\Scrivlet\\Shell\\Open\\Command" | grep -q 'scrivlet.exe" "%1"' &&
        registry_value "$root\\Software\\Classes\\Scrivlet.Edt\\Shell\\Open\\Command" | grep -q 'scrivlet.exe" "%1"' &&
        pass "$scope: .npc and .edt registered" || fail "$scope: the file types are not registered as they should be"

    [ $scope = AllUsers ] || compare_cli "$dir/scrivlet-cli.exe"

    "$WINE" "$dir/uninstall.exe" /S
    "$WINESERVER" -w
    after=$work/files-after
    files_of_prefix >"$after"
    if cmp -s "$before" "$after"; then
        pass "$scope: the uninstaller left no file"
    else
        fail "$scope: files left by the uninstaller:"
        diff "$before" "$after" | head -n 20 >&2 || true
    fi
    left=""
    for key in .npc Scrivlet .edt Scrivlet.Edt; do
        "$WINE" reg query "$root\\Software\\Classes\\$key" >/dev/null 2>&1 && left+=" $key"
    done
    "$WINE" reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Scrivlet" >/dev/null 2>&1 &&
        left+=" Uninstall\\Scrivlet"
    [ -z "$left" ] && pass "$scope: the uninstaller left no key" || fail "$scope: keys left:$left"
done

# The window last: what the program writes for itself (settings, recovery files) is the
# user's, which an uninstaller leaves alone, so it runs in a prefix of its own.
echo "install test: starting the installed program" >&2
fresh_prefix
"$WINE" "$setup" /S /CurrentUser
"$WINESERVER" -w
dir=$(find "$WINEPREFIX/drive_c/users" -maxdepth 5 -path '*/AppData/Local/Programs/Scrivlet' -type d | head -n1)
(mkdir -p "$work/start" && cd "$work/start" && take_screenshot "$dir/scrivlet.exe")

[ $failures -eq 0 ] || { echo "install test: $failures failures" >&2; exit 1; }
echo "install test: passed" >&2
