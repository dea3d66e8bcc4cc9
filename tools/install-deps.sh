#!/usr/bin/env bash
# Installs the Debian 12 packages Korvanta needs to build, test and run; does nothing when
# they are all present, so it is cheap to call before every build.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev nlohmann-json3-dev
  libpng-dev zlib1g-dev libmpfr-dev
  qt6-base-dev libgl-dev
  xvfb xauth openbox xdotool x11-utils
  libwmf-bin gsfonts pngcheck
  parallel
  help2man man-db
  desktop-file-utils appstream shared-mime-info
  dpkg-dev file lintian
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
