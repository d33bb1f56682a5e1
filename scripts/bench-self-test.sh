#!/usr/bin/env bash
# Times the whole education self-test as a process ("fasoria --self-test", offscreen) and prints the median
# wall time of several runs. The program is built in release mode in build-bench-self-test/.
#
#   scripts/bench-self-test.sh [RUNS]   (default 5)
set -euo pipefail
cd "$(dirname "$0")/.."

runs="${1:-5}"
[[ "$runs" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [RUNS]" >&2; exit 2; }

scripts/setup.sh
build=build-bench-self-test
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DFASORIA_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target fasoria -j "$(nproc)" >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
times=()
for ((run = 0; run < runs; ++run)); do
    start="$(date +%s.%N)"
    QT_QPA_PLATFORM=offscreen "$build/fasoria" --self-test "$work/report-$run" 2>/dev/null
    end="$(date +%s.%N)"
    times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
done
median="$(printf '%s\n' "${times[@]}" | sort -n |
    awk '{ t[NR] = $1 } END { printf "%.3f", (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2 }')"
echo "fasoria --self-test, $runs runs: median $median s (runs: ${times[*]})"
