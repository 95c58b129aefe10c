#!/usr/bin/env bash
# Drives the editor under xvfb-run with real X key presses (xdotool), as a
# person would, and saves pictures of the main window's menus and dialogs:
#   menu-file.png ... menu-help.png   each main menu open over the sample game
#   new-workspace.png                 the new-workspace dialog (Ctrl+N)
#   build-dialog.png                  the build dialog
#   build-progress.png                the build's progress, when the build
#                                     lasted long enough to be pictured
#   built.png                         the editor after the build
#
#   tools/screenshot-window.sh [-B build-dir] OUT-DIR
#
# The editor runs in a home and base folder of its own under a temporary
# folder, with the sample game copied there, so nothing of the build or of
# the user's settings changes.
set -euo pipefail

. "$(dirname "$0")/lib/sample-session.sh"
sample_session "$@"
# The welcome box has been seen: start-up goes straight to the window.
printf NoWelcome >"$base/startup.ini"

cat > "$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
# Runs inside the X server: $1 the program, $2 the game, $3 the output folder.
set -euo pipefail
program=$1 game=$2 out=$3

. "$SAMPLE_SESSION_LIB/xdo.sh"

"$program" "$game" &
editor=$!
trap 'kill $editor 2>/dev/null || true' EXIT

main=$(window "盤面工房 .*四季めぐり雙六")
xdotool windowfocus --sync "$main" || true
sleep 1.5

# A menu is a window of its own: the screen is pictured.
for menu in f:file e:edit m:map i:insert b:build h:help; do
    xdotool windowfocus --sync "$main" || true
    key "alt+${menu%%:*}"
    shoot root "menu-${menu##*:}.png"
    key Escape
done

xdotool windowfocus --sync "$main" || true
key ctrl+n
dialog=$(window "新規ﾜｰｸｽﾍﾟｰｽ")
shoot "$dialog" new-workspace.png
key Escape

xdotool windowfocus --sync "$main" || true
key alt+b b
dialog=$(window "盤面工房 ビルド")
shoot "$dialog" build-dialog.png
xdotool key Return
# The progress shows while the game file is written; a quick build may be
# over before it can be pictured.
for _ in $(seq 40); do
    progress=$(xdotool search --onlyvisible --name "盤面工房 ビルド" 2>/dev/null | tail -1 || true)
    if [ -n "$progress" ] && [ "$progress" != "$dialog" ]; then
        import -window root "$out/build-progress.png" && echo "$out/build-progress.png"
        break
    fi
    sleep 0.05
done
sleep 1
# A question after the build (to play the game just built) is declined.
if question=$(xdotool search --onlyvisible --name "盤面工房$" 2>/dev/null | tail -1) &&
    [ -n "$question" ]; then
    shoot root build-question.png
    xdotool windowfocus --sync "$question" || true
    key Escape
fi
shoot "$main" built.png
ls "$(dirname "$game")"/*.sgr
DRIVE
chmod +x "$work/drive.sh"

sample_session_run "$work/drive.sh"
