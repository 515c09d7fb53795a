#!/usr/bin/env bash
# Start-up time to the login window on screen, against an empty Qt window, on an X server (Xvfb).
#   bench/startup.sh [build folder]
#   QUADERNA_PROGRAM=/usr/bin/quaderna bench/startup.sh   the installed program, same yardstick
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=10
data=$(mktemp -d)
"$build/bin/quaderna-setup" "$data" >/dev/null
Xvfb :57 -screen 0 1366x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$data"' EXIT
export DISPLAY=:57 XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$data}
sleep 1
mean_ms() {
  "$@" >/dev/null 2>&1 # warm the caches
  local total=0
  for _ in $(seq $runs); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s%N)
    total=$((total + end - start))
  done
  echo "$((total / runs / 1000000))"
}
export QUADERNA_EXIT_AFTER_SHOW=1
program=${QUADERNA_PROGRAM:-$build/bin/quaderna}
echo "$program, start to login window drawn: $(mean_ms "$program" --data-dir "$data") ms (mean of $runs runs)"
echo "empty Qt window, start to drawn:       $(mean_ms "$build/bin/empty_qt_window") ms (mean of $runs runs)"
