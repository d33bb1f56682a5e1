#!/usr/bin/env bash
# Renders the main window offscreen to PNG files, in both languages: a guided lesson mid-way, a measured
# state, lesson 21 mid-way and at its end, a challenge, the editor tab with a working copy (an inserted gate
# selected, then the first gate) and an 8-qubit circuit.
# Usage: scripts/render-window.sh [OUTPUT_DIRECTORY] (default: BUILD/pictures; BUILD is $FASORIA_RENDER_BUILD,
# else build-render)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${FASORIA_RENDER_BUILD:-build-render}"
output="${1:-$build/pictures}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DFASORIA_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build" --target render_window -j 2
QT_QPA_PLATFORM=offscreen "$build/tools/render_window" "$output"
