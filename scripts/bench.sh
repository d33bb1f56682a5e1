#!/usr/bin/env bash
# Builds the benchmarks in release mode and prints the median of repeated runs.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DFASORIA_BENCHMARKS=ON
cmake --build build-bench -j "$(nproc)"
for bench in build-bench/bench/bench_*; do
    [ -x "$bench" ] || continue
    "$bench" --benchmark_repetitions=9 --benchmark_report_aggregates_only=true "$@" | grep -E '^(Benchmark|-|.*_median)'
done
