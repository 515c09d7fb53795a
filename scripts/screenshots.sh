#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Refreshes the README's screenshots (docs/screenshots) by running the program under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/build.sh build
XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$(mktemp -d)} xvfb-run -a -s "-screen 0 1366x768x24" \
  build/bin/quaderna-screenshots docs/screenshots
