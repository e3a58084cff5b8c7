#!/usr/bin/env bash
# Fails when a C++ source of the project differs from the pinned .clang-format.
# Usage: check_format.sh SOURCE_DIR
set -euo pipefail
cd "${1:?usage: check_format.sh SOURCE_DIR}"
command -v clang-format >/dev/null || { echo "clang-format is not installed" >&2; exit 1; }
mapfile -d '' files < <(find app bench framework signal tests -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | sort -z)
[ ${#files[@]} -gt 0 ] || { echo "no sources found under $PWD" >&2; exit 1; }
clang-format --style=file --dry-run -Werror "${files[@]}"
echo "${#files[@]} files formatted as .clang-format says"
