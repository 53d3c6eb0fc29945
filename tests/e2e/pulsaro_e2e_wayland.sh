#!/usr/bin/env bash
# End to end on Wayland: weston (headless), with the D-Bus tray on its own Xvfb in the same D-Bus
# session. The item's Activate and menu entries, a second start with its token, the main window
# on the output. Window places come from `weston-debug scene-graph`, pictures from weston-screenshooter.
# Usage: pulsaro_e2e_wayland.sh PULSARO OUTPUT_DIR   (screenshots are kept in OUTPUT_DIR; 77: no weston)
E2E_SCRIVANIA=wayland E2E_SERVE=weston
source "$(dirname "$(realpath "$0")")/desktop.sh"
export PULSARO_DIARIO=debug

# The whole output, as weston composes it.
scatta() {
    mkdir -p "$TMP/scatti"
    (cd "$TMP/scatti" && rm -f ./*.png && weston-screenshooter >/dev/null 2>&1 && mv ./*.png "$USCITA/$1.png")
}
# Pulsaro's top-level windows as weston shows them, top of the stack first:
# "x y w h title" (positions from `weston-debug scene-graph`; role xdg_toplevel only).
finestre_wl() {
    timeout 5 weston-debug scene-graph 2>/dev/null | awk -v pid="$APP" '
        /^\tView / { tua = ($0 ~ "PID " pid ",") && ($0 ~ /role xdg_toplevel/)
                     titolo = ""; if (match($0, /top-level window \x27[^\x27]*\x27/)) titolo = substr($0, RSTART + 18, RLENGTH - 19) }
        tua && /position:/ { gsub(/[(),>-]/, " "); print $2, $3, $4 - $2, $5 - $3, titolo; tua = 0 }'
}
finestra_wl() { finestre_wl | awk -v t="$1" '{ x = $1 " " $2 " " $3 " " $4; $1 = $2 = $3 = $4 = ""; sub(/^ +/, "") } $0 == t { print x; exit }'; }
c_finestra() { [ -n "$(finestra_wl "$1")" ]; }
c_non_finestra() { [ -z "$(finestra_wl "$1")" ]; }
POPOVER="Pulsaro — pannellino"
# A method of the item, as a host calls it on a click ($1: Activate or ContextMenu).
chiama() {
    local voce
    voce=$(voce_sni)
    dbus-send --session --print-reply --dest="${voce%%/*}" "/${voce#*/}" "org.kde.StatusNotifierItem.$1" \
        int32:13 int32:13 >/dev/null
}

passo "l'applicazione parte su Wayland e l'icona si registra; il menu esportato ha le sue voci"
avvia_pulsaro --da-login
aspetta 30 c_voce_sni || fallito "nessuna voce StatusNotifierItem registrata"
grep -q 'libqwayland' "/proc/$APP/maps" || fallito "la piattaforma non è Wayland"
grep -q 'libqxcb' "/proc/$APP/maps" && fallito "l'applicazione usa X11"
aspetta 10 menu_esportato || fallito "il menu DBusMenu non ha le sue cinque voci: $(tr '\n' '|' <<<"$ETICHETTE")"

passo "Activate apre il pannellino come finestra normale della sua misura, senza driver grafici"
chiama Activate
aspetta 15 c_finestra "$POPOVER" || fallito "il pannellino non si apre: $(finestre_wl)"
read -r _ _ PW PH <<<"$(finestra_wl "$POPOVER")"
# Frameless: exactly its own size, as on X11: the mini panel (340) and a one-pixel edge.
[ "$PW" -eq 342 ] && [ "$PH" -ge 200 ] && [ "$PH" -le 900 ] || fallito "il pannellino misura ${PW}x${PH}"
sleep 1 # its figures are drawn
# Drawn in software: Qt's own libraries link the GL dispatchers (libEGL, libGLX), the drivers
# behind them stay out.
LIBRERIE_GL=$(grep -o -E '[^/]*(_mesa|libLLVM|_dri|libgallium|libglapi)[^/ ]*$' "/proc/$APP/maps" | sort -u | tr '\n' ' ')
[ -z "$LIBRERIE_GL" ] || fallito "caricati i driver grafici: $LIBRERIE_GL"
scatta 01_wayland_pannellino

passo "un secondo Activate lo chiude"
chiama Activate
aspetta 10 c_non_finestra "$POPOVER" || fallito "il secondo Activate non chiude il pannellino"

passo "\"Mostra pannellino\" e \"Impostazioni…\" dal menu"
menu_sni "Mostra pannellino" || fallito "nessuna voce \"Mostra pannellino\""
aspetta 15 c_finestra "$POPOVER" || fallito "\"Mostra pannellino\" non apre il pannellino"
menu_sni "Impostazioni…" || fallito "nessuna voce \"Impostazioni…\""
aspetta 15 c_finestra "Impostazioni di Pulsaro" || fallito "le impostazioni non si aprono"
c_non_finestra "$POPOVER" || fallito "il pannellino resta aperto sopra le impostazioni"
sleep 1
scatta 02_wayland_impostazioni

passo "un secondo avvio porta avanti la finestra principale con il suo gettone"
XDG_ACTIVATION_TOKEN=gettone-di-prova timeout 20 "$PULSARO" >"$TMP/secondo.log" 2>&1 ||
    fallito "il secondo avvio termina con $?: $(cat "$TMP/secondo.log")"
aspetta 20 c_finestra "Pulsaro" || fallito "la finestra principale non si apre: $(finestre_wl)"
aspetta 10 grep -q 'riapertura.*gettone' "$TMP/app1.log" || fallito "la richiesta arriva senza gettone"
sleep 1
read -r FX FY FW FH <<<"$(finestra_wl "Pulsaro")"
[ "$FX" -ge 0 ] && [ "$FY" -ge 0 ] && [ $((FX + FW)) -le 1440 ] && [ $((FY + FH)) -le 900 ] ||
    fallito "la finestra principale esce dallo schermo: ${FW}x${FH} a ($FX, $FY)"
scatta 03_wayland_principale

passo "\"Apri Pulsaro\" dal menu la riporta avanti, senza una seconda"
menu_sni "Apri Pulsaro" || fallito "nessuna voce \"Apri Pulsaro\""
sleep 1
[ "$(finestre_wl | awk 'NF == 5 && $5 == "Pulsaro"' | wc -l)" -eq 1 ] || fallito "finestre principali: $(finestre_wl)"
vivo || fallito "\"Apri Pulsaro\" ha fermato l'applicazione"

passo "ContextMenu (swaybar non disegna il menu) mostra il menu di Pulsaro"
chiama ContextMenu || fallito "ContextMenu rifiutato"
# Qt's menu, with no window of its own to hang from, is a small window of its own.
c_menu_wl() { finestre_wl | awk 'NF == 5 && $5 == "Pulsaro" && $3 < 400 && $4 < 400 { t = 1 } END { exit !t }'; }
aspetta 10 c_menu_wl || fallito "nessun menu dopo ContextMenu: $(finestre_wl)"

passo "\"Esci da Pulsaro\" termina con 0 senza figli"
termina "\"Esci da Pulsaro\"" menu_sni "Esci da Pulsaro"

echo "OK: tutti i passi riusciti; schermate in $USCITA"
