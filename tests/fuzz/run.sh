#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer and runs each of them for
# SECONDS seconds (default 60) on a copy of its seed corpus, so the corpus in
# the repository stays as it is. Fails when a target finds a crash or a broken
# invariant; the input that did it is kept in the build folder.
#
#   tests/fuzz/run.sh [SECONDS]
#
# ANKERBLICK_FUZZ_BUILD names the build folder (default build/fuzz).
set -euo pipefail
cd "$(dirname "$0")/../.."

seconds=${1:-60}
case "$seconds" in
  '' | *[!0-9]*) echo "Aufruf: tests/fuzz/run.sh [SEKUNDEN]" >&2; exit 2 ;;
esac

scripts/install-deps.sh clang libclang-rt-14-dev

dir=${ANKERBLICK_FUZZ_BUILD:-build/fuzz}
targets=(fuzz_seriesfile fuzz_targetrecord fuzz_timelines fuzz_numbers fuzz_diaryblobs
  fuzz_opentarget fuzz_shotimport fuzz_livesession)

cmake --preset fuzz -B "$dir"
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]}"

# Qt keeps some data for the whole run; only real faults count.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}

# The longest input each target is given: a few series, a few records, a
# few lines, one typed number.
declare -A max_len=([fuzz_seriesfile]=4096 [fuzz_targetrecord]=256 [fuzz_timelines]=2048
  [fuzz_numbers]=128 [fuzz_diaryblobs]=512 [fuzz_opentarget]=1024
  [fuzz_shotimport]=2048 [fuzz_livesession]=1024)

# One target on its copy of the corpus; its log stays in its folder.
run_one() { # target
  local t=$1 name=${1#fuzz_}
  local work="$dir/fuzz-run/$name"
  rm -rf "$work"
  mkdir -p "$work/corpus" "$work/artifacts"
  cp tests/fuzz/corpus/"$name"/* "$work/corpus/"
  "$dir/tests/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -max_len="${max_len[$t]}" -print_final_stats=1 -artifact_prefix="$work/artifacts/" \
    "$work/corpus" >"$work/log" 2>&1
}

# As many targets at a time as there are cores: the run takes
# SECONDS x targets / cores instead of SECONDS x targets.
declare -A pids=()
failed=()
wait_for() { # target
  local t=$1 work="$dir/fuzz-run/${1#fuzz_}"
  if ! wait "${pids[$t]}"; then
    tail -n 40 "$work/log" >&2
    echo "$t: Absturz oder verletzte Bedingung, Eingabe in $work/artifacts/" >&2
    failed+=("$t")
  fi
  echo "== $t: $seconds s"
  grep -E '^stat::number_of_executed_units|^#[0-9]+ *DONE' "$work/log" | tail -n 2 || true
}
cores=$(nproc)
running=()
for t in "${targets[@]}"; do
  if [ ${#running[@]} -ge "$cores" ]; then
    wait_for "${running[0]}"
    running=("${running[@]:1}")
  fi
  run_one "$t" &
  pids[$t]=$!
  running+=("$t")
done
for t in "${running[@]}"; do
  wait_for "$t"
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "Fehlgeschlagen: ${failed[*]}" >&2
  exit 1
fi
echo "Alle Fuzz-Ziele ohne Befund."
