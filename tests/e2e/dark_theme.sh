#!/usr/bin/env bash
# The real binary under the two usual dark desktops: GNOME's (Qt's GTK platform theme, Adwaita:dark)
# and a Fusion dark palette (qt6ct's "darker" scheme). Every caption, the link while hovered and
# the play/pause icon must stand out from what is painted behind them; the screenshots are kept.
# Usage: dark_theme.sh PATH/TO/tarnwhistle PATH/TO/contrast_probe SHOT_DIR
set -euo pipefail

e2e_name=e2e_dark_theme
# shellcheck source-path=SCRIPTDIR source=e2e_lib.sh
source "$(dirname "${BASH_SOURCE[0]}")/e2e_lib.sh"

if [[ "${1:-}" != --inner ]]; then
    usage="usage: dark_theme.sh BINARY CONTRAST_PROBE SHOT_DIR"
    bin=$(realpath "${1:?$usage}")
    probe=$(realpath "${2:?$usage}")
    shots=$(realpath -m "${3:?$usage}")
    mkdir -p "$shots"
    require_tools xvfb-run xdotool import convert
    for package in qt6-gtk-platformtheme qt6ct; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            fail "$package is not installed (scripts/install-deps.sh test)"
    done
    enter_sandbox /tmp/tw-e2e-dark-XXXXXX
    rerun_under_xvfb "$bin" "$probe" "$shots" "$work"
fi

bin=$2
probe=$3
shots=$4
work=$5

# In content coordinates: the captions, headings, preview and link; the player's button; the link.
captions=(Label1=13,69,81,20 Label2=13,98,81,20 Label3=13,127,81,20 Label4=13,155,81,20
          Label5=9,200,40,20 Label6=9,230,40,20 Label7=9,262,71,20 Label8=7,6,194,33
          Label9=9,34,127,20 Label10=372,299,136,20 DataST=238,42,249,20)
icon=play-icon=325,71,14,14
link=(372 299 136 20)

# NAME=X,Y,W,H in content coordinates to screen coordinates.
on_screen() {
    local name=${1%%=*} x y w h
    IFS=, read -r x y w h <<<"${1#*=}"
    echo "$name=$((origin_x + x)),$((origin_y + y)),$w,$h"
}

link_is_blue() {
    import -window root "$1"
    convert "$1" -crop "${link[2]}x${link[3]}+$((origin_x + link[0]))+$((origin_y + link[1]))" \
        -format %c histogram:info:- | grep -qi '#0000FF'
}

# check_desktop NAME VAR=VALUE...: starts the program under that desktop and measures it.
check_desktop() {
    local name=$1 shot hovered
    shift
    shot=$shots/dark-$name.png
    hovered=$shots/dark-$name-link-hovered.png
    local -a areas=()
    (
        export "$@"
        start_app
        wait_for_window
        read_content_origin
        import -window root "$shot"
        for area in "${captions[@]}"; do areas+=("$(on_screen "$area")"); done
        "$probe" "$shot" 4.5 "${areas[@]}" || fail "$name: a text is below 4.5 : 1 ($shot)"
        "$probe" "$shot" 3 "$(on_screen "$icon")" || fail "$name: the play icon is below 3 : 1"
        xdotool mousemove $((origin_x + link[0] + link[2] - 20)) $((origin_y + link[1] + 10))
        for _ in $(seq 1 50); do
            link_is_blue "$hovered" && break
            sleep 0.1
        done
        "$probe" "$hovered" 4.5 "link-hovered=$((origin_x + link[0])),$((origin_y + link[1])),${link[2]},${link[3]}" ||
            fail "$name: the hovered link is below 4.5 : 1 ($hovered)"
        # Gone with its window before the next desktop's window is looked for.
        cleanup_app
        wait "$pid" 2>/dev/null || true
    )
}

check_desktop gtk-adwaita-dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark

mkdir -p "$XDG_CONFIG_HOME/qt6ct"
cat >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf" <<CONF
[Appearance]
color_scheme_path=/usr/share/qt6ct/colors/darker.conf
custom_palette=true
style=Fusion
CONF
check_desktop qt6ct-darker QT_QPA_PLATFORMTHEME=qt6ct

echo "$e2e_name: readable under both dark desktops"
