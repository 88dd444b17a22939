#!/usr/bin/env bash
# Builds the Debian package from a build folder, unpacks it into a temporary
# root (dpkg -x) and checks what it installs: the program with its handbook
# and translation, the video capture and TCP modules, the desktop entry and
# the AppStream data (both validated), the icon, the live view's program
# with its page and systemd unit, and the dependencies.
#
#   tests/package/check-deb.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d /tmp/ankerblick-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FEHLER: $*" >&2
  exit 1
}

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) ||
  { cat "$work/cpack.log" >&2; fail "cpack konnte kein Paket bauen"; }
debs=("$work"/out/ankerblick_*.deb)
[ -f "${debs[0]}" ] || fail "kein ankerblick_*.deb gebaut"
deb=${debs[0]}
dpkg-deb --info "$deb" >/dev/null || fail "$deb ist kein Debian-Paket"

root=$work/root
dpkg -x "$deb" "$root"
id=org.ankerblick.Ankerblick
for f in usr/bin/ankerblick usr/lib/ankerblick/libankerblick-capture.so \
  usr/lib/ankerblick/libankerblick-stream.so \
  usr/share/applications/$id.desktop \
  usr/share/metainfo/$id.metainfo.xml \
  usr/share/icons/hicolor/scalable/apps/$id.svg \
  usr/bin/ankerblick-live usr/lib/systemd/system/ankerblick-live.service \
  usr/share/doc/ankerblick/live.md; do
  [ -s "$root/$f" ] || fail "$f fehlt im Paket"
done
[ -x "$root/usr/bin/ankerblick" ] || fail "usr/bin/ankerblick ist nicht ausführbar"
file -b "$root/usr/bin/ankerblick" | grep -q ELF || fail "usr/bin/ankerblick ist kein Programm"

# The handbook's pages of both languages and the English translation are
# resources of the program (their names are kept as UTF-16, big-endian).
names=$(strings -n 2 -e b "$root/usr/bin/ankerblick")
for r in i18n ankerblick_en.qm help de en index.html hauptfenster.html tasten.html; do
  grep -qx "$r" <<<"$names" || fail "usr/bin/ankerblick enthält $r nicht"
done

# The live view's page is inside its program; its unit starts nothing until
# the club's server is configured.
live_names=$(strings -n 2 -e b "$root/usr/bin/ankerblick-live")
for r in live index.html live.js live.css; do
  grep -qx "$r" <<<"$live_names" || fail "usr/bin/ankerblick-live enthält $r nicht"
done
unit=$root/usr/lib/systemd/system/ankerblick-live.service
grep -q '^ConditionPathExists=/etc/ankerblick/live.conf$' "$unit" || fail "die Unit startet ohne Einstellungen"
if command -v systemd-analyze >/dev/null 2>&1; then
  systemd-analyze verify --man=no "$unit" 2>&1 | grep -v 'ankerblick-live:' | grep . &&
    fail "systemd-analyze bemängelt die Unit"
fi

desktop-file-validate "$root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
  { appstreamcli validate --no-net "$root/usr/share/metainfo/$id.metainfo.xml"; fail "AppStream-Daten ungültig"; }
grep -q "^Icon=$id$" "$root/usr/share/applications/$id.desktop" || fail "Icon passt nicht"

depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6widgets6 libqt6serialport6 libqt6printsupport6 libqt6sql6 libqt6charts6 libpulse0 \
  libopencv-core406 libopencv-imgproc406 libopencv-calib3d406 libopencv-videoio406 libqt6network6 \
  libqt6httpserver6 libqt6websockets6 qt6-qpa-plugins libqt6sql6-sqlite libqt6sql6-psql qt6-translations-l10n; do
  case ", $depends," in
  *", $d"[\ ,\(]*) ;;
  *) fail "Abhängigkeit $d fehlt: $depends" ;;
  esac
done
echo "Paket $(basename "$deb") in Ordnung: $depends"
