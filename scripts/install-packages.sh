#!/usr/bin/env bash
# Installs every Debian 12 package needed to build, run and test the program.
set -euo pipefail
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends \
  build-essential cmake pkg-config ccache git \
  qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev \
  libsdl2-mixer-dev libsqlite3-dev sqlite3 libical-dev \
  fonts-liberation fonts-dejavu-core \
  xvfb xauth xdotool openbox x11-utils imagemagick faketime \
  sox lame clang-14 libclang-rt-14-dev dbus dbus-x11 poppler-utils desktop-file-utils \
  python3-icalendar trayer \
  at-spi2-core python3-pyatspi appstream lintian
