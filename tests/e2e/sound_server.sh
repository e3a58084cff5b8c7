# shellcheck shell=bash disable=SC2034,SC2154  # variables shared with the sourcing script
# A sound server of the test's own, in the sandbox's runtime folder, for the end-to-end scripts
# that listen to what the window plays. Needs e2e_lib.sh (fail, $work) sourced first.
#   pulseaudio  PulseAudio alone
#   pipewire    PipeWire with WirePlumber and its PulseAudio service, on a session bus of its own,
#               as on a Debian 12 desktop
# The player reaches either through the PulseAudio protocol: only the pulse sink may be chosen.

sound_pids=()

# Runs "$@" until it succeeds, up to 30 s, failing with "$1 ..." when it never does.
poll_until() {
    local what=$1
    shift
    wait_until 30 quietly "$@" || fail "$what: still not after 30 s (logs in $work)"
}
quietly() { "$@" >/dev/null 2>&1; }

# start_sound_server SERVER [RATE]: starts it and points the PulseAudio clients (pactl, the player) at it.
# Sets $server_pid, the process that answers those clients.
start_sound_server() {
    local run=$XDG_RUNTIME_DIR
    mkdir -p "$run"
    chmod 700 "$run"
    export PULSE_SERVER="unix:$run/pulse/native"
    export GST_PLUGIN_FEATURE_RANK="alsasink:NONE,pipewiresink:NONE,jackaudiosink:NONE,osssink:NONE,oss4sink:NONE"
    case $1 in
    pulseaudio)
        mkdir -p "$run/pulse"
        # Root is allowed in user mode with a warning; realtime and the CPU limit are off so a
        # loaded machine does not get it killed; stdin is closed (none in CI).
        pulseaudio --daemonize=no --system=false -n --exit-idle-time=-1 --disallow-exit \
            --use-pid-file=no --realtime=no --high-priority=no --no-cpu-limit=yes \
            --log-target=stderr --load="module-native-protocol-unix auth-anonymous=1 socket=$run/pulse/native" \
            </dev/null >"$work/pulseaudio.log" 2>&1 &
        server_pid=$!
        sound_pids+=("$server_pid")
        ;;
    pipewire)
        # The graph at the rate asked for, so that samples can be counted one for one.
        mkdir -p "$XDG_CONFIG_HOME/pipewire/pipewire.conf.d"
        echo "context.properties = { default.clock.rate = ${2:-48000} }" \
            >"$XDG_CONFIG_HOME/pipewire/pipewire.conf.d/rate.conf"
        export DBUS_SESSION_BUS_ADDRESS="unix:path=$run/bus"
        dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" \
            </dev/null >"$work/dbus.log" 2>&1 &
        sound_pids+=("$!")
        poll_until "the session bus" test -S "$run/bus"
        pipewire </dev/null >"$work/pipewire.log" 2>&1 &
        sound_pids+=("$!")
        # The session manager and the PulseAudio service both give up on a graph not yet there.
        poll_until "pipewire" pw-cli info 0
        wireplumber </dev/null >"$work/wireplumber.log" 2>&1 &
        sound_pids+=("$!")
        pipewire-pulse </dev/null >"$work/pipewire-pulse.log" 2>&1 &
        server_pid=$!
        sound_pids+=("$server_pid")
        ;;
    *) fail "unknown sound server '$1'" ;;
    esac
    poll_until "$1 answering" pactl info
}

# add_sink ARGS...: loads a sink module with those arguments as the default sink tw_sink.
add_sink() {
    # PipeWire takes a module, and a default sink, only once its session manager has come up.
    poll_until "the sink" pactl load-module "$@" sink_name=tw_sink
    poll_until "the sink made the default" pactl set-default-sink tw_sink
}

sink_suspended() {
    pactl list short sinks | awk '$2 == "tw_sink" && $NF == "SUSPENDED" { found = 1 } END { exit !found }'
}

# Stops whatever start_sound_server started, a stopped process included.
stop_sound_server() {
    local p
    # A client of the server may end on its own once the server is gone: a failed kill is fine.
    for p in "${sound_pids[@]}"; do
        kill -CONT "$p" 2>/dev/null || true
        kill "$p" 2>/dev/null || true
    done
    for p in "${sound_pids[@]}"; do wait "$p" 2>/dev/null || true; done
    sound_pids=()
    server_pid=""
    true
}
