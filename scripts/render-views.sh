#!/usr/bin/env bash
# Renders the circuit drawing and the amplitude table offscreen to PNG files, for looking at them.
# Usage: scripts/render-views.sh [OUTPUT_DIRECTORY] (default: BUILD/render; BUILD is $FASORIA_RENDER_BUILD,
# else build-render)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${FASORIA_RENDER_BUILD:-build-render}"
output="${1:-$build/render}"
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DFASORIA_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build" --target render_views -j 2
QT_QPA_PLATFORM=offscreen "$build/tools/render_views" "$output"
