#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (or the folder given as the first argument); further
# arguments go to CMake. QUADERNA_TARGET limits the build to one target.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir" ${QUADERNA_TARGET:+--target "$QUADERNA_TARGET"}
