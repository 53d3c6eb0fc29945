# shellcheck shell=bash
# The end-to-end scripts' set-up and teardown, and what their checks look at. Sourced with the
# script's arguments (PULSARO OUTPUT_DIR), or after setting PULSARO and USCITA (scripts/schermate*.sh).
# E2E_SCRIVANIA: x11 (Xvfb, openbox, trayer: the default), sni (Xfce's status tray over D-Bus), atspi
# (x11 and the accessibility bus), wayland (sni, then weston), nessuna (only a HOME of its own).
# Without a program of E2E_SERVE the test is skipped (77). What SCR_PIDS lists ends on exit.
set -uo pipefail
E2E_SCRIVANIA=${E2E_SCRIVANIA:-x11}
for c in ${E2E_SERVE:-Xvfb}; do
    command -v "$c" >/dev/null || { echo "SALTATO: $c non c'è (scripts/dipendenze.sh test lo installa)"; exit 77; }
done
# A session bus of our own: the script runs again inside it.
if [ "$E2E_SCRIVANIA" != x11 ] && [ "$E2E_SCRIVANIA" != nessuna ] && [ -z "${PULSARO_E2E_BUS:-}" ]; then
    PULSARO_E2E_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi
if [ -z "${PULSARO:-}" ]; then
    PULSARO=$(realpath "$1") USCITA=$2
fi
mkdir -p "$USCITA"
rm -f "$USCITA"/*.png
QUI=$(dirname "$(realpath "${BASH_SOURCE[0]}")")
source "$QUI/../../scripts/lib/scrivania.sh"
TMP=$SCR_TMP
APP=""
pulisci() {
    [ -n "$APP" ] && kill -KILL "$APP" 2>/dev/null
    scr_pulisci
}
trap pulisci EXIT

fallito() {
    echo "FALLITO: $*"
    scatta "fallimento"
    echo "--- finestre ---"
    albero | grep -i -E 'pulsaro|trayer|panel' | head -40
    echo "--- stderr di pulsaro ---"
    cat "$TMP"/app*.log 2>/dev/null | tail -20
    exit 1
}
aspetta() { scr_aspetta "$@"; }
albero() { scr_albero; }
passo() { echo "== [${SECONDS} s] $*"; }
scatta() { [ -n "${DISPLAY:-}" ] && import -window root "$USCITA/$1.png" 2>/dev/null; }
avvia_pulsaro() {
    "$PULSARO" "$@" >"$TMP/app$#.log" 2>&1 &
    APP=$!
}
vivo() { kill -0 "$APP" 2>/dev/null; }
morto() { ! vivo; }
# The command after $1 (which names it) ends the process with 0, and no child is left.
termina() {
    local come=$1 figli f stato
    shift
    figli=$(ps -o pid= --ppid "$APP" | tr -d ' ')
    "$@" || fallito "$come non si può dare"
    aspetta 20 morto || fallito "$come non termina il processo"
    wait "$APP"
    stato=$?
    APP=""
    [ "$stato" -eq 0 ] || fallito "$come termina con $stato"
    for f in $figli; do kill -0 "$f" 2>/dev/null && fallito "resta il figlio $f"; done
}

if [ "$E2E_SCRIVANIA" = nessuna ]; then
    export HOME="$TMP/home" XDG_CONFIG_HOME="$TMP/home/.config" XDG_RUNTIME_DIR="$TMP/run"
    mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
    unset DISPLAY WAYLAND_DISPLAY
    return 0
fi
for c in Xvfb openbox trayer xdotool xwininfo xprop xmessage import convert python3; do
    command -v "$c" >/dev/null || { echo "ERRORE: manca $c (scripts/dipendenze.sh test)"; exit 1; }
done
BUS_SESSIONE=${DBUS_SESSION_BUS_ADDRESS:-}
[ "$E2E_SCRIVANIA" = x11 ] || [ "$E2E_SCRIVANIA" = atspi ] || export SCR_VASSOIO=sni
SCHERMO=${SCHERMO:-1280x800}
SCR_SCHERMO=$SCHERMO scr_avvia_scrivania

if [ "$E2E_SCRIVANIA" = atspi ]; then
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "ERRORE: manca python3-pyatspi (scripts/dipendenze.sh test)"; exit 1; }
    # The accessibility bus, on the display, which it marks with the bus's address.
    export DBUS_SESSION_BUS_ADDRESS=$BUS_SESSIONE QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
    /usr/libexec/at-spi-bus-launcher --launch-immediately >"$TMP/bus.log" 2>&1 &
    SCR_PIDS+=($!)
    bus_pronto() { /usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0).childCount' 2>/dev/null; }
    aspetta 15 bus_pronto || fallito "il bus dell'accessibilità non parte: $(cat "$TMP/bus.log")"
elif [ "$E2E_SCRIVANIA" = wayland ]; then
    # weston headless with the pixman renderer, screenshots allowed (--debug), no idle blanking;
    # the D-Bus tray stays on Xvfb, as the tray protocol is D-Bus only.
    weston --backend=headless-backend.so --use-pixman --socket=wayland-prova --width=1440 --height=900 \
        --debug --idle-time=0 >"$TMP/weston.log" 2>&1 &
    SCR_PIDS+=($!)
    aspetta 10 test -S "$XDG_RUNTIME_DIR/wayland-prova" || fallito "weston non parte"
    export WAYLAND_DISPLAY=wayland-prova
    unset DISPLAY
fi

# --- what the checks look at --------------------------------------------------------------
# A window's place and size on the screen: "x y w h".
geometria() {
    xwininfo -id "$1" 2>/dev/null | awk '/Absolute upper-left X:/ {x = $4} /Absolute upper-left Y:/ {y = $4}
        /^  Width:/ {w = $2} /^  Height:/ {h = $2} END {print x, y, w, h}'
}
# The tray icon: a small window of class pulsaro inside the tray. Prints "id x y w h".
icona() {
    local id
    id=$(scr_icona)
    [ -n "$id" ] && echo "$id $(geometria "$id")"
}
# Present and mapped inside the tray, so a click reaches it.
c_icona() {
    local id
    id=$(scr_icona)
    [ -n "$id" ] && [[ $(xwininfo -id "$id" 2>/dev/null) == *'Map State: IsViewable'* ]]
}
# Viewable windows of pulsaro, "id x y w h": with $1 = popup the override-redirect ones (popover,
# menu), with $1 = finestra the managed ones, followed by their title.
finestre_di() {
    local id resto
    while read -r id resto; do
        echo "$id $resto $([ "$1" = finestra ] && xdotool getwindowname "$id")"
    done < <(scr_finestre "$1")
}
principale() { finestre_di finestra | awk '$6 == "Pulsaro" && $4 >= 860 {print; exit}'; }
c_principale() { [ -n "$(principale)" ]; }
c_nessuna_principale() { [ -z "$(principale)" ]; }
# The main window once it has fitted its content (it grows and moves just after it maps):
# the same geometry twice, 0.3 s apart. Prints "id x y w h".
principale_ferma() {
    local prima dopo
    prima=$(principale | cut -d' ' -f1-5)
    for _ in $(seq 30); do
        sleep 0.3
        dopo=$(principale | cut -d' ' -f1-5)
        [ -n "$dopo" ] && [ "$dopo" = "$prima" ] && { echo "$dopo"; return 0; }
        prima=$dopo
    done
    return 1
}
# A managed window of pulsaro by its title: prints "id x y w h".
finestra_chiamata() {
    finestre_di finestra | awk -v t="$1" '{ r = $1 " " $2 " " $3 " " $4 " " $5; $1 = $2 = $3 = $4 = $5 = "" }
        { sub(/^ +/, "") } $0 == t { print r; exit }'
}
c_impostazioni() { [ -n "$(finestra_chiamata "Impostazioni di Pulsaro")" ]; }

# The menu of the tray: a right click on the icon, then its five rows of text (centre y of each
# band of dark pixels, in RIGHE); sets MENU MX MY. Under the D-Bus tray the script redefines
# clic_icona and il_menu (the host draws the menu).
clic_icona() { xdotool mousemove --window "$(scr_icona)" 8 8 click "$1"; }
il_menu() { finestre_di popup; }
c_menu() { [ -n "$(il_menu)" ]; }
c_nessun_menu() { [ -z "$(il_menu)" ]; }
apri_menu() {
    clic_icona 3
    aspetta 15 c_menu || fallito "il menu non si apre"
    read -r MENU MX MY _ <<<"$(il_menu | head -n1)"
    aspetta 10 conta_righe || fallito "il menu ha ${#RIGHE[@]} righe di testo, non 5"
}
RIGHE=()
conta_righe() {
    import -window "$MENU" -depth 8 "$TMP/menu.ppm" 2>/dev/null || return 1
    read -r -a RIGHE <<<"$(python3 "$QUI/pixel.py" righe "$TMP/menu.ppm")"
    [ ${#RIGHE[@]} -eq 5 ]
}
# A click on the menu's entry $1 (0 to 4).
voce_menu() { xdotool mousemove $((MX + 40)) $((MY + RIGHE[$1])) click 1; }

# Saves window $1 as PNG $2 in USCITA (the window's own pixels, without the frame).
ritaglia() { import -window "$1" "$USCITA/$2.png" 2>/dev/null; }
# A window whose content is drawn: many colours (text, dials, bars), not an empty frame or a spinner.
contenuto_pronto() {
    [ "$(import -window "$1" miff:- 2>/dev/null | identify -format %k - 2>/dev/null || echo 0)" -gt "${2:-300}" ]
}
# Saves the tray icon's pixels as PPM $1 (under TMP).
pixel_icona() {
    local id
    id=$(scr_icona)
    [ -n "$id" ] && import -window "$id" -depth 8 "$TMP/$1.ppm" 2>/dev/null
}

# Pulsaro's StatusNotifierItem as the host sees it over D-Bus: "service/path", or nothing.
voce_sni() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:RegisteredStatusNotifierItems 2>/dev/null | awk -F'"' '/string "/ {print $2; exit}'
}
c_voce_sni() { [ -n "$(voce_sni)" ]; }
# The exported menu (DBusMenu): with no argument, its labels one a line; with a label, a click
# on that entry (com.canonical.dbusmenu.Event "clicked"), as the host sends it.
menu_sni() {
    /usr/bin/python3 - "$(voce_sni)" "$@" <<'PY'
import sys, time, dbus
servizio, _, percorso = sys.argv[1].partition('/')
bus = dbus.SessionBus()
item = bus.get_object(servizio, '/' + (percorso or 'StatusNotifierItem'))
menu = item.Get('org.kde.StatusNotifierItem', 'Menu', dbus_interface='org.freedesktop.DBus.Properties')
if str(menu) in ('/', '/NO_DBUSMENU'):
    sys.exit(1)
oggetto = bus.get_object(servizio, menu)
_, (_, _, figli) = oggetto.GetLayout(0, -1, dbus.Array([], signature='s'), dbus_interface='com.canonical.dbusmenu')
voci = [(int(i), str(p.get('label', '')).replace('_', '')) for i, p, _ in figli if p.get('type') != 'separator']
if len(sys.argv) < 3:
    print('\n'.join(e for _, e in voci))
else:
    scelta = [i for i, e in voci if e == sys.argv[2]] or sys.exit(1)
    oggetto.Event(scelta[0], 'clicked', dbus.Int32(0, variant_level=1), dbus.UInt32(int(time.time())),
                  dbus_interface='com.canonical.dbusmenu')
PY
}
# The exported menu has its five entries, in their order (the fourth tells the state).
menu_esportato() {
    ETICHETTE=$(menu_sni 2>/dev/null) && [ "$(wc -l <<<"$ETICHETTE")" -eq 5 ] &&
        [ "$(sed 4d <<<"$ETICHETTE" | tr '\n' '|')" = "Mostra pannellino|Apri Pulsaro|Impostazioni…|Esci da Pulsaro|" ]
}
