#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors and runs every test.
# ANKERBLICK_SANITIZE=1 builds and tests with address and undefined-behaviour checks.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh

dir=build/test
opts=(-DCMAKE_BUILD_TYPE=Debug -DANKERBLICK_WERROR=ON -DANKERBLICK_TESTS=ON)
if [ "${ANKERBLICK_SANITIZE:-0}" = 1 ]; then
  dir=build/sanitize
  opts+=(-DANKERBLICK_SANITIZE=ON)
fi

cmake -S . -B "$dir" "${opts[@]}"
cmake --build "$dir" -j"$(nproc)"
QT_QPA_PLATFORM=offscreen ctest --test-dir "$dir" --output-on-failure -j"$(nproc)"
