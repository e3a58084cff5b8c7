# shellcheck shell=bash disable=SC2154  # variables shared with the sourcing script
# Shared by the tests that record what a sink plays: starting and stopping the recording (raw
# signed 16-bit mono samples at $rate into $capture, from the monitor of tw_sink or from the pipe
# sink's fifo, as $mode says), stopping everything the test started, and turning a recording into
# a WAV file that minimodem reads.

stop_all() {
    [[ -n "${rec_pid:-}" ]] && kill "$rec_pid" 2>/dev/null || true
    [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null || true
    stop_sound_server
    wait 2>/dev/null
    rec_pid="" pid=""
    true
}

# Starts a sound server with tw_sink at $rate as $mode says (monitor: a null sink; device: a pipe
# sink paced by the clock, as a sound card would be, however fast the reader drains it, and with
# $1 = suspending, suspended whenever idle for a second), records it into $work/$mode.raw, then
# starts the program and waits for its window.
record_and_start_app() {
    capture=$work/$mode.raw
    start_sound_server "$server" $rate
    trap stop_all EXIT
    if [[ $mode == monitor ]]; then
        add_sink module-null-sink rate=$rate channels=1 format=s16le
    else
        mkfifo "$work/sink.fifo"
        local suspend=()
        if [[ ${1:-} == suspending && $server == pulseaudio ]]; then
            pactl load-module module-suspend-on-idle timeout=1 >/dev/null
        elif [[ ${1:-} == suspending ]]; then
            suspend=(sink_properties=session.suspend-timeout-seconds=1)
        fi
        local clock=()
        [[ $server == pulseaudio ]] && clock=(use_system_clock_for_timing=yes)
        add_sink module-pipe-sink file="$work/sink.fifo" rate=$rate channels=1 format=s16le \
            "${clock[@]}" "${suspend[@]}"
    fi
    start_capture
    start_app
    trap stop_all EXIT
    wait_for_window
    read_content_origin
    ((WIDTH >= content_w && HEIGHT > content_h)) || fail "window is ${WIDTH}x${HEIGHT}, too small"
}

# Records what the sink plays, as raw 16-bit samples, into $capture until stop_capture.
start_capture() {
    if [[ $mode == monitor ]]; then
        parec -d tw_sink.monitor --latency-msec=5 --rate=$rate --channels=1 --format=s16le \
            --raw "$capture" &
        rec_pid=$!
        poll_until "parec connected" recording
    else
        cat "$work/sink.fifo" >"$capture" &
        rec_pid=$!
    fi
}
recording() { [[ -n "$(pactl list short source-outputs)" ]]; }
stop_capture() {
    # TERM: a background job of a script ignores INT.
    kill -TERM "$rec_pid"
    wait "$rec_pid" || true
    rec_pid=""
}

# Little-endian bytes of $1 as a printf format, $2 bytes wide.
le() { local v=$1 n=$2 out=""; for ((k = 0; k < n; k++)); do out+=$(printf '\\x%02x' $(((v >> (8 * k)) & 255))); done; echo "$out"; }
# Wraps the raw samples $1 in a WAV header, into $2.
raw_to_wav() {
    local size
    size=$(stat -c %s "$1")
    {
        printf "RIFF$(le $((size + 36)) 4)WAVEfmt $(le 16 4)$(le 1 2)$(le 1 2)"
        printf "$(le $rate 4)$(le $((rate * 2)) 4)$(le 2 2)$(le 16 2)data$(le "$size" 4)"
        cat "$1"
    } >"$2"
}
