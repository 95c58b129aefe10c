#!/usr/bin/env bash
# Drives the editor's game analysis as a person would, with real X events
# under xvfb-run (xdotool), saves a picture at each stage and checks what a
# person would see on them:
#
#   map.png        the map before
#   analysis.png   Build > "ゲームの解析(&A)...": the analysis window beside
#                  the editor, the heat map over the map (squares tinted)
#   finding.png    the first finding double-clicked: its square is selected
#   edited.png     a square dragged away and another one added on the map:
#                  the tint follows the moved square, the new one is untinted
#                  (a dashed ring), the window says the board changed
#   running.png    a long analysis under way: the progress bar and "中止"
#   cancelled.png  after "中止": the games played so far
#   closed.png     the analysis window closed: no heat map any more
#
#   tools/screenshot-analysis.sh [-B build-dir] [OUT-FOLDER]
#
# Exit 0 when every check holds, 1 on a failure, 77 when xvfb-run, xdotool
# or ImageMagick is missing. Without OUT-FOLDER the pictures are not kept.
# The game is the sample of tools/play/sample_game.py with one more square
# that no route reaches. The editor runs with settings and base folder of
# its own.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
while getopts "B:" opt; do
    case $opt in
        B) build=$(realpath "$OPTARG") ;;
        *) echo "usage: $0 [-B build-dir] OUT-FOLDER" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -gt 1 ]; then
    echo "usage: $0 [-B build-dir] [OUT-FOLDER]" >&2
    exit 2
fi
for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 77; }
done

if [ ! -x "$build/bin/banmen" ] || [ ! -x "$build/bin/banmen-cli" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" \
        --target banmen banmen-cli banmen_default_images
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
out=$(realpath -m "${1:-$scratch/pictures}")
mkdir -p "$out" "$scratch/home" "$scratch/config" "$scratch/game/Image Files" \
    "$scratch/game/Sound Files"
printf 'NoWelcome' >"$scratch/home/startup.ini"
cli="$build/bin/banmen-cli"
new=$("$cli" new "四季の道" "$scratch/game")
"$cli" dump "$new" | python3 "$root/tools/play/sample_game.py" | python3 -c '
import json, sys
game = json.load(sys.stdin)
island = dict(game["squares"][1], index=13, name="離れ小島", x=700, y=330,
              nextSquares=[-1] * 4)
game["squares"].append(island)
json.dump(game, sys.stdout, ensure_ascii=False)
' >"$scratch/game.json"
"$cli" load-json --force "$scratch/game.json" "$new" >/dev/null
cp "$build/bin/Image Files/"*.bmp "$scratch/game/Image Files/"
cp "$build/bin/Sound Files/"* "$scratch/game/Sound Files/"

# The session inside the virtual screen.
cat >"$scratch/session.sh" <<'SESSION'
set -euo pipefail
out=$1
program=$2
game=$3
"$program" "$game" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
main=$(xdotool search --sync --onlyvisible --name '盤面工房' | head -n 1)
sleep 1.5
eval "$(xdotool getwindowgeometry --shell "$main")"
# The client area is 980 x 616 under the menu bar; the map is its top left.
left=$X
top=$((Y + HEIGHT - 616))

shot() {
    # The editor and the analysis window beside it.
    import -window root -crop 1460x$((top + 616))+0+0 +repage "$out/$1"
    echo "saved $out/$1"
}
# The colour of a map point on a picture, as "srgb(r,g,b)".
colour() { convert "$out/$1" -format "%[pixel:p{$((left + $2)),$((top + $3))}]" info:; }
same() { [ "$(colour "$1" "$3" "$4")" = "$(colour "$2" "$3" "$4")" ]; }
move() { xdotool mousemove "$1" "$2"; sleep 0.15; }
click() { move "$1" "$2"; xdotool click 1; sleep 0.3; }

# Inside a square's tint, 13 pixels above its marker's centre: the start
# (60, 555), the shrine (705, 95), the island (700, 330) no route reaches.
shot map.png
xdotool windowfocus --sync "$main"
xdotool key alt+b
sleep 0.5
xdotool key a
analysis=$(timeout 10 xdotool search --sync --onlyvisible --name 'ゲームの解析' | head -n 1) ||
    fail "no analysis window after Build > ゲームの解析"
sleep 3
eval "$(xdotool getwindowgeometry --shell "$analysis")"
ax=$X
ay=$Y
[ "$ax" -ge $((left + 800)) ] || fail "the analysis window covers the map"
shot analysis.png
for square in "60 534" "705 74" "700 309"; do
    same map.png analysis.png $square && fail "square at ($square) not tinted"
done

# The first finding under the first heading: the island, now selected.
move $((ax + 160)) $((ay + 271))
xdotool click --repeat 2 --delay 80 1
sleep 0.5
shot finding.png
same analysis.png finding.png 700 322 && fail "the island was not selected"

# Drag the bridge (515, 360) down towards the sea, then add a square on an
# empty spot of the map.
move $((left + 515)) $((top + 352))
xdotool mousedown 1
sleep 0.2
for step in 1 2 3 4 5 6 7 8; do
    move $((left + 515 + step * 10)) $((top + 352 + step * 8))
done
xdotool mouseup 1
sleep 0.3
move $((left + 300)) $((top + 150))
click $((left + 300)) $((top + 150))
sleep 0.5
shot edited.png

# A million games, cancelled on the way.
click $((ax + 100)) $((ay + 20))
xdotool key ctrl+a
xdotool type --delay 40 1000000
xdotool key alt+r
sleep 1.5
shot running.png
xdotool key alt+c
sleep 1
shot cancelled.png

# "閉じる" takes the heat map away: the moved bridge loses its tint, the
# added square never had one.
click $((ax + 430)) $((ay + 593))
sleep 0.5
shot closed.png
same edited.png closed.png 600 399 && fail "the moved square was not tinted at its new place"
same edited.png closed.png 300 129 || fail "the added square was tinted"
same map.png closed.png 705 74 || fail "the heat map stayed after closing"
kill -0 $pid || fail "the editor has gone"
echo "all checks held"
SESSION

unset QT_QPA_PLATFORM  # the test suite's offscreen platform would hide the windows
XDG_CONFIG_HOME="$scratch/config" BANMEN_HOME="$scratch/home" SDL_AUDIODRIVER=dummy \
    xvfb-run -a -s "-screen 0 1600x900x24" bash "$scratch/session.sh" "$out" \
    "$build/bin/banmen" "$new"
