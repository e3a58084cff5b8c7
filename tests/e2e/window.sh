#!/usr/bin/env bash
# Starts the real binary under Xvfb as `make run` does (from the source folder, no arguments):
# the window must show with its title, unresizable at its content size, a screenshot of the screen
# is kept, and Ctrl+Q must end the program with exit code 0.
# Usage: window.sh PATH/TO/tarnwhistle SOURCE_DIR SCREENSHOT.png
set -euo pipefail

fail() { echo "e2e_window: $*" >&2; exit 1; }

if [[ "${1:-}" != --inner ]]; then
    bin=$(realpath "${1:?usage: window.sh BINARY SOURCE_DIR SCREENSHOT}")
    src=$(realpath "${2:?usage: window.sh BINARY SOURCE_DIR SCREENSHOT}")
    shot=${3:?usage: window.sh BINARY SOURCE_DIR SCREENSHOT}
    mkdir -p "$(dirname "$shot")"
    shot=$(realpath -m "$shot")
    for tool in xvfb-run xdotool xprop import fc-list; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
    [[ -n "$(fc-list :lang=ja)" ]] || fail "no font with Japanese glyphs: the menus would show boxes"
    work=$(mktemp -d /tmp/tw-e2e-window-XXXXXX)
    trap 'rm -rf "$work"' EXIT
    mkdir -p "$work/home" "$work/bin" "$work/run"
    chmod 700 "$work/run"
    # Nothing may open a browser or a file manager: xdg-open only logs.
    cat >"$work/bin/xdg-open" <<STUB
#!/bin/sh
echo "\$*" >>"$work/xdg-open.log"
STUB
    chmod +x "$work/bin/xdg-open"
    export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_RUNTIME_DIR="$work/run"
    export PATH="$work/bin:$PATH"
    # Keep any sound off the speakers.
    export PULSE_SERVER=unix:/nonexistent
    export GST_PLUGIN_FEATURE_RANK="pulsesink:NONE,alsasink:NONE,pipewiresink:NONE,jackaudiosink:NONE,osssink:NONE,oss4sink:NONE"
    unset QT_QPA_PLATFORM
    rc=0
    xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" --inner "$bin" "$src" "$shot" "$work" || rc=$?
    exit "$rc"
fi

bin=$2
src=$3
shot=$4
work=$5
title='Tarnwhistle for Softmodem'
content_w=519
content_h=319

cd "$src"
"$bin" >"$work/app.log" 2>&1 &
pid=$!
cleanup_app() { kill "$pid" 2>/dev/null || true; }
trap cleanup_app EXIT

wid=""
for _ in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    [[ -n "$wid" ]] && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/app.log" >&2; fail "the program ended before its window showed"; }
    sleep 0.1
done
[[ -n "$wid" ]] || fail "no window titled '$title'"
sleep 0.5  # let the first layout and paint settle

name=$(xprop -id "$wid" WM_NAME)
[[ "$name" == *"\"$title\""* ]] || fail "WM_NAME is $name"

# The content area is exactly 519 by 319, the menu bar above it; the size is fixed.
eval "$(xdotool getwindowgeometry --shell "$wid")"
(( WIDTH == content_w )) || fail "window is $WIDTH wide, not $content_w"
(( HEIGHT > content_h && HEIGHT < content_h + 80 )) || fail "window is $HEIGHT high: no room for a menu bar above $content_h"
hints=$(xprop -id "$wid" WM_NORMAL_HINTS)
grep -q "minimum size: ${WIDTH} by ${HEIGHT}" <<<"$hints" || fail "not fixed in size: $hints"
grep -q "maximum size: ${WIDTH} by ${HEIGHT}" <<<"$hints" || fail "not fixed in size: $hints"

# Frame buttons: minimise only (Motif hints: functions, then decorations).
motif=$(xprop -id "$wid" _MOTIF_WM_HINTS)
IFS=', ' read -r -a m <<<"${motif#*= }"
(( ${#m[@]} >= 3 )) || fail "no frame hints: $motif"
functions=$(( m[1] )) decorations=$(( m[2] ))
(( functions & 0x08 )) || fail "no minimise function: $motif"
(( !(functions & 0x10) && !(functions & 0x20) )) || fail "maximise or close allowed: $motif"
(( (decorations & 0x20) && !(decorations & 0x40) )) || fail "frame buttons are not minimise only: $motif"

import -window root "$shot"
[[ -s "$shot" ]] || fail "no screenshot at $shot"

xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers --window "$wid" ctrl+q 2>/dev/null || true
sleep 0.3
# Without a window manager, a key sent to one window may need the focus given plainly.
if kill -0 "$pid" 2>/dev/null; then
    xdotool windowfocus --sync "$wid"
    xdotool key --clearmodifiers ctrl+q
fi
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q did not end the program"
trap - EXIT
rc=0
wait "$pid" || rc=$?
[[ "$rc" -eq 0 ]] || { cat "$work/app.log" >&2; fail "exit code $rc after Ctrl+Q"; }
echo "e2e_window: ok (screenshot $shot)"
