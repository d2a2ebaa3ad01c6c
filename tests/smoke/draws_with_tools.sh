#!/usr/bin/env bash
# Starts the real program in a virtual X server on an empty paper given on the
# command line, draws a chain of two lines, a circle and a text with xdotool
# through the toolbox and the paper view, and checks the screenshot for them.
# Usage: draws_with_tools.sh TESSELLON_BINARY OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/smoke_common.bash"
shot="$output/draws_with_tools.png"

paper="$home/empty.tsln"
write_empty_paper "$paper"

# How many light pixels the window area ($1, $2) of size $3 x $4 holds.
light_pixels() {
    convert "$shot" -crop "$3x$4+$(($1 + X))+$(($2 + Y))" +repage -colorspace gray \
        -threshold 80% -format "%[fx:round(mean*w*h)]" info:
}

"${preload[@]}" "$binary" "$paper" &
pid=$!

window=$(timeout 30 xdotool search --sync --name '^Tessellon/Linux64' | head -n 1) ||
    fail "no Tessellon window appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window at $X,$Y size ${WIDTH}x$HEIGHT"

line_button=(64 70)
text_button=(64 156)
circle_button=(22 199)

wait_for_paper || fail "the paper named on the command line did not appear"

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
