#!/usr/bin/env bash
# End to end: the real pulsaro under Xvfb with openbox and a real tray (trayer), driven with
# xdotool and checked from outside the process (window tree, map states, screenshot pixels).
# Usage: pulsaro_e2e.sh PULSARO OUTPUT_DIR   (screenshots are kept in OUTPUT_DIR)
# Exit 77 (skipped) only when there is no Xvfb at all.
set -uo pipefail

if ! command -v Xvfb >/dev/null; then
    echo "SALTATO: Xvfb non c'è (scripts/dipendenze.sh test lo installa)"
    exit 77
fi

PULSARO=$(realpath "$1")
USCITA=${2:-$PWD/e2e}
mkdir -p "$USCITA"
rm -f "$USCITA"/*.png
for c in openbox trayer xdotool xwininfo xprop import convert python3; do
    command -v "$c" >/dev/null || { echo "ERRORE: manca $c (scripts/dipendenze.sh test)"; exit 1; }
done

TMP=$(mktemp -d)
PIDS=()
APP=""
pulisci() {
    [ -n "$APP" ] && kill -KILL "$APP" 2>/dev/null
    for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null; done
    for p in "${PIDS[@]}"; do
        for _ in $(seq 50); do kill -0 "$p" 2>/dev/null || break; sleep 0.1; done
        kill -KILL "$p" 2>/dev/null
    done
    wait 2>/dev/null
    rm -rf "$TMP"
}
trap pulisci EXIT

fallito() {
    echo "FALLITO: $*"
    scatta "fallimento"
    echo "--- finestre ---"
    xwininfo -root -tree 2>/dev/null | grep -i -E 'pulsaro|trayer|panel' | head -40
    echo "--- stderr di pulsaro ---"
    cat "$TMP"/app*.log 2>/dev/null | tail -20
    exit 1
}

# Polls a command until it succeeds, every 0.1 s, for at most $1 seconds.
aspetta() {
    local limite=$(($(date +%s%N) + ${1%.*} * 1000000000))
    shift
    until "$@"; do
        [ "$(date +%s%N)" -gt "$limite" ] && return 1
        sleep 0.1
    done
}

passo() { echo "== $*"; }
scatta() { import -window root "$USCITA/$1.png" 2>/dev/null; }

# --- a desktop of our own -----------------------------------------------------------------
export HOME="$TMP/home" XDG_CONFIG_HOME="$TMP/home/.config" XDG_RUNTIME_DIR="$TMP/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER
export LC_ALL=C.UTF-8

Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp 5>"$TMP/display" 2>"$TMP/xvfb.log" &
PIDS+=($!)
aspetta 20 test -s "$TMP/display" || fallito "Xvfb non parte: $(cat "$TMP/xvfb.log")"
export DISPLAY=":$(head -n1 "$TMP/display")"

openbox --sm-disable >"$TMP/openbox.log" 2>&1 &
PIDS+=($!)
wm_pronto() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
aspetta 20 wm_pronto || fallito "openbox non parte"

trayer --edge top --align right --widthtype pixel --width 120 --height 22 --SetDockType true \
    --expand false --transparent false >"$TMP/trayer.log" 2>&1 &
PIDS+=($!)
tray_pronto() { xdotool search --classname trayer >/dev/null 2>&1 || xwininfo -root -tree | grep -q '"panel"'; }
aspetta 20 tray_pronto || fallito "trayer non parte"

# --- what the checks look at --------------------------------------------------------------
# The tray icon: a small window of class pulsaro inside the tray. Prints "id x y w h".
icona() {
    xwininfo -root -tree | awk '/\("pulsaro" "Pulsaro"\)/ {
        split($0, a, "\\)  "); split(a[2], g, /[x+ ]+/);
        if (g[1] <= 40 && g[2] <= 40) { n = split(a[2], b, " "); split(b[2], pos, "+"); print $1, pos[2], pos[3], g[1], g[2]; exit }
    }'
}
# Present and mapped inside the tray, so a click reaches it.
c_icona() {
    local id
    id=$(icona | cut -d' ' -f1)
    [ -n "$id" ] && xwininfo -id "$id" 2>/dev/null | grep -q 'Map State: IsViewable'
}

# Viewable windows of pulsaro; $1: "popup" for override-redirect ones (popover, menu), "finestra" for managed ones.
finestre_di() {
    local tipo=$1 id
    for id in $(xdotool search --classname pulsaro 2>/dev/null); do
        local info
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        grep -q 'Map State: IsViewable' <<<"$info" || continue
        local w h x y
        w=$(awk '/^  Width:/ {print $2}' <<<"$info")
        h=$(awk '/^  Height:/ {print $2}' <<<"$info")
        x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
        y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
        [ "$w" -le 40 ] && [ "$h" -le 40 ] && continue # the tray icon
        if grep -q 'Override Redirect State: yes' <<<"$info"; then
            [ "$tipo" = popup ] && echo "$id $x $y $w $h"
        else
            [ "$tipo" = finestra ] && echo "$id $x $y $w $h $(xdotool getwindowname "$id")"
        fi
    done
}
c_popup() { [ -n "$(finestre_di popup)" ]; }
c_nessun_popup() { [ -z "$(finestre_di popup)" ]; }
principale() { finestre_di finestra | awk '$6 == "Pulsaro" && $4 >= 860 {print; exit}'; }
c_principale() { [ -n "$(principale)" ]; }
c_nessuna_principale() { [ -z "$(principale)" ]; }
vivo() { kill -0 "$APP" 2>/dev/null; }
morto() { ! vivo; }

# The text rows of a menu: prints the centre y of each band of dark pixels (relative to the menu).
righe_menu() {
    local id=$1
    import -window "$id" -depth 8 "$TMP/menu.ppm" 2>/dev/null || return 1
    python3 - "$TMP/menu.ppm" <<'PY'
import sys
d = open(sys.argv[1], 'rb').read()
# P6 header: magic, width, height, maxval, then RGB bytes.
campi, i = [], 0
while len(campi) < 4:
    while d[i:i+1].isspace(): i += 1
    j = i
    while not d[j:j+1].isspace(): j += 1
    campi.append(d[i:j]); i = j
i += 1
w, h = int(campi[1]), int(campi[2])
pix = d[i:]
def scura(x, y):
    o = (y * w + x) * 3
    return 0.3 * pix[o] + 0.59 * pix[o + 1] + 0.11 * pix[o + 2] < 200
righe = [any(scura(x, y) for x in range(24, max(25, w - 70))) for y in range(h)]
bande, inizio = [], None
for y, r in enumerate(righe + [False]):
    if r and inizio is None: inizio = y
    if not r and inizio is not None:
        if y - inizio >= 4: bande.append((inizio + y) // 2)
        inizio = None
print(" ".join(map(str, bande)))
PY
}

avvia_pulsaro() {
    "$PULSARO" "$@" >"$TMP/app$#.log" 2>&1 &
    APP=$!
}

# --- the scenario -------------------------------------------------------------------------
passo "l'icona compare nell'area di notifica (avvio come al login: nessuna finestra)"
avvia_pulsaro --da-login
aspetta 30 c_icona || fallito "nessuna icona nell'area di notifica"
read -r ICONA IX IY IW IH <<<"$(icona)"
[ "$IY" -lt 30 ] && [ "$IX" -gt 1100 ] || fallito "l'icona non è nell'area di notifica: $IX,$IY"
c_nessuna_principale || fallito "un avvio al login con l'icona non apre finestre"
scatta 01_icona

passo "clic sinistro: il popover si apre sotto l'icona"
xdotool mousemove --window "$ICONA" 8 8 click 1
aspetta 15 c_popup || fallito "il popover non si apre"
read -r _ PX PY PW PH <<<"$(finestre_di popup | head -n1)"
[ "$PY" -ge $((IY + IH)) ] && [ "$PY" -le $((IY + IH + 12)) ] || fallito "il popover non è sotto l'icona: y=$PY"
[ $((PX + PW)) -ge "$IX" ] && [ "$PX" -le $((IX + IW)) ] || fallito "il popover non è allineato all'icona: x=$PX..$((PX + PW))"
[ $((PX + PW)) -le 1280 ] || fallito "il popover esce dallo schermo"
scatta 02_popover

passo "un clic altrove lo chiude"
xdotool mousemove 300 500 click 1
aspetta 15 c_nessun_popup || fallito "il popover non si chiude con un clic altrove"

passo "clic destro: il menu con le sue quattro voci"
xdotool mousemove --window "$ICONA" 8 8 click 3
aspetta 15 c_popup || fallito "il menu non si apre"
read -r MENU MX MY MW MH <<<"$(finestre_di popup | head -n1)"
RIGHE=()
conta_righe() { read -r -a RIGHE <<<"$(righe_menu "$MENU")"; [ ${#RIGHE[@]} -eq 4 ]; }
aspetta 10 conta_righe || fallito "il menu ha ${#RIGHE[@]} righe di testo, non 4"
scatta 03_menu

passo "\"Apri Pulsaro\" apre la finestra principale"
xdotool mousemove $((MX + 40)) $((MY + RIGHE[0])) click 1
aspetta 20 c_principale || fallito "la finestra principale non si apre"
aspetta 10 c_nessun_popup || fallito "il menu resta aperto"
read -r PRINCIPALE _ <<<"$(principale)"
scatta 04_principale

passo "il tasto Esci sulla finestra la chiude e lascia l'icona"
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null || xdotool windowfocus --sync "$PRINCIPALE"
xdotool key --clearmodifiers ctrl+q
aspetta 20 c_nessuna_principale || fallito "il tasto Esci non chiude la finestra"
vivo || fallito "il tasto Esci con l'icona attiva ha terminato il processo"
c_icona || fallito "l'icona è sparita"
scatta 05_solo_icona

passo "un secondo pulsaro riporta la finestra principale ed esce con 0"
timeout 30 "$PULSARO" >"$TMP/secondo.log" 2>&1
STATO=$?
[ "$STATO" -eq 0 ] || fallito "il secondo avvio esce con $STATO"
aspetta 20 c_principale || fallito "il secondo avvio non riapre la finestra principale"
vivo || fallito "il primo processo non c'è più"
scatta 06_riaperta

passo "\"Esci da Pulsaro\" termina con 0 senza figli"
FIGLI=$(ps -o pid= --ppid "$APP" | tr -d ' ')
xdotool mousemove --window "$ICONA" 8 8 click 3
aspetta 15 c_popup || fallito "il menu non si riapre"
read -r MENU MX MY MW MH <<<"$(finestre_di popup | head -n1)"
aspetta 10 conta_righe || fallito "il menu ha ${#RIGHE[@]} righe di testo, non 4"
xdotool mousemove $((MX + 40)) $((MY + RIGHE[3])) click 1
aspetta 20 morto || fallito "\"Esci da Pulsaro\" non termina il processo"
wait "$APP"
STATO=$?
APP=""
[ "$STATO" -eq 0 ] || fallito "\"Esci da Pulsaro\" termina con $STATO"
for f in $FIGLI; do kill -0 "$f" 2>/dev/null && fallito "resta il figlio $f"; done

passo "SIGTERM termina allo stesso modo"
avvia_pulsaro
aspetta 30 c_icona || fallito "nessuna icona al secondo avvio"
aspetta 20 c_principale || fallito "un avvio normale non apre la finestra principale"
FIGLI=$(ps -o pid= --ppid "$APP" | tr -d ' ')
kill -TERM "$APP"
aspetta 20 morto || fallito "SIGTERM non termina il processo"
wait "$APP"
STATO=$?
APP=""
[ "$STATO" -eq 0 ] || fallito "SIGTERM termina con $STATO"
for f in $FIGLI; do kill -0 "$f" 2>/dev/null && fallito "resta il figlio $f"; done

echo "OK: tutti i passi riusciti; schermate in $USCITA"
