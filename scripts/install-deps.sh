#!/usr/bin/env bash
# Installs every Debian package Quillmate needs to build, test and run.
# Safe to run again: packages already present are left alone.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev qt6-multimedia-dev
  qt6-qpa-plugins libgl-dev libqt6svg6 qtkeychain-qt6-dev
  libgtest-dev googletest
  libical-dev python3-vobject python3-icalendar python3-recurring-ical-events
  radicale python3-caldav python3-requests vdirsyncer openssl
  fonts-liberation fonts-liberation2 poppler-utils
  xvfb xauth tzdata dbus-daemon
  dpkg-dev file lintian appstream desktop-file-utils groff-base
  gettext qt6-translations-l10n
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
