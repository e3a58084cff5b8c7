#!/usr/bin/env bash
# Drives the real binary under Xvfb with a sound server of its own (pulseaudio or pipewire), and
# records what its default sink plays while the window plays: "Generate", "Generate" again, and
# keypad 5. Each play must hold every sample of its file and nothing else may sound: the
# recording outside the plays is silence, and it decodes to exactly the payloads in order, line
# feeds included. Quits with Ctrl+Q, expecting exit code 0. Two sinks, one run each:
#   monitor  a null sink whose monitor is recorded all along, as a receiver on a loopback would
#            (PipeWire only)
#   device   a pipe sink played at the pace of the clock, as a sound card is, and suspended
#            whenever idle for a second: every play starts by waking it
# Usage: playback.sh PATH/TO/tarnwhistle pulseaudio|pipewire   (TW_E2E_TRACE=1 traces the steps)
set -euo pipefail

e2e_name=e2e_playback
# shellcheck source-path=SCRIPTDIR source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
# shellcheck source-path=SCRIPTDIR source=sound_server.sh
source "$(dirname "${BASH_SOURCE[0]}")/sound_server.sh"
# shellcheck source-path=SCRIPTDIR source=recording.sh
source "$(dirname "${BASH_SOURCE[0]}")/recording.sh"

if [[ "${1:-}" != --inner ]]; then
    bin=$(realpath "${1:?usage: playback.sh BINARY SERVER}")
    server=${2:?usage: playback.sh BINARY SERVER}
    e2e_name+=" ($server)"
    require_tools Xvfb xdotool minimodem parec pactl od awk "$server"
    [[ $server == pipewire ]] && require_tools wireplumber pipewire-pulse dbus-daemon pw-cli
    enter_sandbox /tmp/tw-e2e-play-XXXXXX
    rerun_under_xvfb "$bin" "$work" "$server"
fi

bin=$2
work=$3
server=$4
e2e_name+=" ($server)"
# The sink runs at the files' own rate, so that samples can be counted one for one.
rate=29400
# A sample beyond this is sound; outside the sounds, beyond quiet is a click or a fill.
loud=2000
quiet=600
# Samples a server's resampler may ring on either side of a sound.
ringing=64

# Reads the raw recording $1 and prints a line "sound N" for each sound, N its samples from the
# first to the last loud one (sounds being apart by more than 0.1 s), then "outside MAX AT": the
# largest sample outside the sounds and their ringing, and the second it is at, and "after N":
# the samples recorded since the last loud one.
listen() {
    od -An -v -td2 -w2 "$1" |
        awk -v loud=$loud -v gap=$((rate / 10)) -v ring=$ringing -v rate=$rate '
            { v[NR] = $1 }
            $1 > loud || $1 < -loud {
                if (n && NR - last[n] > gap) n++
                if (!n) n = 1
                if (!(n in first)) first[n] = NR
                last[n] = NR
            }
            END {
                for (i = 1; i <= n; i++) print "sound", last[i] - first[i] + 1
                max = 0; at = 0; s = 1
                for (k = 1; k <= NR; k++) {
                    while (s <= n && k > last[s] + ring) s++
                    if (s <= n && k >= first[s] - ring) continue
                    a = v[k] < 0 ? -v[k] : v[k]
                    if (a > max) { max = a; at = k }
                }
                printf "outside %d %.3f\n", max, at / rate
                print "after", NR - (n ? last[n] : 0)
            }'
}
# Whether the recording holds $1 sounds, the last of them over.
heard() {
    listen "$capture" | awk -v want="$1" -v gap=$((rate / 10 + ringing)) '
        $1 == "sound" { n++ }
        $1 == "after" { after = $2 }
        END { exit !(n >= want && after > gap) }'
}

# Clicks at $2,$3 once the sink is ready for it, and waits until the recording holds $1 sounds,
# the last one over.
click_and_hear() {
    if [[ $mode == device ]]; then
        poll_until "the sink suspended" sink_suspended
    fi
    # Moved off and back: a move onto where the pointer already is never completes its --sync.
    xdotool mousemove --sync $((origin_x + $2 + 1)) $((origin_y + $3 + 1))
    xdotool mousemove --sync $((origin_x + $2)) $((origin_y + $3))
    xdotool click 1
    for _ in $(seq 1 150); do
        heard "$1" && return 0
        sleep 0.2
    done
    true  # a sound that never comes fails the checks below
}

# One run of the three plays against the sink of mode $1.
play_and_check() {
    mode=$1
    record_and_start_app suspending

    click_and_hear 1 275 78  # Generate
    click_and_hear 2 275 78  # Generate again
    click_and_hear 3 359 182 # keypad 5
    press_ctrl_q
    expect_exit_0_after_ctrl_q
    stop_capture

    local heard
    heard=$(listen "$capture")
    mapfile -t spans < <(awk '$1 == "sound" { print $2 }' <<<"$heard")
    read -r _ outside outside_at < <(grep '^outside' <<<"$heard")
    raw_to_wav "$capture" "$work/$mode.wav"
    decoded=$(minimodem --rx -q -f "$work/$mode.wav" -M 7350 -S 4900 1225 | od -An -c | tr -s ' ' || true)
    want=$(printf 'Hello!\n\nHello!\n\n5\n\n' | od -An -c | tr -s ' ')
    echo "$e2e_name, $mode: samples of each sound: ${spans[*]} (files: 3264 3264 2064);" \
        "loudest outside them: $outside at ${outside_at}s"
    echo "$e2e_name, $mode: decoded '$decoded'"
    [[ "$decoded" == "$want" ]] || { cat "$work/app.log" >&2; fail "$mode: decoded '$decoded', not '$want'"; }
    # The first sample of a file is silent (the sine starts at phase zero): the rest must all be
    # there, and no more than a resampler's ringing beside them.
    local expected=(3263 3263 2063)
    [[ "${#spans[@]}" -eq 3 ]] || fail "$mode: ${#spans[@]} sounds, not 3"
    for i in 0 1 2; do
        ((spans[i] >= expected[i])) || fail "$mode: sound $((i + 1)) has ${spans[i]} samples, not ${expected[i]}"
        ((spans[i] <= expected[i] + 2 * ringing)) ||
            fail "$mode: sound $((i + 1)) has ${spans[i]} samples, more than its ${expected[i]}: a click or a fill beside it"
    done
    ((outside <= quiet)) || fail "$mode: $outside at ${outside_at}s, not silence, outside the sounds"
    stop_all
    rm -rf "$XDG_RUNTIME_DIR"/* "$work/sink.fifo"
}

trap stop_all EXIT
# PulseAudio's monitor of a null sink misses samples now and then, more so under load, whatever
# plays into it: there the device alone is listened to.
[[ $server == pipewire ]] && play_and_check monitor
play_and_check device
echo "$e2e_name: ok"
