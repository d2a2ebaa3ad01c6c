#!/usr/bin/env bash
# Two copies of the real program in one virtual X server, as a user runs them
# side by side: a line drawn in the first is selected with Ctrl+A and copied
# with Ctrl+C; the second pastes it with Ctrl+V at the pointer over its own
# paper and saves with Ctrl+S. The saved document must hold the line there.
# Usage: pastes_between_programs.sh TESSELLON_BINARY OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/smoke_common.bash"
shot="$output/pastes_between_programs.png"

source_paper="$home/from.tsln"
target_paper="$home/to.tsln"
write_empty_paper "$source_paper"
write_empty_paper "$target_paper"

first=
stop_first() {
    if [[ -n "$first" ]] && kill -0 "$first" 2>/dev/null; then
        kill -9 "$first" 2>/dev/null || true
    fi
}
trap 'stop_first; cleanup' EXIT

# Keys go to the window under the pointer (there is no window manager).
keys() {
    xdotool mousemove --window "$window" 900 600
    sleep 0.2
    xdotool key "$@"
    sleep 0.5
}

# Starts the program on the paper $1 (its process id in $started) and waits
# until its window shows the paper.
started=
start_on() {
    local name
    name=$(basename "$1")
    "${preload[@]}" "$binary" "$1" &
    started=$!
    window=$(wait_for_window_named "^Tessellon/Linux64 - \\[${name//./\\.}\\]\$") ||
        fail "no window for $name appeared"
    eval "$(xdotool getwindowgeometry --shell "$window")"
    wait_for_paper || fail "$name is not shown"
}

start_on "$source_paper"
first=$started

# A line from (96, 96) to (288, 96) in paper pixels, then all of layer 1 copied.
click 64 70
click $((view_x + 96)) $((view_y + 96))
click $((view_x + 288)) $((view_y + 96))
keys Escape
keys ctrl+a ctrl+c

# The second program opens on top of the first, which keeps the clipboard.
start_on "$target_paper"
pid=$started

# Pasted with the pointer on the grid point (192, 144): the line starts there.
xdotool mousemove --window "$window" $((view_x + 192)) $((view_y + 144))
sleep 0.5
xdotool key ctrl+v
sleep 1
xdotool key ctrl+s
sleep 1
import -window root "$shot"

info=$("${preload[@]}" "$binary" --info "$target_paper") || fail "the saved paper does not load"
grep -q '"kindName": "Line".*"x1": 192, "y1": 144, "x2": 384, "y2": 144' <<<"$info" ||
    fail "the pasted line is not in the saved paper at the pointer: $info"

request_close "$window"
expect_exit "$pid" 0
pid=
echo "PASS: a line copied in one program was pasted in another at the pointer and saved"
