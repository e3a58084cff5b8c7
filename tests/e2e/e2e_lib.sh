# shellcheck shell=bash disable=SC2034,SC2154  # variables shared with the sourcing script
# Shared by the end-to-end scripts: a throw-away sandbox, the Xvfb re-run, and driving the binary.
# Each script sets e2e_name (the prefix of its messages) before sourcing this file, and runs twice:
# first outside Xvfb, where it builds the sandbox and re-runs itself with --inner, then inside it.

e2e_lib_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
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
    load_test_environment
    # The real binary gets a real X server (or, in no_display.sh, none it can open).
    unset QT_QPA_PLATFORM
}

# Exports the tests' shared environment (no sound server, every real sink ranked out), read as
# the C++ test entries read it: KEY=VALUE lines taken literally, # comments and empty lines skipped.
load_test_environment() {
    local file line key number=0
    file="$e2e_lib_dir/../support/quiet.env"
    [[ -r "$file" ]] || fail "cannot read the test environment $file"
    while IFS= read -r line || [[ -n "$line" ]]; do
        number=$((number + 1))
        [[ -z "$line" || "$line" == \#* ]] && continue
        key=${line%%=*}
        [[ "$line" == *=* && "$key" =~ ^[A-Za-z_][A-Za-z0-9_]*$ ]] ||
            fail "$file:$number: not KEY=VALUE: $line"
        export "$key=${line#*=}"
    done <"$file"
}

# Runs the calling script again under a fresh X server as "SCRIPT --inner ARGS..." and exits with
# its code. TW_E2E_TRACE=1 traces the inner run. The server picks a free display itself
# (-displayfd): xvfb-run -a can hand two runs started together the same one, and the second then
# cannot open it.
rerun_under_xvfb() {
    local rc=0
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null; rm -rf "$work"' EXIT
    wait_until 60 display_ready || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    DISPLAY=":$(<"$work/display")" bash ${TW_E2E_TRACE:+-x} "$0" --inner "$@" || rc=$?
    exit "$rc"
}
# The server writes its display number once it accepts clients.
display_ready() {
    grep -qx '[0-9]\+' "$work/display" && return 0
    kill -0 "$xvfb_pid" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb ended at start"; }
    return 1
}

# Starts $bin in the background with its output in $work/app.log; sets $pid, killed on exit.
start_app() {
    "$bin" >"$work/app.log" 2>&1 &
    pid=$!
    trap cleanup_app EXIT
}
cleanup_app() { kill "$pid" 2>/dev/null || true; }

# Runs "$@" every tenth of a second until it succeeds, or fails once $1 seconds have passed. The
# bounds are generous: they only end a wait for something that is not coming.
wait_until() {
    local deadline=$((EPOCHSECONDS + $1))
    shift
    until "$@"; do
        ((EPOCHSECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Sets $wid to the visible (mapped) window titled $title.
wait_for_window() {
    wid=""
    wait_until 60 window_shown || fail "no window titled '$title'"
}
window_shown() {
    wid=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    [[ -n "$wid" ]] && return 0
    kill -0 "$pid" 2>/dev/null || { cat "$work/app.log" >&2; fail "the program ended before its window showed"; }
    return 1
}
program_ended() { ! kill -0 "$pid" 2>/dev/null; }

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

# After Ctrl+Q was sent: the program must end with exit code 0.
expect_exit_0_after_ctrl_q() {
    wait_until 30 program_ended || fail "Ctrl+Q did not end the program"
    local rc=0
    wait "$pid" || rc=$?
    # Gone: the exit trap, which still stops whatever else the script started, leaves it be.
    pid=""
    [[ "$rc" -eq 0 ]] || { cat "$work/app.log" >&2; fail "exit code $rc after Ctrl+Q"; }
}
