#!/usr/bin/env bash
# Installs what is missing, builds, and starts Korvanta. Until the explorer's windows land,
# this runs the render benchmark, which renders a picture through the core.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)"
exec build/bench/bench_render_step "$@"
