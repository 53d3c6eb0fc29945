#!/usr/bin/env bash
# One case of the macOS check's own tests: a copy of a real macOS file with one deliberate mistake
# must fail scripts/controlla_macos.sh with the compiler's message for that mistake, while the
# unchanged file passes; a file the Apple build would miss must fail the whole-tree check.
# Usage: prova_controllo.sh CASE
set -euo pipefail

qui=$(cd "$(dirname "$0")/../.." && pwd)
controllo=$qui/scripts/controlla_macos.sh
provvisoria=$(mktemp -d)
trap 'rm -rf "$provvisoria"' EXIT

albero=$provvisoria/albero

fallisci() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs the check; it must fail and print every message of `attesi` (fixed strings).
deveFallire() {
    local uscita messaggio
    uscita=$("$@" 2>&1) && { echo "$uscita"; fallisci "the check passed a file with a deliberate mistake"; }
    echo "$uscita"
    for messaggio in "${attesi[@]}"; do
        grep -qF -- "$messaggio" <<<"$uscita" || fallisci "the check failed without saying: $messaggio"
    done
}

# Copies src/$1 with sed's expression $2: the original passes the check (with the options after
# $2), the copy fails with the expected messages.
rompi() {
    local origine=$qui/src/$1 copia=$provvisoria/${1##*/}
    sed "$2" "$origine" >"$copia"
    cmp -s "$origine" "$copia" && fallisci "the line to break is no longer in $1: update this case"
    "$controllo" "${@:3}" "$origine" >/dev/null 2>&1 || fallisci "$1 does not pass the check unchanged"
    deveFallire "$controllo" "${@:3}" "$copia"
}

# A copy of the tree in $albero, which passes the check "$@" unchanged.
copia_albero() {
    mkdir -p "$albero"
    cp -r "$qui/src" "$qui/cmake" "$qui/CMakeLists.txt" "$albero/"
    PULSARO_RADICE=$albero "$@" >/dev/null 2>&1 || fallisci "the tree's copy does not pass unchanged"
}

caso=${1:-}
# The Linux header the cases plant, spelled so that this script is not itself taken for a file
# that includes from a system's folder.
linux_h=platform/linux''/host_linux.h
case $caso in
    selettore_sbagliato)
        attesi=("no known class method for selector 'runningApplicationWithProcesIdentifier:'"
            "no visible @interface for 'NSBitmapImageRep' declares the selector 'representationUsingTipe:properties:'")
        rompi platform/macos/applicazioni_macos.mm \
            's/runningApplicationWithProcessIdentifier:/runningApplicationWithProcesIdentifier:/; s/representationUsingType:/representationUsingTipe:/'
        ;;
    tipo_sbagliato)
        attesi=("no viable conversion from 'NSRect' (aka 'CGRect') to 'NSRect *'")
        rompi platform/macos/applicazioni_macos.mm \
            's/CGImageForProposedRect:&rettangolo/CGImageForProposedRect:rettangolo/'
        ;;
    argomento_mancante)
        attesi=("requires 3 arguments, but 2 were provided")
        rompi platform/macos/registro_iokit.cpp \
            's/IOServiceGetMatchingServices(kIOMainPortDefault, criteri,/IOServiceGetMatchingServices(criteri,/'
        ;;
    parola_template)
        # `template` is a C++ keyword: the flag is set with [image setTemplate:NO].
        attesi=("error: expected unqualified-id")
        rompi platform/macos/applicazioni_macos.mm \
            's/if (icona == nil) return byte;/if (icona == nil) return byte;\n    icona.template = NO;/'
        ;;
    rilascio_manuale)
        # The Mac build uses ARC: an explicit release does not compile.
        attesi=("ARC forbids explicit message send of 'release'")
        rompi platform/macos/applicazioni_macos.mm 's/if (png != nil \&\& png.length > 0) {/[png release];\n    &/'
        ;;
    forma_linux)
        # glibc names a thread with two arguments, macOS with one.
        attesi=("no matching function for call to 'pthread_setname_np'")
        rompi platform/macos/filo_macos.cpp 's/pthread_setname_np(nome.c_str())/pthread_setname_np(pthread_self(), nome.c_str())/'
        ;;
    file_esclusi)
        # Files the Apple build would not compile.
        copia_albero "$controllo" --solo-build
        mkdir -p "$albero/src/platform/macos/stato"
        cp "$albero/src/platform/macos/applicazioni_macos.mm" "$albero/src/platform/macos/stato/elemento.mm"
        cp "$albero/src/platform/macos/filo_macos.cpp" "$albero/src/sistema/macos/filo.cc"
        cp "$albero/src/platform/macos/applicazioni_macos.mm" "$albero/src/shell/applicazioni.mm"
        attesi=("src/platform/macos/stato/elemento.mm is not part of the Apple build"
            "src/sistema/macos/filo.cc is not a .cpp, .mm or .h file"
            "src/shell/applicazioni.mm: Objective-C++ outside a macos/ folder is not checked")
        deveFallire env PULSARO_RADICE="$albero" "$controllo" --solo-build
        ;;
    libcxx_from_chars)
        # GNU's library reads a double with from_chars, Apple's does not: a shared file using it
        # passes the GNU build and fails the check against LLVM's library.
        attesi=("call to deleted function 'from_chars'")
        rompi platform/numeri.cpp 's|^std::optional<double> decimaleRigoroso(std::string_view testo) {|&\n    double d = 0;\n    std::from_chars(testo.data(), testo.data() + testo.size(), d);|' --libcxx
        ;;
    framework_mancante)
        # The Apple link line lacks a framework the code calls.
        copia_albero "$qui/scripts/controlla_collegamento.sh"
        sed -i 's/ "-framework ServiceManagement"//' "$albero/CMakeLists.txt"
        attesi=("the Apple link line lacks -framework ServiceManagement (needed by elemento_login_macos.mm for OBJC_CLASS_\$_SMAppService)")
        deveFallire env PULSARO_RADICE="$albero" "$qui/scripts/controlla_collegamento.sh"
        ;;
    simbolo_sconosciuto)
        # The macOS code calls something the symbol table does not know.
        copia_albero true
        printf '\nextern "C" void PulsaroNonDichiarata();\nvoid pulsaroChiama() { PulsaroNonDichiarata(); }\n' \
            >>"$albero/src/platform/macos/filo_macos.cpp"
        attesi=("filo_macos.cpp: PulsaroNonDichiarata is in no line of tests/macos/simboli_framework.txt")
        deveFallire env PULSARO_RADICE="$albero" "$qui/scripts/controlla_collegamento.sh"
        ;;
    bench_linux)
        # A small tree built as the top CMakeLists.txt builds (the layer function, bench/<os>/):
        # a benchmark that builds the Linux host links on Linux only, and the closure check says so.
        mkdir -p "$albero"/{cmake,bench,src/platform/linux,src/platform/macos}
        cp "$qui/cmake/Pulsaro.cmake" "$albero/cmake/"
        cat >"$albero/CMakeLists.txt" <<'FINE'
cmake_minimum_required(VERSION 3.25)
project(Prova LANGUAGES CXX)
if(APPLE)
  set(PULSARO_OS macos)
else()
  set(PULSARO_OS linux)
endif()
include(cmake/Pulsaro.cmake)
pulsaro_library(pulsaro_platform src/platform src/platform/${PULSARO_OS})
file(GLOB _bench CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp ${CMAKE_SOURCE_DIR}/bench/${PULSARO_OS}/*.cpp)
add_executable(pulsaro_bench ${_bench})
target_link_libraries(pulsaro_bench PRIVATE pulsaro_platform)
FINE
        cat >"$albero/src/platform/host.h" <<'FINE'
namespace pulsaro {
struct Host {
    virtual int processori() = 0;
};
Host& hostDiSistema();
}  // namespace pulsaro
FINE
        cat >"$albero/src/platform/linux/host_linux.h" <<'FINE'
#include "platform/host.h"
namespace pulsaro {
struct HostLinux : Host {
    int processori() override;
};
}  // namespace pulsaro
FINE
        cat >"$albero/src/platform/linux/host_linux.cpp" <<FINE
#include "$linux_h"
int pulsaro::HostLinux::processori() { return 1; }
pulsaro::Host& pulsaro::hostDiSistema() { static HostLinux h; return h; }
FINE
        cat >"$albero/src/platform/macos/host_macos.cpp" <<'FINE'
#include "platform/host.h"
struct HostMac : pulsaro::Host {
    int processori() override { return 1; }
};
pulsaro::Host& pulsaro::hostDiSistema() { static HostMac h; return h; }
FINE
        printf '#include "platform/host.h"\nint main() { return pulsaro::hostDiSistema().processori(); }\n' \
            >"$albero/bench/campione_bench.cpp"
        PULSARO_RADICE=$albero "$qui/scripts/controlla_chiusura.sh" >/dev/null 2>&1 || fallisci "the small tree does not pass unchanged"
        printf '#include "%s"\nint misura() { return pulsaro::HostLinux().processori(); }\n' "$linux_h" >"$albero/bench/host_bench.cpp"
        attesi=("pulsaro_bench: host_bench.cpp wants vtable for pulsaro::HostLinux" "the Apple build would not link")
        deveFallire env PULSARO_RADICE="$albero" "$qui/scripts/controlla_chiusura.sh"
        ;;
    inclusione_linux)
        # A shared file that includes a Linux header: the house rules refuse it.
        mkdir -p "$albero"
        git -C "$qui" ls-files -z | (cd "$qui" && while IFS= read -r -d '' f; do
            [ -e "$f" ] && printf '%s\0' "$f"
        done | xargs -0 cp --parents -t "$albero")
        git -C "$albero" init -q && git -C "$albero" add -A
        PULSARO_RADICE=$albero bash "$qui/scripts/regole_casa.sh" >/dev/null 2>&1 ||
            fallisci "the tree's copy does not pass unchanged"
        sed -i "s|^#include \"sampling/core.h\"|&\\n#include \"$linux_h\"|" "$albero/src/sampling/core.cpp"
        grep -qF "#include \"$linux_h\"" "$albero/src/sampling/core.cpp" ||
            fallisci "the line to break is no longer in src/sampling/core.cpp: update this case"
        attesi=("src/sampling/core.cpp include da una cartella linux/ senza esserci dentro")
        deveFallire env PULSARO_RADICE="$albero" bash "$qui/scripts/regole_casa.sh"
        ;;
    api_previste)
        # What the status item, the desktop facts and the login item call must be declared.
        "$controllo" "$qui/tests/macos/api_previste.mm" || fallisci "the expected calls do not compile"
        ;;
    *)
        fallisci "unknown case '$caso'"
        ;;
esac
echo "PASS: $caso"
