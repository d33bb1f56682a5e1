#!/usr/bin/env bash
# Fuzzes the circuit-file reader, with "qasm" the OpenQASM reader, with "challenge" the challenge-file
# reader, with "pack" the lesson-pack reader or with "session" the learning-session reader, with libFuzzer
# (clang++-14 and its runtime libclang-rt-14-dev, installed together by scripts/setup.sh).
#
#   scripts/fuzz.sh SECONDS [qasm|challenge|pack|session]        fuzz for that long, starting from a copy of the seeds
#   scripts/fuzz.sh --corpus-only [qasm|challenge|pack|session]  run every seed once (a quick smoke run)
#
# The build goes to $FASORIA_FUZZ_BUILD_DIR (default: build-fuzz in the source root); new inputs stay in
# that directory, so the committed seeds never grow. Exits non-zero on a finding; its input is saved as
# an artifact in the build directory.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${FASORIA_FUZZ_BUILD_DIR:-$root/build-fuzz}"
seeds="$root/tests/editor/data/corpus"
dictionary="$root/fuzz/circuit_file.dict"

target=fuzz_circuit_file

usage() {
    echo "usage: $0 SECONDS | --corpus-only [qasm|challenge|pack|session]" >&2
    exit 2
}

[[ $# -eq 1 || ( $# -eq 2 && ( "$2" == qasm || "$2" == challenge || "$2" == pack || "$2" == session ) ) ]] || usage
mode="$1"
if [[ "$mode" != "--corpus-only" && ! "$mode" =~ ^[1-9][0-9]*$ ]]; then
    usage
fi

if [[ "${2:-}" == qasm ]]; then
    target=fuzz_qasm
    seeds="$root/tests/editor/data/qasm-corpus"
    dictionary="$root/fuzz/qasm.dict"
elif [[ "${2:-}" == challenge ]]; then
    target=fuzz_challenge_file
    seeds="$root/tests/editor/data/challenge-corpus"
    dictionary="$root/fuzz/challenge_file.dict"
elif [[ "${2:-}" == pack ]]; then
    target=fuzz_lesson_pack
    seeds="$root/tests/editor/data/lesson-pack-corpus"
    dictionary="$root/fuzz/lesson_pack.dict"
elif [[ "${2:-}" == session ]]; then
    target=fuzz_session
    seeds="$root/tests/education/data/session-corpus"
    dictionary="$root/fuzz/session.dict"
fi

compiler="$(command -v clang++-14 || true)"
if [[ -z "$compiler" ]]; then
    echo "fuzz.sh: clang++-14 not found (scripts/setup.sh installs it)" >&2
    exit 2
fi

cmake -S "$root" -B "$build" -DCMAKE_CXX_COMPILER="$compiler" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DFASORIA_FUZZ=ON -DFASORIA_WIDGETS=OFF -DFASORIA_BENCHMARKS=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target "$target" -j2
fuzzer="$build/fuzz/$target"
export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
mkdir -p "$build/artifacts"
common=(-artifact_prefix="$build/artifacts/" -timeout=10 -rss_limit_mb=2048)

if [[ "$mode" == "--corpus-only" ]]; then
    "$fuzzer" "${common[@]}" "$seeds"/*
    exit
fi

corpus="$build/corpus${2:+-$2}"
rm -rf "$corpus"
cp -R "$seeds" "$corpus"
"$fuzzer" "${common[@]}" -dict="$dictionary" -max_len=16384 -max_total_time="$mode" -print_final_stats=1 "$corpus"
