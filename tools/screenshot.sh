#!/usr/bin/env bash
# Makes data/screenshot.png (the explorer), data/deep-screenshot.png (a deep picture, under
# openbox for its title bar) and data/help-screenshot.png (the control window beside the user
# guide) under a virtual X server.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target korvanta-screenshot korvanta_help
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  build/tools/korvanta-screenshot data/screenshot.png
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  build/tools/korvanta-screenshot --help-window data/help-screenshot.png
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x800x24" \
  sh -c 'openbox --sm-disable & sleep 1; build/tools/korvanta-screenshot --deep data/deep-screenshot.png'
echo "wrote data/screenshot.png, data/deep-screenshot.png and data/help-screenshot.png"
