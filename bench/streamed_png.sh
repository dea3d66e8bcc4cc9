#!/usr/bin/env bash
# korvanta-render's peak memory and time for large PNGs of the full view at limit 256, the
# whole picture held in memory (--in-memory) and rendered as written; the two PNGs of each
# size are compared byte for byte and deleted.
#   bench/streamed_png.sh build/tools/korvanta-render [SIZE]...   (default 8000 16000 32000)
# Run under the shared lock so no other timing overlaps: flock /tmp/korvanta-bench.lock ...
set -euo pipefail
tool=${1:?usage: $0 KORVANTA-RENDER [SIZE]...}
shift
sizes=("${@:-8000 16000 32000}")
read -r -a sizes <<< "${sizes[*]}"
out=$(mktemp -d /tmp/korvanta-streamed-XXXXXX)
trap 'rm -rf "$out"' EXIT

printf '%-7s %-10s %10s %10s %14s\n' size path seconds "peak MB" "Mpixels/s"
for n in "${sizes[@]}"; do
  for how in in-memory streamed; do
    extra=()
    [ "$how" = in-memory ] && extra=(--in-memory)
    line=$("$tool" --area=-2.5,1.5,-2,2 --size="${n}x${n}" -n 256 -c RGB -q -v "${extra[@]}" \
           -o "$out/$how.png" 2>&1 | grep 'pixels in')
    # "korvanta-render: P pixels in S s, R million pixels/s; peak memory M MB"
    read -r seconds rate peak < <(sed -E 's/.* in ([0-9.]+) s, ([0-9.]+) million.*memory ([0-9.]+) MB/\1 \2 \3/' <<< "$line")
    printf '%-7s %-10s %10s %10s %14s\n' "$n" "$how" "$seconds" "$peak" "$rate"
  done
  if cmp -s "$out/in-memory.png" "$out/streamed.png"; then
    echo "$n: the two PNGs are byte for byte the same ($(stat -c %s "$out/streamed.png") bytes)"
  else
    echo "$n: THE PNGs DIFFER" >&2
    exit 1
  fi
  rm -f "$out"/*.png
done
