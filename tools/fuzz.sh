#!/usr/bin/env bash
# Fuzzes one reader with libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer.
#   tools/fuzz.sh TARGET SECONDS [libFuzzer options...]   TARGET: document desktop macro archive band location png-parameters
#   tools/fuzz.sh --seeds                                 rewrite the seed inputs of every corpus
# The checked-in corpus data/fuzz/TARGET seeds the run; what the run finds interesting stays
# in build-fuzz/corpus/TARGET, and every crash, leak or out-of-memory input is written into
# data/fuzz/TARGET, so the replay that CI runs covers it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = "--seeds" ]; then
  cmake -S . -B build -G Ninja >/dev/null
  cmake --build build --target korvanta-fuzz-seeds
  build/tools/fuzz/korvanta-fuzz-seeds data/fuzz
  exit 0
fi
if [ $# -lt 2 ]; then
  sed -n '2,7p' "$0" >&2
  exit 2
fi
target=$1 seconds=$2
shift 2
[ -d "data/fuzz/$target" ] || { echo "no corpus data/fuzz/$target" >&2; exit 2; }

# clang and its fuzzer runtime are needed only here.
missing=()
for p in clang libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
bash tools/install-deps.sh
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKORVANTA_FUZZ=ON \
      -DKORVANTA_GUI=OFF -DKORVANTA_BUILD_TESTS=OFF -DKORVANTA_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz --target "fuzz-$target"

mkdir -p "build-fuzz/corpus/$target"
export ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1
exec "build-fuzz/tools/fuzz/fuzz-$target" -max_total_time="$seconds" \
     -rss_limit_mb=1024 -malloc_limit_mb=1024 -print_final_stats=1 \
     -artifact_prefix="data/fuzz/$target/" "$@" "build-fuzz/corpus/$target" "data/fuzz/$target"
