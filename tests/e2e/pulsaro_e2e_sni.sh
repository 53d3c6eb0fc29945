#!/usr/bin/env bash
# End to end under a StatusNotifierItem tray (Xfce's status tray over D-Bus, as KDE Plasma, GNOME
# with AppIndicator and Xfce host tray icons): a left click on the item opens the popover, a right
# click shows the menu Pulsaro exports over DBusMenu, with its five entries, and its entries work;
# on an 800 × 600 screen every window's title bar stays on it, and a stopped host freezes nothing.
# Usage: pulsaro_e2e_sni.sh PULSARO OUTPUT_DIR   (screenshots are kept in OUTPUT_DIR)
# Exit 77 (skipped) only when there is no Xvfb, no D-Bus session launcher or no xfce4-panel.
set -uo pipefail

for c in Xvfb dbus-run-session xfce4-panel; do
    if ! command -v "$c" >/dev/null; then
        echo "SALTATO: $c non c'è (scripts/dipendenze.sh test lo installa)"
        exit 77
    fi
done
SCHERMO=${SCHERMO:-800x600}
source "$(dirname "$(realpath "$0")")/sni/sessione.sh" "$@"

# On a small screen the main window gives up its usual minimum width.
principale() { finestre_di finestra | awk '$6 == "Pulsaro" {print; exit}'; }

# Where the host puts the first item (its panel is 26 pixels tall, at the top).
VX=13 VY=13

# Viewable override-redirect windows that are not Pulsaro's (the host's menus; GTK gives them no
# class of their own): "id x y w h".
menu_del_pannello() {
    local id info
    for id in $(xwininfo -root -children 2>/dev/null | awk '/^     0x/ {print $1}'); do
        info=$(xwininfo -id "$id" 2>/dev/null) || continue
        grep -q 'Map State: IsViewable' <<<"$info" && grep -q 'Override Redirect State: yes' <<<"$info" || continue
        [[ $(xprop -id "$id" WM_CLASS 2>/dev/null) == *'"pulsaro"'* ]] && continue
        awk '/Absolute upper-left X:/ {x=$4} /Absolute upper-left Y:/ {y=$4} /^  Width:/ {w=$2} /^  Height:/ {h=$2}
             END { if (w > 40 && h > 40) print id, x, y, w, h }' id="$id" <<<"$info"
    done
}
c_menu_del_pannello() { [ -n "$(menu_del_pannello)" ]; }
c_nessun_menu_del_pannello() { [ -z "$(menu_del_pannello)" ]; }

# The window manager's frame of window $1 has its title bar on the screen; with $2 = intera, all of it.
ALTO=0 BASSO=0
cornice_nello_schermo() {
    local info estremi y h
    info=$(xwininfo -id "$1" 2>/dev/null) || return 1
    y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
    h=$(awk '/^  Height:/ {print $2}' <<<"$info")
    # left, right, top, bottom: "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 20, 1"
    estremi=$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | awk -F'= ' '{print $2}' | tr -d ' ')
    [ -n "$estremi" ] || return 1
    IFS=, read -r _ _ sopra sotto <<<"$estremi"
    ALTO=$((y - sopra)) BASSO=$((y + h + sotto))
    [ "$sopra" -gt 0 ] && [ "$ALTO" -ge 0 ] && { [ "${2:-}" != intera ] || [ "$BASSO" -le "${SCHERMO#*x}" ]; }
}

apri_menu_del_pannello() {
    xdotool mousemove $VX $VY click 3
    aspetta 15 c_menu_del_pannello || fallito "il clic destro non apre alcun menu"
    read -r MENU MX MY MW MH <<<"$(menu_del_pannello | head -n1)"
    aspetta 10 conta_righe || fallito "il menu ha ${#RIGHE[@]} righe di testo, non 5"
}

passo "l'icona si registra presso l'area di notifica D-Bus (avvio come al login)"
avvia_pulsaro --da-login
aspetta 30 c_voce_sni || fallito "nessuna voce StatusNotifierItem registrata"
echo "   voce: $(voce_sni)"
sleep 1 # the host draws it
scatta 01_sni_icona

passo "il menu esportato ha le sue cinque voci, il pannellino per primo"
ETICHETTE=""
menu_esportato() {
    ETICHETTE=$(menu_sni 2>/dev/null) || return 1
    [ "$(wc -l <<<"$ETICHETTE")" -eq 5 ]
}
aspetta 10 menu_esportato || fallito "nessun menu DBusMenu con cinque voci: $ETICHETTE"
ATTESE=$'Mostra pannellino\nApri Pulsaro\nImpostazioni…'
[ "$(head -n3 <<<"$ETICHETTE")" = "$ATTESE" ] || fallito "le prime voci sono $(head -n3 <<<"$ETICHETTE" | tr '\n' '|')"
[ "$(tail -n1 <<<"$ETICHETTE")" = "Esci da Pulsaro" ] || fallito "l'ultima voce è $(tail -n1 <<<"$ETICHETTE")"
echo "   voci: $(tr '\n' '|' <<<"$ETICHETTE")"

passo "clic sinistro: il popover si apre"
xdotool mousemove $VX $VY click 1
aspetta 15 c_popup || fallito "il popover non si apre"
read -r POPOVER PX PY _ <<<"$(finestre_di popup | head -n1)"
[ "$PY" -ge 20 ] || fallito "il popover copre il pannello: y=$PY"
aspetta 10 contenuto_pronto "$POPOVER" || fallito "il popover resta vuoto"
scatta 02_sni_popover

passo "un clic altrove lo chiude"
xdotool mousemove 600 500 click 1
aspetta 15 c_nessun_popup || fallito "il popover non si chiude con un clic altrove"

passo "clic destro: il menu dell'area di notifica mostra le voci di Pulsaro"
sleep 0.5
xdotool mousemove $VX $VY click 3
aspetta 15 c_menu_del_pannello || fallito "il clic destro non apre alcun menu"
read -r MENU MX MY MW MH <<<"$(menu_del_pannello | head -n1)"
RIGHE=()
conta_righe() { read -r -a RIGHE <<<"$(righe_menu "$MENU")"; [ ${#RIGHE[@]} -eq 5 ]; }
aspetta 10 conta_righe || fallito "il menu ha ${#RIGHE[@]} righe di testo, non 5 (${MW}x${MH})"
c_popup && fallito "il clic destro apre anche il popover"
scatta 03_sni_menu

passo "\"Apri Pulsaro\" dal menu apre la finestra principale"
xdotool mousemove $((MX + 40)) $((MY + RIGHE[1])) click 1
aspetta 20 c_principale || fallito "la finestra principale non si apre"
aspetta 10 c_nessun_menu_del_pannello || fallito "il menu resta aperto"
read -r PRINCIPALE _ <<<"$(principale)"
aspetta 10 cornice_nello_schermo "$PRINCIPALE" ||
    fallito "la cornice della finestra principale va da y=$ALTO a y=$BASSO, fuori dallo schermo $SCHERMO"
scatta 04_sni_principale

passo "\"Impostazioni…\" dal menu: la barra del titolo resta nello schermo $SCHERMO"
# From here the panel keeps no strip of the screen for itself, as trayer: the window's own fit,
# not the window manager, must keep its title bar on the screen.
xfconf-query -c xfce4-panel -p /panels/panel-1/disable-struts -n -t bool -s true
senza_striscia() { [[ $(xprop -root _NET_WORKAREA) == *"= 0, 0, ${SCHERMO%x*}, ${SCHERMO#*x}"* ]]; }
aspetta 10 senza_striscia || fallito "il pannello tiene ancora una striscia: $(xprop -root _NET_WORKAREA)"
apri_menu_del_pannello
xdotool mousemove $((MX + 40)) $((MY + RIGHE[2])) click 1
aspetta 20 c_impostazioni || fallito "la finestra delle impostazioni non si apre"
read -r IMPOSTAZIONI _ <<<"$(finestra_chiamata "Impostazioni di Pulsaro")"
aspetta 10 cornice_nello_schermo "$IMPOSTAZIONI" intera ||
    fallito "la cornice delle impostazioni va da y=$ALTO a y=$BASSO, fuori dallo schermo $SCHERMO"
echo "   cornice delle impostazioni: y da $ALTO a $BASSO"
scatta 05_sni_impostazioni

passo "con l'area di notifica fermata (SIGSTOP) il processo risponde: un secondo avvio è servito subito"
xdotool windowactivate --sync "$IMPOSTAZIONI" 2>/dev/null
xdotool key --clearmodifiers ctrl+q
aspetta 20 c_nessuna_principale || fallito "il tasto Esci non chiude le finestre"
# The process that owns the watcher's name is the host.
OSPITE=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
    org.freedesktop.DBus.GetConnectionUnixProcessID string:org.kde.StatusNotifierWatcher | awk '/uint32/ {print $2}')
[ -n "$OSPITE" ] || fallito "nessun processo possiede org.kde.StatusNotifierWatcher"
kill -STOP "$OSPITE"
sleep 3 # longer than any check of the tray's presence
INIZIO=$(date +%s%N)
timeout 10 "$PULSARO" >"$TMP/secondo.log" 2>&1
SERVITO=0
aspetta 3 c_principale && SERVITO=1
MS=$((($(date +%s%N) - INIZIO) / 1000000))
kill -CONT "$OSPITE"
[ "$SERVITO" -eq 1 ] || fallito "con l'area di notifica fermata il secondo avvio non è servito in 3 s"
echo "   finestra principale riaperta dopo $MS ms con l'area di notifica fermata"

passo "\"Esci da Pulsaro\" dal menu termina con 0"
apri_menu_del_pannello
xdotool mousemove $((MX + 40)) $((MY + RIGHE[4])) click 1
esce_con_zero

echo "OK: tutti i passi riusciti; schermate in $USCITA"
