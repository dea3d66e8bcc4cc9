#!/usr/bin/env bash
# Records Sample1.frm to Sample3.frm with the explorer's own recorder (headless) into
# data/macros, or the folder given.
#   tools/make-sample-macros.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-data/macros}
bash tools/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target korvanta-make-samples
mkdir -p "$out"
build/tools/korvanta-make-samples "$out"
