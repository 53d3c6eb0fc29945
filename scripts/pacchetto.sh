#!/usr/bin/env bash
# Builds the .deb, validates its desktop entry, metainfo and the package itself, installs it
# into this machine and runs the installed program once in its terminal mode.
# Usage: pacchetto.sh [build folder, default build]
set -euo pipefail
cd "$(dirname "$0")/.."

cartella=${1:-build}
bash scripts/dipendenze.sh test
# The same folder as the tests: CI builds it once, with warnings as errors as the tests do.
opzioni=()
[ -n "${CI:-}" ] && opzioni+=(-DPULSARO_WERROR=ON)
cmake -S . -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${opzioni[@]}" >/dev/null
rm -f "$cartella"/pulsaro_*.deb
cmake --build "$cartella" --target package
deb=$(ls "$cartella"/pulsaro_*.deb)
echo "== $deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
dpkg-deb --contents "$deb" | awk '{print $6}'

echo "== desktop-file-validate"
desktop-file-validate packaging/linux/it.pulsaro.Pulsaro.desktop
echo "== appstreamcli validate"
# No network here: the screenshot and home page addresses are checked for form only.
appstreamcli validate --no-net --explain "$cartella/it.pulsaro.Pulsaro.metainfo.xml"
echo "== lintian"
# Errors fail; warnings are shown. Running as root is lintian's own concern, not the package's.
lintian --allow-root --fail-on error --tag-display-limit 0 "$deb"

echo "== installazione"
export DEBIAN_FRONTEND=noninteractive
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
$sudo apt-get install -y -qq --reinstall "$(realpath "$deb")" >/dev/null
test -x /usr/bin/pulsaro
test -f /usr/share/applications/it.pulsaro.Pulsaro.desktop
test -f /usr/share/icons/hicolor/48x48/apps/it.pulsaro.Pulsaro.png
test -f /usr/share/metainfo/it.pulsaro.Pulsaro.metainfo.xml

echo "== /usr/bin/pulsaro --terminale --campioni 1"
# The installed program, not the build tree's; a HOME of its own keeps the machine's settings out.
casa=$(mktemp -d)
trap 'rm -rf "$casa"' EXIT
uscita=$(cd / && HOME="$casa" XDG_CONFIG_HOME="$casa/.config" timeout 60 /usr/bin/pulsaro --terminale --campioni 1)
echo "$uscita"
[ "$(printf '%s\n' "$uscita" | grep -c '^Mem ')" -eq 1 ] || { echo "nessun campione" >&2; exit 1; }
echo "pacchetto installato e funzionante"
