#!/usr/bin/env bash
# The explorer's threads under ThreadSanitizer: the row workers (several pictures, closed,
# resumed, deep ones with their reference orbits), korvanta-render's threads, and the macro
# engine's writer, through their tests, then the monkey for a while.
#   tools/tsan.sh [MONKEY_MINUTES]      default 2; fractions such as 0.25 are fine, 0 runs
#                                       the tests alone
#   tools/tsan.sh --build               only configure and build build-tsan
# Qt itself is not instrumented: its own reports are suppressed (tools/tsan.supp).
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-2}
# ccache speeds rebuilds up where it is installed; nothing needs it.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f build-tsan/build.ninja ]; then
  cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
        -DKORVANTA_TSAN=ON -DKORVANTA_LINE_TABLES=ON -DKORVANTA_BUILD_BENCH=OFF \
        -DKORVANTA_MANPAGES=OFF >/dev/null
fi
targets=(korvanta_thread_tests)
[ "$minutes" = 0 ] || targets+=(korvanta-monkey)
cmake --build build-tsan --target "${targets[@]}" -j "$(nproc)"
[ "$minutes" = --build ] && exit 0
# The explorer starts helper processes (QProcess forks): their side of the fork is not ours.
export TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1 die_after_fork=0 suppressions=$PWD/tools/tsan.supp"
export QT_QPA_PLATFORM=offscreen
build-tsan/tests/korvanta_thread_tests \
  --gtest_filter='LookAhead.*:DeepPicture.*:ParallelRender.*:Macro*:IdleDriver*:DeepZoom.*:Desktop.ADeep*:RenderTool.*'
[ "$minutes" = 0 ] && exit 0
build-tsan/tools/korvanta-monkey --seed=7 "--minutes=$minutes" --log=build-tsan/monkey-7.log --hang-ms=20000
