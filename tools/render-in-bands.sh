#!/usr/bin/env bash
# Renders a picture in bands through GNU parallel on this machine and merges them: the files
# are byte for byte what one korvanta-render run with the same options writes.
#   tools/render-in-bands.sh [-j JOBS] BANDS OPTION... -o FILE [-o FILE]...
# OPTIONs are korvanta-render's picture options. JOBS bands run at once (default: one per
# core, each on every core, so the last band still uses them all). KORVANTA_RENDER names the
# program (default: korvanta-render on the PATH, else build/tools/korvanta-render).
set -euo pipefail

usage() { sed -n '2,7s/^# \{0,1\}//p' "$0" >&2; exit 2; }

jobs=$(nproc)
if [ "${1:-}" = "-j" ]; then
  [ $# -ge 2 ] || usage
  jobs=$2
  shift 2
fi
[ $# -ge 1 ] && [[ $1 =~ ^[1-9][0-9]*$ ]] || usage
bands=$1
shift

tool=${KORVANTA_RENDER:-}
if [ -z "$tool" ]; then
  tool=$(command -v korvanta-render || true)
  [ -n "$tool" ] || tool="$(dirname "$0")/../build/tools/korvanta-render"
fi
command -v parallel > /dev/null || { echo "$0: GNU parallel is needed (Debian package parallel)" >&2; exit 2; }

# The outputs go to the merge, everything else to every band.
options=()
outputs=()
while [ $# -gt 0 ]; do
  case $1 in
    -o|--output) [ $# -ge 2 ] || usage; outputs+=(-o "$2"); shift 2 ;;
    --output=*) outputs+=(-o "${1#--output=}"); shift ;;
    -o?*) outputs+=(-o "${1#-o}"); shift ;;
    *) options+=("$1"); shift ;;
  esac
done
[ ${#outputs[@]} -gt 0 ] || usage

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# GNU parallel's citation notice is acknowledged in a home of its own.
export PARALLEL_HOME="$work/parallel-home"
mkdir -p "$PARALLEL_HOME"

seq 0 $((bands - 1)) |
  parallel --will-cite --quote --halt now,fail=1 -j "$jobs" \
    "$tool" --quiet "${options[@]}" --band "{}/$bands" -o "$work/band-{}.band"
"$tool" --merge "$work"/band-*.band "${outputs[@]}"
