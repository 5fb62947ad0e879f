#!/usr/bin/env bash
# Makes the screenshots of the manual and the README (doc/images/*.png) from the real
# editor under a virtual display, driven by xdotool, so that they can be made again
# whenever the windows change. Needs a built editor (build/scrivlet) and the Debian
# packages xvfb, xauth, xdotool, imagemagick and optipng (installed when missing).
# images/windows.png, the Windows program under Wine, is taken by the install test:
# scripts/windows/install-test.sh SETUP.EXE build/scrivlet-cli doc/images/windows.png
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

if [ -z "${SCRIVLET_SCREENSHOTS_INSIDE:-}" ]; then
    missing=()
    for tool in xvfb-run:xvfb xauth:xauth xdotool:xdotool import:imagemagick optipng:optipng; do
        command -v "${tool%%:*}" >/dev/null || missing+=("${tool##*:}")
    done
    # Debian's imagemagick puts import beside convert; a stand-in convert is not enough.
    dpkg-query -W -f='${Status}' imagemagick 2>/dev/null | grep -q "install ok installed" || missing+=(imagemagick)
    if [ ${#missing[@]} -gt 0 ]; then
        SUDO=""
        [ "$(id -u)" -ne 0 ] && SUDO="sudo"
        DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
    fi
    [ -f build/build.ninja ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build --target scrivlet
    SCRIVLET_SCREENSHOTS_INSIDE=1 exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$@"
fi

images=$repo/doc/images
mkdir -p "$images"
work=$(mktemp -d)
# A start folder of its own, with the shipped lists and the examples, under a short name
# that reads well in the pictures; and a home whose desktop registration goes nowhere else.
start=/tmp/Korvan
[ ! -e "$start" ] || { echo "$start is in the way" >&2; exit 1; }
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work" "$start"
}
trap cleanup EXIT
mkdir -p "$start/Data" "$work/home"
cp Data/*.txt "$start/Data/"
cp -r examples "$start/examples"
export HOME=$work/home XDG_DATA_HOME=$work/home/.local/share XDG_CONFIG_HOME=$work/home/.config
export QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8

windowNamed() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    echo "no window named $1" >&2
    return 1
}
keys() {
    xdotool windowfocus --sync "$1"
    shift
    xdotool key --clearmodifiers "$@"
    sleep 0.4
}
typeText() {
    xdotool type --delay "${2:-15}" "$1"
    sleep 0.2
}
shot() {
    sleep 0.5
    import -window "$1" "$work/shot.png"
    # A palette of 256 colours keeps the text sharp and the file small.
    convert "$work/shot.png" -strip -colors 256 "PNG8:$images/$2.png"
    optipng -quiet -o5 "$images/$2.png"
    echo "doc/images/$2.png"
}

cd "$start"
"$repo/build/scrivlet" &
pid=$!
main=$(windowNamed '^Scrivlet$')
sleep 1

keys "$main" ctrl+o
windowNamed 'Открыть NPC-скрипт' >/dev/null
typeText "$start/examples/057.npc"
xdotool key Return
windowNamed '057.npc' >/dev/null
# Record 0 is shown: phrases, and a link to record 3 of the same script.
shot "$main" main

# Letters typed into a list box narrow its popup (the popup is a window of its own, so
# the screen is taken where the main window is).
xdotool mousemove --window "$main" 680 205 click 1
sleep 0.3
xdotool key Escape
typeText "меч" 120
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$main")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" "$work/shot.png"
convert "$work/shot.png" -strip -colors 256 "PNG8:$images/list-filter.png"
optipng -quiet -o5 "$images/list-filter.png"
echo "doc/images/list-filter.png"
xdotool key Escape
sleep 0.3

keys "$main" alt+t
viewer=$(windowNamed '^EDT-файл')
shot "$viewer" edt-viewer
xdotool windowunmap "$viewer"

keys "$main" F9
map=$(windowNamed '^Карта диалога')
sleep 0.5
shot "$map" map
xdotool windowunmap "$map"

# The phrases window over the right of the main window, the current record's lines
# highlighted in it and the record still seen in the grid.
keys "$main" F8
phrases=$(windowNamed '^Фразы$')
sleep 0.5 # its size settles once it is shown
eval "$(xdotool getwindowgeometry --shell "$phrases")"
phrasesW=$WIDTH phrasesH=$HEIGHT
eval "$(xdotool getwindowgeometry --shell "$main")"
mainX=$X mainY=$Y mainW=$WIDTH mainH=$HEIGHT
# The main window widened for this picture, so that the phrases window, as wide as its
# tool bar, lies over the grid's right half and within the main window.
xdotool windowmove "$main" 4 $mainY windowsize "$main" 1272 $mainH
sleep 0.5
xdotool windowmove "$phrases" $((1272 + 4 - phrasesW - 12)) $((mainY + mainH - phrasesH - 40))
sleep 0.8
import -window root -crop "1272x${mainH}+4+${mainY}" "$work/shot.png"
xdotool windowsize "$main" $mainW $mainH windowmove "$main" $mainX $mainY
sleep 0.3
convert "$work/shot.png" -strip -colors 256 "PNG8:$images/phrases.png"
optipng -quiet -o5 "$images/phrases.png"
echo "doc/images/phrases.png"
# The name's other form is no word of the dictionary: underlined.
shot "$phrases" spelling

# A translation beside the lines: three finished, one fuzzy, the rest not yet. It is
# opened from the table's menu, whose last command it is.
"$repo/build/scrivlet-cli" po export "$start/examples/057.edt" -o "$work/057.pot"
python3 - "$work/057.pot" "$work/057-en.po" <<'PO'
import sys
done = ["Peace to you, traveller. The temple of Vsemila is open to all who come in good will.",
        "Speak of what troubles your soul. The gods hear everyone who speaks honestly.",
        "Hands off the offerings! Whoever takes from the altar finds no peace."]
blocks = open(sys.argv[1], encoding="utf-8").read().split("\n\n")
blocks[0] = blocks[0].replace('"Language: \\n"', '"Language: en\\n"')
for i, english in enumerate(done + ["How dare you draw a weapon here? Guards!"]):
    block = blocks[i + 1].rsplit('msgstr ""', 1)[0] + 'msgstr "' + english + '"'
    blocks[i + 1] = ("#, fuzzy\n" + block) if i == len(done) else block
open(sys.argv[2], "w", encoding="utf-8").write("\n\n".join(blocks))
PO
xdotool windowsize "$phrases" 980 420
xdotool windowmove "$phrases" 40 40
sleep 0.5
xdotool mousemove --window "$phrases" 300 160 click 3
sleep 0.5
xdotool key Up Return
windowNamed '^Открыть перевод$' >/dev/null
typeText "$work/057-en.po"
xdotool key Return
sleep 1
shot "$phrases" translation
xdotool windowunmap "$phrases"

# "пришел" with е finds "пришёл" with --yo, in the scripts of the whole folder.
keys "$main" ctrl+h
replace=$(windowNamed '^Заменить в текстах$')
typeText "пришел" 120
xdotool key Tab
typeText "явился" 120
xdotool key Tab Tab Tab space Tab End Return
sleep 1
shot "$replace" replace
xdotool key Escape
sleep 0.3

# Xvfb's keyboard has no Cyrillic keys: xdotool maps them one by one, slowly.
keys "$main" alt+m
typeText "Разговор со жрецом" 120
shot "$(windowNamed '^Новый макрос$')" macro-save
xdotool key Return
sleep 0.5
# Record 3 (grid row 3) as a second macro.
xdotool mousemove --window "$main" 100 140 click 1
sleep 0.3
keys "$main" alt+m
typeText "Передача предмета" 120
xdotool key Return
sleep 0.5

keys "$main" ctrl+m
manager=$(windowNamed '^Макрос-менеджер$')
shot "$manager" macro-manager
xdotool key Escape
sleep 0.3

keys "$main" alt+c
shot "$(windowNamed '^Конфигурация$')" config
xdotool key Escape
sleep 0.3

keys "$main" ctrl+f
finder=$(windowNamed '^Найти использование$')
# A character picked by a part of its name (two kinds up from the facts), looked for
# in the examples' folder.
xdotool key shift+Tab Up Up Tab
typeText "Изяслав, ж" 120
xdotool key Return
sleep 1
shot "$finder" find-usages
# The words of a phrase (the last kind), looked for in the dialogue files of the folder.
xdotool key shift+Tab End Tab
typeText "пут" 120
xdotool key Return
sleep 1
shot "$finder" find-phrases
xdotool key Escape
sleep 0.3

keys "$main" ctrl+r
renumber=$(windowNamed '^Перенумеровать$')
# Character 112 gets number 120: the last kind, then the two numbers, Enter shows the changes.
xdotool key End Tab ctrl+a
typeText "112"
xdotool key Tab ctrl+a
typeText "120"
xdotool key Return
sleep 1
shot "$renumber" renumber
xdotool key Escape
sleep 0.3
# A script with mistakes in it, made with scrivlet-cli, for the problems window.
cat >"$work/058.json" <<'JSON'
{"layout": "standard", "records": [
 {"index": 0, "Action": 1, "TriggT": 65535, "TriggF": 65535, "Q_was": 255, "LDay": 255, "Phrase": 255,
  "PhraseCnt": 1, "Q_Input": 255, "Q_Output": 255, "ControlNpc": 58, "ControlRec": 7, "Trigg2T": 65535,
  "GoSect": 65535},
 {"index": 1, "Action": 3, "TriggT": 65535, "TriggF": 65535, "Q_was": 255, "FDay": 12, "LDay": 5,
  "Phrase": 255, "PhraseCnt": 1, "Q_Input": 255, "Q_Output": 255, "ControlNpc": 112, "ControlRec": 30,
  "Trigg2T": 65535, "GoSect": 65535},
 {"index": 2, "Action": 7, "Mode": 9, "TriggT": 65535, "TriggF": 65535, "Q_was": 255, "LDay": 255, "Leader": 120,
  "Phrase": 255, "PhraseCnt": 1, "Q_Input": 255, "Q_Output": 255, "ControlNpc": 58, "ControlRec": 0,
  "Trigg2T": 65535, "GoSect": 65535}
]}
JSON
"$repo/build/scrivlet-cli" build "$work/058.json" -o "$start/examples/058.npc"
keys "$main" ctrl+o
windowNamed 'Открыть NPC-скрипт' >/dev/null
typeText "$start/examples/058.npc"
xdotool key Return
sleep 1
xdotool key Escape # no other dialogue file
windowNamed '058.npc' >/dev/null
keys "$main" F7
problems=$(windowNamed '^Проверка скрипта$')
shot "$problems" problems
xdotool windowunmap "$problems"
shot "$main" main-problems

# Unsaved work (a record cut), kept within the second; then another program changes the
# script, and the editor asks.
keys "$main" ctrl+alt+x
sleep 1.5
cp "$start/examples/057.npc" "$start/examples/058.npc"
shot "$(windowNamed '^Подтверждение$')" changed-on-disk
xdotool key Escape # keep the editor's version
sleep 0.3
# A crash: the next start offers the work kept.
kill -9 "$pid"
wait "$pid" || true
"$repo/build/scrivlet" &
pid=$!
shot "$(windowNamed '^Подтверждение$')" recovery
xdotool key Escape # keep it for the next start
main=$(windowNamed '^Scrivlet$')
sleep 0.5

keys "$main" alt+x
wait "$pid" || true
pid=""
