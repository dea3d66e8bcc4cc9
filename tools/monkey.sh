#!/usr/bin/env bash
# Hammers the explorer with korvanta-monkey under AddressSanitizer and
# UndefinedBehaviorSanitizer for a while.
#   tools/monkey.sh MINUTES [SEED]
#   tools/monkey.sh --build            only configure and build build-asan's monkey
# Without SEED the monkey picks one and prints it first; the log of every action goes to
# build-asan/monkey-SEED.log. Headless by default; MONKEY_DISPLAY=xvfb runs it under
# xvfb-run instead. MONKEY_HANG_MS changes how long the event loop may be silent.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  sed -n '4,8p' "$0" >&2
  exit 2
fi
minutes=$1

# ccache speeds rebuilds up where it is installed; nothing needs it.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f build-asan/build.ninja ]; then
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
        -DKORVANTA_SANITIZE=ON -DKORVANTA_LINE_TABLES=ON -DKORVANTA_BUILD_BENCH=OFF >/dev/null
fi
cmake --build build-asan --target korvanta-monkey -j "$(nproc)"
[ "$minutes" = --build ] && exit 0
seed=${2:-$(od -An -N4 -tu4 /dev/urandom | tr -d ' ')}

# Qt's own allocations at exit are no finding of ours; leaks stay off.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1:allocator_may_return_null=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
run=(build-asan/tools/korvanta-monkey "--seed=$seed" "--minutes=$minutes"
     "--log=build-asan/monkey-$seed.log" "--hang-ms=${MONKEY_HANG_MS:-2000}")
if [ "${MONKEY_DISPLAY:-}" = xvfb ]; then
  exec xvfb-run -a "${run[@]}"
fi
QT_QPA_PLATFORM=offscreen exec "${run[@]}"
