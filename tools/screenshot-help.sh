#!/usr/bin/env bash
# Drives the editor under xvfb-run with real X key presses (xdotool), as a
# person would, and saves pictures of what the Help and Insert menus open:
#   editor-sample.png   the sample game open in the editor
#   welcome.png         the welcome box
#   about.png           the about box
#   help-contents.png   the help window at its contents
#   help-rules.png      the help window at the rules of play
#   picture-dialog.png  the picture file dialog (Insert, from file)
#   sound-dialog.png    the sound file dialog
#   image-added.png     the editor after a picture was typed into the picture
#                       dialog: the new image "Daruma" on its page
#
#   tools/screenshot-help.sh [-B build-dir] OUT-DIR
#
# The editor runs in a home and base folder of its own under a temporary
# folder, with the sample game copied there, so nothing of the build or of
# the user's settings changes.
set -euo pipefail

. "$(dirname "$0")/lib/sample-session.sh"
sample_session "$@"

cat > "$work/drive.sh" <<'DRIVE'
#!/usr/bin/env bash
# Runs inside the X server: $1 the program, $2 the game, $3 the output
# folder, $4 a picture to import.
set -euo pipefail
program=$1 game=$2 out=$3 picture=$4

. "$SAMPLE_SESSION_LIB/xdo.sh"

"$program" "$game" &
editor=$!
trap 'kill $editor 2>/dev/null || true' EXIT

main=$(window "盤面工房 .*四季めぐり雙六")
xdotool windowfocus --sync "$main" || true
sleep 1.5
# A welcome box the start-up shows is closed first; the Help menu opens it
# for the picture.
if start=$(xdotool search --onlyvisible --name "ようこそ" 2>/dev/null | tail -1) && [ -n "$start" ]; then
    xdotool windowfocus --sync "$start" || true
    key Return
fi
shoot "$main" editor-sample.png

xdotool windowfocus --sync "$main" || true
key alt+h w
welcome=$(window "ようこそ盤面工房")
shoot "$welcome" welcome.png
key Return

xdotool windowfocus --sync "$main" || true
key alt+h a
about=$(window "ﾊﾞｰｼﾞｮﾝ情報")
shoot "$about" about.png
key Return

xdotool windowfocus --sync "$main" || true
key F1
help=$(window "盤面工房 ヘルプ")
shoot "$help" help-contents.png
# The rules are the thirteenth link of the contents.
xdotool windowfocus --sync "$help" || true
for _ in $(seq 13); do
    xdotool key Tab
done
key Return
shoot "$help" help-rules.png
xdotool windowunmap "$help" || true

xdotool windowfocus --sync "$main" || true
key alt+i b
dialog=$(window "イメージファイルを選択")
shoot "$dialog" picture-dialog.png
# Typed into the file name field, as a person would.
xdotool type --delay 20 "$picture"
key Return
shoot "$main" image-added.png

xdotool windowfocus --sync "$main" || true
key alt+i w
dialog=$(window "サウンドファイルを選択")
shoot "$dialog" sound-dialog.png
key Escape
DRIVE
chmod +x "$work/drive.sh"

sample_session_run "$work/drive.sh" "$base/Image Files/Daruma.bmp"
