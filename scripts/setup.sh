#!/usr/bin/env bash
# Installs every Debian package Sorvane needs to build, run, test and benchmark.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev dbus
  libmpg123-dev libavformat-dev libavcodec-dev libavutil-dev libswresample-dev libebur128-dev
  libsdl2-dev libtag1-dev libkissfft-dev libsqlite3-dev mdbtools-dev libxcb1-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-ipafont-gothic fonts-liberation2 fontconfig
  xvfb xauth xdotool imagemagick x11-utils desktop-file-utils
  sox libsox-fmt-mp3 lame ffmpeg mpg123 python3 sqlite3
  pulseaudio pulseaudio-utils weston xwayland mpv playerctl
  dpkg-dev lintian appstream
  skkdic wfrench wngerman wspanish witalian libuchardet-dev libicu-dev
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
