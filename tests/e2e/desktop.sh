# shellcheck shell=bash
# Shared by the end-to-end test and scripts/schermate.sh: a desktop of our own (Xvfb, openbox,
# trayer) and what the checks look at. Sourced; the caller sets PULSARO and USCITA first.
# Every process started here or with avvia_pulsaro is ended on exit.

for c in Xvfb openbox trayer xdotool xwininfo xprop xmessage import convert python3; do
    command -v "$c" >/dev/null || { echo "ERRORE: manca $c (scripts/dipendenze.sh test)"; exit 1; }
done
QUI=$(dirname "$(realpath "${BASH_SOURCE[0]}")")

# The display, window manager and tray are the scripts' own desktop (scripts/lib/scrivania.sh).
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
scatta() { import -window root "$USCITA/$1.png" 2>/dev/null; }

SCR_SCHERMO=${SCHERMO:-1280x800} scr_avvia_scrivania

# --- what the checks look at --------------------------------------------------------------
# The tray icon: a small window of class pulsaro inside the tray. Prints "id x y w h".
icona() {
    local t
    t=$(albero)
    awk '/\("pulsaro" "Pulsaro"\)/ {
        split($0, a, "\\)  "); split(a[2], g, /[x+ ]+/);
        if (g[1] <= 40 && g[2] <= 40) { n = split(a[2], b, " "); split(b[2], pos, "+"); print $1, pos[2], pos[3], g[1], g[2]; exit }
    }' <<<"$t"
}
# Present and mapped inside the tray, so a click reaches it.
c_icona() {
    local id
    id=$(icona | cut -d' ' -f1)
    [ -n "$id" ] && [[ $(xwininfo -id "$id" 2>/dev/null) == *'Map State: IsViewable'* ]]
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
    local id x y w h nome
    while read -r id x y w h nome; do
        [ "$nome" = "$1" ] && { echo "$id $x $y $w $h"; return; }
    done < <(finestre_di finestra)
}
c_impostazioni() { [ -n "$(finestra_chiamata "Impostazioni di Pulsaro")" ]; }
c_nessuna_principale() { [ -z "$(principale)" ]; }
vivo() { kill -0 "$APP" 2>/dev/null; }
morto() { ! vivo; }
# After "Esci da Pulsaro": the process ends, with 0.
esce_con_zero() {
    aspetta 20 morto || fallito "\"Esci da Pulsaro\" non termina il processo"
    wait "$APP"
    local stato=$?
    APP=""
    [ "$stato" -eq 0 ] || fallito "\"Esci da Pulsaro\" termina con $stato"
}

# The text rows of a menu: prints the centre y of each band of dark pixels (relative to the menu).
righe_menu() {
    import -window "$1" -depth 8 "$TMP/menu.ppm" 2>/dev/null || return 1
    python3 "$QUI/pixel.py" righe "$TMP/menu.ppm"
}

# Saves window $1 as PNG $2 in USCITA (the window's own pixels, without the frame).
ritaglia() { import -window "$1" "$USCITA/$2.png" 2>/dev/null; }
# A window whose content is drawn: many colours (text, dials, bars), not an empty frame or a spinner.
contenuto_pronto() {
    import -window "$1" -depth 8 "$TMP/contenuto.ppm" 2>/dev/null &&
        [ "$(python3 "$QUI/pixel.py" colori "$TMP/contenuto.ppm")" -gt "${2:-300}" ]
}
# Saves the tray icon's pixels as PPM $1 (under TMP).
pixel_icona() {
    local id
    id=$(icona | cut -d' ' -f1)
    [ -n "$id" ] && import -window "$id" -depth 8 "$TMP/$1.ppm" 2>/dev/null
}

avvia_pulsaro() {
    "$PULSARO" "$@" >"$TMP/app$#.log" 2>&1 &
    APP=$!
}

