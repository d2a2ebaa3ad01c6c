# Shared by the smoke tests: the virtual X server, the program under test and
# what a person would do to its window. Source it, then call smoke_start "$@".

# Re-runs the calling script inside a virtual X server, once.
# Usage: smoke_in_xvfb "$0" BINARY OUTPUT_FOLDER
smoke_in_xvfb() {
    local script=$1
    shift
    if [[ -z "${TESSELLON_SMOKE_IN_XVFB:-}" ]]; then
        exec env TESSELLON_SMOKE_IN_XVFB=1 xvfb-run -a -s "-screen 0 1280x1024x24" \
            bash "$script" "$@"
    fi
}

# Sets `binary`, `output` (created) and `home` (a fresh folder removed at the
# end), and kills a program left running in `pid` when the script ends early.
# Usage: smoke_setup BINARY OUTPUT_FOLDER
smoke_setup() {
    binary=$(realpath "$1")
    output=$(mkdir -p "$2" && realpath "$2")
    home=$(mktemp -d)
    pid=
    trap smoke_cleanup EXIT
}

smoke_cleanup() {
    if [[ -n "$pid" ]] && kill -0 "$pid" 2>/dev/null; then
        kill -9 "$pid" 2>/dev/null || true
    fi
    rm -rf "$home"
}

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

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

# The command that runs the binary: in a sanitizer build it keeps the GL driver
# loaded to the end, since the display's closing unloads it and the memory it
# still holds would then look leaked. Sets the array `launcher`.
smoke_launcher() {
    launcher=()
    if ldd "$1" | grep -q libasan; then
        local driver
        driver=$(compgen -G "/usr/lib/*/dri/swrast_dri.so" | head -n 1 || true)
        if [[ -n "$driver" ]]; then
            launcher=(env LD_PRELOAD="$driver" ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0")
        fi
    fi
}

# Waits for the program's process to end and checks its exit status.
# Usage: expect_exit PID STATUS
expect_exit() {
    local status=0
    timeout 20 tail --pid="$1" -f /dev/null || fail "the program did not end"
    wait "$1" || status=$?
    ((status == $2)) || fail "exit status $status, expected $2"
}
