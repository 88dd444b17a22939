#!/bin/sh
# The program starts without the libraries it loads at their first use: Qt
# Network (with the first TCP target, through libankerblick-stream.so),
# OpenCV's video capture (with the first camera or video, through
# libankerblick-capture.so), libpq (with the first connection to the club's
# server) and the sound server's client (with the first tone). Each module
# links what it stands for.
#
#   check-libraries.sh PROGRAM STREAM-MODULE CAPTURE-MODULE

program=$1
stream=$2
capture=$3
failed=0

fail() {
    echo "FEHLER: $*" >&2
    failed=1
}

# ldd lists every library the dynamic loader loads with a file, its own and theirs.
loaded=$(ldd "$program") || fail "ldd kann $program nicht lesen"
for name in libQt6Network libopencv_videoio libpq libpulse; do
    if printf '%s\n' "$loaded" | grep -q "^[[:space:]]*$name[.-]"; then
        fail "$program lädt $name beim Start"
    fi
done
ldd "$stream" | grep -q "^[[:space:]]*libQt6Network\." || fail "$stream linkt Qt Network nicht"
ldd "$capture" | grep -q "^[[:space:]]*libopencv_videoio\." ||
    fail "$capture linkt OpenCVs videoio nicht"
exit $failed
