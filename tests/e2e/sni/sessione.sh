# shellcheck shell=bash
# The start of an end-to-end script under the D-Bus tray, sourced with the script's arguments
# (PULSARO OUTPUT_DIR): the script runs again inside a D-Bus session of its own, then gets its
# desktop (Xvfb, openbox, Xfce's status tray: ../desktop.sh) and the item's helpers (voce.sh).
if [ -z "${PULSARO_E2E_BUS:-}" ]; then
    PULSARO_E2E_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
# shellcheck disable=SC2034 # read by desktop.sh
PULSARO=$(realpath "$1")
USCITA=${2:-$PWD/$(basename "$0" .sh)}
mkdir -p "$USCITA"
rm -f "$USCITA"/*.png
export SCR_VASSOIO=sni
# shellcheck source=../desktop.sh
source "$(dirname "${BASH_SOURCE[0]}")/../desktop.sh"
# shellcheck source=voce.sh
source "$(dirname "${BASH_SOURCE[0]}")/voce.sh"
