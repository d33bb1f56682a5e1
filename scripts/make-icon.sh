#!/usr/bin/env bash
# Draws the program icon into Help/icons/Fasoria.png (256 x 256) with the small Qt program beside this script.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
g++ -std=c++17 -O1 -fPIC scripts/make_icon.cpp -o "$work/make_icon" $(pkg-config --cflags --libs Qt5Gui)
"$work/make_icon" Help/icons/Fasoria.png 256
echo "Help/icons/Fasoria.png written"
