#!/usr/bin/env bash
# Plays a small sample game in the editor's window by itself and saves a
# picture at each stage of it: the opening, a turn, the dice, the data update
# message, the branch choice, the supplementary picture, the fireworks and
# the results (play/play_autopilot.h says how the stages are told apart).
#
#   tools/screenshot-play.sh [-B build-dir] [-x] [-s scale] OUT-DIR
#
#   -B  build folder holding bin/banmen and bin/banmen-cli (default: build/);
#       built if missing
#   -x  run under xvfb-run (a real X server) instead of Qt's offscreen platform
#   -s  QT_SCALE_FACTOR, to see the play area on a high-dpi screen (e.g. 2)
#
# The game is made from a new game by tools/play/sample_game.py, with our
# default pictures copied into its "Image Files"; the dice are forced so
# that every stage comes up. Sound goes to SDL's disk driver.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
use_xvfb=0
scale=""
usage="usage: $0 [-B build-dir] [-x] [-s scale] OUT-DIR"
while getopts "B:xs:" opt; do
    case $opt in
        B) build=$(realpath "$OPTARG") ;;
        x) use_xvfb=1 ;;
        s) scale=$OPTARG ;;
        *) echo "$usage" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -ne 1 ]; then
    echo "$usage" >&2
    exit 2
fi
out=$(realpath -m "$1")

if [ ! -x "$build/bin/banmen" ] || [ ! -x "$build/bin/banmen-cli" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target banmen banmen-cli
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
game="$work/game"
mkdir -p "$game/Image Files" "$out"
rm -f "$out"/*.png
cli="$build/bin/banmen-cli"
new=$("$cli" new "四季の道" "$game")
"$cli" dump "$new" | python3 "$root/tools/play/sample_game.py" >"$work/game.json"
"$cli" load-json --force "$work/game.json" "$new"
cp "$build/bin/Image Files/"*.bmp "$game/Image Files/"

export BANMEN_PLAY_SHOTS="$out"
# Player 1 throws 2 (the data update), 1 (onto the branch), 2 (over the
# branch to the supplementary picture) and 6 (to the goal); player 2 throws
# 1s along behind.
export BANMEN_PLAY_DICE="2,1,1,1,2,1,6"
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/sound.raw"
if [ -n "$scale" ]; then
    export QT_SCALE_FACTOR="$scale"
fi
if [ "$use_xvfb" -eq 1 ]; then
    xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/banmen" "$new"
else
    QT_QPA_PLATFORM=offscreen "$build/bin/banmen" "$new"
fi
echo "pictures in $out" >&2
