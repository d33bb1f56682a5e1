#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and this machine lacks.
# Runs apt-get as root, or through sudo otherwise. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
    cmake make g++                      # toolchain
    qtbase5-dev qtbase5-dev-tools       # Qt 5 Core, Gui, Widgets and their tools
    libgtest-dev libgmock-dev           # GoogleTest for the plain C++ libraries
    libbenchmark-dev                    # Google Benchmark
    clang-14 libclang-rt-14-dev         # libFuzzer and its sanitizer runtimes, of one version (clang++-14)
    pkg-config                          # scripts/make-icon.sh finds Qt through it
    fonts-dejavu-core                   # a font for the offscreen platform of the widget tests
    qttranslations5-l10n                # Qt's own dialog buttons in Italian
    dpkg-dev                            # dpkg-shlibdeps, which finds the Debian package's dependencies
    desktop-file-utils                  # desktop-file-validate for the installed desktop entry
    appstream                           # appstreamcli validates the installed AppStream metadata
    libxml2-utils                       # xmllint for the MIME package's grammar and the metadata's fields
    shared-mime-info                    # update-mime-database reads the installed MIME package
    groff-base                          # groff formats the manual pages and reports their mistakes
    binutils                            # strings and readelf look into the installed programs
    poppler-utils                       # pdftotext and pdfinfo read the printed worksheets back
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ "${#missing[@]}" -eq 0 ]; then
    exit 0
fi

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
    sudo=()
elif command -v sudo >/dev/null 2>&1; then
    sudo=(sudo)
else
    echo "error: these packages are missing and this user can neither install them nor use sudo: ${missing[*]}" >&2
    exit 1
fi
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
