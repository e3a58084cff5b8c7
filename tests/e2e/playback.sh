#!/usr/bin/env bash
# Drives the real binary under Xvfb with a PulseAudio server of its own, and captures what its
# default sink plays while the window plays: "Generate" after a few idle seconds, "Generate"
# again, and keypad 5. The capture must decode to each whole payload, line feeds included, and
# hold every sample of each file. Quits with Ctrl+Q, expecting exit code 0. Two sinks, one run each:
#   monitor  a null sink whose monitor is recorded all along, as a receiver on a loopback would
#   device   a pipe sink played at the pace of the clock, as a sound card is, and suspended
#            whenever idle for a second, so that every play starts by waking it
# Usage: playback.sh PATH/TO/tarnwhistle   (TW_E2E_TRACE=1 traces the driven steps)
set -euo pipefail

e2e_name=e2e_playback
# shellcheck source-path=SCRIPTDIR source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

if [[ "${1:-}" != --inner ]]; then
    bin=$(realpath "${1:?usage: playback.sh BINARY}")
    require_tools xvfb-run xdotool minimodem pulseaudio parec pactl od awk
    enter_sandbox /tmp/tw-e2e-play-XXXXXX
    rerun_under_xvfb "$bin" "$work"
fi

bin=$2
work=$3
rate=29400
sink=tw_sink

# A server for this run only: its socket in the sandbox, the null sink at the files' own rate so
# samples can be counted one for one. Root is allowed in user mode with a warning; realtime and
# the CPU limit are off so a loaded machine does not get it killed; stdin is closed (none in CI).
start_sound_server() {
    local mode=$1 sink_module
    pulse_dir="$work/run/pulse"
    mkdir -p "$pulse_dir"
    if [[ $mode == monitor ]]; then
        sink_module="module-null-sink sink_name=$sink rate=$rate channels=1 format=s16le"
    else
        # Paced by the clock, as a sound card would be, however fast the reader drains it.
        sink_module="module-pipe-sink sink_name=$sink file=$work/sink.fifo rate=$rate channels=1 format=s16le use_system_clock_for_timing=yes"
    fi
    pulseaudio --daemonize=no --system=false -n --exit-idle-time=-1 --disallow-exit \
        --use-pid-file=no --realtime=no --high-priority=no --no-cpu-limit=yes \
        --log-target=stderr \
        --load="$sink_module" --load="module-suspend-on-idle timeout=1" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$pulse_dir/native" \
        </dev/null >"$work/pulseaudio.log" 2>&1 &
    pulse_pid=$!
    export PULSE_SERVER="unix:$pulse_dir/native"
    for _ in $(seq 1 100); do
        pactl info >/dev/null 2>&1 && break
        kill -0 "$pulse_pid" 2>/dev/null || { cat "$work/pulseaudio.log" >&2; fail "pulseaudio did not start"; }
        sleep 0.1
    done
    pactl info >/dev/null 2>&1 || { cat "$work/pulseaudio.log" >&2; fail "pulseaudio does not answer"; }
    pactl set-default-sink "$sink"
    # Only the pulse sink may be chosen now; every other real sink stays ranked out.
    export GST_PLUGIN_FEATURE_RANK="alsasink:NONE,pipewiresink:NONE,jackaudiosink:NONE,osssink:NONE,oss4sink:NONE"
}
stop_all() {
    [[ -n "${rec_pid:-}" ]] && kill "$rec_pid" 2>/dev/null
    [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null
    [[ -n "${pulse_pid:-}" ]] && kill "$pulse_pid" 2>/dev/null
    wait 2>/dev/null
    rec_pid="" pid="" pulse_pid=""
    true
}

# Captures what the sink plays, as raw 16-bit samples, into $2 until stop_capture.
start_capture() {
    local mode=$1
    if [[ $mode == monitor ]]; then
        parec -d "$sink.monitor" --latency-msec=5 --rate=$rate --channels=1 --format=s16le \
            --raw "$2" &
        rec_pid=$!
        for _ in $(seq 1 50); do
            [[ -n "$(pactl list short source-outputs)" ]] && break
            sleep 0.1
        done
        [[ -n "$(pactl list short source-outputs)" ]] || fail "parec did not connect"
    else
        cat "$work/sink.fifo" > "$2" &
        rec_pid=$!
    fi
}
stop_capture() {
    # TERM: a background job of a script ignores INT.
    kill -TERM "$rec_pid"
    wait "$rec_pid" || true
    rec_pid=""
}

# Little-endian bytes of $1 as a printf format, $2 bytes wide.
le() { local v=$1 n=$2 out=""; for ((k = 0; k < n; k++)); do out+=$(printf '\\x%02x' $(((v >> (8 * k)) & 255))); done; echo "$out"; }
# Wraps the raw samples $1 in a WAV header, into $2, for minimodem.
raw_to_wav() {
    local size
    size=$(stat -c %s "$1")
    {
        printf "RIFF$(le $((size + 36)) 4)WAVEfmt $(le 16 4)$(le 1 2)$(le 1 2)"
        printf "$(le $rate 4)$(le $((rate * 2)) 4)$(le 2 2)$(le 16 2)data$(le "$size" 4)"
        cat "$1"
    } > "$2"
}

# Prints the length in samples of each sound in the raw capture $1: the samples from the first to
# the last one that is clearly not silence, sounds being apart by more than 0.1 s of silence.
sound_spans() {
    od -An -v -td2 -w2 "$1" |
        awk -v gap=$((rate / 10)) '
            $1 > 2000 || $1 < -2000 {
                if (first && NR - last > gap) { print last - first + 1; first = 0 }
                if (!first) first = NR
                last = NR
            }
            END { if (first) print last - first + 1 }'
}

# Clicks at $2,$3 and waits until the capture holds $1 sounds, then a little more than the sink
# takes to suspend: the next play starts by waking it. A sound that never comes fails later.
click_and_hear() {
    xdotool mousemove --sync $((origin_x + $2)) $((origin_y + $3))
    xdotool click 1
    for _ in $(seq 1 100); do
        (( $(sound_spans "$capture" | wc -l) >= $1 )) && break
        sleep 0.2
    done
    sleep 1.5
}

# One run of the three plays against the sink of mode $1.
play_and_check() {
    local mode=$1
    start_sound_server "$mode"
    start_capture "$mode" "$work/$mode.raw"
    start_app
    trap stop_all EXIT
    wait_for_window
    read_content_origin
    (( WIDTH >= content_w && HEIGHT > content_h )) || fail "window is ${WIDTH}x${HEIGHT}, too small"

    # Long enough for the server to have been idle and the sink suspended.
    sleep 6
    capture=$work/$mode.raw
    click_and_hear 1 275 78   # Generate
    click_and_hear 2 275 78   # Generate again
    click_and_hear 3 359 182  # keypad 5
    press_ctrl_q
    expect_exit_0_after_ctrl_q
    stop_capture

    mapfile -t spans < <(sound_spans "$work/$mode.raw")
    raw_to_wav "$work/$mode.raw" "$work/$mode.wav"
    decoded=$(minimodem --rx -q -f "$work/$mode.wav" -M 7350 -S 4900 1225 | od -An -c | tr -s ' ' || true)
    want=$(printf 'Hello!\n\nHello!\n\n5\n\n' | od -An -c | tr -s ' ')
    echo "$e2e_name ($mode): samples of each sound: ${spans[*]} (files: 3264 3264 2064)"
    echo "$e2e_name ($mode): decoded '$decoded'"
    [[ "$decoded" == "$want" ]] || { cat "$work/app.log" >&2; fail "$mode: decoded '$decoded', not '$want'"; }
    # The first sample of a file is silent (the sine starts at phase zero): the rest must all be there.
    local expected=(3263 3263 2063)
    [[ "${#spans[@]}" -eq 3 ]] || fail "$mode: ${#spans[@]} sounds, not 3"
    for i in 0 1 2; do
        (( spans[i] >= expected[i] )) || fail "$mode: sound $((i + 1)) has ${spans[i]} samples, not ${expected[i]}"
    done
    stop_all
    rm -rf "$work/run/pulse"
}

trap stop_all EXIT
play_and_check monitor
play_and_check device
echo "$e2e_name: ok"
