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

# The help speaks the language the locale chooses (German for German and for
# the "C" locale, English for every other), with no language chosen in the
# settings of a fresh home.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
expect_in() {
    locale=$1
    pattern=$2
    shift 2
    output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u LANGUAGE -u LANG \
        HOME="$home" XDG_CONFIG_HOME="$home/config" LC_ALL="$locale" "$program" "$@" 2>&1)
    got=$?
    [ "$got" -eq 0 ] || fail "$locale $* endet mit $got: $output"
    printf '%s\n' "$output" | grep -q -e "$pattern" || fail "$locale $* gibt nicht '$pattern' aus: $output"
}
expect_in de_DE.UTF-8 '--port <Anschluss>' --help
expect_in de_DE.UTF-8 'Seriendatei, die nach dem Start' --help
expect_in C '--name <Name>' --help
expect_in en_GB.UTF-8 '--port <port>' --help
expect_in en_US.UTF-8 'Series file opened after the start' --help
expect_in fr_FR.UTF-8 'Shot-calling training for sport shooters' --help

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
