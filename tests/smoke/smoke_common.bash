# Shared by the smoke scripts (sourced, not run as a test of its own): runs the
# calling script inside a virtual X server, gives it an empty home that is
# removed at the end together with the program if it still runs, and works out
# how to start the program under the sanitizer.
# Expects: $0 the calling script, $1 the program, $2 the output folder.
# Sets: binary, output, home, pid (set it after starting the program), preload.

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

export HOME="$home" XDG_CONFIG_HOME="$home/.config" SDL_VIDEODRIVER=x11

# In a sanitizer build, keep the GL driver loaded to the end: the display's
# closing unloads it, and the memory it still holds would then look leaked.
preload=()
if ldd "$binary" | grep -q libasan; then
    driver=$(compgen -G "/usr/lib/*/dri/swrast_dri.so" | head -n 1 || true)
    if [[ -n "$driver" ]]; then
        preload=(env LD_PRELOAD="$driver" ASAN_OPTIONS="${ASAN_OPTIONS:-}:verify_asan_link_order=0")
    fi
fi
