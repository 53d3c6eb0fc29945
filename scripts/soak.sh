#!/usr/bin/env bash
# Long run: the real menu-bar application under Xvfb + openbox + trayer for N minutes, opening and
# closing the popover and the main window every few seconds and switching the tile on and off,
# while its resident memory, open descriptors, threads and children are read from /proc.
# Fails when, after the warm-up, memory grows by more than 2 MB or descriptors, threads or
# children grow at all (compared at rest: no popover, no main window).
# Usage: soak.sh [minutes, default 3] [warm-up minutes, default 1] [pulsaro, default build/pulsaro]
set -euo pipefail
cd "$(dirname "$0")/.."

minuti=${1:-3}
riscaldamento=${2:-1}
pulsaro=$(realpath "${3:-build/pulsaro}")
[ -x "$pulsaro" ] || { echo "ERRORE: $pulsaro non c'è (cmake --build build --target pulsaro)" >&2; exit 1; }

source scripts/lib/scrivania.sh
trap scr_pulisci EXIT
scr_avvia_scrivania
registro=${SOAK_REGISTRO:-$SCR_TMP/soak.tsv}

# The tile on at the start; a login launch, so no window opens by itself.
scr_preferenza iconaRiquadro true
scr_avvia_pulsaro "$pulsaro" --da-login
scr_aspetta 30 scr_c_icona || { cat "$SCR_TMP/pulsaro.log" >&2; scr_errore "nessuna icona nell'area di notifica"; }
# With no menu-bar application (only the terminal mode), the process has ended by now.
scr_vivo || scr_errore "pulsaro è uscito: $(tail -3 "$SCR_TMP/pulsaro.log")"

inizio=$(date +%s)
fine=$((inizio + minuti * 60))
fine_riscaldamento=$((inizio + riscaldamento * 60))
giri=0 popover=0 principali=0 cambi=0 visti=0 errori=0 riquadro=true
echo -e "secondi\tfase\trss_kib\tfd\tfili\tfigli" >"$registro"
base=""
ultima=""
massimi=(0 0 0 0)
while [ "$(date +%s)" -lt "$fine" ]; do
    giri=$((giri + 1))
    if scr_apri_popover; then popover=$((popover + 1)); sleep 2; else errori=$((errori + 1)); fi
    scr_chiudi_popover || errori=$((errori + 1))
    sleep 1
    # Every other round the tile switches in the preferences file. The application reads the
    # file again when it next writes a preference of its own: moving the main window makes it
    # save the window's frame.
    if [ $((giri % 2)) -eq 0 ]; then
        riquadro=$([ "$riquadro" = true ] && echo false || echo true)
        scr_preferenza iconaRiquadro "$riquadro"
        cambi=$((cambi + 1))
    fi
    if scr_apri_principale; then principali=$((principali + 1)); sleep 1; else errori=$((errori + 1)); fi
    scr_sposta_principale $((100 + (giri % 7) * 10))
    sleep 1
    scr_chiudi_principale || errori=$((errori + 1))
    # The light sample (every 2 s) redraws the icon.
    sleep 2.5
    if [ $((giri % 2)) -eq 0 ]; then
        if [ "$riquadro" = true ]; then scr_c_riquadro && visti=$((visti + 1)); else scr_c_riquadro || visti=$((visti + 1)); fi
    fi
    scr_vivo || scr_errore "pulsaro è terminato durante il giro $giri: $(tail -5 "$SCR_TMP/pulsaro.log")"
    # At rest: what is left once both are closed.
    read -r rss fd thr figli _ <<<"$(scr_misure "$SCR_APP")"
    ora=$(($(date +%s) - inizio))
    fase=$([ "$(date +%s)" -lt "$fine_riscaldamento" ] && echo riscaldamento || echo misura)
    echo -e "$ora\t$fase\t$rss\t$fd\t$thr\t$figli" >>"$registro"
    if [ "$fase" = misura ]; then
        [ -z "$base" ] && base="$rss $fd $thr $figli"
        ultima="$rss $fd $thr $figli"
        i=0
        for v in $rss $fd $thr $figli; do
            [ "$v" -gt "${massimi[i]}" ] && massimi[i]=$v
            i=$((i + 1))
        done
    fi
done

[ -n "$base" ] || scr_errore "nessun campione dopo il riscaldamento: allunga la prova"
read -r rss0 fd0 thr0 figli0 <<<"$base"
read -r rss1 fd1 thr1 figli1 <<<"$ultima"
# The last three samples at rest, so that one sample caught mid-allocation does not decide.
rss_fine=$(awk -F'\t' '$2 == "misura" {v[n++] = $3} END {
    if (n < 3) { print v[n-1]; exit } a = v[n-1]; b = v[n-2]; c = v[n-3];
    m = (a < b ? a : b); m = (m < c ? m : c); print m }' "$registro")
crescita_kib=$((rss_fine - rss0))

echo
echo "| | dopo il riscaldamento | alla fine | massimo |"
echo "|---|---:|---:|---:|"
echo "| memoria residente (KiB) | $rss0 | $rss1 | ${massimi[0]} |"
echo "| descrittori aperti | $fd0 | $fd1 | ${massimi[1]} |"
echo "| fili | $thr0 | $thr1 | ${massimi[2]} |"
echo "| processi figli | $figli0 | $figli1 | ${massimi[3]} |"
echo
echo "$minuti min ($riscaldamento di riscaldamento), $giri giri: $popover popover e $principali finestre principali aperti," \
    "$cambi cambi del riquadro ($visti visti sull'icona), $errori passi non riusciti; crescita della memoria $crescita_kib KiB"
echo "registro: ${SOAK_REGISTRO:-${TMPDIR:-/tmp}/pulsaro-soak.tsv}"

esito=0
[ "$crescita_kib" -gt 2048 ] && { echo "FALLITO: la memoria cresce di $crescita_kib KiB (> 2 MB)" >&2; esito=1; }
[ "$fd1" -gt "$fd0" ] && { echo "FALLITO: i descrittori crescono da $fd0 a $fd1" >&2; esito=1; }
[ "$thr1" -gt "$thr0" ] && { echo "FALLITO: i fili crescono da $thr0 a $thr1" >&2; esito=1; }
[ "$figli1" -gt "$figli0" ] && { echo "FALLITO: i figli crescono da $figli0 a $figli1" >&2; esito=1; }
# A round in which nothing opened tests nothing: most rounds must have worked.
[ $((popover + principali)) -ge "$giri" ] || { echo "FALLITO: troppi passi non riusciti ($errori)" >&2; esito=1; }
[ "$visti" -ge $((cambi / 2)) ] || { echo "FALLITO: il riquadro è cambiato sull'icona $visti volte su $cambi" >&2; esito=1; }
[ -n "${SOAK_REGISTRO:-}" ] || cp "$registro" "${TMPDIR:-/tmp}/pulsaro-soak.tsv"
exit $esito
