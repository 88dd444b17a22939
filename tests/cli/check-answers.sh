#!/bin/sh
# The program's help and version answer without a display; a wrong command
# line ends with status 1 and a message on standard error.
#
#   check-answers.sh PROGRAM VERSION

program=$1
version=$2
failed=0

fail() {
    echo "FEHLER: $*" >&2
    failed=1
}

# Runs the program without any display and checks its status and output.
expect() {
    status=$1
    pattern=$2
    shift 2
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" 2>&1)
    got=$?
    [ "$got" -eq "$status" ] || fail "$* endet mit $got statt $status: $output"
    printf '%s\n' "$output" | grep -q -e "$pattern" || fail "$* gibt nicht '$pattern' aus: $output"
}

expect 0 '--port <Anschluss>' --help
expect 0 '--name <Name>' -h
expect 0 "^Ankerblick $version\$" --version
expect 0 "^Ankerblick $version\$" -v
expect 0 "^Ankerblick $version\$" --port /dev/ttyUSB0 --version

# Errors are found after the application has started, on a display of its own.
output=$(QT_QPA_PLATFORM=offscreen "$program" --farbe rot 2>&1 >/dev/null)
[ $? -eq 1 ] || fail "--farbe endet nicht mit 1"
printf '%s\n' "$output" | grep -q 'farbe' || fail "--farbe ohne Meldung: $output"
output=$(QT_QPA_PLATFORM=offscreen "$program" a.txt b.txt 2>&1 >/dev/null)
[ $? -eq 1 ] || fail "zwei Dateien enden nicht mit 1"
[ -n "$output" ] || fail "zwei Dateien ohne Meldung"

exit $failed
