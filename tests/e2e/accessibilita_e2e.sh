#!/usr/bin/env bash
# End to end through the accessibility bus (AT-SPI through python3-pyatspi), read as a screen reader
# reads it: dials and rows against the terminal mode's figures of the same moment, the keyboard, the
# history's charts, the popover announced through the focus, desktop entries whose icon is a FIFO.
# Usage: accessibilita_e2e.sh PULSARO OUTPUT_DIR   (the trees read are kept in OUTPUT_DIR; 77: no Xvfb)
E2E_SCRIVANIA=atspi
source "$(dirname "$(realpath "$0")")/desktop.sh"
ALBERO="/usr/bin/python3 $QUI/albero_accessibile.py"
# The main window's tree (or the window named $1) as the bus gives it, in $TMP/albero.txt and .json;
# c_albero: its text matches the pattern $1 (in the window named $2).
leggi() { $ALBERO albero "$TMP/albero.json" "$@" >"$TMP/albero.txt" 2>&1; }
c_albero() { leggi "${@:2}" && grep -q "$1" "$TMP/albero.txt"; }
ecco() { cat "$TMP/albero.txt"; fallito "$@"; }

passo "la finestra principale letta dal bus: quadranti con i valori, una voce per processo"
avvia_pulsaro
aspetta 30 c_principale || fallito "la finestra principale non si apre"
read -r PRINCIPALE _ <<<"$(principale)"
aspetta 15 contenuto_pronto "$PRINCIPALE" || fallito "la finestra principale resta vuota"
aspetta 20 c_albero "^ *list item '" || ecco "nessuna voce di lista sul bus"
# The terminal samples while the window is read: walking the tree loads the machine too, so both
# see the same moment. The walks that waited for the rows are left out of the window's samples first.
sleep 3.5
"$PULSARO" --terminale --json --campioni 3 --intervallo 1.5 >"$TMP/terminale.jsonl" 2>"$TMP/terminale.err" &
TERMINALE=$!
sleep 1.6
leggi || ecco "albero illeggibile"
wait "$TERMINALE" || fallito "il modo terminale non campiona: $(cat "$TMP/terminale.err")"
cp "$TMP/albero.txt" "$USCITA/albero_principale.txt"
$ALBERO confronta "$TMP/albero.json" "$TMP/terminale.jsonl" || ecco "le cifre lette dal bus non sono quelle del terminale"
grep -q "push button 'Tutto'" "$TMP/albero.txt" && fallito "\"Tutto\" è nell'albero senza un processo seguito"

passo "la tastiera: Tab fino alla lista, frecce, Invio segue, Esc smette"
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null || xdotool windowfocus --sync "$PRINCIPALE"
for _ in $(seq 12); do
    c_albero "list item '.*\[.*focused" && break
    xdotool key --clearmodifiers Tab
    sleep 0.3
done
c_albero "list item '.*\[.*focused" || ecco "Tab non raggiunge la lista dei processi"
xdotool key --clearmodifiers Down
sleep 0.3
xdotool key --clearmodifiers Return
# Following shows the back button; the followed row is selected while it stays among the heaviest.
aspetta 10 c_albero "push button 'Tutto'" || ecco "Invio non segue il processo della riga"
cp "$TMP/albero.txt" "$USCITA/albero_seguito.txt"
xdotool key --clearmodifiers Escape
non_seguito() { leggi && ! grep -q -E "selected|push button 'Tutto'" "$TMP/albero.txt"; }
aspetta 10 non_seguito || ecco "Esc non smette di seguire"

passo "la vista \"Storia\": ogni grafico è un oggetto con il suo riassunto"
read -r _ FX FY FW _ <<<"$(principale_ferma)"
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null
xdotool mousemove $((FX + FW - 154)) $((FY + 274)) click 1 # "Storia", the last of three segments
aspetta 15 c_albero "^ *chart '.*' {CPU negli ultimi 10 minuti: media " ||
    ecco "nessun grafico della storia con il suo riassunto sul bus"

passo "il popover prende il fuoco all'apertura e lo annuncia; Esc lo chiude"
aspetta 30 c_icona || fallito "nessuna icona nell'area di notifica"
POPOVER=$USCITA/albero_popover.txt
$ALBERO fuoco 15 "$TMP/fuoco.json" >"$POPOVER" 2>&1 &
ASCOLTO=$!
aspetta 10 grep -q "in ascolto" "$POPOVER" || fallito "l'ascolto del bus non parte"
clic_icona 1
aspetta 15 scr_c_popup || fallito "il popover non si apre"
wait "$ASCOLTO" || { cat "$POPOVER"; fallito "il popover non annuncia nulla col fuoco"; }
grep -q "^fuoco su push button 'Apri Pulsaro'" "$POPOVER" ||
    fallito "il primo controllo del popover non ha il fuoco: $(head -1 "$POPOVER")"
VOCI=$(grep -c "^ *list item '.*, CPU .* %, GPU .* %, " "$POPOVER")
[ "$VOCI" -ge 1 ] && [ "$VOCI" -le 5 ] || { cat "$POPOVER"; fallito "il popover ha $VOCI voci"; }
grep -q "^ *progress bar 'CPU' = " "$POPOVER" || fallito "il quadrante CPU del popover non ha valore"
# Walked from the application, not only reached through the focus: a popup made one of its windows.
c_albero "^ *list item '.*, CPU .* %, GPU .* %, " "Pulsaro — pannellino" ||
    ecco "il popover non è tra le finestre dell'applicazione, con le sue righe"
xdotool key Escape
aspetta 10 scr_c_nessun_popup || fallito "Esc non chiude il popover"

passo "un'icona che è una FIFO non ferma la finestra: le domande dal bus hanno risposta subito"
# Desktop entries anyone may write, whose Icon= is a FIFO: by its path, and by a name that climbs
# out of the icon themes; and their processes, each burning a core, so that with 30 processes
# listed they are among them even on a busy machine. Pulsaro starts again to read the entries.
kill -TERM "$APP"
aspetta 10 morto || fallito "Pulsaro non esce"
mkdir -p "$TMP/tubi" "$HOME/.local/share/applications"
mkfifo "$TMP/tubi/tubo" "$TMP/tubi/tubo.png"
voce_tubo() {
    printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s\nIcon=%s\n' "$1" "$2" "$3" \
        >"$HOME/.local/share/applications/$2.desktop"
    bash -c 'exec -a "$0" /usr/bin/python3 -c "while True: pass"' "$2" &
    SCR_PIDS+=($!)
}
voce_tubo "Tubo assoluto" tuboassoluto "$TMP/tubi/tubo"
voce_tubo "Tubo relativo" tuborelativo "../../../../../../../../..$TMP/tubi/tubo"
printf '[General]\nnumeroPannelli=30\nmigratoDaKarvel=true\n' >"$(SCR_CONF)"
avvia_pulsaro
aspetta 30 c_principale || fallito "la finestra principale non si apre"
tubi_in_lista() {
    leggi
    [ $? -ne 124 ] || fallito "l'albero non si legge in 10 s: il filo principale è fermo"
    grep -q "^ *list item 'Tubo assoluto, " "$TMP/albero.txt" && grep -q "^ *list item 'Tubo relativo, " "$TMP/albero.txt"
}
ALBERO="timeout 10 $ALBERO" aspetta 40 tubi_in_lista || ecco "i processi delle voci con la FIFO non sono in lista"
GIRO=$(timeout 30 $ALBERO giro 10) || fallito "il bus non ha risposta in 30 s: il filo principale è fermo"
echo "   giro più lungo: $GIRO ms"
[ "$GIRO" -lt 2000 ] || fallito "il filo principale risponde in $GIRO ms"

echo "OK: tutti i passi riusciti; alberi in $USCITA"
