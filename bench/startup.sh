#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up time to the login window on screen, against an empty Qt window, on an X server (Xvfb):
# both programs started in turn, the median of each over many runs, so that the machine's other
# work weighs on both alike.
#   bench/startup.sh [build folder] [runs]
#   QUADERNA_PROGRAM=/usr/bin/quaderna bench/startup.sh   the installed program, same yardstick
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
runs=${2:-40}
program=${QUADERNA_PROGRAM:-$build/bin/quaderna}
data=$(mktemp -d)
"$build/bin/quaderna-setup" "$data" >/dev/null
Xvfb :57 -screen 0 1366x768x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb; rm -rf "$data"' EXIT
export DISPLAY=:57 XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$data} QUADERNA_EXIT_AFTER_SHOW=1
sleep 1
python3 - "$runs" "$program" "$data" "$build/bin/empty_qt_window" <<'PY'
import statistics, subprocess, sys, time
runs, program, data, empty = int(sys.argv[1]), sys.argv[2], sys.argv[3], sys.argv[4]
commands = {program: [program, "--data-dir", data], "empty Qt window": [empty]}
times = {name: [] for name in commands}
for name, cmd in commands.items():  # warm the caches
    subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
for _ in range(runs):
    for name, cmd in commands.items():
        start = time.perf_counter()
        subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, check=True)
        times[name].append((time.perf_counter() - start) * 1000)
for name, t in times.items():
    print(f"{name}, start to drawn: median {statistics.median(t):.1f} ms, fastest {min(t):.1f} ms ({runs} runs)")
q, e = (statistics.median(t) for t in times.values())
print(f"ratio: {q / e:.2f}")
PY
