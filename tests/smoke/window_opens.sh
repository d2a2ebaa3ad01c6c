#!/usr/bin/env bash
# Starts the real program in a virtual X server with an empty home, checks that
# its window appears with the workspace and the green status strip, asks it to
# close as a window manager's close button does, and checks that it ends with
# status 0 after storing its window geometry.
# Usage: window_opens.sh TESSELLON_BINARY OUTPUT_FOLDER
set -euo pipefail

source "$(dirname "$0")/smoke_common.bash"

# The colour of one pixel of the screenshot as "r,g,b".
pixel() {
    convert "$output/window_opens.png" -format \
        "%[fx:round(255*p{$1,$2}.r)],%[fx:round(255*p{$1,$2}.g)],%[fx:round(255*p{$1,$2}.b)]" info:
}

# Sends WM_DELETE_WINDOW, the request a window manager sends for its close
# button. (xdotool can only destroy the window outright, and there is no window
# manager in the virtual server to turn a key into a close request.)
request_close() {
    python3 - "$1" <<'PYTHON'
import ctypes, sys
x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XInternAtom.restype = ctypes.c_ulong
x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]

class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]

class Event(ctypes.Union):
    _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                           ctypes.POINTER(Event)]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

display = x11.XOpenDisplay(None)
if not display:
    sys.exit("cannot open the display")
window = int(sys.argv[1])
event = Event()
event.xclient.type = 33  # ClientMessage
event.xclient.window = window
event.xclient.message_type = x11.XInternAtom(display, b"WM_PROTOCOLS", 0)
event.xclient.format = 32
event.xclient.data[0] = x11.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
event.xclient.data[1] = 0  # CurrentTime
x11.XSendEvent(display, window, 0, 0, ctypes.byref(event))
x11.XFlush(display)
x11.XCloseDisplay(display)
PYTHON
}

config="$home/.config/Tessellon"

"${preload[@]}" "$binary" &
pid=$!

window=$(timeout 30 xdotool search --sync --name '^Tessellon/Linux64$' | head -n 1) ||
    fail "no window titled Tessellon/Linux64 appeared"
[[ -n "$window" ]] || fail "no window found"

eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window at $X,$Y size ${WIDTH}x$HEIGHT"
((WIDTH >= 1024 && HEIGHT >= 768)) || fail "window is ${WIDTH}x$HEIGHT"

# The first frames may take a while in a slow (sanitizer) build.
for _ in $(seq 40); do
    sleep 0.5
    import -window root "$output/window_opens.png"
    workspace=$(pixel $((X + WIDTH / 2)) $((Y + HEIGHT / 2)))
    strip=$(pixel $((X + WIDTH - 5)) $((Y + HEIGHT - 3)))
    [[ "$workspace" == "33,40,48" && "$strip" == "0,128,0" ]] && break
done
[[ "$workspace" == "33,40,48" ]] || fail "workspace colour is $workspace"
[[ "$strip" == "0,128,0" ]] || fail "status strip colour is $strip"

request_close "$window"
status=0
timeout 20 tail --pid="$pid" -f /dev/null || fail "the program did not end after the close request"
wait "$pid" || status=$?
pid=
((status == 0)) || fail "exit status $status"

settings=$(tr -d '\r' <"$config/settings.conf")
for key in last_x last_y last_w last_h; do
    grep -q "^$key=-\?[0-9]\+$" <<<"$settings" || fail "settings.conf lacks $key: $settings"
done
grep -q "^last_w=$WIDTH$" <<<"$settings" || fail "stored width differs: $settings"
grep -q "^Ready to go!$" "$config/tessellon.log" || fail "log lacks Ready to go!"
echo "PASS: window opened, drew the workspace and status strip, closed with status 0"
