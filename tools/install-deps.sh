#!/bin/sh
# Installs the Debian packages that Pivolette's build, programs and tests need
# (clang and its runtime libraries for the fuzzing of the parsers; the HTTP
# server, JSON and the browser of the teacher's workshop and its tests).
set -e
if [ "$(id -u)" -ne 0 ]; then SUDO=sudo; else SUDO=; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends \
  build-essential cmake pkg-config libgtest-dev \
  libsdl2-dev libsdl2-image-dev libsdl2-ttf-dev libsdl2-mixer-dev libsdl2-gfx-dev \
  libminizip-dev \
  libavformat-dev libavcodec-dev libswscale-dev libswresample-dev libavutil-dev \
  fonts-dejavu-core fonts-dejavu-extra \
  xvfb xauth x11-utils imagemagick zip \
  xdotool \
  clang libclang-rt-14-dev \
  libmicrohttpd-dev nlohmann-json3-dev chromium
# The workshop's browser suite: node and npm (unless a newer node is already
# installed), then playwright-core at the version its lockfile pins.
command -v npm >/dev/null 2>&1 || $SUDO apt-get install -y --no-install-recommends nodejs npm
(cd "$(dirname "$0")/../tests/atelier/browser" && npm ci --no-audit --no-fund)
