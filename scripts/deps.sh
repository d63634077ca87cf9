#!/usr/bin/env bash
# Installs what building, running and testing Quorvel needs (Debian 12, as root).
set -euo pipefail
packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6sql6-sqlite qt6-charts-dev libqt6opengl6-dev
  libsdl2-mixer-dev fluid-soundfont-gm fluidsynth qt6-translations-l10n
  fonts-noto-cjk fonts-babelstone-han
  libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick python3
  weston qt6-wayland
  ibus ibus-table-wubi dbus-x11
  desktop-file-utils appstream
  at-spi2-core python3-pyatspi gir1.2-atspi-2.0
  dpkg-dev lintian
  libimecore-dev libimepinyin-dev libfcitx5utils-dev libboost-dev libime-data libime-data-language-model unicode-data
  postgresql-15 libqt6sql6-psql
)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
