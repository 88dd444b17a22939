#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test:
# once as a plain debug build and once with the address and undefined-behaviour
# sanitizers (halting on the first error). ANKERBLICK_SANITIZE=0 skips the
# second build, ANKERBLICK_SANITIZE=only runs just that one.
set -euo pipefail
cd "$(dirname "$0")"

# Beyond the build: a sound server for the tone test, pdftotext for the
# printing tests, an X server with the accessibility bus for the test that
# runs the real program on a display, and the Debian and desktop tools the
# package test builds and validates the package with, and the browser the
# live view's test drives (Chromium and its WebDriver).
scripts/install-deps.sh pulseaudio pulseaudio-utils poppler-utils \
  xvfb xdotool dbus at-spi2-core python3-gi gir1.2-atspi-2.0 python3-xlib \
  dpkg-dev file desktop-file-utils appstream clang-format chromium chromium-driver

# The sources as .clang-format says, and no function over 60 lines, before
# anything is built.
scripts/check-format.sh
scripts/check-function-length.py

jobs=$(nproc)
mode=${ANKERBLICK_SANITIZE:-1}

# Configure, build and test presets of the same name (CMakePresets.json).
build() { # preset
  cmake --preset "$1"
  cmake --build --preset "$1" -j"$jobs"
}

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
start_pulse() {
  command -v pulseaudio >/dev/null 2>&1 || return 0
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
  if [ -S "$pulse_dir/native" ]; then
    export ANKERBLICK_TEST_PULSE_SERVER="unix:$pulse_dir/native"
  else
    echo "Kein PulseAudio-Testserver gestartet; der Tontest startet selbst einen oder wird übersprungen." >&2
  fi
}

# The test presets run on the offscreen platform and show the output of a
# test that fails; the sanitizer preset halts on the first error.
run_tests() { # preset
  ctest --preset "$1" -j"$jobs"
}

if [ "$mode" != only ]; then
  build debug
fi
if [ "$mode" != 0 ]; then
  build asan-ubsan
fi

start_pulse
if [ "$mode" != only ]; then
  run_tests debug
fi
if [ "$mode" != 0 ]; then
  run_tests asan-ubsan
fi

# Fuzz smoke run: each fuzz target for 60 s on a copy of its seed corpus
# (clang and libFuzzer; the script installs clang and its runtime when missing).
if [ "$mode" != only ]; then
  tests/fuzz/run.sh "${ANKERBLICK_FUZZ_SECONDS:-15}"
fi
