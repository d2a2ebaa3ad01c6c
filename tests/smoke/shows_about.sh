#!/usr/bin/env bash
# Opens Help > About... in the real program under a virtual X server, keeps two
# screenshots of the animation a second apart, leaves it with a key press and
# closes the window.
# Usage: shows_about.sh TESSELLON_BINARY OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/smoke_common.bash"
shot="$output/about_current.png"

# The Help title and the second row of its drop-down (below the 23-pixel bar).
title_help=425
bar_y=11
about_y=$((23 + 23 + 11))

"${preload[@]}" "$binary" &
pid=$!

window=$(timeout 60 xdotool search --sync --name '^Tessellon/Linux64$' | head -n 1) ||
    fail "the window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"
sleep 1

click $title_help $bar_y
click $title_help $about_y

# The About screen covers the window with black, status strip included.
for _ in $(seq 40); do
    sleep 0.25
    import -window root "$shot"
    [[ "$(colour_at 3 $((HEIGHT - 3)))" == "0,0,0" ]] && break
done
[[ "$(colour_at 3 $((HEIGHT - 3)))" == "0,0,0" ]] || fail "the About screen did not appear"
sleep 1
cp "$shot" "$output/about_first.png"
sleep 1
import -window root "$output/about_second.png"
cmp -s "$output/about_first.png" "$output/about_second.png" && fail "the About screen does not move"

# Non-black pixels: the circles, drops and text are drawn.
drawn=$(convert "$output/about_second.png" -crop "${WIDTH}x${HEIGHT}+$X+$Y" -fill white \
    +opaque black -format "%[fx:mean*w*h]" info:)
((${drawn%.*} > 500)) || fail "only $drawn pixels are drawn on the About screen"

xdotool key --window "$window" space
for _ in $(seq 40); do
    sleep 0.25
    import -window root "$shot"
    [[ "$(colour_at 3 $((HEIGHT - 3)))" == "0,128,0" ]] && break
done
[[ "$(colour_at 3 $((HEIGHT - 3)))" == "0,128,0" ]] || fail "a key did not leave the About screen"

request_close "$window"
expect_exit "$pid" 0
pid=
echo "About screen shown and left"
