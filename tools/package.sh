#!/usr/bin/env bash
# Builds the Debian package in build-deb (configured for /usr, without tests or benchmarks),
# or from the build in the folder given (configured for /usr, its other settings kept), and
# checks it with lintian when lintian is installed. Prints the package's path last.
#   tools/package.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-deb}

bash tools/install-deps.sh

jobs=$(nproc)
if [ -f "$build/CMakeCache.txt" ]; then
  cmake -S . -B "$build" -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
else
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
        -DKORVANTA_BUILD_TESTS=OFF -DKORVANTA_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j "$jobs"
(cd "$build" && rm -f ./*.deb && cpack -G DEB >/dev/null)
deb=$(ls "$build"/*.deb)

dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
# Everything lives under /usr, and nothing of the build or the tests went in.
if dpkg-deb --contents "$deb" | awk '{print $6}' | grep -vxE '\./|\./usr/.*'; then
    echo "package.sh: files outside /usr" >&2
    exit 1
fi

if command -v lintian >/dev/null; then
    # Errors fail; warnings are shown.
    lintian --info --display-level '>=warning' "$deb" | tee "$build/lintian.txt"
    ! grep -q '^E: ' "$build/lintian.txt"
fi
echo "$deb"
