#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: when every package is present it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build clang-format
  qt6-base-dev qt6-base-dev-tools libqt6dbus6 libqt6opengl6-dev
  libgstreamer1.0-dev libgstreamer-plugins-base1.0-dev
  gstreamer1.0-tools gstreamer1.0-plugins-base gstreamer1.0-plugins-good
  gstreamer1.0-plugins-bad gstreamer1.0-plugins-ugly gstreamer1.0-libav
  gstreamer1.0-x gstreamer1.0-gl
  libx11-dev libpugixml-dev libmediainfo-dev libjpeg-dev
  libgtest-dev libgmock-dev googletest
  xvfb xauth xdotool x11-utils imagemagick fonts-liberation fonts-dejavu-core
  dbus dbus-x11 dvdauthor pulseaudio
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
