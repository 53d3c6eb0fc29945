#!/usr/bin/env bash
# The Linux pictures of the tray and its neighbours, from the real pulsaro under Xvfb and openbox:
# the tile in a 22- and a 32-pixel-high trayer, each at its real size and enlarged eight times
# pixel for pixel (nearest neighbour, no smoothing); trayer keeps Qt's tray window 22 pixels wide,
# so the tile as a square 32-pixel slot gets it comes from the gallery (vassoio_compatto_32); the settings after switching to the tile on a
# 1440 × 900 screen (the whole screen, so its edges show); the main window; the popover over a
# window of the panel's own colour. Saved under docs/immagini/ as vassoio_*.png.
# Usage: scripts/schermate_vassoio.sh [PULSARO]   (default: build/pulsaro)
set -uo pipefail

RADICE=$(cd "$(dirname "$(realpath "$0")")/.." && pwd)
DESTINAZIONE=$RADICE/docs/immagini

if [ "${1:-}" != "--scena" ]; then
    PULSARO=$(realpath "${1:-$RADICE/build/pulsaro}")
    [ -x "$PULSARO" ] || { echo "ERRORE: $PULSARO non c'è: compila prima (cmake --build build)"; exit 1; }
    mkdir -p "$DESTINAZIONE"
    SCHERMO=1280x800 SCR_VASSOIO_ALTEZZA=22 bash "$0" --scena 22 "$PULSARO" || exit 1
    SCHERMO=1280x800 SCR_VASSOIO_ALTEZZA=32 bash "$0" --scena 32 "$PULSARO" || exit 1
    SCHERMO=1440x900 bash "$0" --scena finestre "$PULSARO" || exit 1
    GALLERIA=$(dirname "$PULSARO")/pulsaro_galleria
    if [ -x "$GALLERIA" ]; then
        cartella=$(mktemp -d)
        QT_QPA_PLATFORM=offscreen "$GALLERIA" "$cartella" riquadro_compatto_32 >/dev/null 2>&1
        convert "$cartella/riquadro_compatto_32.png" -strip "$DESTINAZIONE/vassoio_compatto_32.png"
        convert "$cartella/riquadro_compatto_32.png" -scale 800% -strip "$DESTINAZIONE/vassoio_compatto_32_x8.png"
        rm -rf "$cartella"
    fi
    ls -l "$DESTINAZIONE"/vassoio_*
    exit 0
fi

SCENA=$2
PULSARO=$3
USCITA=$(mktemp -d)
export SCR_VASSOIO_ALTEZZA
source "$RADICE/tests/e2e/desktop.sh"
trap 'pulisci; rm -rf "$USCITA"' EXIT

salva() {
    convert "$USCITA/$1.png" -strip -define png:compression-level=9 "$DESTINAZIONE/vassoio_$1.png" ||
        fallito "non riesco a salvare $1"
    echo "   vassoio_$1.png $(identify -format '%wx%h' "$DESTINAZIONE/vassoio_$1.png")"
}

mkdir -p "$XDG_CONFIG_HOME/Pulsaro"
if [ "$SCENA" != finestre ]; then
    # The tile in the bar, as a user who chose it has it; only the icon on screen.
    printf '[General]\niconaRiquadro=true\n' >"$XDG_CONFIG_HOME/Pulsaro/Pulsaro.conf"
    passo "il riquadro in uno spazio di $SCENA pixel"
    avvia_pulsaro --da-login
    aspetta 30 c_icona || fallito "nessuna icona nell'area di notifica"
    sleep 5 # a few light samples
    read -r _ IX IY IW IH <<<"$(icona)"
    echo "   icona: ${IW}x${IH}"
    scatta schermo
    convert "$USCITA/schermo.png" -crop "${IW}x${IH}+${IX}+${IY}" +repage "$USCITA/$SCENA.png"
    # Pixel for pixel: each one becomes an 8 × 8 square, nothing is smoothed.
    convert "$USCITA/$SCENA.png" -scale 800% "$USCITA/${SCENA}_x8.png"
    salva "$SCENA"
    salva "${SCENA}_x8"
    exit 0
fi

passo "la finestra principale"
avvia_pulsaro
aspetta 30 c_icona || fallito "nessuna icona nell'area di notifica"
aspetta 20 c_principale || fallito "la finestra principale non si apre"
read -r PRINCIPALE FX FY FW FH <<<"$(principale_ferma)"
aspetta 10 contenuto_pronto "$PRINCIPALE" || fallito "la finestra principale resta vuota"
sleep 3
ritaglia "$PRINCIPALE" principale
salva principale

passo "il popover sopra una finestra del colore del pannello"
# The main window's own background is the panel's colour: moved under the tray, it is the window
# the popover would otherwise merge with.
xdotool windowmove --sync "$PRINCIPALE" $((1440 - FW - 20)) 30
sleep 1
read -r ICONA _ <<<"$(icona)"
xdotool mousemove --window "$ICONA" 8 8 click 1
aspetta 15 scr_c_popup || fallito "il popover non si apre"
read -r POPOVER PX PY PW PH <<<"$(finestre_di popup | head -n1)"
sleep 2.5
scatta schermo
convert "$USCITA/schermo.png" -crop "$((PW + 80))x$((PH + 60))+$((PX - 40))+$((PY - 30))" +repage \
    "$USCITA/popover_su_finestra.png"
salva popover_su_finestra
xdotool mousemove 20 880 click 1
aspetta 10 scr_c_nessun_popup || fallito "il popover non si chiude"

passo "le impostazioni dopo la scelta del riquadro, su uno schermo di 1440 × 900"
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null
xdotool key --clearmodifiers ctrl+comma
aspetta 10 c_impostazioni || fallito "le impostazioni non si aprono"
read -r IMPOSTAZIONI SX SY SW SH <<<"$(finestra_chiamata "Impostazioni di Pulsaro")"
aspetta 10 contenuto_pronto "$IMPOSTAZIONI" || fallito "le impostazioni restano vuote"
xdotool mousemove $((SX + SW - 60)) $((SY + 456)) click 1
aspetta 10 scr_c_popup || fallito "la scelta \"Nella barra\" non si apre"
read -r _ LX LY LW LH <<<"$(finestre_di popup | head -n1)"
xdotool mousemove $((LX + LW / 2)) $((LY + LH * 3 / 4)) click 1
aspetta 10 scr_c_nessun_popup || fallito "la scelta \"Nella barra\" resta aperta"
sleep 1.5
read -r _ SX SY SW SH <<<"$(finestra_chiamata "Impostazioni di Pulsaro")"
echo "   impostazioni: ${SW}x${SH} a $SX,$SY"
xdotool mousemove 20 880
scatta impostazioni_1440x900
salva impostazioni_1440x900
