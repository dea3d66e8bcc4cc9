#!/usr/bin/env bash
# Records data/macros/Sample1.frm to Sample3.frm with the explorer's own recorder (headless).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target korvanta-make-samples
mkdir -p data/macros
build/tools/korvanta-make-samples data/macros
