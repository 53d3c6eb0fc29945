#!/usr/bin/env bash
# Takes the README's pictures of the real pulsaro under Xvfb, openbox and trayer: the tray with the
# tile, the popover, the main window on bars, on gauges and on its history, the settings; in the light appearance
# and, where the qt6ct platform theme is installed (apt-get install qt6ct), in the dark one through
# it, as a user would set it. Each picture is cropped to its window and saved under docs/immagini/.
# Usage: scripts/schermate.sh [PULSARO]   (default: build/pulsaro)
set -uo pipefail

RADICE=$(cd "$(dirname "$(realpath "$0")")/.." && pwd)
DESTINAZIONE=$RADICE/docs/immagini

if [ "${1:-}" != "--aspetto" ]; then
    PULSARO=$(realpath "${1:-$RADICE/build/pulsaro}")
    [ -x "$PULSARO" ] || { echo "ERRORE: $PULSARO non c'è: compila prima (cmake --build build)"; exit 1; }
    mkdir -p "$DESTINAZIONE"
    bash "$0" --aspetto chiaro "$PULSARO" || exit 1
    if [ -e /usr/lib/x86_64-linux-gnu/qt6/plugins/platformthemes/libqt6ct.so ] ||
        compgen -G "/usr/lib/*/qt6/plugins/platformthemes/libqt6ct.so" >/dev/null; then
        bash "$0" --aspetto scuro "$PULSARO" || exit 1
    else
        echo "Aspetto scuro saltato: manca qt6ct (apt-get install qt6ct)"
    fi
    ls -l "$DESTINAZIONE"
    exit 0
fi

ASPETTO=$2
PULSARO=$3
USCITA=$(mktemp -d)
SCHERMO=1280x1024 # tall enough for the whole main window
source "$RADICE/tests/e2e/desktop.sh"
trap 'pulisci; rm -rf "$USCITA"' EXIT

# Saves the PNG $1 (under USCITA) as docs/immagini/ASPETTO_$2.png, small and without metadata.
salva() {
    convert "$USCITA/$1.png" -strip -define png:compression-level=9 "$DESTINAZIONE/${ASPETTO}_$2.png" ||
        fallito "non riesco a salvare $2"
    echo "   ${ASPETTO}_$2.png $(identify -format '%wx%h' "$DESTINAZIONE/${ASPETTO}_$2.png")" \
        "$(($(stat -c %s "$DESTINAZIONE/${ASPETTO}_$2.png") / 1024)) KB"
}

if [ "$ASPETTO" = scuro ]; then
    mkdir -p "$XDG_CONFIG_HOME/qt6ct"
    colori=$(compgen -G "/usr/share/qt6ct/colors/darker.conf" || true)
    [ -n "$colori" ] || fallito "manca lo schema di colori darker.conf di qt6ct"
    printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\nstyle=Fusion\n' "$colori" \
        >"$XDG_CONFIG_HOME/qt6ct/qt6ct.conf"
    export QT_QPA_PLATFORMTHEME=qt6ct
fi
# The tile in the bar, as a user who chose it in the settings has it.
mkdir -p "$XDG_CONFIG_HOME/Pulsaro"
printf '[General]\niconaRiquadro=true\n' >"$XDG_CONFIG_HOME/Pulsaro/Pulsaro.conf"

passo "$ASPETTO: finestra principale"
avvia_pulsaro
aspetta 30 c_icona || fallito "nessuna icona nell'area di notifica"
aspetta 20 c_principale || fallito "la finestra principale non si apre"
read -r PRINCIPALE FX FY FW _ <<<"$(principale_ferma)"
aspetta 10 contenuto_pronto "$PRINCIPALE" || fallito "la finestra principale resta vuota"
sleep 3 # a few samples, so that the dials and bars show real values and have settled
ritaglia "$PRINCIPALE" principale_barre
salva principale_barre principale_barre

# "Contagiri": at the right of the list header, left of the interval pop-up (as in the e2e test).
vista_contagiri() { grep -q '^vista=Contagiri' "$XDG_CONFIG_HOME/Pulsaro/Pulsaro.conf" 2>/dev/null; }
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null
xdotool mousemove $((FX + FW - 227)) $((FY + 274)) click 1
aspetta 10 vista_contagiri || fallito "il clic su \"Contagiri\" non cambia la vista"
sleep 2 # the needles ease to their values
xdotool mousemove 5 790
ritaglia "$PRINCIPALE" principale_contagiri
salva principale_contagiri principale_contagiri

# "Storia", the last segment: a minute of samples under a changing load, then the graphs.
vista_storia() { grep -q '^vista=Storia' "$XDG_CONFIG_HOME/Pulsaro/Pulsaro.conf" 2>/dev/null; }
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null
xdotool mousemove $((FX + FW - 154)) $((FY + 274)) click 1
aspetta 10 vista_storia || fallito "il clic su \"Storia\" non cambia la vista"
BRUCIATORE=$(dirname "$PULSARO")/pulsaro_bruciatore
[ -x "$BRUCIATORE" ] && timeout 50 "$BRUCIATORE" >/dev/null 2>&1 &
sleep 60
xdotool mousemove 5 790
read -r PRINCIPALE FX FY FW _ <<<"$(principale_ferma)"
ritaglia "$PRINCIPALE" principale_storia
salva principale_storia principale_storia

passo "$ASPETTO: impostazioni"
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null
xdotool key --clearmodifiers ctrl+comma
aspetta 10 c_impostazioni || fallito "le impostazioni non si aprono"
read -r IMPOSTAZIONI _ <<<"$(finestra_chiamata "Impostazioni di Pulsaro")"
aspetta 10 contenuto_pronto "$IMPOSTAZIONI" || fallito "le impostazioni restano vuote"
sleep 1
ritaglia "$IMPOSTAZIONI" impostazioni
salva impostazioni impostazioni

passo "$ASPETTO: barra e popover"
# Only the icon and the popover on screen: close the two windows first.
for w in "$IMPOSTAZIONI" "$PRINCIPALE"; do
    xdotool windowactivate --sync "$w" 2>/dev/null && xdotool key --clearmodifiers ctrl+w
done
aspetta 10 c_nessuna_principale || xdotool windowclose "$PRINCIPALE" 2>/dev/null
read -r ICONA _ <<<"$(icona)"
scatta barra
# The tray, four times larger: a 22-pixel slot says little at its own size.
read -r VX VY VW VH < <(awk '/"panel": \("panel" "trayer"\)/ {
    split($6, p, "+"); split($5, g, /[x+]/); print p[2], p[3], g[1], g[2]; exit }' <<<"$(albero)")
[ -n "${VH:-}" ] || fallito "non trovo l'area di notifica"
convert "$USCITA/barra.png" -crop "${VW}x${VH}+${VX}+${VY}" +repage -filter point -resize 400% "$USCITA/barra.png"
salva barra barra
xdotool mousemove --window "$ICONA" 8 8 click 1
aspetta 15 scr_c_popup || fallito "il popover non si apre"
read -r POPOVER _ <<<"$(finestre_di popup | head -n1)"
aspetta 10 contenuto_pronto "$POPOVER" || fallito "il popover resta vuoto"
sleep 2.5 # the list fills at the next sample
ritaglia "$POPOVER" popover
salva popover popover
