#!/usr/bin/env bash
# Starts the real program in a virtual X server with an empty home, checks that
# its window appears with the workspace and the green status strip, resizes it,
# asks it to close as a window manager's close button does, and checks that it
# ends with status 0 after storing its window geometry.
# Usage: window_opens.sh TESSELLON_BINARY OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/smoke_common.bash"
shot="$output/window_opens.png"

config="$home/.config/Tessellon"

"${preload[@]}" "$binary" &
pid=$!

window=$(timeout 60 xdotool search --sync --name '^Tessellon/Linux64$' | head -n 1) ||
    fail "no window titled Tessellon/Linux64 appeared"
[[ -n "$window" ]] || fail "no window found"

eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window at $X,$Y size ${WIDTH}x$HEIGHT"
((WIDTH >= 1024 && HEIGHT >= 768)) || fail "window is ${WIDTH}x$HEIGHT"

# The first frames may take a while in a slow (sanitizer) build.
for _ in $(seq 40); do
    sleep 0.5
    import -window root "$shot"
    workspace=$(pixel "$shot" $((X + WIDTH / 2)) $((Y + HEIGHT / 2)))
    strip=$(pixel "$shot" $((X + WIDTH - 5)) $((Y + HEIGHT - 3)))
    [[ "$workspace" == "33,40,48" && "$strip" == "0,128,0" ]] && break
done
[[ "$workspace" == "33,40,48" ]] || fail "workspace colour is $workspace"
[[ "$strip" == "0,128,0" ]] || fail "status strip colour is $strip"

# Resizable: the window asks for no fixed size, and a new size is taken up
# and stored at exit.
if xprop -id "$window" WM_NORMAL_HINTS | grep "maximum size" >/dev/null; then
    fail "the window has a fixed size: $(xprop -id "$window" WM_NORMAL_HINTS)"
fi
xdotool windowsize "$window" 1100 800
for _ in $(seq 20); do
    sleep 0.25
    eval "$(xdotool getwindowgeometry --shell "$window")"
    ((WIDTH == 1100 && HEIGHT == 800)) && break
done
((WIDTH == 1100 && HEIGHT == 800)) || fail "resized window is ${WIDTH}x$HEIGHT"
sleep 0.5

request_close "$window"
expect_exit "$pid" 0
pid=

settings=$(tr -d '\r' <"$config/settings.conf")
for key in last_x last_y last_w last_h; do
    grep -q "^$key=-\?[0-9]\+$" <<<"$settings" || fail "settings.conf lacks $key: $settings"
done
grep -q "^last_w=1100$" <<<"$settings" || fail "stored width differs: $settings"
grep -q "^Ready to go!$" "$config/tessellon.log" || fail "log lacks Ready to go!"
echo "PASS: window opened, drew the workspace and status strip, closed with status 0"
