#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal build, and the
# core and korvanta-render tests and the fuzz corpora again under AddressSanitizer and
# UndefinedBehaviorSanitizer; then the seeded monkey against the explorer under the same
# sanitizers (four seeds, 30 s each); then builds the Debian package and checks it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANTA_SANITIZE=ON \
      -DKORVANTA_BUILD_BENCH=OFF -DKORVANTA_GUI=OFF
cmake --build build-sanitize -j "$jobs"
(cd build-sanitize && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-monkey -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANTA_SANITIZE=ON \
      -DKORVANTA_BUILD_BENCH=OFF -DKORVANTA_MONKEY_SECONDS=30
cmake --build build-monkey -j "$jobs" --target korvanta-monkey
(cd build-monkey && ctest --output-on-failure -j "$jobs" -L monkey)

bash tools/package.sh
