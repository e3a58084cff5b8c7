#!/usr/bin/env bash
# Starts the real binary where no display can be opened: it must print one line on standard error
# naming the display, write nothing, and exit with status 1 (not abort).
# Usage: no_display.sh PATH/TO/tarnwhistle
set -euo pipefail

e2e_name=e2e_no_display
# shellcheck source-path=SCRIPTDIR source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

bin=$(realpath "${1:?usage: no_display.sh BINARY}")
enter_sandbox /tmp/tw-e2e-nodisplay-XXXXXX
ulimit -c 0

# An X display number no server answers on.
absent=55
while [[ -e /tmp/.X11-unix/X$absent || -e /tmp/.X$absent-lock ]]; do absent=$((absent + 1)); done

# What the environment is, then what the one line must contain.
cases=(
    "env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE|DISPLAY is empty"
    "env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE DISPLAY=:$absent|\":$absent\""
    "env QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=tw-absent|\"tw-absent\""
    "env -u WAYLAND_DISPLAY -u XDG_SESSION_TYPE QT_QPA_PLATFORM=xcb DISPLAY=:$absent.0|\":$absent.0\""
    # A platform only Qt itself can judge: its failure must end the same way.
    "env QT_QPA_PLATFORM=tw-absent-platform|\"tw-absent-platform\""
)

for case in "${cases[@]}"; do
    environment=${case%%|*}
    want=${case#*|}
    rc=0
    # shellcheck disable=SC2086  # the environment is a word list on purpose
    $environment "$bin" >"$work/out" 2>"$work/err" </dev/null || rc=$?
    lines=$(wc -l <"$work/err")
    [[ "$rc" -eq 1 ]] || { cat "$work/err" >&2; fail "$environment: exit status $rc, not 1"; }
    [[ "$lines" -eq 1 ]] || { cat "$work/err" >&2; fail "$environment: $lines lines on stderr, not 1"; }
    grep -qF -- "$want" "$work/err" || fail "$environment: '$(cat "$work/err")' does not name $want"
    [[ ! -s "$work/out" ]] || fail "$environment: wrote to standard output"
    [[ ! -e "$HOME/Documents" ]] || fail "$environment: created the Documents folder"
done
echo "e2e_no_display: ok"
