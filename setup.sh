#!/usr/bin/env bash
# From a clean clone on Debian 12, with nothing but bash and apt:
#   bash setup.sh run    installs what is missing, builds the program and starts the window
#   bash setup.sh test   installs what is missing, builds everything and runs every test
# BUILD names the build folder (default: build).
set -euo pipefail
cd "$(dirname "$0")"
build=${BUILD:-build}
jobs=$(nproc)

case "${1:-}" in
  run)
    bash scripts/install-deps.sh run
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTW_BUILD_TESTS=OFF > /dev/null
    cmake --build "$build" --target tarnwhistle -j "$jobs"
    exec "$build/app/tarnwhistle"
    ;;
  test)
    bash scripts/install-deps.sh test
    # Release, as users build it: -O3 finds warnings that -O2 does not. Here they are errors.
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DTW_BUILD_TESTS=ON -DTW_WERROR=ON > /dev/null
    cmake --build "$build" -j "$jobs"
    ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 600
    ;;
  *)
    echo "usage: bash setup.sh run|test" >&2
    exit 2
    ;;
esac
