#!/usr/bin/env bash
# Installs the built program into a temporary prefix and checks what a Linux
# desktop needs of it: the program runs from anywhere with its installed
# resources, the desktop entry is valid, the manual page renders, the file type
# is recognised by name and by content, and the thumbnailer's command works.
# Usage: check_install.sh CMAKE BUILD_FOLDER WORK_FOLDER
set -euo pipefail
cmake_command=$1
build=$2
work=$3
app_id=com.velmora.Tessellon

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/home" "$work/elsewhere"
prefix=$work/prefix
"$cmake_command" --install "$build" --prefix "$prefix" >"$work/install.log" ||
    fail "cmake --install (see $work/install.log)"

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_STATE_HOME=$work/home/.local/state SDL_VIDEODRIVER=dummy
unset DISPLAY WAYLAND_DISPLAY

# --- The installed tree ------------------------------------------------------
share=$prefix/share
for file in "bin/tessellon" "share/applications/$app_id.desktop" \
    "share/mime/packages/$app_id.xml" "share/thumbnailers/$app_id.thumbnailer" \
    "share/man/man1/tessellon.1" "share/icons/hicolor/scalable/apps/$app_id.svg" \
    "share/tessellon/help/index.html" "share/tessellon/images/tool_line.png" \
    "share/tessellon/fonts/menu.ttf" "share/tessellon/fonts/cad.ttf"; do
    [[ -s "$prefix/$file" ]] || fail "missing or empty: $file"
done
for size in 16 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/$app_id.png
    [[ "$(python3 "$(dirname "$0")/png_size.py" "$icon")" == "$size $size" ]] ||
        fail "icon $icon is not $size x $size"
done
desktop-file-validate "$share/applications/$app_id.desktop" || fail "desktop entry"
grep -qx 'Exec=tessellon %F' "$share/applications/$app_id.desktop" || fail "Exec line"

man_text=$(MANWIDTH=80 man -l "$share/man/man1/tessellon.1" 2>"$work/man.err") ||
    fail "man -l: $(cat "$work/man.err")"
[[ ! -s "$work/man.err" ]] || fail "man -l warns: $(cat "$work/man.err")"
for word in --export --thumbnail --info "EXIT STATUS" user_resources; do
    grep -q -- "$word" <<<"$man_text" || fail "manual page lacks $word"
done

# --- The installed program, run from another folder ----------------------------
cd "$work/elsewhere"
"$prefix/bin/tessellon" --version | grep -q '^Tessellon [0-9]' || fail "--version"
# An empty letter paper in the uncompressed form: "TSPF", version 3 | 0x80, fields.
python3 - plan.tsln <<'PY'
import sys

def vlq(value):
    out = bytearray()
    while True:
        byte = value & 0x7F
        value >>= 7
        out.append(byte | (0x80 if value else 0))
        if not value:
            return bytes(out)

body = (vlq(816) + vlq(1056) + vlq(1) + vlq(1) + vlq(4)
        + bytes([255, 255, 255, 255, 160, 200, 240, 255, 0, 0, 0, 255, 0, 0, 0, 0])
        + bytes(16) + vlq(0) + bytes(8) + bytes([255]) + vlq(0))
open(sys.argv[1], "wb").write(b"TSPF\x83" + body)
PY
"$prefix/bin/tessellon" --export plan.png --color plan.tsln || fail "--export"
[[ "$(python3 "$(dirname "$0")/png_size.py" plan.png)" == "816 1056" ]] || fail "export size"

# --- The file type -------------------------------------------------------------
update-mime-database "$share/mime" || fail "update-mime-database"
cp plan.tsln plan-without-extension
for file in plan.tsln plan-without-extension; do
    type=$(env -i PATH="$PATH" HOME="$HOME" XDG_DATA_HOME="$share" XDG_DATA_DIRS="$share" \
        xdg-mime query filetype "$file") || fail "xdg-mime query filetype $file"
    [[ "$type" == application/x-tessellon* ]] || fail "$file is $type"
done

# --- The thumbnailer -------------------------------------------------------------
exec_line=$(sed -n 's/^Exec=//p' "$share/thumbnailers/$app_id.thumbnailer")
[[ -n "$exec_line" ]] || fail "thumbnailer has no Exec line"
read -r -a command <<<"$exec_line"
for index in "${!command[@]}"; do
    case "${command[$index]}" in
    %s) command[index]=128 ;;
    %i) command[index]=$PWD/plan.tsln ;;
    %o) command[index]=$PWD/thumbnail.png ;;
    esac
done
PATH="$prefix/bin:$PATH" "${command[@]}" || fail "thumbnailer: ${command[*]}"
read -r width height <<<"$(python3 "$(dirname "$0")/png_size.py" thumbnail.png)"
((width <= 128 && height == 128)) || fail "thumbnail is $width x $height"

echo "install check passed"
