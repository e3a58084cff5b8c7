#!/usr/bin/env bash
# The layer check fails on each kind of breach in a small tree, include circles among them, and
# passes on one that holds.
set -euo pipefail
check=$(dirname "$0")/check_layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT

write() { mkdir -p "$tree/$(dirname "$1")"; printf '%s\n' "$2" > "$tree/$1"; }
sound() {
    rm -rf "${tree:?}"/*
    write framework/core/a.cpp $'#include "framework/core/a.h"\n#include <unistd.h>\n#include <QFile>'
    write framework/ui/b.cpp $'#include "framework/core/a.h"\n#include <QWidget>'
    write signal/c.cpp $'#include "framework/core/a.h"\n#include <vector>'
    write app/d.cpp $'#include "framework/ui/b.h"\n#include "signal/c.h"\n#include <sys/stat.h>'
}

sound
bash "$check" "$tree" > /dev/null || { echo "FAIL: a sound tree was refused"; exit 1; }

# Each breach: a file, its line, and the word the check must report.
breaches=(
    'framework/core/x.cpp|#include "framework/ui/window.h"|framework/ui/window.h'
    'framework/core/x.h|#include "signal/generator.h"|signal/generator.h'
    'framework/ui/x.cpp|#include "app/app.h"|app/app.h'
    'signal/x.cpp|#include "framework/ui/controls.h"|framework/ui/controls.h'
    'signal/x.cpp|#include <QString>|QString'
    'signal/x.cpp|#include <unistd.h>|unistd.h'
    'app/x.cpp|#include <QWidget>|QWidget'
    'app/x.h|  #  include <QtCore/QString>|QtCore/QString'
)
failed=0
for row in "${breaches[@]}"; do
    IFS='|' read -r file text word <<< "$row"
    sound
    write "$file" "$text"
    if out=$(bash "$check" "$tree"); then
        echo "FAIL: not caught: $file: $text"; failed=1
    elif ! grep -qF "$file:1: " <<< "$out" || ! grep -qF "$word" <<< "$out"; then
        echo "FAIL: $file: $text reported as: $out"; failed=1
    fi
done

# Include circles. Each row: FILE>HEADER includes separated by spaces, then the nodes the report
# must name ('' for a tree that holds).
include() { mkdir -p "$tree/$(dirname "$1")"; echo "#include \"$2\"" >> "$tree/$1"; touch "$tree/$2"; }
circles=(
    'framework/ui/a.cpp>framework/ui/b.h framework/ui/b.cpp>framework/ui/a.h|framework/ui/a framework/ui/b'
    'signal/x.cpp>signal/y.h signal/y.cpp>signal/z.h signal/z.h>signal/x.h|signal/x signal/y signal/z'
    'framework/ui/p_impl.h>framework/ui/q.h framework/ui/q.cpp>framework/ui/p.h|framework/ui/p framework/ui/q'
    'app/m.cpp>app/m.h app/m.cpp>app/m_impl.h app/m_impl.h>app/m.h app/n.cpp>app/m_impl.h|'
)
for row in "${circles[@]}"; do
    IFS='|' read -r includes nodes <<< "$row"
    sound
    for pair in $includes; do include "${pair%%>*}" "${pair#*>}"; done
    if [ -z "$nodes" ]; then
        bash "$check" "$tree" > /dev/null || { echo "FAIL: no circle, refused: $includes"; failed=1; }
        continue
    fi
    if out=$(bash "$check" "$tree"); then
        echo "FAIL: circle not caught: $includes"; failed=1
        continue
    fi
    for node in $nodes; do
        grep -qE "circle among:.* $node( |$)" <<< "$out" ||
            { echo "FAIL: $includes reported as: $out"; failed=1; }
    done
done
[ $failed -eq 0 ] && echo "every breach caught"
exit $failed
