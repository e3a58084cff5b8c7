#!/usr/bin/env bash
# Drives the real binary under Xvfb: clicks "Generate", checks the written file decodes to the
# initial payload, then quits with Ctrl+Q and expects exit code 0.
# Usage: generate.sh PATH/TO/tarnwhistle   (TW_E2E_TRACE=1 traces the driven steps)
set -euo pipefail

fail() { echo "e2e_generate: $*" >&2; exit 1; }

if [[ "${1:-}" != --inner ]]; then
    bin=$(realpath "${1:?usage: generate.sh BINARY}")
    for tool in xvfb-run xdotool minimodem; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
    work=$(mktemp -d /tmp/tw-e2e-XXXXXX)
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
    # Keep playback off the speakers: no sound server, and every real sink ranked out.
    export PULSE_SERVER=unix:/nonexistent
    export GST_PLUGIN_FEATURE_RANK="pulsesink:NONE,alsasink:NONE,pipewiresink:NONE,jackaudiosink:NONE,osssink:NONE,oss4sink:NONE"
    unset QT_QPA_PLATFORM
    rc=0
    xvfb-run -a -s "-screen 0 1024x768x24" bash ${TW_E2E_TRACE:+-x} "$0" --inner "$bin" "$work" || rc=$?
    exit "$rc"
fi

bin=$2
work=$3
expected_name='Hello!br1225sr29400hi7350lo4900.wav'
out="$HOME/Documents/Tarnwhistle/$expected_name"
content_w=519
content_h=319

"$bin" >"$work/app.log" 2>&1 &
pid=$!
cleanup_app() { kill "$pid" 2>/dev/null || true; }
trap cleanup_app EXIT

wid=""
for _ in $(seq 1 100); do
    wid=$(xdotool search --onlyvisible --name '^Tarnwhistle for Softmodem$' 2>/dev/null | head -n 1 || true)
    [[ -n "$wid" ]] && break
    kill -0 "$pid" 2>/dev/null || { cat "$work/app.log" >&2; fail "the program ended before its window showed"; }
    sleep 0.1
done
[[ -n "$wid" ]] || fail "no window titled 'Tarnwhistle for Softmodem'"
sleep 0.5  # let the first layout settle before reading the geometry

eval "$(xdotool getwindowgeometry --shell "$wid")"
# The content area sits at the bottom of the window, under the menu bar.
(( WIDTH >= content_w && HEIGHT > content_h )) || fail "window is ${WIDTH}x${HEIGHT}, too small"
origin_x=$X
origin_y=$(( Y + HEIGHT - content_h ))
click_x=$(( origin_x + 235 + 40 ))
click_y=$(( origin_y + 68 + 10 ))

xdotool mousemove --sync "$click_x" "$click_y"
xdotool click 1

for _ in $(seq 1 100); do
    [[ -f "$out" ]] && [[ $(stat -c %s "$out") -eq 3308 ]] && break
    sleep 0.1
done
[[ -f "$out" ]] || { ls -laR "$HOME" >&2; cat "$work/app.log" >&2; fail "no $expected_name after the click"; }
size=$(stat -c %s "$out")
[[ "$size" -eq 3308 ]] || fail "$expected_name has $size bytes, not 3308"

decoded=$(minimodem --rx -q -f "$out" -M 7350 -S 4900 1225 | od -An -c | tr -s ' ')
want=$(printf 'Hello!\n\n' | od -An -c | tr -s ' ')
[[ "$decoded" == "$want" ]] || fail "minimodem decoded '$decoded', not '$want'"

xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
xdotool key --clearmodifiers ctrl+q
for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q did not end the program"
trap - EXIT
rc=0
wait "$pid" || rc=$?
[[ "$rc" -eq 0 ]] || { cat "$work/app.log" >&2; fail "exit code $rc after Ctrl+Q"; }
echo "e2e_generate: ok"
