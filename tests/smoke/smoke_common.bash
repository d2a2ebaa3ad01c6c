# Shared by the smoke scripts (sourced, not run as a test of its own): runs the
# calling script inside a virtual X server, gives it an empty home that is
# removed at the end together with the program if it still runs, and works out
# how to start the program under the sanitizer.
# Expects: $0 the calling script, $1 the program, $2 the output folder.
# Sets: binary, output, home, pid (set it after starting the program), preload.
# Defines: fail, pixel, request_close, wait_for_window_named, wait_for_top_window,
# expect_exit.

binary=$(realpath "$1")
output=$(mkdir -p "$2" && realpath "$2")

if [[ -z "${TESSELLON_SMOKE_IN_XVFB:-}" ]]; then
    exec env TESSELLON_SMOKE_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
        bash "$0" "$binary" "$output"
fi

home=$(mktemp -d)
pid=
cleanup() {
    if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -rf "$home"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_STATE_HOME="$home/.local/state" SDL_VIDEODRIVER=x11

# In a sanitizer build, keep the GL driver loaded to the end: the display's
# closing unloads it, and the memory it still holds would then look leaked.
# Leaks are not looked for here: under a real display the system libraries
# (D-Bus, X11, the GL driver) keep memory whose allocation stacks cannot be
# traced through them, so a report now and then names no library and no
# suppression can match it. The in-process window tests run the same code
# under the dummy driver with leak checking on; memory errors and undefined
# behaviour are still caught here.
preload=()
# The whole listing is read first: with pipefail, `ldd | grep -q` fails now and
# then when grep stops reading at the match and ldd dies writing the rest.
libraries=$(ldd "$binary")
if [[ "$libraries" == *libasan* ]]; then
    asan_options="${ASAN_OPTIONS:-}:detect_leaks=0"
    preload=(env ASAN_OPTIONS="$asan_options")
    driver=$(compgen -G "/usr/lib/*/dri/swrast_dri.so" | head -n 1 || true)
    if [[ -n "$driver" ]]; then
        preload=(env LD_PRELOAD="$driver" ASAN_OPTIONS="$asan_options:verify_asan_link_order=0")
    fi
fi

# The colour of one pixel of a screenshot as "r,g,b".
# Usage: pixel FILE X Y
pixel() {
    convert "$1" -format \
        "%[fx:round(255*p{$2,$3}.r)],%[fx:round(255*p{$2,$3}.g)],%[fx:round(255*p{$2,$3}.b)]" info:
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

# Waits for a window whose title matches the pattern and prints its id. Tried
# again and again rather than with `xdotool search --sync`, which gives up with
# an X error when a window it looks at goes away meanwhile (SDL makes and drops
# one of its own at start-up).
wait_for_window_named() {
    local id
    for _ in $(seq 120); do
        id=$(xdotool search --name "$1" 2>/dev/null | head -n 1) || true
        [[ -n "$id" ]] && echo "$id" && return 0
        sleep 0.25
    done
    return 1
}

# Waits for a top-level window of exactly that title and prints its id. (SDL's
# message box sets no window class, and xdotool's search passes such windows by.)
wait_for_top_window() {
    local id
    for _ in $(seq 80); do
        id=$(xwininfo -root -children | grep -F "\"$1\":" | awk '{ print $1; exit }')
        [[ -n "$id" ]] && echo "$id" && return 0
        sleep 0.25
    done
    return 1
}

# Waits for the program's process to end and checks its exit status.
# Usage: expect_exit PID STATUS
expect_exit() {
    local status=0
    timeout 60 tail --pid="$1" -f /dev/null || fail "the program did not end"
    wait "$1" || status=$?
    ((status == $2)) || fail "exit status $status, expected $2"
}

# --- Helpers for scripts that drive a paper with xdotool -------------------
# They use $window, its geometry $X and $Y (from `xdotool getwindowgeometry
# --shell`), and $shot, the screenshot file.

# Writes an empty 11 x 8.5 inch paper to $1, stored uncompressed: magic,
# version 3 with the uncompressed flag, size 1056 x 816, feet, 4 blocks per
# unit, 4 lines per inch, the dark palette, no drawing colour, no hidden layer,
# no image, no objects.
write_empty_paper() {
    printf 'TSPF\x83\xa0\x08\xb0\x06\x00\x04\x04\x21\x28\x30\xff\x00\x00\x00\xff\xff\xff\xff\xff' >"$1"
    printf '\x00\x00\x00\x00' >>"$1"
    printf '\x00%.0s' {1..16} >>"$1"
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x00\xff\x00' >>"$1"
    (($(stat -c %s "$1") == 55)) || fail "the test paper is $(stat -c %s "$1") bytes"
}

# "r,g,b" of the screenshot at window point ($1, $2).
colour_at() {
    pixel "$shot" $(($1 + X)) $(($2 + Y))
}

click() {
    xdotool mousemove --window "$window" "$1" "$2"
    sleep 0.2
    xdotool click 1
    # Far enough apart in time that no two clicks make a double click.
    sleep 0.7
}

# The layout of a 1024-pixel-wide window: a 23-pixel menu bar, the toolbox 86
# pixels wide, its tool rows from y 50 and 43 pixels apart in two columns.
view_x=86
view_y=23

# Waits until the paper view shows a paper's grid (a black line every 24
# pixels); false when none appears.
wait_for_paper() {
    for _ in $(seq 40); do
        sleep 0.5
        import -window root "$shot"
        if [[ "$(colour_at $((view_x + 24)) $((view_y + 100)))" == "0,0,0" ]]; then
            return 0
        fi
    done
    return 1
}
