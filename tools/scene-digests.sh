#!/usr/bin/env bash
# Renders the eleven sample scenes with korvanta-render into every output format and prints
# one digest a file, so that two builds can be compared byte for byte.
#   tools/scene-digests.sh KORVANTA_RENDER                 print the digests
#   tools/scene-digests.sh --check DIGESTS KORVANTA_RENDER compare with a saved list
set -euo pipefail
expected=""
if [ "${1:-}" = "--check" ]; then
  expected=$2
  shift 2
fi
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for scene in $(seq 0 10); do
  "$tool" --quiet --scene "$scene" \
    -o "$work/scene$scene.fra" -o "$work/scene$scene.png" -o "$work/scene$scene.bmp" \
    -o "$work/scene$scene.tga" -o "$work/scene$scene.wmf"
done
digests=$(cd "$work" && sha256sum scene*.* | sort -k2 -V)
if [ -z "$expected" ]; then
  echo "$digests"
elif diff <(echo "$digests") "$expected"; then
  echo "all $(echo "$digests" | wc -l) files are byte for byte as listed in $expected"
else
  echo "the files above differ from $expected" >&2
  exit 1
fi
