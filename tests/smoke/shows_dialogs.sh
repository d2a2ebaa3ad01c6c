#!/usr/bin/env bash
# Looks at every dialog of the program in a virtual X server.
#  1. The dialog gallery test runs the program in-process on the real X window
#     and opens each dialog once (text prompt, Resize Paper, Edit Object for
#     each object class, open, save, folder, colour, message), checking their
#     layout and saving a picture of each to OUTPUT_FOLDER/all-dialogs.
#  2. When the program opens a paper named on the command line, the real
#     program is driven with xdotool: a line is drawn, selected and edited with
#     the E key in the Edit Object dialog, and the edit is undone.
# Usage: shows_dialogs.sh TESSELLON_BINARY OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/smoke_common.bash"
tests="$(dirname "$binary")/tessellon_tests"
gallery="$output/all-dialogs"
mkdir -p "$gallery"
rm -f "$gallery"/*.png

# --- 1. Every dialog, in-process on the X display -------------------------
TESSELLON_SHOTS_DIR="$gallery" "${preload[@]}" "$tests" \
    --gtest_filter='DialogGalleryTest.*' >"$output/dialog_gallery.log" 2>&1 ||
    fail "the dialog gallery failed: $(tail -n 20 "$output/dialog_gallery.log")"
for name in text_prompt resize_paper edit_object_line edit_object_rect edit_object_circle \
    edit_object_text edit_object_refused open_file save_file folder_browser color_dialog \
    message_yes_no message_yes_no_cancel message_ok; do
    shot="$gallery/$name.png"
    [[ -s "$shot" ]] || fail "no picture of $name"
    # The dialog face is light grey; the dimmed window around it is dark.
    face=$(convert "$shot" -colorspace gray -threshold 90% -format "%[fx:round(mean*w*h)]" info:)
    ((face > 20000)) || fail "$name shows no dialog ($face light pixels)"
done
echo "dialog gallery: $(ls "$gallery" | wc -l) pictures in $gallery"

# --- 2. Edit Object in the real program with real input --------------------
paper="$home/empty.tsln"
write_empty_paper "$paper"
shot="$output/edit_object_real.png"

drag() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.2
    xdotool mousemove --window "$window" $((($1 + $3) / 2)) $((($2 + $4) / 2))
    sleep 0.2
    xdotool mousemove --window "$window" "$3" "$4"
    sleep 0.2
    xdotool mouseup 1
    sleep 0.7
}
drawn_at() {
    local colour r g b
    colour=$(colour_at "$1" "$2")
    IFS=, read -r r g b <<<"$colour"
    ((r > 200 && b > 200))
}

"${preload[@]}" "$binary" "$paper" &
pid=$!
window=$(timeout 30 xdotool search --sync --name '^Tessellon/Linux64' | head -n 1) ||
    fail "no Tessellon window appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"

select_button=(22 70)
line_button=(64 70)
if ! wait_for_paper; then
    echo "PASS (dialog gallery only): the program does not open a paper named on the command line yet"
    exit 0
fi

# A line from (96, 96) to (288, 96), selected with a rubber band.
click "${line_button[@]}"
click $((view_x + 96)) $((view_y + 96))
click $((view_x + 288)) $((view_y + 96))
xdotool key Escape
sleep 0.3
click "${select_button[@]}"
drag $((view_x + 72)) $((view_y + 80)) $((view_x + 310)) $((view_y + 110))

# E opens Edit Object with the first x selected: 2 ft is 192 pixels.
xdotool key e
sleep 1
import -window root "$output/edit_object_real_open.png"
xdotool type --delay 50 "2"
xdotool key Return
xdotool mousemove --window "$window" 900 600
sleep 1
import -window root "$shot"
drawn_at $((view_x + 240)) $((view_y + 96)) || fail "the edited line is not at (240, 96)"
drawn_at $((view_x + 150)) $((view_y + 96)) && fail "the line still starts at x 96"

# Ctrl+Z takes the edit back.
xdotool key ctrl+z
sleep 1
import -window root "$shot"
drawn_at $((view_x + 150)) $((view_y + 96)) || fail "undo did not bring the line back to x 96"
echo "PASS: every dialog pictured in $gallery; Edit Object edited a line and Undo restored it"
