#!/usr/bin/env bash
# Installs the Debian packages Ankerblick needs to build, run and test, when any
# of them is missing. Runs apt-get directly as root, otherwise through sudo.
set -euo pipefail

packages=(
  cmake g++ make
  qt6-base-dev qt6-serialport-dev qt6-charts-dev qt6-translations-l10n libpulse-dev
  libqt6sql6-sqlite
  # lrelease, which compiles the English translation.
  qt6-l10n-tools
  # The club's server: Qt SQL's PostgreSQL driver, the desktop's keyring for
  # its password, and the PostgreSQL server the tests start for themselves.
  libqt6sql6-psql qtkeychain-qt6-dev postgresql openssl
  # libpq's header: the socket of a connection whose server stopped answering.
  libpq-dev
  # Qt Charts builds on Qt OpenGL, whose CMake files qt6-base-dev only recommends.
  libqt6opengl6-dev
  # The range's live view (ankerblick-live): Qt's HTTP server and WebSockets.
  qt6-httpserver-dev qt6-websockets-dev
  # The camera: capture, pictures, the face's mapping (OpenCV 4.6 parts).
  libopencv-core-dev libopencv-imgproc-dev libopencv-imgcodecs-dev
  libopencv-videoio-dev libopencv-calib3d-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1; then
  as_root=(sudo)
else
  echo "Fehlende Pakete: ${missing[*]}" >&2
  echo "Bitte als root ausführen oder sudo installieren." >&2
  exit 1
fi

echo "Installiere: ${missing[*]}"
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
