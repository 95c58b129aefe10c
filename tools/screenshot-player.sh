#!/usr/bin/env bash
# Pictures of banmen-player playing a small sample game under xvfb-run:
#
#   window/      the window (980 x 600) at every stage of a game the player
#                plays by itself: the opening, a turn, the dice, a branch,
#                the results and the offer at the end (as tools/
#                screenshot-play.sh does for the editor);
#   fullscreen/  the whole 1920 x 1080 screen while a person would play:
#                F11 and the clicks are real X events (xdotool); the opening,
#                a turn and the dice full screen, then the window again after
#                a second F11;
#   results/     the same game by itself, started full screen (the setting
#                the player keeps), to its results.
#
#   tools/screenshot-player.sh [-B build-dir] OUT-DIR
#
#   -B  build folder holding bin/banmen-player and bin/banmen-cli (default:
#       build/); built if missing
#
# The player's settings and temporary folders live in a scratch folder; the
# script fails when a player leaves its temporary folder behind. Sound goes
# to SDL's disk driver.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
usage="usage: $0 [-B build-dir] OUT-DIR"
while getopts "B:" opt; do
    case $opt in
        B) build=$(realpath "$OPTARG") ;;
        *) echo "$usage" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -ne 1 ]; then
    echo "$usage" >&2
    exit 2
fi
out=$(realpath -m "$1")

if [ ! -x "$build/bin/banmen-player" ] || [ ! -x "$build/bin/banmen-cli" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target banmen-player banmen-cli
fi
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "$0: $tool is missing" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$out/window" "$out/fullscreen" "$out/results"
mkdir -p "$out/window" "$out/fullscreen" "$out/results" "$work/tmp" "$work/config"

# The sample game, built into a game file; the workspace goes away, so that
# everything the player shows comes from the game file.
cli="$build/bin/banmen-cli"
game="$work/game"
mkdir -p "$game/Image Files"
new=$("$cli" new "四季の道" "$game")
"$cli" dump "$new" | python3 "$root/tools/play/sample_game.py" >"$work/game.json"
"$cli" load-json --force "$work/game.json" "$new" >/dev/null
cp "$build/bin/Image Files/"*.bmp "$game/Image Files/"
sgr="$work/四季の道.sgr"
"$cli" build "$new" --out "$sgr" >/dev/null
rm -rf "$game"

export TMPDIR="$work/tmp" XDG_CONFIG_HOME="$work/config"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw"
player="$build/bin/banmen-player"

no_folder_left() {
    if compgen -G "$TMPDIR/banmen-player-*" >/dev/null; then
        echo "$0: a player left its temporary folder behind" >&2
        exit 1
    fi
}

# 1. The window, played by itself. Player 1 throws 2 (the data update), 1
# (onto the branch), 2 (over the branch to the supplementary picture) and 6
# (to the goal); player 2 throws 1s along behind.
BANMEN_PLAY_SHOTS="$out/window" BANMEN_PLAY_DICE="2,1,1,1,2,1,6" \
    xvfb-run -a -s "-screen 0 1280x800x24" "$player" "$sgr" >/dev/null
no_folder_left

# 2. Full screen as a person plays it. The play area of 980 x 600 scales by
# 1.8 to 1764 x 1080, with bars of 78 pixels at the sides; the engine's
# button stands at (889, 412) of the frame.
cat >"$work/person.sh" <<'EOF'
set -euo pipefail
shots=$1; player=$2; sgr=$3
at() { echo $((78 + $1 * 9 / 5)) $(($2 * 9 / 5)); }
click() { xdotool mousemove $(at "$1" "$2") click 1; sleep "${3:-1}"; }
"$player" "$sgr" &
pid=$!
xdotool search --sync --name "四季の道" >/dev/null
sleep 2
xdotool key F11
sleep 2
import -window root "$shots/01-opening.png"
click 889 412          # the explanation
click 889 412          # the rules
click 889 412 2        # the player selection
import -window root "$shots/02-turn.png"
click 889 412 0.6      # the throw
import -window root "$shots/03-dice.png"
sleep 2
xdotool key F11
sleep 2
import -window root "$shots/04-window-again.png"
kill -TERM "$pid"
wait "$pid"
EOF
xvfb-run -a -s "-screen 0 1920x1080x24" bash "$work/person.sh" "$out/fullscreen" "$player" "$sgr"
no_folder_left

# 3. The results full screen: the player starts as it was left.
mkdir -p "$XDG_CONFIG_HOME/MOEGI"
cat >"$XDG_CONFIG_HOME/MOEGI/Sugoroku.conf" <<'EOF'
[General]
PlayerWindowLeft=dword:0
PlayerWindowTop=dword:0
PlayerWindowWidth=dword:980
PlayerWindowHeight=dword:600
bPlayerWindowFullScreen=dword:1
EOF
BANMEN_PLAY_SHOTS="$out/results" BANMEN_PLAY_DICE="2,1,1,1,2,1,6" \
    xvfb-run -a -s "-screen 0 1920x1080x24" "$player" "$sgr" >/dev/null
no_folder_left
echo "pictures in $out" >&2
