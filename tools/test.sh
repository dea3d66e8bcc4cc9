#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal build, and the
# core and korvanta-render tests and the fuzz corpora again under AddressSanitizer and
# UndefinedBehaviorSanitizer; then the seeded monkey against the explorer under the same
# sanitizers (four seeds, 30 s each); then builds the Debian package and checks it. Prints
# each stage's seconds at the end, so that a stage that grows shows the day it does.
set -euo pipefail
cd "$(dirname "$0")/.."

stages=()
stage() {
  local name=$1 start=$SECONDS
  shift
  "$@"
  stages+=("$(printf '%6d s  %s' $((SECONDS - start)) "$name")")
}
report() {
  echo "Stages:"
  printf '  %s\n' "${stages[@]}"
  echo "  $(printf '%6d s  %s' "$SECONDS" "in all")"
}
trap report EXIT

jobs=$(nproc)
stage "install" bash tools/install-deps.sh

stage "configure" cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
stage "build" cmake --build build -j "$jobs"
stage "tests" ctest --test-dir build --output-on-failure -j "$jobs"

stage "sanitizer configure" cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANTA_SANITIZE=ON \
      -DKORVANTA_BUILD_BENCH=OFF -DKORVANTA_GUI=OFF
stage "sanitizer build" cmake --build build-sanitize -j "$jobs"
stage "sanitizer tests" ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

stage "monkey configure" cmake -S . -B build-monkey -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKORVANTA_SANITIZE=ON \
      -DKORVANTA_BUILD_BENCH=OFF -DKORVANTA_MONKEY_SECONDS=30
stage "monkey build" cmake --build build-monkey -j "$jobs" --target korvanta-monkey
stage "monkey tests" ctest --test-dir build-monkey --output-on-failure -j "$jobs" -L monkey

stage "package" bash tools/package.sh
