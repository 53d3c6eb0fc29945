#!/usr/bin/env bash
# Overhead: Pulsaro in each of its states against `top -d 1.5` running side by side over the
# same interval, CPU time from /proc/PID/stat, so that the machine's noise hits both alike. By
# default a changing load runs beside both (pulsaro_bruciatore: children that burn a core for
# 0.3–1.2 s and rest up to 0.9 s, again and again), so the figures move as they do when someone
# watches a busy machine; --quieto measures a quiet machine. --ridotto runs Pulsaro with reduced
# motion. States: tile only (no window), popover open, main window on bars, main window on
# gauges, terminal mode. For each: CPU time, scheduler timeslices a second of all Pulsaro's
# threads (/proc/PID/task/*/schedstat), frames painted per sample and device pixels repainted
# per frame. Prints a Markdown table.
# Usage: misura.sh [--quieto] [--ridotto] [seconds per state, default 60] [pulsaro, default build/pulsaro]
set -euo pipefail
cd "$(dirname "$0")/.."

quieto=0
ridotto=0
posizionali=()
for a in "$@"; do
    case $a in
        --quieto) quieto=1 ;;
        --ridotto) ridotto=1 ;;
        *) posizionali+=("$a") ;;
    esac
done
secondi=${posizionali[0]:-60}
pulsaro=$(realpath "${posizionali[1]:-build/pulsaro}")
bruciatore=$(dirname "$pulsaro")/pulsaro_bruciatore
[ -x "$pulsaro" ] || { echo "ERRORE: $pulsaro non c'è (cmake --build build --target pulsaro)" >&2; exit 1; }
[ $quieto -eq 1 ] || [ -x "$bruciatore" ] ||
    { echo "ERRORE: $bruciatore non c'è (cmake --build build --target pulsaro_bruciatore)" >&2; exit 1; }
command -v top >/dev/null || { echo "ERRORE: manca top (procps)" >&2; exit 1; }

source scripts/lib/scrivania.sh
carico=""
fine() {
    if [ -n "$carico" ]; then
        pkill -TERM -P "$carico" 2>/dev/null || true
        kill "$carico" 2>/dev/null || true
    fi
    scr_pulisci
}
trap fine EXIT
scr_avvia_scrivania
tick=$(getconf CLK_TCK)
intervallo=1.5  # the main window's and the popover's sampling interval
export PULSARO_CONTEGGI="$SCR_TMP/conteggi" PULSARO_MOVIMENTO_RIDOTTO=$ridotto

# Timeslices run so far by each thread of a process: "tid count" lines (third field of schedstat).
fette() {
    local t
    for t in /proc/"$1"/task/*; do
        echo "${t##*/} $(awk '{print $3}' "$t/schedstat" 2>/dev/null)"
    done
}
# Timeslices between two of those readings: a thread's own difference, all of a thread that began
# in between; a thread that ended in between is not counted (Qt's pool threads end when idle).
fette_tra() {
    awk 'NR == FNR { prima[$1] = $2; next } { n += $2 - (($1 in prima) ? prima[$1] : 0) } END { print n + 0 }' "$1" "$2"
}
# "frames pixels" painted so far, as the application keeps them.
disegnato() {
    awk '/^fotogrammi/ { f = $2 } /^pixel/ { p = $2 } END { print f + 0, p + 0 }' "$PULSARO_CONTEGGI" 2>/dev/null ||
        echo "0 0"
}

# Runs the state's process ($SCR_APP, already started and settled) and top for the same
# seconds; prints "cpu_ms_pulsaro cpu_ms_top rss_kib timeslices frames pixels".
confronta() {
    local top_pid t0a t0b t1a t1b rss s f0 p0 f1 p1
    top -d 1.5 -b >/dev/null 2>&1 &
    top_pid=$!
    sleep 1
    t0a=$(scr_tick "$SCR_APP")
    t0b=$(scr_tick "$top_pid")
    fette "$SCR_APP" >"$SCR_TMP/fette0"
    read -r f0 p0 <<<"$(disegnato)"
    sleep "$secondi"
    t1a=$(scr_tick "$SCR_APP")
    t1b=$(scr_tick "$top_pid")
    fette "$SCR_APP" >"$SCR_TMP/fette1"
    s=$(fette_tra "$SCR_TMP/fette0" "$SCR_TMP/fette1")
    read -r f1 p1 <<<"$(disegnato)"
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$SCR_APP/status")
    kill "$top_pid"
    wait "$top_pid" 2>/dev/null || true
    echo "$(((t1a - t0a) * 1000 / tick)) $(((t1b - t0b) * 1000 / tick)) $rss $s $((f1 - f0)) $((p1 - p0))"
}

righe=()
riga() {
    local nome=$1 a b rss s f p rapporto fette_s per_campione per_fotogramma
    read -r a b rss s f p <<<"$2"
    rapporto=$(awk -v a="$a" -v b="$b" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "—" }')
    fette_s=$(awk -v s="$s" -v t="$secondi" 'BEGIN { printf "%.0f", s / t }')
    if [ "${3:-}" = finestra ]; then
        per_campione=$(awk -v f="$f" -v t="$secondi" -v i="$intervallo" 'BEGIN { printf "%.1f", f / (t / i) }')
        per_fotogramma=$(awk -v f="$f" -v p="$p" 'BEGIN { if (f > 0) printf "%.0f", p / f; else print "—" }')
    else
        per_campione="—"
        per_fotogramma="—"
    fi
    righe+=("| $nome | $a | $b | $rapporto | $fette_s | $per_campione | $per_fotogramma | $(awk -v r="$rss" 'BEGIN { printf "%.1f", r / 1024 }') |")
    echo "  $nome: pulsaro $a ms, top $b ms, $fette_s fette/s, $f fotogrammi, $p pixel, RSS $rss KiB" >&2
}

applicazione() {
    local vista=$1
    rm -f "$PULSARO_CONTEGGI"
    scr_preferenza iconaRiquadro true
    scr_preferenza vista "$vista"
    scr_avvia_pulsaro "$pulsaro" --da-login
    scr_aspetta 30 scr_c_icona || scr_errore "nessuna icona: $(tail -3 "$SCR_TMP/pulsaro.log")"
    sleep 5  # the first samples and the icon's first drawings are not the steady state
}

if [ $quieto -eq 0 ]; then
    "$bruciatore" >/dev/null 2>&1 &
    carico=$!
fi

echo "== solo il riquadro" >&2
applicazione Barre
riga "solo il riquadro nella barra" "$(confronta)"

echo "== popover aperto" >&2
scr_apri_popover || scr_errore "il popover non si apre"
sleep 3
riga "popover aperto" "$(confronta)" finestra
scr_c_popup || scr_errore "il popover si è chiuso durante la misura"
scr_chiudi_popover || true
scr_ferma_pulsaro

for vista in Barre Contagiri Storia; do
    echo "== finestra principale: $vista" >&2
    applicazione "$vista"
    scr_apri_principale || scr_errore "la finestra principale non si apre"
    sleep 3
    riga "finestra principale (${vista,,})" "$(confronta)" finestra
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
echo "Carico: $([ $quieto -eq 1 ] && echo "nessuno (--quieto)" || echo "pulsaro_bruciatore accanto a entrambi")." \
    "Movimento: $([ $ridotto -eq 1 ] && echo "ridotto (--ridotto)" || echo "normale")."
echo "Fette: intervalli dello scheduler al secondo, tutti i thread di Pulsaro. Fotogrammi per campione" \
    "(ogni ${intervallo} s) e pixel ridipinti per fotogramma, della finestra aperta."
echo "Macchina: $(awk -F': ' '/^model name/ {print $2; exit}' /proc/cpuinfo), $(nproc) core," \
    "$(awk '/^MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo), $(uname -sr); $(date -u +%Y-%m-%d)."
echo
echo "| stato | CPU Pulsaro (ms) | CPU top (ms) | Pulsaro / top | fette/s | fotogrammi/campione | pixel/fotogramma | RSS Pulsaro (MiB) |"
echo "|---|---:|---:|---:|---:|---:|---:|---:|"
printf '%s\n' "${righe[@]}"
