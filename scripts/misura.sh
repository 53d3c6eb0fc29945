#!/usr/bin/env bash
# Overhead: Pulsaro in each of its states against `top -d 1.5` running side by side over the
# same interval, CPU time from /proc/PID/stat, so that the machine's noise hits both alike.
# States: tile only (no window), popover open, main window on bars, main window on gauges,
# terminal mode. Prints a Markdown table.
# Usage: misura.sh [seconds per state, default 60] [pulsaro, default build/pulsaro]
set -euo pipefail
cd "$(dirname "$0")/.."

secondi=${1:-60}
pulsaro=$(realpath "${2:-build/pulsaro}")
[ -x "$pulsaro" ] || { echo "ERRORE: $pulsaro non c'è (cmake --build build --target pulsaro)" >&2; exit 1; }
command -v top >/dev/null || { echo "ERRORE: manca top (procps)" >&2; exit 1; }

source scripts/lib/scrivania.sh
trap scr_pulisci EXIT
scr_avvia_scrivania
tick=$(getconf CLK_TCK)

# Runs the state's process ($SCR_APP, already started and settled) and top for the same
# seconds; prints "cpu_ms_pulsaro cpu_ms_top rss_kib".
confronta() {
    local top_pid t0a t0b t1a t1b rss
    top -d 1.5 -b >/dev/null 2>&1 &
    top_pid=$!
    sleep 1
    t0a=$(scr_tick "$SCR_APP")
    t0b=$(scr_tick "$top_pid")
    sleep "$secondi"
    t1a=$(scr_tick "$SCR_APP")
    t1b=$(scr_tick "$top_pid")
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$SCR_APP/status")
    kill "$top_pid"
    wait "$top_pid" 2>/dev/null || true
    echo "$(((t1a - t0a) * 1000 / tick)) $(((t1b - t0b) * 1000 / tick)) $rss"
}

righe=()
riga() {
    local nome=$1 a b rss rapporto
    read -r a b rss <<<"$2"
    rapporto=$(awk -v a="$a" -v b="$b" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "—" }')
    righe+=("| $nome | $a | $b | $rapporto | $(awk -v r="$rss" 'BEGIN { printf "%.1f", r / 1024 }') |")
    echo "  $nome: pulsaro $a ms, top $b ms, RSS $rss KiB" >&2
}

applicazione() {
    local vista=$1
    scr_preferenza iconaRiquadro true
    scr_preferenza vista "$vista"
    scr_avvia_pulsaro "$pulsaro" --da-login
    scr_aspetta 30 scr_c_icona || scr_errore "nessuna icona: $(tail -3 "$SCR_TMP/pulsaro.log")"
    sleep 5  # the first samples and the icon's first drawings are not the steady state
}

echo "== solo il riquadro" >&2
applicazione Barre
riga "solo il riquadro nella barra" "$(confronta)"

echo "== popover aperto" >&2
scr_apri_popover || scr_errore "il popover non si apre"
sleep 3
riga "popover aperto" "$(confronta)"
scr_c_popup || scr_errore "il popover si è chiuso durante la misura"
scr_chiudi_popover || true
scr_ferma_pulsaro

for vista in Barre Contagiri; do
    echo "== finestra principale: $vista" >&2
    applicazione "$vista"
    scr_apri_principale || scr_errore "la finestra principale non si apre"
    sleep 3
    riga "finestra principale ($([ $vista = Barre ] && echo barre || echo contagiri))" "$(confronta)"
    scr_c_principale || scr_errore "la finestra principale si è chiusa durante la misura"
    scr_chiudi_principale || true
    scr_ferma_pulsaro
done

echo "== modalità terminale" >&2
"$pulsaro" --terminale >/dev/null 2>&1 &
SCR_APP=$!
sleep 3
riga "modalità terminale (pulsaro --terminale)" "$(confronta)"
scr_ferma_pulsaro

echo
echo "Tempo di CPU in ${secondi} s, Pulsaro e \`top -d 1.5\` fianco a fianco; RSS a fine misura."
echo "Macchina: $(awk -F': ' '/^model name/ {print $2; exit}' /proc/cpuinfo), $(nproc) core," \
    "$(awk '/^MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo), $(uname -sr); $(date -u +%Y-%m-%d)."
echo
echo "| stato | CPU Pulsaro (ms) | CPU top (ms) | Pulsaro / top | RSS Pulsaro (MiB) |"
echo "|---|---:|---:|---:|---:|"
printf '%s\n' "${righe[@]}"
