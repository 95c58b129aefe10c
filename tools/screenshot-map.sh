#!/usr/bin/env bash
# Drives the editor's map as a person would, with real X events under
# xvfb-run (xdotool), and saves a picture at each stage:
#
#   board.png           a board laid out by clicks on empty spots (quick
#                       chaining links each new square to the one before)
#   drag.png            a square being dragged, the button still down
#   context-square.png  the context menu on a square
#   context-route.png   the context menu on a route line
#   context-empty.png   the context menu on an empty spot
#   route-mode.png      route setting mode, three squares clicked so far
#   route-done.png      the route applied after clicking the last square again
#
#   tools/screenshot-map.sh [-B build-dir] OUT-FOLDER
#
# Needs xvfb-run, xdotool and ImageMagick's import. The editor runs with
# settings and base folder of its own in a temporary folder.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
while getopts "B:" opt; do
    case $opt in
        B) build=$OPTARG ;;
        *) echo "usage: $0 [-B build-dir] OUT-FOLDER" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -ne 1 ]; then
    echo "usage: $0 [-B build-dir] OUT-FOLDER" >&2
    exit 2
fi
out=$(realpath -m "$1")
mkdir -p "$out"
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
done

program="$build/bin/banmen"
if [ ! -x "$program" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target banmen
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/config"
printf 'NoWelcome' >"$scratch/home/startup.ini"

# The session inside the virtual screen.
cat >"$scratch/session.sh" <<'SESSION'
set -euo pipefail
out=$1
program=$2
"$program" &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=$(xdotool search --sync --onlyvisible --name '盤面工房' | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# The client area is 980 x 616 under the menu bar; the map is its top left.
left=$X
top=$((Y + HEIGHT - 616))

move() { xdotool mousemove "$((left + $1))" "$((top + $2))"; sleep 0.15; }
click() { move "$1" "$2"; xdotool click 1; sleep 0.25; }
menu_at() { move "$1" "$2"; xdotool click 3; sleep 0.6; }
shot() { import -window root "$out/$1"; echo "saved $out/$1"; }
close_menu() { xdotool key Escape; sleep 0.3; }

# The new game: start (700, 500) -> normal (100, 500) -> goal (100, 100).
# Select the normal square, then lay out a bend of squares after it; each
# click comes within 2 s of the last, so each square is linked to the one
# before it.
click 100 492
for point in "180 420" "260 360" "340 320" "420 300" "500 300" "580 260" "640 200"; do
    click $point
done
# One more apart, later, with nothing selected before it: not chained.
sleep 2.2
click 460 520
move 420 292
shot board.png

# Drag the square at (420, 300) down a little, the button still held.
move 420 292
xdotool mousedown 1
sleep 0.2
for step in 1 2 3 4 5 6; do
    move $((420 + step * 6)) $((292 + step * 10))
done
shot drag.png
xdotool mouseup 1
sleep 0.3

menu_at 260 352
shot context-square.png
close_menu

# Halfway along the route from (180, 420) to (260, 360).
menu_at 220 390
shot context-route.png
close_menu

menu_at 650 450
shot context-empty.png
close_menu

# Route setting from the context menu on the goal, then two more squares.
menu_at 100 92
xdotool key o
sleep 0.4
move 640 192
click 640 192
click 580 252
shot route-mode.png
# Back on the square clicked last: its link closes the chain.
click 580 252
shot route-done.png
SESSION

XDG_CONFIG_HOME="$scratch/config" BANMEN_HOME="$scratch/home" \
    xvfb-run -a -s "-screen 0 1280x800x24" bash "$scratch/session.sh" "$out" "$program"
