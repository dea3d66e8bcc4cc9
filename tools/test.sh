#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal build, which is
# then packaged and checked as a Debian package and used by short runs of the README's other
# scripts; then under AddressSanitizer and UndefinedBehaviorSanitizer (one build for the core
# and korvanta-render tests, the fuzz corpora and the seeded monkey, starting with a short
# tools/monkey.sh); then the threads' tests and a short monkey under ThreadSanitizer
# (tools/tsan.sh). Prints each stage's wall and processor seconds at the end, so that a stage
# that grows shows the day it does.
set -euo pipefail
cd "$(dirname "$0")/.."

stages=()
# Processor seconds of finished children so far, from bash's `times`.
cpu() {
  times | tail -1 | awk '{ t = 0; for (i = 1; i <= 2; i++) { split($i, p, "m"); t += p[1] * 60 + p[2] } printf "%d", t }'
}
stage() {
  local name=$1 start=$SECONDS before
  before=$(cpu)
  shift
  "$@"
  stages+=("$(printf '%6d s %6d s  %s' $((SECONDS - start)) $(($(cpu) - before)) "$name")")
}
report() {
  echo "Stages:  wall   processor"
  printf '  %s\n' "${stages[@]}"
  echo "  $(printf '%6d s %6d s  %s' "$SECONDS" "$(cpu)" "in all")"
}
trap report EXIT

jobs=$(nproc)
stage "install" bash tools/install-deps.sh

# Configured for /usr, so that the package is made from the build the tests ran on; line
# tables keep the failures' stack traces and halve the debug information's cost.
stage "configure" cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_INSTALL_PREFIX=/usr -DKORVANTA_LINE_TABLES=ON
stage "build" cmake --build build -j "$jobs"
# Most of the longest tests wait on a window manager or a clock, so twice the cores keeps
# them busy.
stage "tests" ctest --test-dir build --output-on-failure -j $((2 * jobs))
stage "package" bash tools/package.sh build

# The README's other scripts in short forms, so that a missing install step fails here: the
# explorer started by run.sh answers, the recorder writes every sample macro, and each
# screenshot is a sound PNG.
scripts() {
  local tmp
  tmp=$(mktemp -d)
  bash tools/run.sh --version
  bash tools/make-sample-macros.sh "$tmp/macros"
  for sample in data/macros/Sample*.frm; do
    [ -s "$tmp/macros/${sample##*/}" ] || { echo "make-sample-macros.sh made no ${sample##*/}" >&2; return 1; }
  done
  bash tools/screenshot.sh "$tmp/shots"
  pngcheck -q "$tmp"/shots/{screenshot,deep-screenshot,help-screenshot}.png
  rm -rf "$tmp"
}
stage "scripts" scripts

# One sanitizer build, configured by tools/monkey.sh as its users have it; its monkey tests
# run each seed for 30 s.
sanitizer_build() {
  cmake -S . -B build-asan -DKORVANTA_MONKEY_SECONDS=30 >/dev/null
  cmake --build build-asan -j "$jobs" --target korvanta_sanitize_tests
}
stage "monkey.sh" bash tools/monkey.sh 0.1 7
stage "sanitizer build" sanitizer_build
stage "sanitizer tests" ctest --test-dir build-asan --output-on-failure -j $((2 * jobs)) -L 'sanitize|monkey'

stage "tsan.sh" bash tools/tsan.sh 0.1

# Without Qt the core and korvanta-render still configure (the tests build their renderer
# without the value panel).
stage "configure without GUI" cmake -S . -B build-nogui -G Ninja -DKORVANTA_GUI=OFF \
      -DKORVANTA_BUILD_BENCH=OFF -DKORVANTA_BUILD_TESTS=OFF
