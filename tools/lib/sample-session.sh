# Shared by the scripts that drive the editor on the sample game under
# xvfb-run with real X events (xdotool): the options, the build, a home and
# base folder of their own with the sample game copied there (so nothing of
# the build or of the user's settings changes), and the run in the X server.
#
#   . "$root/tools/lib/sample-session.sh"
#   sample_session "$@"         # [-B build-dir] OUT-DIR; sets build, out, work, base
#   sample_session_run DRIVE    # runs DRIVE PROGRAM GAME OUT inside the X server
#
# DRIVE can source "$SAMPLE_SESSION_LIB/xdo.sh" for its helpers.

sample_session_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
sample_session_game="MyProjects/サンプル雙六"

sample_session() {
    build="$sample_session_root/build"
    local usage="usage: $0 [-B build-dir] OUT-DIR" opt OPTIND=1
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
    mkdir -p "$out"

    if [ ! -x "$build/bin/banmen" ] || [ ! -f "$build/bin/BMHelp.hlp" ] ||
        [ ! -f "$build/bin/$sample_session_game/サンプル雙六.sgw" ]; then
        cmake -S "$sample_session_root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
        cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" \
            --target banmen banmen_help banmen_sample_game
    fi

    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    base="$work/base"
    mkdir -p "$base/MyProjects" "$work/home"
    cp -r "$build/bin/$sample_session_game" "$base/MyProjects/"
    rm -f "$base/$sample_session_game"/*.sgr
    local shared
    for shared in "Image Files" "Sound Files" BMHelp.hlp; do
        ln -s "$build/bin/$shared" "$base/$shared"
    done
}

sample_session_run() {
    env HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" \
        XDG_DATA_HOME="$work/home/.local/share" XDG_STATE_HOME="$work/home/.local/state" \
        BANMEN_HOME="$base" SDL_AUDIODRIVER=dummy \
        SAMPLE_SESSION_LIB="$sample_session_root/tools/lib" \
        xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$1" "$build/bin/banmen" "$base/$sample_session_game/サンプル雙六.sgw" "$out" "${@:2}"
}
