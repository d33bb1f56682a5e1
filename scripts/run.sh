#!/usr/bin/env bash
# Sets everything up, builds the program and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF -DFASORIA_BENCHMARKS=OFF
cmake --build build --target fasoria -j "$(nproc)"
exec build/fasoria "$@"
