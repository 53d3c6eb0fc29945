#!/usr/bin/env bash
# The Apple link line against the macOS code: every .cpp and .mm under a macos/ folder of src/ is
# compiled to an object as the Mac build would (scripts/controlla_macos.sh --oggetti), each symbol
# it leaves undefined is looked up in tests/macos/simboli_framework.txt, and every framework found
# must be on the link line CMake gives the Apple build. A symbol the table does not know fails too.
# C++ names are skipped: they are ours, the C++ library's or Qt's.
#
# Usage: controlla_collegamento.sh
# PULSARO_RADICE=<tree> checks another copy of the tree.
set -euo pipefail

qui=$(cd "$(dirname "$0")/.." && pwd)
radice=$(cd "${PULSARO_RADICE:-$qui}" && pwd)
tabella=$qui/tests/macos/simboli_framework.txt
provvisoria=$(mktemp -d)
trap 'rm -rf "$provvisoria"' EXIT

command -v nm >/dev/null || { echo "controlla_collegamento: nm is missing (binutils)" >&2; exit 2; }

if ! PULSARO_RADICE=$radice bash "$qui/scripts/controlla_macos.sh" --oggetti "$provvisoria/o" \
    >"$provvisoria/compila.txt" 2>&1 ||
    ! ls "$provvisoria"/o/*.o >/dev/null 2>&1; then
    cat "$provvisoria/compila.txt" >&2
    echo "controlla_collegamento: the macOS files do not compile" >&2
    exit 1
fi

# What CMake links on Apple: the "-framework X" items of the link lines.
cmake -DRADICE="$radice" -DPROVVISORIA="$provvisoria/cmake" -P "$qui/tests/macos/sorgenti_apple.cmake" \
    >"$provvisoria/cmake.txt" 2>&1 || { cat "$provvisoria/cmake.txt" >&2; exit 1; }
mapfile -t collegati < <(sed -n 's/^COLLEGA -framework \{1,\}//p' "$provvisoria/cmake.txt" | sort -u)
if [ ${#collegati[@]} -eq 0 ]; then
    echo "controlla_collegamento: CMake's Apple link line names no framework" >&2
    exit 1
fi

# The table: pattern and place, comments and blank lines skipped.
mapfile -t righe < <(grep -v '^[[:space:]]*\(#\|$\)' "$tabella")

errori=0
declare -A servono=()
for oggetto in "$provvisoria"/o/*.o; do
    while read -r simbolo; do
        case $simbolo in
            _Z*) continue ;;
        esac
        dove=""
        for riga in "${righe[@]}"; do
            read -r modello luogo <<<"$riga"
            # shellcheck disable=SC2053 # the pattern is a glob on purpose
            if [[ $simbolo == $modello ]]; then
                dove=$luogo
                break
            fi
        done
        nome=$(basename "$oggetto" .o)
        if [ -z "$dove" ]; then
            echo "controlla_collegamento: $nome: $simbolo is in no line of" \
                "tests/macos/simboli_framework.txt: add where it lives" >&2
            errori=1
        elif [ "$dove" != "-" ]; then
            servono[$dove]+=" $nome:$simbolo"
        fi
    done < <(nm -u "$oggetto" | awk '$1 == "U" { print $2 }')
done

for framework in "${!servono[@]}"; do
    if printf '%s\n' "${collegati[@]}" | grep -qxF "$framework"; then
        echo "ok      $framework"
    else
        read -r primo _ <<<"${servono[$framework]}"
        echo "controlla_collegamento: the Apple link line lacks -framework $framework" \
            "(needed by ${primo%%:*} for ${primo#*:})" >&2
        errori=1
    fi
done
[ $errori -eq 0 ] || echo "controlla_collegamento: the Apple build would not link" >&2
exit $errori
