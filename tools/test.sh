#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in the normal build, which is
# then packaged and checked as a Debian package and used by short runs of the README's other
# scripts; then under AddressSanitizer and UndefinedBehaviorSanitizer (one build for the core
# and korvanta-render tests, the fuzz corpora and the seeded monkey, and a short
# tools/monkey.sh); then the threads' tests and a short monkey under ThreadSanitizer
# (tools/tsan.sh). The sanitizer builds compile beside the tests before them, at the lowest
# priority, in the processor time that tests waiting on windows and clocks leave. Prints each
# stage's wall and processor seconds at the end, so that a stage that grows shows the day it
# does.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
stages=()
# Processor seconds of this shell's finished children (no subshell: `times` counts its own).
cpu_now() {
  times >"$work/times"
  cpu=$(awk 'NR == 2 { t = 0; for (i = 1; i <= 2; i++) { split($i, p, "m"); t += p[1] * 60 + p[2] } printf "%d", t }' "$work/times")
}
add_stage() {
  stages+=("$(printf '%6d s %6d s  %s' "$2" "$3" "$1")")
}
stage() {
  local name=$1 start=$SECONDS before
  shift
  cpu_now
  before=$cpu
  "$@"
  cpu_now
  add_stage "$name" $((SECONDS - start)) $((cpu - before))
}
# Starts a stage beside the next ones at the lowest priority; joined waits for it, and shows
# its output only when it fails.
beside() {
  background_name=$1
  shift
  set -m  # a process group of its own, so that a failure elsewhere can stop all of it
  (
    renice -n 19 -p "$BASHPID" >/dev/null
    start=$SECONDS
    status=0
    "$@" >"$work/beside.log" 2>&1 || status=$?
    cpu_now
    echo "$((SECONDS - start)) $cpu" >"$work/beside.secs"
    exit "$status"
  ) &
  background=$!
  set +m
}
joined() {
  local status=0 secs
  wait "$background" || status=$?
  background=
  if [ "$status" -ne 0 ]; then
    cat "$work/beside.log"
    echo "test.sh: $background_name failed" >&2
    exit "$status"
  fi
  read -r -a secs <"$work/beside.secs"
  add_stage "$background_name (beside)" "${secs[0]}" "${secs[1]}"
}
report() {
  if [ -n "${background:-}" ] && kill -0 "$background" 2>/dev/null; then
    kill -TERM -- "-$background" 2>/dev/null || true
    wait "$background" 2>/dev/null || true
  fi
  cpu_now
  echo "Stages:  wall   processor"
  printf '  %s\n' "${stages[@]}"
  printf '  %6d s %6d s  %s\n' "$SECONDS" "$cpu" "in all"
  rm -rf "$work"
}
trap report EXIT

jobs=$(nproc)
stage "install" bash tools/install-deps.sh

# Configured for /usr, so that the package is made from the build the tests ran on; line
# tables keep the failures' stack traces and halve the debug information's cost.
stage "configure" cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_INSTALL_PREFIX=/usr -DKORVANTA_LINE_TABLES=ON
stage "build" cmake --build build -j "$jobs"

# One sanitizer build, configured by tools/monkey.sh as its users have it; its monkey tests
# run each seed for 30 s.
sanitizer_build() {
  bash tools/monkey.sh --build
  cmake -S . -B build-asan -DKORVANTA_MONKEY_SECONDS=30 >/dev/null
  cmake --build build-asan -j "$jobs" --target korvanta_sanitize_tests
}
beside "sanitizer build" sanitizer_build
# Most of the longest tests wait on a window manager or a clock, so twice the cores keeps
# them busy.
stage "tests" ctest --test-dir build --output-on-failure -j $((2 * jobs))
stage "package" bash tools/package.sh build

# The README's other scripts in short forms, so that a missing install step fails here: the
# explorer started by run.sh answers, the recorder writes every sample macro with as many
# events as the one it ships (their pauses differ), and each screenshot is a sound PNG.
scripts() {
  bash tools/run.sh --version
  bash tools/make-sample-macros.sh "$work/macros"
  local sample made
  for sample in data/macros/Sample*.frm; do
    made=$work/macros/${sample##*/}
    [ -f "$made" ] && [ "$(stat -c %s "$made")" = "$(stat -c %s "$sample")" ] ||
      { echo "make-sample-macros.sh did not record ${sample##*/} as it ships" >&2; return 1; }
  done
  bash tools/screenshot.sh "$work/shots"
  pngcheck -q "$work"/shots/{screenshot,deep-screenshot,help-screenshot}.png
}
stage "scripts" scripts
joined

beside "tsan.sh build" bash tools/tsan.sh --build
stage "monkey.sh" bash tools/monkey.sh 0.1 7
stage "sanitizer tests" ctest --test-dir build-asan --output-on-failure -j $((2 * jobs)) -L sanitize
# The seeds run on their own, a core each, so that each takes as many actions as it always did.
stage "monkey tests" ctest --test-dir build-asan --output-on-failure -j "$jobs" -L monkey
joined
stage "tsan.sh" bash tools/tsan.sh 0.1

# Without Qt the core and korvanta-render still configure (the tests build their renderer
# without the value panel).
stage "configure without GUI" cmake -S . -B build-nogui -G Ninja -DKORVANTA_GUI=OFF \
      -DKORVANTA_BUILD_BENCH=OFF -DKORVANTA_BUILD_TESTS=OFF
