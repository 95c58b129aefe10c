#!/usr/bin/env bash
# Starts the editor without a screen, saves a PNG of its window and quits.
# The window title is printed, since the picture cannot show it.
#
#   tools/screenshot-editor.sh [-B build-dir] [-x] OUT.png [FILE]
#
#   -B  build folder holding bin/banmen (default: build/); built if missing
#   -x  run under xvfb-run instead of Qt's offscreen platform
#   FILE  a workspace or project file to open, as on the command line
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
use_xvfb=0
while getopts "B:x" opt; do
    case $opt in
        B) build=$OPTARG ;;
        x) use_xvfb=1 ;;
        *) echo "usage: $0 [-B build-dir] [-x] OUT.png [FILE]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -lt 1 ]; then
    echo "usage: $0 [-B build-dir] [-x] OUT.png [FILE]" >&2
    exit 2
fi
out=$(realpath -m "$1")
shift

program="$build/bin/banmen"
if [ ! -x "$program" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target banmen
fi

export BANMEN_SCREENSHOT="$out"
if [ "$use_xvfb" -eq 1 ]; then
    xvfb-run -a -s "-screen 0 1280x800x24" "$program" "$@"
else
    QT_QPA_PLATFORM=offscreen "$program" "$@"
fi
echo "saved $out" >&2
