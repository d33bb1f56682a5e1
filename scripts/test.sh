#!/usr/bin/env bash
# Sets everything up, then builds and runs the whole test suite:
#   1. the libraries without widgets under AddressSanitizer and UndefinedBehaviorSanitizer (build-asan/);
#   2. when clang++-14 is present, a fuzz smoke run of every file reader over its seed corpus (build-fuzz/);
#   3. everything, warnings as errors, benchmarks built but not run (build-test/);
#   4. the program's unattended education self-test, into build-test/self-test/ (its screenshots stay there).
# The last lines are ctest's summary of the whole suite and the self-test's summary line.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
jobs="$(nproc)"

echo "== Sanitizer build: libraries without widgets =="
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DFASORIA_SANITIZE=ON -DFASORIA_WERROR=ON \
    -DFASORIA_WIDGETS=OFF -DFASORIA_BENCHMARKS=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

if command -v clang++-14 >/dev/null 2>&1; then
    echo "== Fuzz smoke run over the seed corpora =="
    scripts/fuzz.sh --corpus-only
    scripts/fuzz.sh --corpus-only qasm
    scripts/fuzz.sh --corpus-only challenge
    scripts/fuzz.sh --corpus-only pack
    scripts/fuzz.sh --corpus-only session
fi

echo "== Full build: warnings as errors =="
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DFASORIA_WERROR=ON -DFASORIA_WIDGETS=ON \
    -DFASORIA_BENCHMARKS=ON
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs"

echo "== Education self-test: fasoria --self-test build-test/self-test =="
report=build-test/self-test
rm -rf "$report"
status=0
QT_QPA_PLATFORM=offscreen build-test/fasoria --self-test "$report" 2>"$report.stderr" || status=$?
summary="$(tail -n 1 "$report/education_tests.txt" 2>/dev/null || true)"
echo "$summary"
# A complete run passes all 83 checks, the number tests/validation/test_self_test.cpp names kEducationCheckCount.
if [[ $status -ne 0 || "$summary" != "Education checks passed: 83; result: PASS" ]]; then
    echo "the education self-test failed (exit status $status); see $report/education_tests.txt and $report.stderr" >&2
    exit 1
fi
