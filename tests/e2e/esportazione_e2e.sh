#!/usr/bin/env bash
# The endpoint as Prometheus meets it: prometheus scrapes `pulsaro --terminale --esporta` for about
# 20 s while hostile clients try to break it; what it stored must be the terminal's JSON of the same
# seconds, and promtool must accept live scrapes in both formats.
# Usage: esportazione_e2e.sh PULSARO OUTDIR   (exit 77: skipped, prometheus is not installed)
E2E_SCRIVANIA=nessuna E2E_SERVE="prometheus promtool curl python3"
source "$(dirname "$(realpath "$0")")/desktop.sh"
libera() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
PORTA=$(libera)
PORTA_PROM=$(libera)

# A busy process whose name would break an exposition that did not escape it.
OSTILE=$TMP/$'ev"il\nname\\'
cp "$(command -v bash)" "$OSTILE"
"$OSTILE" -c 'end=$((SECONDS+40)); while [ $SECONDS -lt $end ]; do :; done' &
SCR_PIDS+=($!)

passo "prometheus legge l'esportazione del modo terminale"
# Each JSON line stamped with the second it was printed.
"$PULSARO" --terminale --json --intervallo 1 --esporta "127.0.0.1:$PORTA" --esporta-processi 30 2>"$TMP/app.log" |
    python3 -u -c 'import sys, time
for riga in sys.stdin: print("%.3f %s" % (time.time(), riga), end="", flush=True)' >"$USCITA/campioni.txt" &
SCR_PIDS+=($!)
printf 'global: {scrape_interval: 2s, scrape_timeout: 1s}\nscrape_configs:\n' >"$USCITA/prometheus.yml"
printf '  - {job_name: pulsaro, static_configs: [{targets: ["127.0.0.1:%s"]}]}\n' "$PORTA" >>"$USCITA/prometheus.yml"
prometheus --config.file="$USCITA/prometheus.yml" --storage.tsdb.path="$TMP/tsdb" \
    --web.listen-address="127.0.0.1:$PORTA_PROM" >"$USCITA/prometheus.log" 2>&1 &
SCR_PIDS+=($!)
aspetta 10 curl -sf -o /dev/null "http://127.0.0.1:$PORTA/metrics" || fallito "l'esportazione non risponde"
grep -q "misure per Prometheus su http://127.0.0.1:$PORTA/metrics" "$TMP/app.log" ||
    fallito "il modo terminale non dice dove esporta"
INIZIO=$(date +%s)

passo "client ostili in mezzo alle letture; promtool accetta i due formati"
python3 "$QUI/esportazione.py" ostile "$PORTA" "$(basename "$OSTILE")" || fallito "un client ostile la spunta"
for formato in "application/openmetrics-text;version=1.0.0" "text/plain;version=0.0.4"; do
    curl -sf -H "Accept: $formato" "http://127.0.0.1:$PORTA/metrics" | promtool check metrics ||
        fallito "promtool non accetta una lettura in $formato"
done
sleep $((INIZIO + 22 - $(date +%s)))

passo "le misure che prometheus ha tenuto sono quelle del JSON degli stessi secondi"
python3 "$QUI/esportazione.py" confronta "$PORTA_PROM" "$USCITA/campioni.txt" || fallito "prometheus ha altre misure"
echo "OK: tutti i passi riusciti"
