#!/usr/bin/env bash
# Contact sheets of the generated pictures, for looking at them before a
# commit: one sheet at real size and one enlarged (nearest neighbour), per
# group of pictures.
#
#   tools/artwork-sheet.sh [-z ZOOM] OUT-FOLDER [GROUP...]
#
#   GROUP  pieces, panels, dice, buttons, map, page, icons, defaults, scenes,
#          boards, screen (a mock-up of the play screen) (default: all)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
res="$root/resources"
zoom=4
font=/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf
mincho=/usr/share/fonts/opentype/ipafont-mincho/ipam.ttf
while getopts "z:" opt; do
    case $opt in
        z) zoom=$OPTARG ;;
        *) echo "usage: $0 [-z ZOOM] OUT-FOLDER [GROUP...]" >&2; exit 2 ;;
    esac
done
shift $((OPTIND - 1))
if [ $# -lt 1 ]; then
    echo "usage: $0 [-z ZOOM] OUT-FOLDER [GROUP...]" >&2
    exit 2
fi
out=$1
shift
mkdir -p "$out"
groups=("$@")
if [ ${#groups[@]} -eq 0 ]; then
    groups=(pieces panels dice buttons map page icons defaults scenes boards screen)
fi

files_of() {
    local b="$res/bitmaps"
    case $1 in
        pieces) ls "$b"/300?.bmp "$b"/700?.bmp ;;
        panels) ls "$b"/400[0-2].bmp ;;
        dice) ls "$b"/5000.bmp "$b"/8010.bmp "$b"/9000.bmp ;;
        buttons) ls "$b"/600?.bmp "$b"/6010.bmp ;;
        map) ls "$b"/MARK*.bmp "$b"/DOT.bmp "$b"/ARROW.bmp ;;
        page) ls "$b"/SELECT?.bmp "$b"/EDIT?.bmp "$b"/DELETE?.bmp "$b"/LOCKON?.bmp "$b"/OP*.bmp ;;
        icons) ls "$res"/icons/*.png ;;
        defaults) ls "$res"/default-images/Piece*.bmp "$res"/default-images/Kokeshi*.bmp "$res"/default-images/Daruma.bmp ;;
        scenes) find "$res/default-images" -name '*.bmp' ! -name 'Piece*' ! -name 'Kokeshi*' ! -name 'Daruma*' ! -name 'Board*' | sort ;;
        boards) ls "$b"/4005.bmp "$res"/default-images/Board*.bmp ;;
        *) echo "unknown group $1" >&2; return 1 ;;
    esac
}

# The play screen put together as the engine places things, to judge the
# pictures against each other.
screen() {
    local b="$res/bitmaps" t=(-transparent '#FF00FF')
    convert -size 980x600 xc:black \
        "$b/4005.bmp" -geometry +0+0 -composite \
        "$b/4000.bmp" -geometry +800+0 -composite \
        "$b/4001.bmp" -geometry +810+226 -composite \
        \( "$b/6010.bmp" "${t[@]}" \) -geometry +874+580 -composite \
        \( "$b/9000.bmp" "${t[@]}" \) -geometry +841+266 -composite \
        \( "$b/5000.bmp" "${t[@]}" -crop 28x31+112+34 +repage \) -geometry +875+330 -composite \
        \( "$b/6000.bmp" "${t[@]}" \) -geometry +873+392 -composite \
        \( "$b/5000.bmp" "${t[@]}" -crop 28x33+56+0 +repage \) -geometry +430+300 -composite \
        \( "$b/3001.bmp" "${t[@]}" \) -geometry +200+300 -composite \
        \( "$b/3002.bmp" "${t[@]}" \) -geometry +216+294 -composite \
        \( "$b/3003.bmp" "${t[@]}" \) -geometry +226+300 -composite \
        \( "$b/3004.bmp" "${t[@]}" \) -geometry +216+306 -composite \
        \( "$b/3001.bmp" "${t[@]}" -resize 13x13 \) -geometry +812+99 -composite \
        \( "$b/3002.bmp" "${t[@]}" -resize 13x13 \) -geometry +893+99 -composite \
        \( "$b/7002.bmp" "${t[@]}" \) -geometry +812+159 -composite \
        \( "$b/3004.bmp" "${t[@]}" -resize 13x13 \) -geometry +893+159 -composite \
        \( "$b/MARKSTARTC.bmp" "${t[@]}" \) -geometry +184+316 -composite \
        \( "$b/MARKOTHERS.bmp" "${t[@]}" \) -geometry +284+336 -composite \
        \( "$b/MARKOTHERI.bmp" "${t[@]}" \) -geometry +384+356 -composite \
        \( "$b/MARKGOALC.bmp" "${t[@]}" \) -geometry +484+336 -composite \
        \( "$b/DOT.bmp" "${t[@]}" \) -geometry +247+323 -composite \
        \( "$b/DOT.bmp" "${t[@]}" \) -geometry +347+343 -composite \
        \( "$b/DOT.bmp" "${t[@]}" \) -geometry +447+343 -composite \
        -font "$mincho" -fill white -pointsize 11 \
        -annotate +828+110 'たろう' -annotate +909+110 'はなこ' \
        -annotate +818+472 '雙六(四季彩コレクション)' -pointsize 10 -annotate +835+486 '盤面工房で作成' \
        -fill '#E8E8C0' -pointsize 12 -annotate +838+440 'サイコロを振って下さい' \
        -fill '#2B2320' -pointsize 24 -annotate +230+592 '雙六の絵柄を設定して下さい' \
        "$out/screen.png"
    echo "$out/screen.png"
}

for group in "${groups[@]}"; do
    if [ "$group" = screen ]; then
        screen
        continue
    fi
    mapfile -t files < <(files_of "$group")
    [ ${#files[@]} -gt 0 ] || continue
    labelled=()
    for f in "${files[@]}"; do
        labelled+=(-label "$(basename "${f%.*}")" "$f")
    done
    montage -font "$font" -background '#808080' -fill white -pointsize 10 -geometry '+6+6' \
        "${labelled[@]}" "$out/$group.png"
    if [ "$group" != boards ] && [ "$group" != scenes ] && [ "$group" != panels ]; then
        tmp=$(mktemp -d)
        zoomed=()
        for f in "${files[@]}"; do
            name=$(basename "${f%.*}")
            convert "$f" -scale "$((zoom * 100))%" "$tmp/$name.png"
            zoomed+=(-label "$name" "$tmp/$name.png")
        done
        montage -font "$font" -background '#808080' -fill white -pointsize 12 -geometry '+8+8' \
            "${zoomed[@]}" "$out/$group-x$zoom.png"
        rm -rf "$tmp"
    fi
    echo "$out/$group.png"
done
