#!/usr/bin/env bash
# Starts the real program in a virtual X server on an empty paper given on the
# command line, draws a chain of two lines, a circle and a text with xdotool
# through the toolbox and the paper view, and checks the screenshot for them.
# Exits 77 (skipped) when the program does not open papers from the command
# line yet.
# Usage: draws_with_tools.sh TESSELLON_BINARY OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/smoke_common.bash"
shot="$output/draws_with_tools.png"

# An empty 11 x 8.5 inch paper, stored uncompressed: magic, version 3 with the
# uncompressed flag, size 1056 x 816, feet, 4 blocks per unit, 4 lines per inch,
# the dark palette, no drawing colour, no hidden layer, no image, no objects.
paper="$home/empty.tsln"
printf 'TSPF\x83\xa0\x08\xb0\x06\x00\x04\x04\x21\x28\x30\xff\x00\x00\x00\xff\xff\xff\xff\xff' >"$paper"
printf '\x00\x00\x00\x00' >>"$paper"
printf '\x00%.0s' {1..16} >>"$paper"
printf '\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\x00' >>"$paper"
(($(stat -c %s "$paper") == 55)) || fail "the test paper is $(stat -c %s "$paper") bytes"

# "r,g,b" of the screenshot at window point ($1, $2).
colour_at() {
    convert "$shot" -format "%[pixel:p{$(($1 + X)),$(($2 + Y))}]" info: |
        sed -E 's/^[a-z]+a?\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/;s/^white$/255,255,255/;s/^black$/0,0,0/'
}

# How many light pixels the window area ($1, $2) of size $3 x $4 holds.
light_pixels() {
    convert "$shot" -crop "$3x$4+$(($1 + X))+$(($2 + Y))" +repage -colorspace gray \
        -threshold 80% -format "%[fx:round(mean*w*h)]" info:
}

click() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.2
    xdotool click 1
    # Far enough apart in time that no two clicks make a double click.
    sleep 0.7
}

"${preload[@]}" "$binary" "$paper" &
pid=$!

window=$(timeout 30 xdotool search --sync --name '^Tessellon/Linux64' | head -n 1) ||
    fail "no Tessellon window appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window at $X,$Y size ${WIDTH}x$HEIGHT"

# The layout of a 1024-pixel-wide window: a 23-pixel menu bar, the toolbox 86
# pixels wide, its tool rows from y 50 and 43 pixels apart in two columns.
view_x=86
view_y=23
line_button=(64 70)
text_button=(64 156)
circle_button=(22 199)

# The paper shows its grid: a black line every 24 pixels.
opened=
for _ in $(seq 40); do
    sleep 0.5
    import -window root "$shot"
    if [[ "$(colour_at $((view_x + 24)) $((view_y + 100)))" == "0,0,0" ]]; then
        opened=1
        break
    fi
done
if [[ -z "$opened" ]]; then
    echo "SKIP: the program does not open a paper named on the command line yet"
    exit 77
fi

# A chain of two lines: (96, 96) to (288, 96) to (288, 240) in paper pixels.
click "${line_button[@]}"
click $((view_x + 96)) $((view_y + 96))
click $((view_x + 288)) $((view_y + 96))
click $((view_x + 288)) $((view_y + 240))
xdotool key Escape
sleep 0.3

# A circle of radius 96 around (480, 336).
click "${circle_button[@]}"
click $((view_x + 480)) $((view_y + 336))
click $((view_x + 576)) $((view_y + 336))

# A text placed at (600, 96).
click "${text_button[@]}"
click $((view_x + 600)) $((view_y + 96))
sleep 0.5
xdotool type --delay 50 "Hello"
xdotool key Return
sleep 0.5
click $((view_x + 600)) $((view_y + 96))
xdotool mousemove --window "$window" 900 600
sleep 1
import -window root "$shot"

light() {
    local colour
    colour=$(colour_at "$1" "$2")
    IFS=, read -r r g b <<<"$colour"
    ((r > 200 && g > 200 && b > 200)) || fail "$3: the pixel at $1,$2 is $colour"
}
light $((view_x + 190)) $((view_y + 96)) "the first line"
light $((view_x + 288)) $((view_y + 170)) "the second line"
light $((view_x + 576)) $((view_y + 336)) "the circle's right edge"
light $((view_x + 480)) $((view_y + 240)) "the circle's top edge"
text=$(light_pixels $((view_x + 600)) $((view_y + 96)) 80 30)
((text > 30)) || fail "no text beside (600, 96): $text light pixels"
blank=$(light_pixels $((view_x + 700)) $((view_y + 500)) 80 30)
((blank == 0)) || fail "light pixels on empty paper: $blank"
echo "PASS: drew two lines, a circle and a text; see $shot"
