#!/usr/bin/env bash
# End to end through the accessibility bus: the real pulsaro under Xvfb, openbox and trayer, read
# from outside as a screen reader reads it (AT-SPI through python3-pyatspi): every dial with its
# value and one list item per shown process against the terminal mode's figures of the same moment,
# the keyboard following a process and stopping, the popover announced through the focus, and a
# desktop entry whose icon is a FIFO that leaves the main thread answering.
# Usage: accessibilita_e2e.sh PULSARO OUTPUT_DIR   (the trees read are kept in OUTPUT_DIR)
# Exit 77 (skipped) only when there is no Xvfb at all.
set -uo pipefail

if ! command -v Xvfb >/dev/null; then
    echo "SALTATO: Xvfb non c'è (scripts/dipendenze.sh test lo installa)"
    exit 77
fi
for c in dbus-run-session /usr/libexec/at-spi-bus-launcher; do
    command -v "$c" >/dev/null || { echo "ERRORE: manca $c (scripts/dipendenze.sh test)"; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
    { echo "ERRORE: manca python3-pyatspi (scripts/dipendenze.sh test)"; exit 1; }

# A session bus of our own, and on it the accessibility bus.
if [ -z "${PULSARO_E2E_BUS:-}" ]; then
    PULSARO_E2E_BUS=1 exec dbus-run-session -- bash "$0" "$@"
fi

PULSARO=$(realpath "$1")
USCITA=${2:-$PWD/e2e_accessibilita}
mkdir -p "$USCITA"
rm -f "$USCITA"/*.png "$USCITA"/albero*

BUS_SESSIONE=$DBUS_SESSION_BUS_ADDRESS
source "$(dirname "$(realpath "$0")")/desktop.sh"
export DBUS_SESSION_BUS_ADDRESS=$BUS_SESSIONE  # the desktop leaves the machine's bus; this one is ours
ALBERO="/usr/bin/python3 $QUI/albero_accessibile.py"

# On the display, which it marks with the bus's address.
/usr/libexec/at-spi-bus-launcher --launch-immediately >"$TMP/bus.log" 2>&1 &
BUS=$!
bus_pronto() { /usr/bin/python3 -c 'import pyatspi; pyatspi.Registry.getDesktop(0).childCount' 2>/dev/null; }
BRUCIATORI=()
pulisci_bus() {
    kill "$BUS" "${BRUCIATORI[@]}" 2>/dev/null
    pulisci
}
trap pulisci_bus EXIT
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
aspetta 15 bus_pronto || { cat "$TMP/bus.log"; fallito "il bus dell'accessibilità non parte"; }

passo "la finestra principale letta dal bus: quadranti con i valori, una voce per processo"
avvia_pulsaro
aspetta 30 c_principale || fallito "la finestra principale non si apre"
read -r PRINCIPALE _ <<<"$(principale)"
aspetta 15 contenuto_pronto "$PRINCIPALE" || fallito "la finestra principale resta vuota"
voci_pronte() {
    $ALBERO albero "$TMP/albero.json" >"$TMP/albero.txt" 2>&1 && grep -q "^ *list item '" "$TMP/albero.txt"
}
aspetta 20 voci_pronte || { cat "$TMP/albero.txt"; fallito "nessuna voce di lista sul bus"; }
# The terminal samples while the window is read: walking the tree loads the machine too, so both
# see the same moment. The walks that waited for the rows are left out of the window's samples first.
sleep 3.5
"$PULSARO" --terminale --json --campioni 3 --intervallo 1.5 >"$TMP/terminale.jsonl" 2>"$TMP/terminale.err" &
TERMINALE=$!
sleep 1.6
$ALBERO albero "$TMP/albero.json" >"$USCITA/albero_principale.txt" 2>&1 || fallito "albero illeggibile"
wait "$TERMINALE" || fallito "il modo terminale non campiona: $(cat "$TMP/terminale.err")"
cp "$TMP/albero.json" "$USCITA/albero_principale.json"
$ALBERO confronta "$TMP/albero.json" "$TMP/terminale.jsonl" ||
    { cat "$USCITA/albero_principale.txt"; fallito "le cifre lette dal bus non sono quelle del terminale"; }
grep -q "push button 'Tutto'" "$USCITA/albero_principale.txt" &&
    fallito "\"Tutto\" è nell'albero senza un processo seguito"
scatta 01_principale

passo "la tastiera: Tab fino alla lista, frecce, Invio segue, Esc smette"
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null || xdotool windowfocus --sync "$PRINCIPALE"
sul_elenco() {
    $ALBERO albero "$TMP/tasti.json" >"$TMP/tasti.txt" 2>&1 && grep -q "list item '.*\[.*focused" "$TMP/tasti.txt"
}
for _ in $(seq 12); do
    sul_elenco && break
    xdotool key --clearmodifiers Tab
    sleep 0.3
done
sul_elenco || { cat "$TMP/tasti.txt"; fallito "Tab non raggiunge la lista dei processi"; }
xdotool key --clearmodifiers Down
sleep 0.3
xdotool key --clearmodifiers Return
# Following shows the back button; the followed row is selected while it stays among the heaviest.
seguito() {
    $ALBERO albero "$TMP/tasti.json" >"$TMP/tasti.txt" 2>&1 && grep -q "push button 'Tutto'" "$TMP/tasti.txt"
}
aspetta 10 seguito || { cat "$TMP/tasti.txt"; fallito "Invio non segue il processo della riga"; }
cp "$TMP/tasti.txt" "$USCITA/albero_seguito.txt"
grep "list item '.*selected" "$TMP/tasti.txt" | head -1
scatta 02_seguito
xdotool key --clearmodifiers Escape
non_seguito() {
    $ALBERO albero "$TMP/tasti.json" >"$TMP/tasti.txt" 2>&1 && ! grep -q "selected" "$TMP/tasti.txt" &&
        ! grep -q "push button 'Tutto'" "$TMP/tasti.txt"
}
aspetta 10 non_seguito || { cat "$TMP/tasti.txt"; fallito "Esc non smette di seguire"; }

passo "la vista \"Storia\": ogni grafico è un oggetto con il suo riassunto"
read -r _ FX FY FW _ <<<"$(principale_ferma)"
xdotool windowactivate --sync "$PRINCIPALE" 2>/dev/null
xdotool mousemove $((FX + FW - 154)) $((FY + 274)) click 1  # "Storia", the last of three segments
riassunto() {
    $ALBERO albero "$TMP/storia.json" >"$TMP/storia.txt" 2>&1 && /usr/bin/python3 -c '
import json, sys
nodi = json.load(open(sys.argv[1]))
sys.exit(not any(n["ruolo"] == "chart" and n["descrizione"].startswith("CPU negli ultimi 10 minuti: media ")
                 for n in nodi))' "$TMP/storia.json"
}
aspetta 15 riassunto || { cat "$TMP/storia.txt"; fallito "nessun grafico della storia con il suo riassunto sul bus"; }
cp "$TMP/storia.txt" "$USCITA/albero_storia.txt"

passo "il popover prende il fuoco all'apertura e lo annuncia; Esc lo chiude"
aspetta 30 c_icona || fallito "nessuna icona nell'area di notifica"
read -r ICONA _ <<<"$(icona)"
$ALBERO fuoco 15 "$TMP/fuoco.json" >"$USCITA/albero_popover.txt" 2>&1 &
ASCOLTO=$!
aspetta 10 grep -q "in ascolto" "$USCITA/albero_popover.txt" || fallito "l'ascolto del bus non parte"
xdotool mousemove --window "$ICONA" 8 8 click 1
aspetta 15 c_popup || fallito "il popover non si apre"
wait "$ASCOLTO" || { cat "$USCITA/albero_popover.txt"; fallito "il popover non annuncia nulla col fuoco"; }
grep -q "^fuoco su push button 'Apri Pulsaro'" "$USCITA/albero_popover.txt" ||
    fallito "il primo controllo del popover non ha il fuoco: $(head -1 "$USCITA/albero_popover.txt")"
VOCI=$(grep -c "^ *list item '.*, CPU .* %, GPU .* %, " "$USCITA/albero_popover.txt")
[ "$VOCI" -ge 1 ] && [ "$VOCI" -le 5 ] || { cat "$USCITA/albero_popover.txt"; fallito "il popover ha $VOCI voci"; }
grep -q "^ *progress bar 'CPU' = " "$USCITA/albero_popover.txt" || fallito "il quadrante CPU del popover non ha valore"
# Walked from the application, not only reached through the focus: a popup made one of its windows.
$ALBERO albero "$TMP/popover.json" "Pulsaro — pannellino" >"$USCITA/albero_popover_finestra.txt" 2>&1 ||
    fallito "il popover non è tra le finestre dell'applicazione: $(tail -1 "$USCITA/albero_popover_finestra.txt")"
grep -q "^ *list item '.*, CPU .* %, GPU .* %, " "$USCITA/albero_popover_finestra.txt" ||
    fallito "le righe del popover non sono nel suo albero"
scatta 03_popover
xdotool key Escape
aspetta 10 c_nessun_popup || fallito "Esc non chiude il popover"

passo "un'icona che è una FIFO non ferma la finestra: le domande dal bus hanno risposta subito"
# Desktop entries anyone may write, whose Icon= is a FIFO: by its path, and by a name that climbs
# out of the icon themes; and their processes, each burning a core, so that with 30 processes
# listed they are among them even on a busy machine. Pulsaro starts again to read the entries.
kill -TERM "$APP"
aspetta 10 morto || fallito "Pulsaro non esce"
TUBI=$TMP/tubi
mkdir -p "$TUBI" "$HOME/.local/share/applications" "$XDG_CONFIG_HOME/Pulsaro"
mkfifo "$TUBI/tubo" "$TUBI/tubo.png"
voce_tubo() {
    printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s\nIcon=%s\n' "$1" "$2" "$3" \
        >"$HOME/.local/share/applications/$2.desktop"
    bash -c 'exec -a "$0" /usr/bin/python3 -c "while True: pass"' "$2" &
    BRUCIATORI+=($!)
}
voce_tubo "Tubo assoluto" tuboassoluto "$TUBI/tubo"
voce_tubo "Tubo relativo" tuborelativo "../../../../../../../../..$TUBI/tubo"
printf '[General]\nnumeroPannelli=30\nmigratoDaKarvel=true\n' >"$XDG_CONFIG_HOME/Pulsaro/Pulsaro.conf"
avvia_pulsaro
aspetta 30 c_principale || fallito "la finestra principale non si apre"
tubi_in_lista() {
    timeout 10 $ALBERO albero "$TMP/tubi.json" >"$TMP/tubi.txt" 2>&1
    case $? in
        0) grep -q "^ *list item 'Tubo assoluto, " "$TMP/tubi.txt" && grep -q "^ *list item 'Tubo relativo, " "$TMP/tubi.txt" ;;
        124) fallito "l'albero non si legge in 10 s: il filo principale è fermo" ;;
        *) return 1 ;;
    esac
}
aspetta 40 tubi_in_lista || { cat "$TMP/tubi.txt"; fallito "i processi delle voci con la FIFO non sono in lista"; }
GIRO=$(timeout 30 $ALBERO giro 10) || fallito "il bus non ha risposta in 30 s: il filo principale è fermo"
echo "giro più lungo: $GIRO ms"
[ "$GIRO" -lt 2000 ] || fallito "il filo principale risponde in $GIRO ms"
scatta 04_fifo
kill "${BRUCIATORI[@]}"

echo "OK: tutti i passi riusciti; alberi in $USCITA"
