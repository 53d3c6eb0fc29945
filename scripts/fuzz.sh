#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer + UndefinedBehaviorSanitizer), replays
# every seed and kept crash input, then fuzzes each target for a bounded time.
# Usage: fuzz.sh [seconds per target, default 20] [target name ...]
# A crash, a sanitizer report or a broken property fails the run; the input that did it is in
# build-fuzz/crash/: fix the fault, then copy the input into tests/fuzz/corpus/<target>/.
set -euo pipefail
cd "$(dirname "$0")/.."

secondi=${1:-20}
shift || true
cartella=build-fuzz
cxx=$(command -v clang++-14 || command -v clang++ || true)
[ -n "$cxx" ] || { echo "clang++ non trovato (scripts/dipendenze.sh test)" >&2; exit 1; }

cmake -S . -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
    -DPULSARO_FUZZ=ON -DPULSARO_BENCH=OFF >/dev/null
cmake --build "$cartella" --target pulsaro_fuzz_tutti

# Several targets write their input to a file first: memory is five times faster than a disk.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0 UBSAN_OPTIONS=print_stacktrace=1 QT_QPA_PLATFORM=offscreen

echo "== semi e ingressi già trovati"
ctest --test-dir "$cartella" --output-on-failure -R '^fuzz_'

bersagli=("$@")
if [ ${#bersagli[@]} -eq 0 ]; then
    for f in "$cartella"/fuzz_*; do
        [ -f "$f" ] && [ -x "$f" ] && bersagli+=("${f##*/fuzz_}")
    done
fi

mkdir -p "$cartella/crash" "$cartella/log"
falliti=()
tabella="| bersaglio | esecuzioni | esecuzioni/s | corpus | esito |\n|---|---:|---:|---:|---|\n"
for b in "${bersagli[@]}"; do
    lavoro="$cartella/corpus/$b"
    mkdir -p "$lavoro"
    log="$cartella/log/$b.txt"
    echo "== fuzz_$b per ${secondi}s"
    esito=ok
    # New inputs go to the first folder; the seeds in the repository stay as they are.
    if ! "$cartella/fuzz_$b" "$lavoro" "tests/fuzz/corpus/$b" -max_total_time="$secondi" -timeout=10 \
        -rss_limit_mb=2048 -max_len=4096 -print_final_stats=1 \
        -artifact_prefix="$cartella/crash/$b-" >"$log" 2>&1; then
        esito=CRASH
        falliti+=("$b")
        grep -E "ERROR|SUMMARY|proprietà|Test unit written|runtime error" "$log" | head -20 >&2 || true
    fi
    esecuzioni=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    velocita=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    corpus=$(find "$lavoro" -type f | wc -l)
    tabella+="| $b | ${esecuzioni:-?} | ${velocita:-?} | $corpus | $esito |\n"
done

printf "\n%b" "$tabella"
if [ ${#falliti[@]} -ne 0 ]; then
    echo "Falliti: ${falliti[*]}; gli ingressi sono in $cartella/crash/" >&2
    exit 1
fi
