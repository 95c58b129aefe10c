#!/usr/bin/env bash
# Drives the editor's game page from outside, as a person would: real X
# events from xdotool on a virtual screen (xvfb-run). Clicks into the game
# title field, types a new title, and checks that the window title follows
# at once with the modified mark; then takes the typing back with the
# field's own Ctrl+Z and checks the title again. Exit 0 on success, 1 on a
# failure, 77 when xvfb-run or xdotool is missing.
#
#   tools/drive-pages.sh [-B build-dir] [OUT.png]
#
#   -B  build folder holding bin/banmen (default: build/)
#   OUT.png  also saves a picture of the screen at the end
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
while getopts "B:" opt; do
    case $opt in
        B) build=$OPTARG ;;
        *) echo "usage: $0 [-B build-dir] [OUT.png]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
shot=${1:-}

if [ "${BANMEN_DRIVE_INSIDE:-}" != 1 ]; then
    command -v xvfb-run >/dev/null && command -v xdotool >/dev/null || exit 77
    [ -x "$build/bin/banmen" ] || { echo "no $build/bin/banmen" >&2; exit 1; }
    export BANMEN_DRIVE_INSIDE=1
    exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" -B "$build" ${shot:+"$shot"}
fi

home=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$home"' EXIT
# Settings and the start-up file of their own; no welcome box, no sound.
export BANMEN_HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_STATE_HOME="$home/state"
export SDL_AUDIODRIVER=dummy
unset QT_QPA_PLATFORM  # the test suite's offscreen platform would hide the window
printf 'NoWelcome' >"$home/startup.ini"
"$build/bin/banmen" >"$home/out.txt" 2>&1 &
pid=$!

window=$(xdotool search --sync --onlyvisible --name "盤面工房" | head -n 1)
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
# The client area is 980 x 616 under the menu bar; the game page's title
# field is the first row of the page at (800, 22).
menu=$((HEIGHT - 616))
field_x=$((X + 800 + 120))
field_y=$((Y + menu + 22 + 13))

fail() {
    echo "FAIL: $*" >&2
    echo "window title: $(xdotool getwindowname "$window")" >&2
    exit 1
}

wait_title() {
    for _ in $(seq 50); do
        case "$(xdotool getwindowname "$window")" in
            *"$1") return 0 ;;
        esac
        sleep 0.1
    done
    return 1
}

wait_title "- 新規雙六(1)" || fail "the new game's title"
xdotool mousemove "$field_x" "$field_y" click 1
sleep 0.3
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 60 "Xdo Game"
wait_title "- Xdo Game *" || fail "the typed title with the modified mark"
for _ in $(seq 8); do
    xdotool key --clearmodifiers ctrl+z
done
wait_title "- 新規雙六(1) *" || fail "the title typed back"
if [ -n "$shot" ]; then
    import -window root "$shot"
fi
echo "ok: typing into the game page reaches the window title"
