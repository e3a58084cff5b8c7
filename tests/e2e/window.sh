#!/usr/bin/env bash
# Starts the real binary under Xvfb as `make run` does (from the source folder, no arguments):
# the window must show with its title, unresizable at its content size, a screenshot of the screen
# is kept, and Ctrl+Q must end the program with exit code 0.
# Usage: window.sh PATH/TO/tarnwhistle SOURCE_DIR SCREENSHOT.png
set -euo pipefail

e2e_name=e2e_window
# shellcheck source-path=SCRIPTDIR source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

if [[ "${1:-}" != --inner ]]; then
    bin=$(realpath "${1:?usage: window.sh BINARY SOURCE_DIR SCREENSHOT}")
    src=$(realpath "${2:?usage: window.sh BINARY SOURCE_DIR SCREENSHOT}")
    shot=${3:?usage: window.sh BINARY SOURCE_DIR SCREENSHOT}
    mkdir -p "$(dirname "$shot")"
    shot=$(realpath -m "$shot")
    require_tools Xvfb xdotool xprop import fc-list
    [[ -n "$(fc-list :lang=ja)" ]] || fail "no font with Japanese glyphs: the menus would show boxes"
    enter_sandbox /tmp/tw-e2e-window-XXXXXX
    rerun_under_xvfb "$bin" "$src" "$shot" "$work"
fi

bin=$2
src=$3
shot=$4
work=$5

cd "$src"
start_app
wait_for_window

name=$(xprop -id "$wid" WM_NAME)
[[ "$name" == *"\"$title\""* ]] || fail "WM_NAME is $name"

# The content area is exactly 519 by 319, the menu bar above it; the size is fixed.
read_content_origin
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

focus_window
xdotool key --clearmodifiers --window "$wid" ctrl+q 2>/dev/null || true
# Without a window manager, a key sent to one window may need the focus given plainly.
if ! wait_until 5 program_ended; then
    xdotool windowfocus --sync "$wid"
    xdotool key --clearmodifiers ctrl+q
fi
expect_exit_0_after_ctrl_q
echo "e2e_window: ok (screenshot $shot)"
