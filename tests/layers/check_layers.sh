#!/usr/bin/env bash
# Checks that each layer includes only what is below it:
#   framework/core  the standard library, POSIX, Qt (the build gives it QtCore alone)
#   framework/ui    framework/core, and anything outside the project
#   signal          framework/core and the standard library
#   app             framework/ui, framework/core, signal, and no Qt header
# and that no files include each other, directly or round a circle.
# Usage: check_layers.sh ROOT. Prints each breach as FILE:LINE: what, and exits 1 when there is one.
set -euo pipefail
root=${1:?usage: check_layers.sh ROOT}
cd "$root"

breaches=0
breach() {
    echo "$1:$2: $3"
    breaches=$((breaches + 1))
}

# check LAYER ALLOWED_PROJECT_PREFIXES ANGLE_RULE
#   ANGLE_RULE: any (any <...> header), std (C++ standard headers only), no-qt (any but Qt's)
check() {
    local layer=$1 allowed=$2 angle=$3 file line text header
    [ -d "$layer" ] || return 0
    while IFS=: read -r file line text; do
        if [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            header=${BASH_REMATCH[1]}
            local ok=0 prefix
            for prefix in $allowed; do
                [[ $header == "$prefix"/* ]] && ok=1
            done
            if [ $ok -eq 0 ]; then
                breach "$file" "$line" "\"$header\" is not a layer $layer may include"
            fi
        elif [[ $text =~ \#[[:space:]]*include[[:space:]]*\<([^\>]+)\> ]]; then
            header=${BASH_REMATCH[1]}
            case $angle in
            std)
                # The C++ standard headers are lowercase words without a folder or an extension.
                if ! [[ $header =~ ^[a-z_]+$ ]]; then
                    breach "$file" "$line" "<$header> is not a standard C++ header"
                fi
                ;;
            no-qt)
                if [[ $header =~ ^Q || $header =~ ^qt ]]; then
                    breach "$file" "$line" "<$header> is a Qt header"
                fi
                ;;
            esac
        fi
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' "$layer" --include='*.h' --include='*.cpp' || true)
}

check framework/core "framework/core" any
check framework/ui "framework/core framework/ui" any
check signal "framework/core signal" std
check app "framework/core framework/ui signal app" no-qt

# No circle among the project's own files: a header, its .cpp and its private part (NAME_impl.h)
# are one node, and a node that includes another's header depends on it. Nodes that depend on each
# other, however far round, can only be read together. tsort names the nodes of each circle.
node() {
    local name=${1%.*}
    echo "${name%_impl}"
}
nodes_edges() {
    local file text header
    while IFS=: read -r file _ text; do
        [[ $text =~ \#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]] || continue
        header=${BASH_REMATCH[1]}
        [ -e "$header" ] && echo "$(node "$file") $(node "$header")"
    done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include' framework signal app \
                 --include='*.h' --include='*.cpp' 2>/dev/null || true)
}
if ! circle=$(nodes_edges | tsort 2>&1 >/dev/null); then
    members=$(sed -n 's/^tsort: \([^:]*\)$/\1/p' <<< "$circle" | tr '\n' ' ')
    breaches=$((breaches + 1))
    echo "include circle among: ${members% }"
fi

if [ $breaches -gt 0 ]; then
    echo "$breaches include(s) break the layers"
    exit 1
fi
echo "layers hold"
