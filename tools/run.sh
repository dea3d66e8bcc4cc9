#!/usr/bin/env bash
# Installs what is missing, builds, and starts Korvanta; arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
exec build/src/app/korvanta "$@"
