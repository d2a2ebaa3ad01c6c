#!/usr/bin/env bash
# Draws a line on a document in the real program (autosaving every 5 seconds),
# kills the program with SIGKILL once the interval has passed, starts it again
# and answers Yes to the offer of recovery: the paper must come back with the
# line, named as before and modified (closing asks about saving), while the
# document itself stays untouched until that save.
# Usage: recovers_after_kill.sh TESSELLON_BINARY OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/smoke_common.bash"
shot="$output/recovers_after_kill.png"

paper="$home/plan.tsln"
write_empty_paper "$paper"
cp "$paper" "$home/plan.before"
mkdir -p "$XDG_CONFIG_HOME/Tessellon"
printf '[autosave]\ninterval_seconds = 5\n' >"$XDG_CONFIG_HOME/Tessellon/settings.conf"
recovery="$XDG_STATE_HOME/Tessellon/recovery"
title='^Tessellon/Linux64 - \[plan\.tsln\]$'
# A recovered paper holds unsaved changes, and its title says so.
recovered_title='^Tessellon/Linux64 - \[plan\.tsln\] \*$'

recovery_files() {
    find "$recovery" -name '*.recovery' 2>/dev/null | wc -l
}

untouched() {
    cmp -s "$paper" "$home/plan.before" || fail "the document was written before it was saved ($1)"
}

"${preload[@]}" "$binary" "$paper" &
pid=$!
window=$(wait_for_window_named "$title") || fail "no window for plan.tsln appeared"
eval "$(xdotool getwindowgeometry --shell "$window")"
wait_for_paper || fail "the paper did not appear"

# A line from (96, 96) to (288, 96) in paper pixels: the line tool, two clicks.
click 64 70
click $((view_x + 96)) $((view_y + 96))
click $((view_x + 288)) $((view_y + 96))
xdotool key Escape

# Within the interval and a little more the change is on disk; then the kill.
for _ in $(seq 40); do
    (($(recovery_files) > 0)) && break
    sleep 0.25
done
(($(recovery_files) == 1)) || fail "no recovery file 10 s after the change"
sleep 1
kill -KILL "$pid"
wait "$pid" 2>/dev/null || true
pid=
untouched "after the kill"

"${preload[@]}" "$binary" &
pid=$!
box=$(wait_for_top_window "Recover papers?") || fail "the restarted program offered no recovery"
sleep 0.5
import -window root "$output/recovers_after_kill_offer.png"
xdotool key --window "$box" Return
window=$(wait_for_window_named "$recovered_title") ||
    fail "the recovered paper is not named plan.tsln and marked unsaved"
eval "$(xdotool getwindowgeometry --shell "$window")"
wait_for_paper || fail "the recovered paper is not shown"
xdotool mousemove --window "$window" 900 600
sleep 1
import -window root "$shot"
colour=$(colour_at $((view_x + 190)) $((view_y + 96)))
IFS=, read -r r g b <<<"$colour"
((r > 200 && g > 200 && b > 200)) || fail "the line is not on the recovered paper: $colour"
untouched "after the recovery"

# The recovered paper is modified: closing asks, and Return saves it.
request_close "$window"
box=$(wait_for_top_window "Save file?") || fail "closing did not ask about the recovered change"
xdotool key --window "$box" Return
expect_exit "$pid" 0
pid=

info=$("${preload[@]}" "$binary" --info "$paper") || fail "the saved document does not load"
grep -q '"objects": \[\]' <<<"$info" && fail "the line was not saved: $info"
(($(recovery_files) == 0)) || fail "recovery files are left after the save"
echo "PASS: killed after a change, recovered with the change, saved only when asked"
