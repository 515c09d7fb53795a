#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds, and starts the program on its ready data folder (build/bin,
# which holds the first-access password). Arguments go to the program, e.g. --data-dir DIR.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
QUADERNA_TARGET=quaderna scripts/build.sh build
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting the program on a virtual screen (Xvfb)."
  scripts/deps.sh test
  exec xvfb-run -a -s "-screen 0 1366x768x24" build/bin/quaderna "$@"
fi
exec build/bin/quaderna "$@"
