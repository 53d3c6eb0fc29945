#!/usr/bin/env bash
# End to end under a StatusNotifierItem tray (Xfce's status tray over D-Bus, as KDE Plasma, GNOME
# with AppIndicator and Xfce host tray icons): a left click on the item opens the popover, a right
# click shows the menu Pulsaro exports over DBusMenu, and its entries work; on an 800 × 600 screen
# every window's title bar stays on it, and a stopped host freezes nothing.
# Usage: pulsaro_e2e_sni.sh PULSARO OUTPUT_DIR   (77: no Xvfb, D-Bus session launcher or xfce4-panel)
E2E_SCRIVANIA=sni E2E_SERVE="Xvfb dbus-run-session xfce4-panel" SCHERMO=${SCHERMO:-800x600}
source "$(dirname "$(realpath "$0")")/desktop.sh"

# On a small screen the main window gives up its usual minimum width.
principale() { finestre_di finestra | awk '$6 == "Pulsaro" {print; exit}'; }
# The host puts the first item at about (13, 13) (its panel is 26 pixels tall, at the top) and
# draws the menu itself: a viewable override-redirect window that is not Pulsaro's (GTK gives it
# no class of its own).
clic_icona() { xdotool mousemove 13 13 click "$1"; }
il_menu() {
    local id
    for id in $(xwininfo -root -children 2>/dev/null | awk '/^     0x/ {print $1}'); do
        [[ $(xwininfo -id "$id" 2>/dev/null) == *'IsViewable'*'Override Redirect State: yes'* ]] || continue
        [[ $(xprop -id "$id" WM_CLASS 2>/dev/null) == *'"pulsaro"'* ]] && continue
        geometria "$id" | awk -v id="$id" '$3 > 40 && $4 > 40 { print id, $0 }'
    done
}

# The window manager's frame of window $1 has its title bar on the screen; with $2 = intera, all of it.
ALTO=0 BASSO=0
cornice_nello_schermo() {
    local x y w h sopra sotto
    read -r x y w h <<<"$(geometria "$1")"
    # left, right, top, bottom: "_NET_FRAME_EXTENTS(CARDINAL) = 1, 1, 20, 1"
    IFS=', ' read -r _ _ sopra sotto <<<"$(xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | awk -F'= ' '{print $2}')"
    [ -n "$sotto" ] || return 1
    ALTO=$((y - sopra)) BASSO=$((y + h + sotto))
    [ "$sopra" -gt 0 ] && [ "$ALTO" -ge 0 ] && { [ "${2:-}" != intera ] || [ "$BASSO" -le "${SCHERMO#*x}" ]; }
}

passo "l'icona si registra presso l'area di notifica D-Bus (avvio come al login)"
avvia_pulsaro --da-login
aspetta 30 c_voce_sni || fallito "nessuna voce StatusNotifierItem registrata"
sleep 1 # the host draws it
scatta 01_sni_icona

passo "il menu esportato ha le sue cinque voci, il pannellino per primo"
aspetta 10 menu_esportato || fallito "il menu DBusMenu non ha le sue cinque voci: $(tr '\n' '|' <<<"$ETICHETTE")"

passo "clic sinistro: il popover si apre; un clic altrove lo chiude"
clic_icona 1
aspetta 15 c_popup || fallito "il popover non si apre"
read -r POPOVER PX PY _ <<<"$(finestre_di popup | head -n1)"
[ "$PY" -ge 20 ] || fallito "il popover copre il pannello: y=$PY"
aspetta 10 contenuto_pronto "$POPOVER" || fallito "il popover resta vuoto"
scatta 02_sni_popover
xdotool mousemove 600 500 click 1
aspetta 15 c_nessun_popup || fallito "il popover non si chiude con un clic altrove"

passo "clic destro: il menu dell'area di notifica mostra le voci di Pulsaro; \"Apri Pulsaro\" apre la finestra"
sleep 0.5
apri_menu
c_popup && fallito "il clic destro apre anche il popover"
scatta 03_sni_menu
voce_menu 1
aspetta 20 c_principale || fallito "la finestra principale non si apre"
aspetta 10 c_nessun_menu || fallito "il menu resta aperto"
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
apri_menu
voce_menu 2
aspetta 20 c_impostazioni || fallito "la finestra delle impostazioni non si apre"
read -r IMPOSTAZIONI _ <<<"$(finestra_chiamata "Impostazioni di Pulsaro")"
aspetta 10 cornice_nello_schermo "$IMPOSTAZIONI" intera ||
    fallito "la cornice delle impostazioni va da y=$ALTO a y=$BASSO, fuori dallo schermo $SCHERMO"
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
timeout 10 "$PULSARO" >"$TMP/secondo.log" 2>&1
SERVITO=0
aspetta 3 c_principale && SERVITO=1
kill -CONT "$OSPITE"
[ "$SERVITO" -eq 1 ] || fallito "con l'area di notifica fermata il secondo avvio non è servito in 3 s"

passo "\"Esci da Pulsaro\" dal menu termina con 0"
apri_menu
voce_menu 4
esce_con_zero "\"Esci da Pulsaro\""

echo "OK: tutti i passi riusciti; schermate in $USCITA"
