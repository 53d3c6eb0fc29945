#!/usr/bin/env bash
# The endpoint as Prometheus meets it: Debian's real prometheus scrapes
# `pulsaro --terminale --esporta 127.0.0.1:PORT` for about 20 s while hostile clients try to
# break it; the CPU ratio read back through Prometheus' API must agree with the terminal's JSON
# of the same seconds, and promtool must accept live scrapes in both formats.
# Usage: esportazione_e2e.sh PULSARO OUTDIR   (exit 77: skipped, prometheus is not installed)
set -euo pipefail
pulsaro=$1
uscita=$2
for t in prometheus promtool curl python3; do
    command -v "$t" >/dev/null || { echo "SKIP: $t non installato"; exit 77; }
done
qui=$(cd "$(dirname "$0")" && pwd)
rm -rf "$uscita"
mkdir -p "$uscita/home" "$uscita/runtime" "$uscita/tsdb"
chmod 700 "$uscita/runtime"
export HOME=$uscita/home XDG_CONFIG_HOME=$uscita/home/.config XDG_RUNTIME_DIR=$uscita/runtime
unset DISPLAY WAYLAND_DISPLAY

libera() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'; }
porta=$(libera)
portaProm=$(libera)

pids=()
fine() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap fine EXIT

# A busy process whose name would break an exposition that did not escape it.
ostile=$uscita/$'ev"il\nname\\'
cp "$(command -v bash)" "$ostile"
"$ostile" -c 'end=$((SECONDS+40)); while [ $SECONDS -lt $end ]; do :; done' &
pids+=($!)

# Each JSON line stamped with the second it was printed.
"$pulsaro" --terminale --json --intervallo 1 --esporta "127.0.0.1:$porta" --esporta-processi 30 \
    2>"$uscita/pulsaro.err" |
    python3 -u -c 'import sys, time
for riga in sys.stdin: print("%.3f %s" % (time.time(), riga), end="", flush=True)' >"$uscita/campioni.txt" &
pids+=($!)

cat >"$uscita/prometheus.yml" <<EOF
global:
  scrape_interval: 2s
  scrape_timeout: 1s
scrape_configs:
  - job_name: pulsaro
    static_configs:
      - targets: ['127.0.0.1:$porta']
EOF
prometheus --config.file="$uscita/prometheus.yml" --storage.tsdb.path="$uscita/tsdb" \
    --web.listen-address="127.0.0.1:$portaProm" >"$uscita/prometheus.log" 2>&1 &
pids+=($!)

for _ in $(seq 50); do
    curl -sf "http://127.0.0.1:$porta/metrics" >/dev/null && break
    sleep 0.2
done
grep -q "misure per Prometheus su http://127.0.0.1:$porta/metrics" "$uscita/pulsaro.err"

inizio=$(date +%s)
# Hostile clients in the middle of the scrapes; each check waits for its own outcome.
python3 "$qui/esportazione_ostile.py" "$porta" "$(basename "$ostile")"
for formato in "application/openmetrics-text;version=1.0.0" "text/plain;version=0.0.4"; do
    curl -sf -H "Accept: $formato" "http://127.0.0.1:$porta/metrics" >"$uscita/scrape.txt"
    promtool check metrics <"$uscita/scrape.txt"
done
sleep $((inizio + 22 - $(date +%s)))

python3 "$qui/esportazione_confronta.py" "$portaProm" "$uscita/campioni.txt"
echo "esportazione: tutto bene"
