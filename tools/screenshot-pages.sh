#!/usr/bin/env bash
# Pictures of every property page, the choosers and the help editor, taken
# from the editor's window driven by clicks and keys under xvfb-run (a real
# X server). The pictures' names are printed.
#
#   tools/screenshot-pages.sh [-B build-dir] [-o] OUTDIR
#
#   -B  build folder (default: build/); page-shots is built there
#   -o  Qt's offscreen platform instead of xvfb-run
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
offscreen=0
while getopts "B:o" opt; do
    case $opt in
        B) build=$OPTARG ;;
        o) offscreen=1 ;;
        *) echo "usage: $0 [-B build-dir] [-o] OUTDIR" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -ne 1 ]; then
    echo "usage: $0 [-B build-dir] [-o] OUTDIR" >&2
    exit 2
fi
out=$(realpath -m "$1")
mkdir -p "$out"

if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" --target page-shots >/dev/null
program=$(find "$build" -name page-shots -type f -perm -u+x | head -n 1)

# A settings folder of its own, so the user's recent list stays as it is.
export XDG_CONFIG_HOME="$out/.config"
if [ "$offscreen" -eq 1 ]; then
    QT_QPA_PLATFORM=offscreen "$program" "$out"
else
    xvfb-run -a -s "-screen 0 1280x900x24" "$program" "$out"
fi
