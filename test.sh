#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
# ANKERBLICK_SANITIZE=1 builds and tests with address and undefined-behaviour checks.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh pulseaudio pulseaudio-utils poppler-utils

dir=build/test
opts=(-DCMAKE_BUILD_TYPE=Debug -DANKERBLICK_WERROR=ON -DANKERBLICK_TESTS=ON)
if [ "${ANKERBLICK_SANITIZE:-0}" = 1 ]; then
  dir=build/sanitize
  opts+=(-DANKERBLICK_SANITIZE=ON)
fi

cmake -S . -B "$dir" "${opts[@]}"
cmake --build "$dir" -j"$(nproc)"
# A private sound server with a null sink for the tone test: it plays a tone
# there and captures it from the sink's monitor. Without one that test skips.
pulse_dir=$(mktemp -d /tmp/ankerblick-pulse.XXXXXX)
pulse_pid=
stop_pulse() {
  if [ -n "$pulse_pid" ]; then
    kill "$pulse_pid" 2>/dev/null || true
    wait "$pulse_pid" 2>/dev/null || true
  fi
  rm -rf "$pulse_dir"
}
trap stop_pulse EXIT
if command -v pulseaudio >/dev/null 2>&1; then
  HOME="$pulse_dir" XDG_RUNTIME_DIR="$pulse_dir" \
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --disable-shm=yes \
    --load="module-null-sink sink_name=ankerblick_test norewinds=1" \
    --load="module-native-protocol-unix auth-anonymous=1 socket=$pulse_dir/native" \
    >"$pulse_dir/log" 2>&1 &
  pulse_pid=$!
  for _ in $(seq 100); do
    [ -S "$pulse_dir/native" ] && break
    kill -0 "$pulse_pid" 2>/dev/null || break
    sleep 0.1
  done
fi
if [ -S "$pulse_dir/native" ]; then
  export ANKERBLICK_TEST_PULSE_SERVER="unix:$pulse_dir/native"
else
  echo "Kein PulseAudio-Testserver gestartet; der Tontest startet selbst einen oder wird übersprungen." >&2
fi

QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
