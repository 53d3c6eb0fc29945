#!/usr/bin/env bash
# End to end under a StatusNotifierItem tray (Xfce's status tray over D-Bus, as KDE Plasma, GNOME
# with AppIndicator and Xfce host tray icons): a left click on the item opens the popover, a right
# click shows the menu Pulsaro exports over DBusMenu, with its five entries, and its entries work.
# Usage: pulsaro_e2e_sni.sh PULSARO OUTPUT_DIR   (screenshots are kept in OUTPUT_DIR)
# Exit 77 (skipped) only when there is no Xvfb, no D-Bus session launcher or no xfce4-panel.
set -uo pipefail

for c in Xvfb dbus-run-session xfce4-panel; do
    if ! command -v "$c" >/dev/null; then
        echo "SALTATO: $c non c'è (scripts/dipendenze.sh test lo installa)"
        exit 77
    fi
done
source "$(dirname "$(realpath "$0")")/sni/sessione.sh" "$@"

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
scatta 04_sni_principale

passo "\"Esci da Pulsaro\" dal menu termina con 0"
xdotool mousemove $VX $VY click 3
aspetta 15 c_menu_del_pannello || fallito "il clic destro non apre alcun menu"
read -r MENU MX MY MW MH <<<"$(menu_del_pannello | head -n1)"
aspetta 10 conta_righe || fallito "il menu ha ${#RIGHE[@]} righe di testo, non 5"
xdotool mousemove $((MX + 40)) $((MY + RIGHE[4])) click 1
esce_con_zero

echo "OK: tutti i passi riusciti; schermate in $USCITA"
