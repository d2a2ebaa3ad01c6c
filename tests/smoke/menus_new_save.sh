#!/usr/bin/env bash
# Drives the real program in a virtual X server as a person would, with the
# mouse and keyboard: opens every menu (screenshots of each are kept), makes a
# 5 x 7 inch paper through File > New... and its size prompt, saves it through
# File > Save and the save dialog, gives it a background image, and closes the
# window, answering Yes to the question about the unsaved change. The saved
# document must then load (`tessellon --info`) with that size and image.
# Usage: menus_new_save.sh TESSELLON_BINARY OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/smoke_common.bash"
shot="$output/menus_current.png"

# Where things are, in window pixels, with the 14-point menu font: the centres
# of the seven titles, and of the rows of the drop-downs (23 pixels each, below a
# 23-pixel bar; a separator is 4 pixels).
title_file=17
title_edit=62
title_options=123
title_units=213
title_grid=291
title_windows=357
title_help=425
bar_y=11
row_y() { echo $((23 + 23 * $1 + 11 + 4 * ${2:-0})); } # row index, separators above it

highlight="0,128,255"
workspace="33,40,48"

screenshot() {
    import -window root "$shot"
}

move_to() {
    xdotool mousemove --window "$window" "$1" "$2"
}

# Moves the pointer there and waits until the frame shows `colour` at the
# pixel (dx, dy) from the pointer.
# Usage: wait_for_colour X Y COLOUR DX DY WHAT
wait_for_colour() {
    local colour
    for _ in $(seq 40); do
        sleep 0.25
        screenshot
        colour=$(colour_at $(($1 + $4)) $(($2 + $5)))
        [[ "$colour" == "$3" ]] && return 0
    done
    cp "$shot" "$output/menus_failed.png"
    fail "$6: colour $colour instead of $3 at ($(($1 + $4)), $(($2 + $5)))"
}

# A modal dialog dims the window under it, the green status strip included.
# Usage: wait_for_dialog open|closed WHAT
wait_for_dialog() {
    local colour
    for _ in $(seq 60); do
        sleep 0.25
        screenshot
        colour=$(colour_at $((WIDTH - 5)) $((HEIGHT - 3)))
        if [[ "$1" == open && "$colour" != "0,128,0" ]] || [[ "$1" == closed && "$colour" == "0,128,0" ]]; then
            return 0
        fi
    done
    cp "$shot" "$output/menus_failed.png"
    fail "$2"
}

# Opens a menu by its title, then points at one of its items and clicks it
# once the item is highlighted.
# Usage: choose TITLE_X ITEM_Y WHAT
choose() {
    click "$1" $bar_y
    move_to "$1" "$2"
    wait_for_colour "$1" "$2" "$highlight" 0 -9 "$3 is not highlighted"
    click "$1" "$2"
}

# Waits for a window whose title matches and prints its id.
wait_for_window() {
    timeout 60 xdotool search --sync --name "$1" | head -n 1
}

documents="$home/Documents/Tessellon"

"${preload[@]}" "$binary" &
pid=$!

window=$(wait_for_window '^Tessellon/Linux64$') || fail "the window did not appear"
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window at $X,$Y size ${WIDTH}x$HEIGHT"
wait_for_colour 0 0 "$workspace" $((WIDTH / 2)) $((HEIGHT / 2)) "no first frame"

# Every menu, switching along the bar while one is open.
click $title_file $bar_y
for menu in file:$title_file edit:$title_edit options:$title_options units:$title_units grid:$title_grid \
    windows:$title_windows help:$title_help; do
    name=${menu%%:*}
    x=${menu##*:}
    move_to "$x" $bar_y
    # The drop-down is grey just below the title, above its first caption.
    wait_for_colour "$x" $bar_y "208,208,208" 0 14 "the $name menu did not open"
    cp "$shot" "$output/menus_$name.png"
done
click 600 400 # outside: closes the menu
wait_for_colour $title_file $bar_y "$workspace" 123 14 "the menu did not close" # over the paper view

# File > New...: the size prompt offers 8.50x11.00, selected, so typing replaces it.
choose $title_file "$(row_y 0)" "New..."
wait_for_dialog open "the size prompt did not open"
cp "$shot" "$output/menus_new_prompt.png"
xdotool type --delay 50 "5x7"
xdotool key Return
wait_for_dialog closed "the size prompt did not close"

# File > Save on an unnamed paper asks where to save it; the name field has
# the focus and takes a whole path. ".tsln" is added.
choose $title_file "$(row_y 2)" "Save"
wait_for_dialog open "the save dialog did not open"
cp "$shot" "$output/menus_save_dialog.png"
xdotool type --delay 20 "$documents/plan"
xdotool key Return
wait_for_dialog closed "the save dialog did not close"
wait_for_window '^Tessellon/Linux64 - \[plan\.tsln\]$' >/dev/null ||
    fail "the title does not name plan.tsln: $(xdotool getwindowname "$window")"
[[ -f "$documents/plan.tsln" ]] || fail "plan.tsln was not saved"

# Options > Image... gives the paper a background image: a change to save.
convert -size 40x30 xc:red "$home/floor.png"
choose $title_options "$(row_y 4 1)" "Image..."
wait_for_dialog open "the image dialog did not open"
xdotool type --delay 20 "$home/floor.png"
xdotool key Return
wait_for_dialog closed "the image dialog did not close"
cp "$shot" "$output/menus_background_image.png"

# Closing the window asks (a real SDL message box); Return answers Yes.
request_close "$window"
box=$(wait_for_top_window "Save file?") || fail "no question about saving"
eval "$(xdotool getwindowgeometry --shell --prefix BOX_ "$box")"
xdotool mousemove $((BOX_X + BOX_WIDTH / 2)) $((BOX_Y + 5))
sleep 0.5
import -window root "$output/menus_save_question.png"
xdotool key --window "$box" Return
expect_exit "$pid" 0
pid=

info=$("${preload[@]}" "$binary" --info "$documents/plan.tsln") || fail "the saved document does not load"
echo "$info" | head -c 400
echo
grep -q '"width": *480' <<<"$info" || fail "width is not 480: $info"
grep -q '"height": *672' <<<"$info" || fail "height is not 672: $info"
grep -q "floor.png" <<<"$info" || fail "the background image was not saved: $info"
echo "PASS: menus open, New made a 5x7 paper, Save wrote it, the question saved the change"
