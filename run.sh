#!/usr/bin/env bash
# Installs what is missing, builds a release build and starts Ankerblick.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build build/release -j"$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt)." >&2
  echo "Ankerblick ist ein Programm mit Fenstern; bitte in einer grafischen Sitzung starten." >&2
  exit 1
fi
exec build/release/ankerblick "$@"
