# Helpers of a script that drives a program inside an X server with xdotool
# and pictures it with ImageMagick's import; pictures go to "$out".

# The id of the visible window whose name matches, waiting up to 10 s.
window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | tail -1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window named $1" >&2
    return 1
}

# Pictures a window (or "root", the whole screen) into "$out/NAME".
shoot() {
    sleep 0.6  # let it paint
    import -window "$1" "$out/$2"
    echo "$out/$2"
}

# Keys, sent to whatever has the focus.
key() {
    xdotool key --delay 120 "$@"
    sleep 0.4
}
