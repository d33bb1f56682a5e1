#!/usr/bin/env bash
# Times "fasoria-cli check" over 1000 submissions of 256 random gates each and prints the median wall time
# of several runs, for two classes:
#   8 qubits: the largest files the editor allows, graded against lesson 14 (three qubits), so each is read
#             in full and refused for its qubit count without a replay;
#   3 qubits: the same number of gates on lesson 14's register, so every file is replayed, checked and
#             diagnosed completely.
#
#   scripts/bench-grading.sh [REPETITIONS]   (default 5)
#
# The tool is built in release mode in build-bench-grading/ (its own folder: the options differ from
# scripts/bench.sh's), unless $FASORIA_CLI names an existing executable.
set -euo pipefail
cd "$(dirname "$0")/.."

repetitions="${1:-5}"
[[ "$repetitions" =~ ^[1-9][0-9]*$ ]] || { echo "usage: $0 [REPETITIONS]" >&2; exit 2; }

cli="${FASORIA_CLI:-}"
if [[ -z "$cli" ]]; then
    cmake -S . -B build-bench-grading -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DFASORIA_WIDGETS=OFF \
        -DFASORIA_BENCHMARKS=OFF >/dev/null
    cmake --build build-bench-grading --target fasoria-cli -j2 >/dev/null
    cli=build-bench-grading/cli/fasoria-cli
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Writes COUNT circuit files of GATES random gates on QUBITS qubits into DIRECTORY (fixed seed).
make_class() {
    local directory="$1" qubits="$2" gates="$3" count="$4"
    mkdir -p "$directory"
    awk -v dir="$directory" -v n="$qubits" -v g="$gates" -v count="$count" 'BEGIN {
        srand(20240131)
        for (f = 0; f < count; ++f) {
            file = sprintf("%s/student-%04d.fsor.json", dir, f)
            printf "{\"format\":\"FasoriaCircuit\",\"version\":1,\"qubits\":%d,\"gates\":[", n > file
            for (i = 0; i < g; ++i) {
                kind = int(rand() * 5); target = int(rand() * n)
                if (i > 0) printf "," > file
                if (kind == 0) printf "{\"gate\":\"H\",\"target\":%d}", target > file
                else if (kind == 1) printf "{\"gate\":\"X\",\"target\":%d}", target > file
                else if (kind == 2) printf "{\"gate\":\"Z\",\"target\":%d}", target > file
                else if (kind == 3) printf "{\"gate\":\"P\",\"target\":%d,\"angle_rad\":%.17g}", target, (rand() * 2 - 1) * 3.14159 > file
                else {
                    control = (target + 1 + int(rand() * (n - 1))) % n
                    printf "{\"gate\":\"CNOT\",\"target\":%d,\"control\":%d}", target, control > file
                }
            }
            printf "]}\n" > file
            close(file)
        }
    }'
}

# Median wall time in seconds of REPETITIONS runs of "check --lesson 14" over the files of DIRECTORY.
time_class() {
    local directory="$1" times=() start end
    for ((run = 0; run < repetitions; ++run)); do
        start="$(date +%s.%N)"
        "$cli" check --lesson 14 "$directory"/*.fsor.json >/dev/null || [[ $? -eq 1 ]]
        end="$(date +%s.%N)"
        times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.6f", b - a }')")
    done
    printf '%s\n' "${times[@]}" | sort -n | awk '{ t[NR] = $1 } END { printf "%.3f", (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2 }'
}

make_class "$work/eight" 8 256 1000
make_class "$work/three" 3 256 1000
echo "1000 files x 256 gates, 8 qubits (refused for qubit count): median $(time_class "$work/eight") s of $repetitions"
echo "1000 files x 256 gates, 3 qubits (replayed and diagnosed):  median $(time_class "$work/three") s of $repetitions"
