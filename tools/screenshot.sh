#!/usr/bin/env bash
# Makes screenshot.png (the explorer), deep-screenshot.png (a deep picture) and
# help-screenshot.png (the control window beside the user guide) in data/, or the folder
# given, each on a virtual X server under openbox, so that windows have the frames and titles
# a user sees.
#   tools/screenshot.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-data}
bash tools/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target korvanta-screenshot korvanta_help
mkdir -p "$out"
shot() {
  QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
    sh -c 'openbox --sm-disable & sleep 1; build/tools/korvanta-screenshot "$@"' sh "$@"
}
shot "$out/screenshot.png"
shot --help-window "$out/help-screenshot.png"
shot --deep "$out/deep-screenshot.png"
echo "wrote $out/screenshot.png, $out/deep-screenshot.png and $out/help-screenshot.png"
