#!/usr/bin/env bash
# Drives the real binary under Xvfb with a sound server of its own (pulseaudio or pipewire) whose
# sink runs at 48 kHz, so that the server resamples every file. With data "Hi!" and suffix "(A)"
# it picks each of the seven baud rates in the baud field and clicks "Generate"; each play must
# reach the sink whole, with no dropout inside it and silence around it, and decode with its
# preset's tones to exactly "Hi!" and a line feed, nothing before or after. Quits with Ctrl+Q,
# expecting exit code 0. Sinks as in playback.sh: the monitor of a null sink (PipeWire only) and
# a pipe sink paced by the clock.
#
# A resampler rings before an abrupt onset: up to a few per cent of full scale in the last few
# dozen samples before the first sample of the tone. minimodem reads that ringing as a start bit
# now and then and prints a stray 0xFF before the payload. It does so with the file itself
# resampled by sox (`sox -D in.wav -b 16 -r 48000 out.wav pad T`, for some T), and never with the
# file at its own rate however much silence comes first, so it is no fault of the player. The
# receiver here therefore hears each play from 8 samples before its tone reaches half scale, and
# the ringing it does not hear is checked to stay below a sound.
# Usage: presets.sh PATH/TO/tarnwhistle pulseaudio|pipewire   (TW_E2E_TRACE=1 traces the steps)
set -euo pipefail

e2e_name=e2e_presets
# shellcheck source-path=SCRIPTDIR source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"
# shellcheck source-path=SCRIPTDIR source=sound_server.sh
source "$(dirname "${BASH_SOURCE[0]}")/sound_server.sh"
# shellcheck source-path=SCRIPTDIR source=recording.sh
source "$(dirname "${BASH_SOURCE[0]}")/recording.sh"

if [[ "${1:-}" != --inner ]]; then
    bin=$(realpath "${1:?usage: presets.sh BINARY SERVER}")
    server=${2:?usage: presets.sh BINARY SERVER}
    e2e_name+=" ($server)"
    require_tools Xvfb xdotool minimodem parec pactl od awk "$server"
    [[ $server == pipewire ]] && require_tools wireplumber pipewire-pulse dbus-daemon pw-cli
    enter_sandbox /tmp/tw-e2e-presets-XXXXXX
    rerun_under_xvfb "$bin" "$work" "$server"
fi

bin=$2
work=$3
server=$4
e2e_name+=" ($server)"
rate=48000
# Baud, high and low tone, and the sample rate the preset selects.
presets=(
    "100 1600 800 32000"
    "126 1764 882 35280"
    "315 3150 1575 31500"
    "600 4000 2666 29400"
    "630 6300 3150 31500"
    "1225 7350 4900 29400"
    "2450 14700 7350 44100"
)
# A sample beyond loud is sound; outside the sounds, beyond quiet is a click or a fill. Inside a
# sound, a run of dropout samples all below hush is a gap: no tone stays that low that long.
loud=2000
quiet=600
hush=300
dropout=8
# Samples a resampler may ring on either side of a sound, and the part of it just before the
# tone that the receiver hears.
ringing=64
heard_ringing=8
gap=$((rate / 10))

# Whether the recording from byte $1 on holds a sound that is over.
sound_over_since() {
    tail -c +$(($1 + 1)) "$capture" | od -An -v -td2 -w2 |
        awk -v loud=$loud -v after=$((gap + ringing)) '
            $1 > loud || $1 < -loud { last = NR }
            END { exit !(last && NR - last > after) }'
}

click_at() {
    # Moved off and back: a move onto where the pointer already is never completes its --sync.
    xdotool mousemove --sync $((origin_x + $1 + 1)) $((origin_y + $2 + 1))
    xdotool mousemove --sync $((origin_x + $1)) $((origin_y + $2))
    xdotool click 1
}
# Clicks into the field at $1,$2 and replaces its last $3 characters by $4.
retype() {
    click_at "$1" "$2"
    xdotool key End
    for ((k = 0; k < $3; k++)); do xdotool key BackSpace; done
    [[ -z "$4" ]] || xdotool type "$4"
}

# Picks baud $1 by typing it, clicks "Generate", and waits until its file $2 is written and its
# sound is over.
play_preset() {
    local from
    retype 140 75 4 "$1"
    from=$(stat -c %s "$capture")
    from=$((from - from % 2))
    click_at 275 78
    wait_until 30 test -s "$2" || fail "$mode: no $(basename "$2") after choosing $1 baud"
    wait_until 30 sound_over_since "$from" || fail "$mode: the $1 baud play was not heard"
}

# Prints a line "sound ONSET LAST GAP NEAR" for each sound in the recording $1 (sample numbers
# from 1): its first sample at half scale and its last loud one, the longest dropout between them
# and the loudest sample among the ringing before ONSET - heard_ringing. Then "outside
# MAX AT": the loudest sample outside the sounds and their ringing, and the second it is at.
listen() {
    od -An -v -td2 -w2 "$1" |
        awk -v loud=$loud -v hush=$hush -v gap=$gap -v ring=$ringing -v heard=$heard_ringing \
            -v rate=$rate '
            function abs(x) { return x < 0 ? -x : x }
            { v[NR] = $1 }
            abs($1) > loud {
                if (n && NR - last[n] > gap) n++
                if (!n) n = 1
                if (!(n in first)) first[n] = NR
                last[n] = NR
            }
            END {
                for (i = 1; i <= n; i++) {
                    onset[i] = first[i]
                    while (abs(v[onset[i]]) < 16000 && onset[i] < last[i]) onset[i]++
                    longest = run = 0
                    for (k = onset[i]; k <= last[i]; k++) {
                        run = abs(v[k]) < hush ? run + 1 : 0
                        if (run > longest) longest = run
                    }
                    near = 0
                    for (k = onset[i] - ring; k < onset[i] - heard; k++)
                        if (k > 0 && abs(v[k]) > near) near = abs(v[k])
                    print "sound", onset[i], last[i], longest, near
                }
                max = 0; at = 0; s = 1
                for (k = 1; k <= NR; k++) {
                    while (s <= n && k > last[s] + ring) s++
                    if (s <= n && k >= onset[s] - ring) continue
                    if (abs(v[k]) > max) { max = abs(v[k]); at = k }
                }
                printf "outside %d %.3f\n", max, at / rate
            }'
}

# Decodes the sound from sample FROM to LAST of the recording with baud $3, tones $4 and $5,
# after a tenth of a second of silence.
decode() {
    local from=$1 last=$2 segment=$work/segment.raw
    # A paced sink's recording may begin with the first sound itself.
    ((from >= 1)) || from=1
    {
        head -c $((2 * gap)) /dev/zero
        tail -c +$((2 * (from - 1) + 1)) "$capture" | head -c $((2 * (last - from + 1 + gap)))
    } >"$segment"
    raw_to_wav "$segment" "$work/segment.wav"
    minimodem --rx -q -f "$work/segment.wav" -M "$4" -S "$5" "$3" | od -An -c | tr -s ' ' || true
}

check_plays() {
    local heard sounds outside outside_at i baud high low sr file want span expected
    heard=$(listen "$capture")
    mapfile -t sounds < <(grep '^sound' <<<"$heard")
    read -r _ outside outside_at < <(grep '^outside' <<<"$heard")
    echo "$e2e_name, $mode: loudest outside the sounds: $outside at ${outside_at}s"
    ((${#sounds[@]} == ${#presets[@]})) ||
        fail "$mode: ${#sounds[@]} sounds, not ${#presets[@]}"
    want=$(printf 'Hi!\n' | od -An -c | tr -s ' ')
    for i in "${!presets[@]}"; do
        read -r baud high low sr <<<"${presets[i]}"
        read -r _ onset last longest near <<<"${sounds[i]}"
        file="$HOME/Documents/Tarnwhistle/Hi!br${baud}sr${sr}hi${high}lo${low}.wav"
        # The file's first sample is silent, the sine starting at phase zero.
        expected=$(((($(stat -c %s "$file") - 45) * rate + sr / 2) / sr))
        span=$((last - onset + 1))
        decoded=$(decode $((onset - heard_ringing)) "$last" "$baud" "$high" "$low")
        echo "$e2e_name, $mode: $baud baud: $span samples from half scale (file: $expected)," \
            "longest dropout $longest, ringing before the tone up to $near, decoded '$decoded'"
        [[ "$decoded" == "$want" ]] || fail "$mode: $baud baud decoded '$decoded', not '$want'"
        ((longest < dropout)) || fail "$mode: $baud baud has a dropout of $longest samples"
        ((near <= loud)) || fail "$mode: $baud baud has $near before its tone, more than ringing"
        ((span >= expected - 8 && span <= expected + ringing)) ||
            fail "$mode: $baud baud sounds $span samples, not its file's $expected"
    done
    ((outside <= quiet)) || fail "$mode: $outside at ${outside_at}s, not silence, outside the sounds"
}

# One run of the seven plays against the sink of mode $1.
play_and_check() {
    mode=$1
    record_and_start_app

    retype 366 24 6 'Hi!' # data: "Hello!" becomes "Hi!"
    retype 132 238 3 ''   # suffix: "(A)(A)" becomes "(A)"
    local preset
    for preset in "${presets[@]}"; do
        read -r baud high low sr <<<"$preset"
        play_preset "$baud" "$HOME/Documents/Tarnwhistle/Hi!br${baud}sr${sr}hi${high}lo${low}.wav"
    done
    press_ctrl_q
    expect_exit_0_after_ctrl_q
    stop_capture
    check_plays
    stop_all
    rm -rf "${XDG_RUNTIME_DIR:?}"/* "$work/sink.fifo" "$HOME/Documents"
}

trap stop_all EXIT
[[ $server == pipewire ]] && play_and_check monitor
play_and_check device
echo "$e2e_name: ok"
