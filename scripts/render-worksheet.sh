#!/usr/bin/env bash
# Writes the sample worksheets (tools/render_worksheet.cpp) in both languages and has Debian's
# chromium show them as a browser does and print them: a screenshot per page, and the printed PDF turned into
# one PNG per sheet with pdftoppm. Installs chromium and poppler-utils with apt-get when they are missing.
# Usage: scripts/render-worksheet.sh [OUTPUT_DIRECTORY] (default: BUILD/worksheets; BUILD is
# $FASORIA_RENDER_BUILD, else build-render)
set -euo pipefail
cd "$(dirname "$0")/.."

build="${FASORIA_RENDER_BUILD:-build-render}"
output="${1:-$build/worksheets}"

install_missing() {
    local packages=()
    command -v chromium >/dev/null || packages+=(chromium)
    command -v pdftoppm >/dev/null || packages+=(poppler-utils)
    if [ ${#packages[@]} -eq 0 ]; then
        return
    fi
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${packages[@]}"
}

install_missing
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -DFASORIA_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build" --target render_worksheet -j 2
mkdir -p "$output"
output="$(cd "$output" && pwd)"
"$build/tools/render_worksheet" "$output" >/dev/null

profile="$(mktemp -d)"
trap 'rm -rf "$profile"' EXIT
browser=(chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking
    --disable-component-update --disable-sync --hide-scrollbars)

for page in "$output"/*.html; do
    name="${page%.html}"
    # A fresh profile for every run, so nothing from an earlier page or session leaks in.
    rm -rf "${profile:?}"/*
    "${browser[@]}" --user-data-dir="$profile" --window-size=1280,1800 --screenshot="$name.png" \
        "file://$page" 2>/dev/null
    rm -rf "${profile:?}"/*
    "${browser[@]}" --user-data-dir="$profile" --no-pdf-header-footer --print-to-pdf="$name.pdf" \
        "file://$page" 2>/dev/null
    rm -f "$name"-print-*.png
    pdftoppm -png -r 70 "$name.pdf" "$name-print"
    echo "$name.png $(ls "$name"-print-*.png | wc -l) printed page(s)"
done
