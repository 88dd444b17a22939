#!/usr/bin/env bash
# Measures Ankerblick against the bare operations that bound it and prints one
# table: figure, ours, limit, ratio (ours / limit), goal and whether it is met.
# Every pair is measured side by side in the same run; absolute times on a
# shared machine say little, the ratios say more. See docs/performance.md.
#
# BENCH_RUNS=n sets the runs of the window and start-up figures (default 9),
# BENCH_BUILD_DIR the build folder (default build/bench), BENCH_CLUB_SERIES=n
# the series a lane enters in the club's load run (default 30: 10 minutes).
set -euo pipefail
cd "$(dirname "$0")"

# Google Benchmark, the X client library for the start-up watch, and a
# virtual X server to show the two programs' first windows on.
scripts/install-deps.sh libbenchmark-dev libxcb1-dev pkg-config xvfb

dir=${BENCH_BUILD_DIR:-build/bench}
# The camera benchmark opens videos through the program's capture module,
# the target benchmark its connection through the stream module.
case $dir in
  /*) modules=$dir ;;
  *) modules=$PWD/$dir ;;
esac
export ANKERBLICK_CAPTURE_MODULE="$modules/libankerblick-capture.so"
export ANKERBLICK_STREAM_MODULE="$modules/libankerblick-stream.so"
cmake --preset bench -B "$dir" >/dev/null
cmake --build "$dir" -j"$(nproc)" >/dev/null

runs=${BENCH_RUNS:-9}
work=$(mktemp -d /tmp/ankerblick-bench.XXXXXX)
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT
rows=$work/rows.tsv
: >"$rows"
mkdir -m 700 "$work/runtime"

median() { # numbers on standard input
  sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# A row: figure, ours, limit, ratio, goal, verdict.
row() { # figure ours-text limit-text ours limit goal
  awk -v f="$1" -v o="$2" -v l="$3" -v a="$4" -v b="$5" -v g="$6" 'BEGIN {
    r = a / b
    printf "%s\t%s\t%s\t%.2f\t<= %s\t%s\n", f, o, l, r, g, (r <= g ? "met" : "MISSED")
  }' >>"$rows"
}

# Figures 1-4, 7 and 12: Google Benchmark, each pair in one process, repetitions of
# all benchmarks interleaved in random order so that a busy moment of the
# machine does not fall on one side of a pair only.
echo "Messe Dateien, Zeichnen und Fotos (1-4, 7, 12) ..." >&2
QT_QPA_PLATFORM=offscreen "$dir/ankerblick_bench" --rows="$rows" \
  --benchmark_enable_random_interleaving=true >"$dir/bench-raw.txt" 2>&1 || {
  cat "$dir/bench-raw.txt" >&2
  exit 1
}

# Figures 8-11: the training diary, its window and a shot's diary time, in
# a process of its own.
echo "Messe das Trainingstagebuch (8-11) ..." >&2
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
  "$dir/ankerblick_bench_diary" --rows="$rows" --benchmark_enable_random_interleaving=true \
  >"$dir/bench-diary-raw.txt" 2>&1 || {
  cat "$dir/bench-diary-raw.txt" >&2
  exit 1
}

# Figures 13-14: the camera's frame against decoding it, on one core, and a
# hole's first picture to its hit at 25 frames a second, in a process of its own.
echo "Messe die Kamera (13-14) ..." >&2
"$dir/ankerblick_bench_camera" --rows="$rows" --benchmark_enable_random_interleaving=true \
  >"$dir/bench-camera-raw.txt" 2>&1 || {
  cat "$dir/bench-camera-raw.txt" >&2
  exit 1
}

# Figure 19: the open-hardware target's records and a shot on loopback to
# its hit, in a process of its own.
echo "Messe die offene Scheibe (19) ..." >&2
"$dir/ankerblick_bench_target" --rows="$rows" --benchmark_enable_random_interleaving=true \
  >"$dir/bench-target-raw.txt" 2>&1 || {
  cat "$dir/bench-target-raw.txt" >&2
  exit 1
}

# Figures 15-16: the club's server, a series' upload against a bare INSERT
# and 32 lanes training for 10 minutes while a coach listens, on a
# PostgreSQL server of its own (BENCH_CLUB_SERIES=n shortens the training
# to n series a lane).
echo "Messe den Vereinsserver (15-16, gut 10 Minuten) ..." >&2
"$dir/ankerblick_bench_club" --rows="$rows" --benchmark_enable_random_interleaving=true \
  >"$dir/bench-club-raw.txt" 2>&1 || {
  cat "$dir/bench-club-raw.txt" >&2
  exit 1
}

# Figure 17: the coach's view refreshed from a PostgreSQL server the
# benchmark starts itself, in a process of its own.
echo "Messe die Traineransicht (17) ..." >&2
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
  "$dir/ankerblick_bench_coach" --rows="$rows" --benchmark_enable_random_interleaving=true \
  >"$dir/bench-coach-raw.txt" 2>&1 || {
  cat "$dir/bench-coach-raw.txt" >&2
  exit 1
}

# Figure 20: the range live, the real ankerblick-live with 32 lanes entering
# a series every 20 s and 30 browsers watching (BENCH_LIVE_SERIES=n series a
# lane in each half, without and with the browsers; default 3: two minutes).
echo "Messe die Live-Ansicht (20, gut 2 Minuten) ..." >&2
"$dir/ankerblick_bench_live" "$dir/ankerblick-live" --rows="$rows" \
  >"$dir/bench-live-raw.txt" 2>&1 || {
  cat "$dir/bench-live-raw.txt" >&2
  exit 1
}

# Figure 5: the analysis window, one process per measurement.
echo "Messe das Analysefenster (5) ..." >&2
"$dir/ankerblick_bench_window" write "$work/history.txt" 10000
: >"$work/load" && : >"$work/empty"
window_run() { # output-file mode [file]
  local out=$1
  shift
  if ! QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
    "$dir/ankerblick_bench_window" "$@" >>"$out" 2>"$work/window.log"; then
    echo "Messung des Analysefensters ($1) fehlgeschlagen:" >&2
    cat "$work/window.log" >&2
    exit 1
  fi
}
for _ in $(seq "$runs"); do
  window_run "$work/empty" empty
  window_run "$work/load" load "$work/history.txt"
done
load_ms=$(awk '{ print $1 }' "$work/load" | median)
load_kib=$(awk '{ print $2 }' "$work/load" | median)
empty_kib=$(awk '{ print $2 }' "$work/empty" | median)
row "5 load 10,000 series, show all (wall)" "$load_ms ms" "1000 ms" "$load_ms" 1000 1
row "5 peak memory, loaded / empty window" "$((load_kib / 1024)) MiB" "$((empty_kib / 1024)) MiB" \
  "$load_kib" "$empty_kib" 3

# Figure 6: start-up until the first window is mapped on a virtual X
# display, the program against a bare Qt program with one input dialog, in
# alternating runs. -noreset: the server stays as it is when the last client
# leaves, instead of starting anew between two runs.
echo "Messe den Programmstart (6) ..." >&2
Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
if [ ! -s "$work/display" ]; then
  echo "Xvfb startet nicht:" >&2
  cat "$work/xvfb.log" >&2
  exit 1
fi
display=:$(head -n1 "$work/display")
watch() { # program [home]
  if ! env -u QT_QPA_PLATFORM DISPLAY="$display" HOME="${2:-$work}" XDG_RUNTIME_DIR="$work/runtime" \
    "$dir/ankerblick_startwatch" "$1" 2>"$work/watch.log"; then
    echo "Start von $1 nicht messbar:" >&2
    cat "$work/watch.log" "$work/xvfb.log" >&2
    exit 1
  fi
}
# The same start with the diary of a season (100,000 series, about 100 MB),
# written in one transaction into a home folder of its own.
full=$work/full
mkdir -p "$full/.local/share/Ankerblick/Ankerblick"
"$dir/ankerblick_bench_window" diary "$full/.local/share/Ankerblick/Ankerblick/tagebuch.sqlite" 100000
watch "$dir/ankerblick" >/dev/null # first runs fill the file cache
watch "$dir/ankerblick" "$full" >/dev/null
watch "$dir/ankerblick_bare_prompt" >/dev/null
: >"$work/ours" && : >"$work/bare" && : >"$work/ours-full"
for _ in $(seq "$runs"); do
  watch "$dir/ankerblick" >>"$work/ours"
  watch "$dir/ankerblick_bare_prompt" >>"$work/bare"
  watch "$dir/ankerblick" "$full" >>"$work/ours-full"
done
ours_ms=$(median <"$work/ours")
bare_ms=$(median <"$work/bare")
full_ms=$(median <"$work/ours-full")
row "6 start-up to the name prompt" "$ours_ms ms" "$bare_ms ms" "$ours_ms" "$bare_ms" 1.3
row "6 the same, diary of 100,000 series" "$full_ms ms" "$bare_ms ms" "$full_ms" "$bare_ms" 1.3

# The table.
{
  printf 'figure\tours\tlimit\tratio\tgoal\tverdict\n'
  cat "$rows"
} | awk -F'\t' '
  { for (i = 1; i <= NF; i++) { cell[NR, i] = $i; if (length($i) > w[i]) w[i] = length($i) } n = NR }
  END {
    for (r = 1; r <= n; r++) {
      line = "| "
      for (i = 1; i <= 6; i++) line = line sprintf("%" (i == 1 ? "-" : "") w[i] "s", cell[r, i]) " | "
      print substr(line, 1, length(line) - 1)
      if (r == 1) {
        line = "|"
        for (i = 1; i <= 6; i++) { d = ""; for (k = 0; k < w[i] + 2; k++) d = d "-"; line = line d "|" }
        print line
      }
    }
  }'
