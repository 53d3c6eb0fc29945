#!/usr/bin/env bash
# End to end: the real pulsaro under Xvfb and openbox, driven with xdotool and checked from outside
# the process (window tree, map states, pixels), under trayer (XEmbed) or, with "sni", under Xfce's
# D-Bus status tray on an 800 × 600 screen, where title bars must stay on it and a stopped host freezes nothing.
# Usage: pulsaro_e2e.sh PULSARO OUTPUT_DIR [sni]   (77: no Xvfb; with sni, no dbus-run-session or xfce4-panel)
E2E_SCRIVANIA=${3:-x11}
[ "$E2E_SCRIVANIA" = x11 ] || E2E_SERVE="Xvfb dbus-run-session xfce4-panel" SCHERMO=800x600
source "$(dirname "$(realpath "$0")")/desktop.sh"
sni() { [ "$E2E_SCRIVANIA" = sni ]; }

# Where the controls are inside their windows (client area, from the windows' fixed layouts:
# the main window's header card and the settings form's rows above the tile's own rows).
SEG_DX=227 SEG_Y=274         # "Contagiri", the middle of three: from the window's right edge, from its top
NELLA_BARRA_Y=456            # the "Nella barra" pop-up, from the settings window's top
AVVIO_X=410 AVVIO_Y=187      # the launch-at-login switch

# Thousandths of the pixels of image $1 that differ from image (or colour) $2 by more than $3 % on
# some channel: more than 24 of 255 is 9.42 %.
diversi() {
    local altra=("$2")
    [[ $2 == '#'* ]] && altra=(\( +clone -fill "$2" -colorize 100 \))
    convert "$1" "${altra[@]}" -compose difference -composite -channel RGB -threshold "$3%" +channel -separate \
        -evaluate-sequence max -format '%[fx:round(1000 * mean)]' info: 2>/dev/null || echo 0
}

if sni; then
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
fi
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

passo "l'icona compare nell'area di notifica (avvio come al login: nessuna finestra)"
avvia_pulsaro --da-login
if sni; then
    aspetta 30 c_voce_sni || fallito "nessuna voce StatusNotifierItem registrata"
    aspetta 10 menu_esportato || fallito "il menu DBusMenu non ha le sue cinque voci: $(tr '\n' '|' <<<"$ETICHETTE")"
    sleep 1 # the host draws it
else
    aspetta 30 c_icona || fallito "nessuna icona nell'area di notifica"
    read -r ICONA IX IY IW IH <<<"$(icona)"
    [ "$IY" -lt 30 ] && [ "$IX" -gt 1100 ] || fallito "l'icona non è nell'area di notifica: $IX,$IY"
    aspetta 10 pixel_icona icona_prima || fallito "non riesco a leggere i pixel dell'icona"
fi
c_nessuna_principale || fallito "un avvio al login con l'icona non apre finestre"
scatta 01_icona

passo "clic sinistro: il popover si apre sotto l'icona; un clic altrove lo chiude"
clic_icona 1
aspetta 15 scr_c_popup || fallito "il popover non si apre"
read -r POPOVER PX PY PW PH <<<"$(finestre_di popup | head -n1)"
if sni; then
    [ "$PY" -ge 20 ] || fallito "il popover copre il pannello: y=$PY"
else
    [ "$PY" -ge $((IY + IH)) ] && [ "$PY" -le $((IY + IH + 12)) ] || fallito "il popover non è sotto l'icona: y=$PY"
    [ $((PX + PW)) -ge "$IX" ] && [ "$PX" -le $((IX + IW)) ] || fallito "il popover non è allineato all'icona: x=$PX..$((PX + PW))"
    [ $((PX + PW)) -le 1280 ] || fallito "il popover esce dallo schermo"
fi
aspetta 10 contenuto_pronto "$POPOVER" || fallito "il popover resta vuoto"
scatta 02_popover
xdotool mousemove 600 500 click 1
aspetta 15 scr_c_nessun_popup || fallito "il popover non si chiude con un clic altrove"

passo "clic destro: il menu con le sue cinque voci; \"Apri Pulsaro\" apre la finestra principale"
sleep 0.5
apri_menu
sni && scr_c_popup && fallito "il clic destro apre anche il popover"
scatta 03_menu
voce_menu 1
aspetta 20 c_principale || fallito "la finestra principale non si apre"
aspetta 10 c_nessun_menu || fallito "il menu resta aperto"
read -r PRINCIPALE _ <<<"$(principale)"
aspetta 10 contenuto_pronto "$PRINCIPALE" || fallito "la finestra principale resta vuota"
aspetta 10 cornice_nello_schermo "$PRINCIPALE" ||
    fallito "la cornice della finestra principale va da y=$ALTO a y=$BASSO, fuori dallo schermo $SCHERMO"
scatta 04_principale

# The XEmbed tray's own steps: the main window's views and its sampling when covered.
if ! sni; then
    passo "il segmento \"Contagiri\" mostra i processi sui contagiri"
    import -window "$PRINCIPALE" -depth 8 "$TMP/barre.ppm" 2>/dev/null
    read -r _ FX FY FW FH <<<"$(principale_ferma)"
    [ -n "$FH" ] || fallito "la finestra principale non smette di cambiare misura"
    # The segmented picker sits at the right of the list header, left of the 80-wide interval pop-up.
    xdotool mousemove $((FX + FW - SEG_DX)) $((FY + SEG_Y)) click 1
    aspetta 10 grep -q '^vista=Contagiri' "$(SCR_CONF)" || fallito "il clic su \"Contagiri\" non cambia la vista"
    cambiata() {
        import -window "$PRINCIPALE" -depth 8 "$TMP/contagiri.ppm" 2>/dev/null &&
            [ "$(diversi "$TMP/barre.ppm" "$TMP/contagiri.ppm" 9.42)" -gt 100 ]
    }
    aspetta 10 cambiata || fallito "la finestra non mostra i contagiri"
    scatta 04_principale_contagiri

    passo "coperta del tutto da un'altra finestra smette di campionare; scoperta riprende"
    # A full sample reads /proc of every process; with nothing on screen there is no sample at all.
    letture() {
        local prima
        prima=$(awk '/^rchar:/ {print $2}' "/proc/$APP/io")
        sleep 4
        echo $(($(awk '/^rchar:/ {print $2}' "/proc/$APP/io") - prima))
    }
    SCOPERTA=$(letture)
    xmessage -geometry 1280x800+0+0 "copre la finestra principale" >/dev/null 2>&1 &
    COPERTURA=$!
    aspetta 10 eval '[[ $(xwininfo -name xmessage 2>/dev/null) == *IsViewable* ]]' || fallito "la finestra che copre non compare"
    xdotool search --name xmessage windowraise 2>/dev/null
    sleep 2 # the report, and a sample already under way
    COPERTA=$(letture)
    kill "$COPERTURA"
    sleep 2
    RIPRESA=$(letture)
    [ $((COPERTA * 4)) -lt "$SCOPERTA" ] || fallito "coperta continua a campionare ($COPERTA contro $SCOPERTA byte)"
    [ $((COPERTA * 4)) -lt "$RIPRESA" ] || fallito "scoperta non riprende a campionare ($RIPRESA contro $COPERTA byte)"
fi

passo "\"Impostazioni…\" dal menu apre le impostazioni, larghe 460, con la barra del titolo nello schermo"
if sni; then
    # The panel keeps no strip of the screen for itself, as trayer: the window's own fit, not the
    # window manager, must keep its title bar on the screen.
    xfconf-query -c xfce4-panel -p /panels/panel-1/disable-struts -n -t bool -s true
    senza_striscia() { [[ $(xprop -root _NET_WORKAREA) == *"= 0, 0, ${SCHERMO%x*}, ${SCHERMO#*x}"* ]]; }
    aspetta 10 senza_striscia || fallito "il pannello tiene ancora una striscia: $(xprop -root _NET_WORKAREA)"
fi
apri_menu
voce_menu 2
aspetta 20 c_impostazioni || fallito "la finestra delle impostazioni non si apre"
read -r IMPOSTAZIONI SX SY SW SH <<<"$(finestra_chiamata "Impostazioni di Pulsaro")"
[ "$SW" -eq 460 ] || fallito "la finestra delle impostazioni è larga $SW, non 460"
aspetta 10 contenuto_pronto "$IMPOSTAZIONI" || fallito "le impostazioni restano vuote"
aspetta 10 cornice_nello_schermo "$IMPOSTAZIONI" intera ||
    fallito "la cornice delle impostazioni va da y=$ALTO a y=$BASSO, fuori dallo schermo $SCHERMO"
scatta 07_impostazioni

if ! sni; then
    passo "\"Nella barra\": il riquadro; l'icona nell'area di notifica diventa il riquadro"
    # The pop-up sits at the right of its row; its list opens as a popup window of its own.
    xdotool mousemove $((SX + SW - 60)) $((SY + NELLA_BARRA_Y)) click 1
    aspetta 10 scr_c_popup || fallito "la scelta \"Nella barra\" non si apre"
    read -r _ LX LY LW LH <<<"$(finestre_di popup | head -n1)"
    # Two entries: the tile is the lower one.
    xdotool mousemove $((LX + LW / 2)) $((LY + LH * 3 / 4)) click 1
    aspetta 10 scr_c_nessun_popup || fallito "la scelta \"Nella barra\" resta aperta"
    riquadro_in_barra() {
        pixel_icona icona_dopo || return 1
        DIVERSI=$(diversi "$TMP/icona_prima.ppm" "$TMP/icona_dopo.ppm" 9.42)
        # The tile fills its slot with its background, orange by default.
        ARANCIO=$((1000 - $(diversi "$TMP/icona_dopo.ppm" '#E08A4F' 15.69)))
        [ "$DIVERSI" -gt 250 ] && [ "$ARANCIO" -gt 300 ]
    }
    DIVERSI=0 ARANCIO=0
    aspetta 10 riquadro_in_barra ||
        fallito "l'icona nell'area di notifica non mostra il riquadro (cambiati ${DIVERSI}‰, arancioni ${ARANCIO}‰)"
    scatta 08_riquadro

    passo "le impostazioni cresciute restano larghe 460 e dentro lo schermo"
    dentro_lo_schermo() {
        read -r _ SX SY SW SH <<<"$(finestra_chiamata "Impostazioni di Pulsaro")"
        [ "$SW" -eq 460 ] && [ "$SH" -gt 600 ] && [ "$SY" -ge 0 ] && [ $((SY + SH)) -le 800 ]
    }
    aspetta 10 dentro_lo_schermo || fallito "le impostazioni sono ${SW}x${SH} a y=$SY: fuori dallo schermo di 800"

    passo "l'avvio al login: l'interruttore scrive la voce di avvio automatico, valida"
    VOCE="$XDG_CONFIG_HOME/autostart/pulsaro.desktop"
    xdotool mousemove $((SX + AVVIO_X)) $((SY + AVVIO_Y)) click 1
    aspetta 10 test -s "$VOCE" || fallito "l'interruttore non scrive $VOCE"
    desktop-file-validate "$VOCE" || fallito "la voce di avvio automatico non è valida"
fi

passo "il tasto Esci sulla finestra la chiude e lascia l'icona"
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null || xdotool windowfocus --sync "$PRINCIPALE"
xdotool key --clearmodifiers ctrl+q
aspetta 20 c_nessuna_principale || fallito "il tasto Esci non chiude la finestra"
vivo || fallito "il tasto Esci con l'icona attiva ha terminato il processo"
sni || c_icona || fallito "l'icona è sparita"

passo "un secondo pulsaro riporta la finestra principale con il suo startup id ed esce con 0"
# Under the D-Bus tray with the host stopped (SIGSTOP), at once: nothing waits for the tray.
ATTESA=20
if sni; then
    # The process that owns the watcher's name is the host.
    OSPITE=$(dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:org.kde.StatusNotifierWatcher | awk '/uint32/ {print $2}')
    [ -n "$OSPITE" ] || fallito "nessun processo possiede org.kde.StatusNotifierWatcher"
    kill -STOP "$OSPITE"
    SCR_PIDS+=("$OSPITE") ATTESA=3
    sleep 3 # longer than any check of the tray's presence
fi
DESKTOP_STARTUP_ID=prova-e2e_TIME0 timeout 10 "$PULSARO" >"$TMP/secondo.log" 2>&1 ||
    fallito "il secondo avvio esce con $?"
aspetta $ATTESA c_principale || fallito "il secondo avvio non riapre la finestra principale in $ATTESA s"
sni && kill -CONT "$OSPITE"
# The window carries the launch's id, which the window manager reads to end the launch feedback.
id_avvio() { [[ $(xprop -id "$(principale | cut -d' ' -f1)" _NET_STARTUP_ID 2>/dev/null) == *'"prova-e2e_TIME0"'* ]]; }
aspetta 10 id_avvio || fallito "la finestra principale non porta l'id del secondo avvio"
vivo || fallito "il primo processo non c'è più"

passo "\"Esci da Pulsaro\" termina con 0 senza figli"
esci() { apri_menu && voce_menu 4; }
termina "\"Esci da Pulsaro\"" esci
sni && { echo "OK: tutti i passi riusciti; schermate in $USCITA"; exit 0; }

passo "la riga Exec della voce avvia Pulsaro come al login: l'icona, nessuna finestra"
# Exec quoting is the shell's double-quote form; "%%" stands for "%".
mapfile -t COMANDO < <(python3 -c '
import shlex, sys
riga = next(r for r in open(sys.argv[1], encoding="utf-8") if r.startswith("Exec="))
print("\n".join(p.replace("%%", "%") for p in shlex.split(riga[5:].strip())))' "$VOCE")
[ "$(realpath "${COMANDO[0]:-/}")" = "$PULSARO" ] || fallito "la riga Exec nomina ${COMANDO[*]}, non $PULSARO"
"${COMANDO[@]}" </dev/null >"$TMP/app_voce.log" 2>&1 &
APP=$!
aspetta 30 c_icona || fallito "nessuna icona all'avvio dalla voce"
# No window may map in the while a normal start takes to open one.
qualche_finestra() { [ -n "$(finestre_di finestra)$(finestre_di popup)" ]; }
aspetta 3 qualche_finestra && fallito "l'avvio dalla voce apre una finestra: $(finestre_di finestra)"

passo "SIGTERM termina con 0 senza figli"
termina SIGTERM kill -TERM "$APP"

passo "un figlio che brucia un core per 1 s compare nella lista con più del 20 %"
# The list the windows show, as the terminal mode prints it: the burner starts after one sample
# and is first seen, still burning, at the next, so only its time since birth gives it a share.
cp "$(command -v dash || command -v sh)" "$TMP/bruciacore"
mkfifo "$TMP/campioni"
"$PULSARO" --terminale --json --campioni 3 --intervallo 1.5 >"$TMP/campioni" 2>"$TMP/terminale.log" &
exec 3<"$TMP/campioni"
read -r -t 20 -u 3 _ || fallito "la modalità terminale non dà campioni"
sleep 0.6
# On its way out the burner says how much CPU it really got (a busy machine gives it less).
timeout 1 "$TMP/bruciacore" -c 'trap "times >&2; exit" TERM; while :; do :; done' 2>"$TMP/bruciato" &
timeout 20 cat <&3 >"$TMP/campioni.jsonl"
sleep 0.5
# The share is of the whole machine: 20 % of two cores is 40 % of one. When the machine let it
# burn less than 0.8 s, at least half of what it got must show (it is seen about 0.1 s before its end).
python3 - "$TMP/campioni.jsonl" "$TMP/bruciato" "$(nproc)" <<'PY' || fallito "il figlio che brucia un core non ha la sua quota"
import json, re, sys
quota = max((p["cpu"] for riga in open(sys.argv[1]) if riga.strip()
             for p in json.loads(riga)["processi"] if p["nome"] == "bruciacore"), default=0)
m = re.match(r"(\d+)m([\d.]+)s\s+(\d+)m([\d.]+)s", open(sys.argv[2]).read())
cpu = 0 if not m else 60 * int(m[1]) + float(m[2]) + 60 * int(m[3]) + float(m[4])
una = quota * int(sys.argv[3])  # per cent of one core over the 1.5 s interval
print("   quota del figlio: %g %%, CPU che ha avuto: %g s" % (quota, cpu))
sys.exit(0 if una > 40 or (cpu < 0.8 and una * 1.5 / 100 >= 0.5 * cpu > 0) else 1)
PY

echo "OK: tutti i passi riusciti; schermate in $USCITA"
