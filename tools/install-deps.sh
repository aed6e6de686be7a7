#!/usr/bin/env bash
# Installs the Debian packages the game needs to build, test and run, when
# any is missing. Runs as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsdl2-dev libsdl2-ttf-dev libfluidsynth-dev libopengl-dev
  libgl1-mesa-dri libegl-mesa0 libglx-mesa0
  fonts-ipafont-gothic timgm6mb-soundfont sound-icons
  fonts-rocknroll fonts-aoyagi-kouzan-t fonts-liberation fonts-dejavu-extra fonts-urw-base35
  libgtest-dev libgmock-dev
  xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
