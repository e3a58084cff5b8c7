# shellcheck shell=bash disable=SC2034,SC2154  # variables shared with the sourcing script
# Shared by the end-to-end scripts: a throw-away sandbox, the Xvfb re-run, and driving the binary.
# Each script sets e2e_name (the prefix of its messages) before sourcing this file, and runs twice:
# first outside Xvfb, where it builds the sandbox and re-runs itself with --inner, then inside it.

title='Tarnwhistle for Softmodem'
# The content area under the menu bar, in pixels.
content_w=519
content_h=319

fail() { echo "${e2e_name:?}: $*" >&2; exit 1; }

require_tools() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || fail "$tool is not installed"
    done
}

# Sets $work to a fresh folder removed on exit, and points HOME, XDG dirs, PATH and sound into it.
# $1: mktemp template.
enter_sandbox() {
    work=$(mktemp -d "$1")
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
}

# Runs the calling script again under a fresh X server as "SCRIPT --inner ARGS..." and exits with
# its code. TW_E2E_TRACE=1 traces the inner run.
rerun_under_xvfb() {
    local rc=0
    xvfb-run -a -s "-screen 0 1024x768x24" bash ${TW_E2E_TRACE:+-x} "$0" --inner "$@" || rc=$?
    exit "$rc"
}

# Starts $bin in the background with its output in $work/app.log; sets $pid, killed on exit.
start_app() {
    "$bin" >"$work/app.log" 2>&1 &
    pid=$!
    trap cleanup_app EXIT
}
cleanup_app() { kill "$pid" 2>/dev/null || true; }

# Sets $wid to the visible window titled $title, then lets the first layout and paint settle.
wait_for_window() {
    wid=""
    for _ in $(seq 1 100); do
        wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
        [[ -n "$wid" ]] && break
        kill -0 "$pid" 2>/dev/null || { cat "$work/app.log" >&2; fail "the program ended before its window showed"; }
        sleep 0.1
    done
    [[ -n "$wid" ]] || fail "no window titled '$title'"
    sleep 0.5
}

# Sets X, Y, WIDTH, HEIGHT of $wid, and origin_x, origin_y: the top left of the content area,
# which sits at the bottom of the window.
read_content_origin() {
    eval "$(xdotool getwindowgeometry --shell "$wid")"
    origin_x=$X
    origin_y=$(( Y + HEIGHT - content_h ))
}

focus_window() {
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
}

press_ctrl_q() {
    focus_window
    xdotool key --clearmodifiers ctrl+q
}

# After Ctrl+Q was sent: the program must end within ten seconds with exit code 0.
expect_exit_0_after_ctrl_q() {
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "Ctrl+Q did not end the program"
    local rc=0
    wait "$pid" || rc=$?
    # Gone: the exit trap, which still stops whatever else the script started, leaves it be.
    pid=""
    [[ "$rc" -eq 0 ]] || { cat "$work/app.log" >&2; fail "exit code $rc after Ctrl+Q"; }
}
