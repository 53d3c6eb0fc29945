#!/usr/bin/env bash
# Checks the macOS code where no Mac is at hand: clang parses every .cpp, .mm and .h under a
# macos/ folder of src/ as the Mac build would (C++20, Objective-C++ with ARC, the project's
# warnings as errors) against the SDK declarations kept in tests/macos/include, and every such
# file is checked to be part of the Apple build that CMake makes.
#
# Usage: controlla_macos.sh                the whole tree
#        controlla_macos.sh --solo-build   only that the Apple build takes every macOS file
#        controlla_macos.sh FILE...        only these files, with the same flags
# PULSARO_RADICE=<tree> checks another copy of the tree; CLANGXX names the compiler (clang++).
set -euo pipefail

qui=$(cd "$(dirname "$0")/.." && pwd)
radice=$(cd "${PULSARO_RADICE:-$qui}" && pwd)
dichiarazioni=$qui/tests/macos/include
clang=${CLANGXX:-clang++}

if ! command -v "$clang" >/dev/null; then
    echo "controlla_macos: $clang is missing (scripts/dipendenze.sh test installs clang)" >&2
    exit 2
fi

# What the Mac's compiler defines by itself and Linux's does not; -fPIC because Qt asks for it.
comuni=(-fsyntax-only -std=c++20 -Wall -Wextra -Wpedantic -Werror
        -D__APPLE__=1 -D__MACH__=1 -fblocks -fPIC
        -isystem "$dichiarazioni" -I "$radice/src")
# Qt's headers, as system headers (as CMake passes them), for the files that use Qt.
if command -v pkg-config >/dev/null && pkg-config --exists Qt6Widgets; then
    for opzione in $(pkg-config --cflags Qt6Widgets); do
        case $opzione in
            -I*) comuni+=(-isystem "${opzione#-I}") ;;
            *) comuni+=("$opzione") ;;
        esac
    done
fi
# ARC on, as CMake compiles .mm files on Apple (cmake/Pulsaro.cmake).
objcxx=(-fobjc-runtime=macosx-13.0 -fobjc-arc -fobjc-exceptions)

controlla() {
    local file=$1 lingua
    case $file in
        *.mm) lingua=(-x objective-c++ "${objcxx[@]}") ;;
        *.cpp) lingua=(-x c++) ;;
        *.h) lingua=(-x objective-c++-header "${objcxx[@]}") ;;
        *)
            echo "controlla_macos: $file: not a .cpp, .mm or .h file" >&2
            return 1
            ;;
    esac
    "$clang" "${lingua[@]}" "${comuni[@]}" "$file"
}

# Every file under a macos/ folder of src/ must be a header or a source the Apple build compiles;
# Objective-C++ anywhere else would be built on the Mac and never checked here.
controllaBuildApple() {
    local provvisoria uscita sorgenti errori=0 file
    provvisoria=$(mktemp -d)
    if ! uscita=$(cmake -DRADICE="$radice" -DPROVVISORIA="$provvisoria" \
        -P "$qui/tests/macos/sorgenti_apple.cmake" 2>&1); then
        rm -rf "$provvisoria"
        echo "controlla_macos: CMake could not list the Apple build's sources:" >&2
        echo "$uscita" >&2
        return 1
    fi
    rm -rf "$provvisoria"
    sorgenti=$(sed -n 's/^SORGENTE //p' <<<"$uscita")
    if [ -z "$sorgenti" ]; then
        echo "controlla_macos: CMake listed no source for the Apple build" >&2
        return 1
    fi
    for file in "${file_macos[@]}"; do
        case $file in
            *.h) ;;
            *.cpp | *.mm)
                if ! grep -qxF "$file" <<<"$sorgenti"; then
                    echo "controlla_macos: $file is not part of the Apple build (the layers take the" \
                        ".cpp and .mm files directly inside src/platform/macos and src/sistema/macos)" >&2
                    errori=1
                fi
                ;;
            *)
                echo "controlla_macos: $file is not a .cpp, .mm or .h file: neither the Apple build" \
                    "nor this check reads it" >&2
                errori=1
                ;;
        esac
    done
    while read -r file; do
        case $file in
            */macos/*) ;;
            *.mm)
                echo "controlla_macos: $file: Objective-C++ outside a macos/ folder is not checked" >&2
                errori=1
                ;;
        esac
    done <<<"$sorgenti"
    return $errori
}

solo_build=0
if [ "${1:-}" = "--solo-build" ]; then
    solo_build=1
    shift
    if [ $# -gt 0 ]; then
        echo "controlla_macos: --solo-build checks the whole tree and takes no file" >&2
        exit 2
    fi
fi
if [ $# -gt 0 ]; then
    file_macos=("$@")
else
    mapfile -t file_macos < <(find "$radice/src" -type d -name macos -prune -exec find {} -type f \; | sort)
    if [ ${#file_macos[@]} -eq 0 ]; then
        echo "controlla_macos: no file under a macos/ folder of $radice/src" >&2
        exit 1
    fi
fi

errori=0
if [ $# -eq 0 ]; then
    controllaBuildApple || errori=1
fi
[ $solo_build -eq 1 ] && file_macos=()
for file in "${file_macos[@]}"; do
    case $file in
        *.cpp | *.mm | *.h) ;;
        *) continue ;; # already reported above
    esac
    if controlla "$file"; then
        echo "ok      ${file#"$radice"/}"
    else
        echo "ERRORE  ${file#"$radice"/}"
        errori=1
    fi
done
if [ $errori -ne 0 ]; then
    echo "controlla_macos: the macOS code does not pass" >&2
fi
exit $errori
