#!/usr/bin/env bash
# House rules the compiler does not check: every source file is formatted as .clang-format says,
# only the layers that talk to the system (src/platform, src/sistema and their tests) include
# an OS header or ask which OS they are built for, and nothing outside a linux/ (macos/) folder
# includes a header from one, and tests/ stays at most 0.40 of src/. PULSARO_RADICE=<tree> checks another copy (a git work tree).
set -euo pipefail
cd "${PULSARO_RADICE:-$(dirname "$0")/..}"

errori=0
mapfile -t sorgenti < <(git ls-files -- '*.cpp' '*.h' '*.mm')

if ! clang-format --dry-run --Werror "${sorgenti[@]}"; then
    echo "regole della casa: file non formattati; correggere con clang-format -i" >&2
    errori=1
fi

consentiti='^(src/platform|src/sistema|tests/platform|tests/sistema|tests/macos|tests/fuzz/linux)/'
intestazioni='^[[:space:]]*#[[:space:]]*(include|import)[[:space:]]*<(unistd\.h|sys/|mach/|mach-o/|IOKit/|CoreFoundation/|CoreServices/|ApplicationServices/|Cocoa/|AppKit/|Foundation/|ServiceManagement/|objc/|dlfcn\.h|fcntl\.h|dirent\.h|signal\.h|pwd\.h|grp\.h|poll\.h|pthread\.h|spawn\.h|termios\.h|libproc\.h|sched\.h|syslog\.h|netinet/|arpa/|linux/)'
for f in "${sorgenti[@]}"; do
    [[ $f =~ $consentiti ]] && continue
    if grep -nHE "$intestazioni" "$f" >&2; then
        echo "regole della casa: intestazione di sistema fuori da src/platform e src/sistema: $f" >&2
        errori=1
    fi
    if grep -nHwE '__APPLE__|__linux__' "$f" >&2; then
        echo "regole della casa: test del sistema operativo fuori da src/platform e src/sistema: $f" >&2
        errori=1
    fi
done

# One system's folder is the other system's missing file: only its own folder may include from it.
for f in "${sorgenti[@]}"; do
    for os in linux macos; do
        [[ /$f == */$os/* ]] && continue
        if grep -nHE "^[[:space:]]*#[[:space:]]*(include|import)[[:space:]]*(\"([^\"]*/)?|<[^>]*/)$os/" "$f" >&2; then
            echo "regole della casa: $f include da una cartella $os/ senza esserci dentro" >&2
            errori=1
        fi
    done
done

# Every stored preference is spelled once, in its table; the code reads and writes it from there.
# Tests may spell a key: they write hostile stores as text.
tabella=src/platform/tabella_preferenze.h
# A key is the first text of a table entry's braces: numeroPannelli{"numeroPannelli", 9, ...}.
mapfile -t chiavi < <(grep -oP '(?:^\s*|[A-Za-z_{])\{\K"[^"]+"' "$tabella" | sort -u)
if [ ${#chiavi[@]} -lt 10 ]; then
    echo "regole della casa: nessuna chiave letta da $tabella" >&2
    errori=1
fi
for f in "${sorgenti[@]}"; do
    [[ $f == src/platform/tabella_preferenze.* || $f == tests/* ]] && continue
    if grep -nHF "${chiavi[@]/#/-e}" "$f" | grep -vE '^[^:]+:[0-9]+:[[:space:]]*//' >&2; then
        echo "regole della casa: chiave delle preferenze fuori dalla tabella: $f" >&2
        errori=1
    fi
done

# Tests stay a third of the code or so: past 0.40 they restate it rather than catch its faults.
# Apple's declarations in tests/macos/include are not tests.
righe() { if [ $# -gt 0 ]; then cat -- "$@" | wc -l; else echo 0; fi; }
mapfile -t codice < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'src/*.mm')
mapfile -t prove < <(git ls-files -- 'tests/*.cpp' 'tests/*.h' 'tests/*.mm' 'tests/*.sh' 'tests/*.py' |
    grep -v '^tests/macos/include/')
n_codice=$(righe "${codice[@]}")
n_prove=$(righe "${prove[@]}")
rapporto=$(awk -v t="$n_prove" -v c="$n_codice" 'BEGIN { printf "%.2f", c ? t / c : 99 }')
echo "regole della casa: tests/ $n_prove righe, src/ $n_codice righe: $rapporto"
if awk -v r="$rapporto" 'BEGIN { exit !(r > 0.40) }'; then
    echo "regole della casa: i test superano 0,40 del codice; accorpare in tabelle, togliere i doppioni" >&2
    errori=1
fi

[ $errori -eq 0 ] && echo "regole della casa: rispettate (${#sorgenti[@]} file)"
exit $errori
