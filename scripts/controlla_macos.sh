#!/usr/bin/env bash
# Checks the macOS code where no Mac is at hand: clang parses every .cpp, .mm and .h under a
# macos/ folder of src/ as the Mac build would (C++20, Objective-C++ with ARC, the project's
# warnings as errors) against the SDK declarations kept in tests/macos/include, and every such
# file is checked to be part of the Apple build that CMake makes.
#
#
# With --libcxx it reads every source the Apple build compiles, all layers, against LLVM's C++
# library (the one Apple ships; Debian's libc++-16-dev, no newer than any Xcode's) instead of
# GNU's: what GNU's library lets through and Apple's refuses (floating-point from_chars, a header
# GNU's includes on the way) fails here. With --oggetti DIR the macOS files are compiled to
# objects in DIR, for the link check (scripts/controlla_collegamento.sh).
#
# Usage: controlla_macos.sh                the whole tree
#        controlla_macos.sh --solo-build   only that the Apple build takes every macOS file
#        controlla_macos.sh --libcxx       every Apple source against LLVM's C++ library
#        controlla_macos.sh --oggetti DIR  the macOS .cpp and .mm files compiled into DIR
#        controlla_macos.sh [--libcxx] FILE...   only these files, with the same flags
# PULSARO_RADICE=<tree> checks another copy of the tree; CLANGXX names the compiler (clang++,
# clang++-16 with --libcxx), LIBCXX the folder of LLVM's C++ headers, CONTROLLA_EXTRA more options,
# CONTROLLA_LANCIATORE a compiler launcher (ccache) for --oggetti.
set -euo pipefail

qui=$(cd "$(dirname "$0")/.." && pwd)
radice=$(cd "${PULSARO_RADICE:-$qui}" && pwd)
dichiarazioni=$qui/tests/macos/include

solo_build=0 libcxx=0 oggetti=""
case ${1:-} in
    --solo-build)
        solo_build=1
        shift
        if [ $# -gt 0 ]; then
            echo "controlla_macos: --solo-build checks the whole tree and takes no file" >&2
            exit 2
        fi
        ;;
    --libcxx)
        libcxx=1
        shift
        ;;
    --oggetti)
        oggetti=${2:?"controlla_macos: --oggetti needs a folder"}
        mkdir -p "$oggetti"
        shift 2
        ;;
esac

if [ $libcxx -eq 1 ]; then
    clang=${CLANGXX:-clang++-16}
    libcxx_include=${LIBCXX:-/usr/lib/llvm-16/include/c++/v1}
    if [ ! -f "$libcxx_include/__config" ]; then
        echo "controlla_macos: no LLVM C++ headers in $libcxx_include (scripts/dipendenze.sh test" \
            "installs libc++-16-dev)" >&2
        exit 2
    fi
else
    clang=${CLANGXX:-clang++}
fi

if ! command -v "$clang" >/dev/null; then
    echo "controlla_macos: $clang is missing (scripts/dipendenze.sh test installs clang)" >&2
    exit 2
fi

# What the Mac's compiler defines by itself and Linux's does not; -fPIC because Qt asks for it.
comuni=(-std=c++20 -Wall -Wextra -Wpedantic -Werror
        -D__APPLE__=1 -D__MACH__=1 -fblocks -fPIC)
[ $libcxx -eq 1 ] && comuni+=(-nostdinc++ -isystem "$libcxx_include")
comuni+=(-isystem "$dichiarazioni" -I "$radice/src")
# More options for the link closure's objects (scripts/controlla_chiusura.sh): the tests' folder, -w.
read -r -a extra <<<"${CONTROLLA_EXTRA:-}"
comuni+=("${extra[@]}")
lanciatore=()
[ -n "${CONTROLLA_LANCIATORE:-}" ] && lanciatore=("$CONTROLLA_LANCIATORE")
# Qt's headers, as system headers (as CMake passes them), for the files that use Qt.
if command -v pkg-config >/dev/null && pkg-config --exists Qt6Widgets Qt6Network Qt6HttpServer; then
    for opzione in $(pkg-config --cflags Qt6Widgets Qt6Network Qt6HttpServer); do
        case $opzione in
            -I*) comuni+=(-isystem "${opzione#-I}") ;;
            *) comuni+=("$opzione") ;;
        esac
    done
fi
# ARC on, as CMake compiles .mm files on Apple (cmake/Pulsaro.cmake). Not with LLVM's library:
# clang 16 on Linux refuses that library's own <type_traits> under ARC (`__is_scalar`), so there
# the .mm files are read without it; the run with GNU's library keeps checking ARC.
objcxx=(-fobjc-runtime=macosx-13.0 -fobjc-exceptions)
[ $libcxx -eq 0 ] && objcxx+=(-fobjc-arc)

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
    if [ -n "$oggetti" ]; then
        case $file in
            *.h) return 0 ;;
        esac
        "${lanciatore[@]}" "$clang" "${lingua[@]}" "${comuni[@]}" -c -o "$oggetti/$(basename "$file").o" "$file"
    else
        "$clang" "${lingua[@]}" "${comuni[@]}" -fsyntax-only "$file"
    fi
}

# The sources of the Apple build as CMake lists them (and what its link lines name).
listaApple() {
    local provvisoria uscita
    provvisoria=$(mktemp -d)
    if ! uscita=$(cmake -DRADICE="$radice" -DPROVVISORIA="$provvisoria" \
        -P "$qui/tests/macos/sorgenti_apple.cmake" 2>&1); then
        rm -rf "$provvisoria"
        echo "controlla_macos: CMake could not list the Apple build's sources:" >&2
        echo "$uscita" >&2
        return 1
    fi
    rm -rf "$provvisoria"
    echo "$uscita"
}

# Every file under a macos/ folder of src/ must be a header or a source the Apple build compiles;
# Objective-C++ anywhere else would be built on the Mac and never checked here.
controllaBuildApple() {
    local uscita sorgenti errori=0 file
    uscita=$(listaApple) || return 1
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

if [ $# -gt 0 ]; then
    file_macos=("$@")
elif [ $libcxx -eq 1 ]; then
    # Every source the Apple build compiles (moved files included: CMake's globs find them),
    # and the macOS headers.
    elenco=$(listaApple) || exit 1
    mapfile -t file_macos < <({
        sed -n 's/^SORGENTE //p' <<<"$elenco"
        find "$radice/src" -path '*/macos/*' -name '*.h'
    } | sort -u)
    if [ ${#file_macos[@]} -lt 10 ]; then
        echo "controlla_macos: CMake listed only ${#file_macos[@]} sources for the Apple build" >&2
        exit 1
    fi
else
    mapfile -t file_macos < <(find "$radice/src" -type d -name macos -prune -exec find {} -type f \; | sort)
    if [ ${#file_macos[@]} -eq 0 ]; then
        echo "controlla_macos: no file under a macos/ folder of $radice/src" >&2
        exit 1
    fi
fi

errori=0
if [ $# -eq 0 ] && [ $libcxx -eq 0 ]; then
    controllaBuildApple || errori=1
fi
[ $solo_build -eq 1 ] && file_macos=()

# One compiler per core; each file's messages are printed together, in the list's order.
esiti=$(mktemp -d)
trap 'rm -rf "$esiti"' EXIT
paralleli=$(nproc 2>/dev/null || echo 2)
i=0
for file in "${file_macos[@]}"; do
    i=$((i + 1))
    case $file in
        *.cpp | *.mm | *.h) ;;
        *) continue ;; # already reported above
    esac
    while [ "$(jobs -rp | wc -l)" -ge "$paralleli" ]; do wait -n || true; done
    (
        if controlla "$file" >"$esiti/$i.txt" 2>&1; then
            echo "ok      ${file#"$radice"/}" >>"$esiti/$i.txt"
        else
            echo "ERRORE  ${file#"$radice"/}" >>"$esiti/$i.txt"
        fi
    ) &
done
wait
i=0
for file in "${file_macos[@]}"; do
    i=$((i + 1))
    [ -f "$esiti/$i.txt" ] || continue
    cat "$esiti/$i.txt"
    grep -q '^ERRORE  ' "$esiti/$i.txt" && errori=1
done
if [ $errori -ne 0 ]; then
    if [ $libcxx -eq 1 ]; then
        echo "controlla_macos: the Apple build's sources do not pass with LLVM's C++ library" >&2
    else
        echo "controlla_macos: the macOS code does not pass" >&2
    fi
fi
exit $errori
