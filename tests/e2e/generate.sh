#!/usr/bin/env bash
# Drives the real binary under Xvfb: clicks "Generate", checks the written file decodes to the
# initial payload, then quits with Ctrl+Q and expects exit code 0.
# Usage: generate.sh PATH/TO/tarnwhistle   (TW_E2E_TRACE=1 traces the driven steps)
set -euo pipefail

e2e_name=e2e_generate
# shellcheck source-path=SCRIPTDIR source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

if [[ "${1:-}" != --inner ]]; then
    bin=$(realpath "${1:?usage: generate.sh BINARY}")
    require_tools Xvfb xdotool minimodem
    enter_sandbox /tmp/tw-e2e-XXXXXX
    rerun_under_xvfb "$bin" "$work"
fi

bin=$2
work=$3
expected_name='Hello!br1225sr29400hi7350lo4900.wav'
out="$HOME/Documents/Tarnwhistle/$expected_name"

start_app
wait_for_window

read_content_origin
(( WIDTH >= content_w && HEIGHT > content_h )) || fail "window is ${WIDTH}x${HEIGHT}, too small"
click_x=$(( origin_x + 235 + 40 ))
click_y=$(( origin_y + 68 + 10 ))

xdotool mousemove --sync "$click_x" "$click_y"
xdotool click 1

file_written() { [[ -f "$out" ]] && [[ $(stat -c %s "$out") -eq 3308 ]]; }
wait_until 30 file_written || true
[[ -f "$out" ]] || { ls -laR "$HOME" >&2; cat "$work/app.log" >&2; fail "no $expected_name after the click"; }
size=$(stat -c %s "$out")
[[ "$size" -eq 3308 ]] || fail "$expected_name has $size bytes, not 3308"

decoded=$(minimodem --rx -q -f "$out" -M 7350 -S 4900 1225 | od -An -c | tr -s ' ')
want=$(printf 'Hello!\n\n' | od -An -c | tr -s ' ')
[[ "$decoded" == "$want" ]] || fail "minimodem decoded '$decoded', not '$want'"

press_ctrl_q
expect_exit_0_after_ctrl_q
echo "e2e_generate: ok"
