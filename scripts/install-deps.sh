#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Orlatim need.
# Runs as root, or through sudo; does nothing when everything is already there.
set -euo pipefail

packages=(
  # build
  cmake g++ make pkgconf
  qt6-base-dev qt6-base-dev-tools libgl-dev
  # the stage window's test plugs screens in and out of Qt's offscreen platform
  qt6-base-private-dev
  qt6-websockets-dev libqrencode-dev
  libsdl2-mixer-dev libsndfile1-dev libfluidsynth-dev libchm-dev fp-utils
  # reading published timetables in iCalendar
  libical-dev
  # translations: lupdate and lrelease, and Qt's own Japanese texts
  qt6-l10n-tools qt6-translations-l10n
  # the conference board: the MQTT client library, and the broker and its
  # tools that the tests start on 127.0.0.1
  libmosquitto-dev mosquitto mosquitto-clients
  # run
  timgm6mb-soundfont fonts-ipafont-gothic fonts-liberation2 fonts-liberation
  # sound generation, tests and trying the program as a user
  sox xvfb xauth xdotool imagemagick x11-utils openbox
  # two monitors on one Xvfb screen (xrandr --setmonitor) for the stage window
  x11-xserver-utils
  desktop-file-utils appstream
  # the Debian package: dependencies from the binary, and Debian's own checks
  dpkg-dev file lintian
  # the remote view's test in a real browser
  chromium
  # the https server of the timetable fetch's test makes its certificate
  openssl
  # sanitizers and fuzzing
  clang libclang-rt-14-dev
  # the session report's test reads the PDF's text
  poppler-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
