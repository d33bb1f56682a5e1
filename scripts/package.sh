#!/usr/bin/env bash
# Builds the Debian package from this checkout: installs what is missing, configures a Release build in
# build-package/, builds it, packs it with CPack, checks the package (scripts/check-install.sh) and prints
# the path of the .deb, for "apt install ./fasoria_VERSION_ARCH.deb" on each machine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DFASORIA_WIDGETS=ON -DBUILD_TESTING=OFF \
    -DFASORIA_BENCHMARKS=OFF -DFASORIA_FUZZ=OFF
cmake --build build-package -j "$(nproc)"
# A package left by an earlier version would otherwise be found beside the new one.
rm -f build-package/fasoria_*.deb
(cd build-package && cpack -G DEB)
deb="$(find "$PWD/build-package" -maxdepth 1 -name 'fasoria_*.deb')"
scripts/check-install.sh build-package --deb "$deb" >&2
echo "$deb"
