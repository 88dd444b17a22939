#!/usr/bin/env bash
# Runs part K of N of a Qt test program: its test functions K, K + N, K + 2N,
# and so on, in the order the program lists them. The N parts together run
# every function once; each part is a test of its own, so that a long test
# program stays within the minute every test is given.
#
#   tests/run-part.sh PROGRAM K N
set -euo pipefail
program=$1
part=$2
parts=$3
mapfile -t all < <("$program" -functions 2>/dev/null | grep -o '^[A-Za-z0-9_]*()' | sed 's/()$//')
[ ${#all[@]} -gt 0 ] || { echo "$program nennt keine Testfunktionen" >&2; exit 1; }
chosen=()
for i in "${!all[@]}"; do
  if [ $((i % parts)) -eq $((part - 1)) ]; then
    chosen+=("${all[$i]}")
  fi
done
[ ${#chosen[@]} -gt 0 ] || exit 0
exec "$program" "${chosen[@]}"
