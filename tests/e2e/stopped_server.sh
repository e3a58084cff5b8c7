#!/usr/bin/env bash
# Drives the real binary under Xvfb while its sound server is stopped (SIGSTOP: the socket stays
# open and nothing answers, as with a wedged daemon): with a long file playing, the server is
# stopped, then Pause, keypad 5 and Generate are clicked. Each file must be written, and the
# window answer, within a second. The server is resumed and stopped afterwards; Ctrl+Q must
# still end the program with exit code 0.
# Usage: stopped_server.sh PATH/TO/tarnwhistle pulseaudio|pipewire
set -euo pipefail

e2e_name=e2e_stopped_server
# shellcheck source-path=SCRIPTDIR source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
# shellcheck source-path=SCRIPTDIR source=sound_server.sh
source "$(dirname "${BASH_SOURCE[0]}")/sound_server.sh"

if [[ "${1:-}" != --inner ]]; then
    bin=$(realpath "${1:?usage: stopped_server.sh BINARY SERVER}")
    server=${2:?usage: stopped_server.sh BINARY SERVER}
    require_tools Xvfb xdotool pactl "$server"
    [[ $server == pipewire ]] && require_tools wireplumber pipewire-pulse dbus-daemon pw-cli
    enter_sandbox /tmp/tw-e2e-stop-XXXXXX
    rerun_under_xvfb "$bin" "$work" "$server"
fi

bin=$2
work=$3
server=$4
e2e_name+=" ($server)"
folder="$HOME/Documents/Tarnwhistle"

stop_all() {
    [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null || true
    stop_sound_server
    wait 2>/dev/null
    pid=""
    true
}

click() {
    xdotool mousemove --sync $((origin_x + $1 + 1)) $((origin_y + $2 + 1))
    xdotool mousemove --sync $((origin_x + $1)) $((origin_y + $2))
    xdotool click 1
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }
playing() { [[ -n "$(pactl list short sink-inputs)" ]]; }

# Clicks at $2,$3 and expects the file $1 written within a second.
click_and_expect_file() {
    local file=$folder/$1 start
    rm -f "$file"
    start=$(now_ms)
    click "$2" "$3"
    while [[ ! -s "$file" ]] && (($(now_ms) - start < 5000)); do sleep 0.05; done
    [[ -s "$file" ]] || { cat "$work/app.log" >&2; fail "no $1 written 5 s after the click"; }
    echo "$e2e_name: $1 written $(($(now_ms) - start)) ms after the click"
    (($(now_ms) - start < 1000)) || fail "$1 took more than a second"
}

start_sound_server "$server"
trap stop_all EXIT
add_sink module-null-sink
start_app
trap stop_all EXIT
wait_for_window
read_content_origin

# A long prefix makes a file of a few seconds under the same name.
click 132 208
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 1 "$(printf 'U%.0s' $(seq 1 300))"
click 275 78 # Generate
poll_until "the play reaching the server" playing
kill -STOP "$server_pid"

click 331 78 # the player's Pause
click_and_expect_file 5br1225sr29400hi7350lo4900.wav 359 182
click_and_expect_file 'Hello!br1225sr29400hi7350lo4900.wav' 275 78
# The window still takes input at once: the prefix emptied, the next file is short.
click 132 208
xdotool key --clearmodifiers ctrl+a BackSpace
click_and_expect_file 'Hello!br1225sr29400hi7350lo4900.wav' 275 78
size=$(stat -c %s "$folder/Hello!br1225sr29400hi7350lo4900.wav")
[[ $size -eq 3308 ]] || fail "the prefix typed after the stop did not reach the file ($size bytes)"

kill -CONT "$server_pid"
stop_sound_server
press_ctrl_q
expect_exit_0_after_ctrl_q
echo "$e2e_name: ok"
