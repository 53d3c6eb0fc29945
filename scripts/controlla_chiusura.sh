#!/usr/bin/env bash
# The Apple build links, read on Linux: for every executable the Apple configuration builds
# (the application, tests, benchmarks, tools, fuzz runners), every project symbol (pulsaro::…)
# its objects leave undefined is defined by an object of its Apple link set.
#
# How, and why this way: CMake itself says what the Apple build is. tests/macos/bersagli_apple.cmake
# runs the whole top CMakeLists.txt in script mode with APPLE set, its commands stood in for by
# functions that report each target's sources, links and whether moc runs on it; so a glob, an
# if(APPLE) or a new executable counts exactly as on the Mac. Every source of that build is then
# compiled to an object here, as scripts/controlla_macos.sh --oggetti compiles the macOS files
# (__APPLE__ defined, the SDK declarations of tests/macos/include, Objective-C++ with ARC, the
# project's warnings as errors), and
# moc runs on the headers CMake's automoc would pick (same name as a source, Q_OBJECT inside).
# Then, per executable, what a static link does: start from its own objects, pull each library
# object (its link libraries, followed transitively) that defines a symbol still wanted, and so on;
# a pulsaro:: symbol nobody defines fails. The objects are ELF, not Mach-O: the names are the same
# C++ names, and only our own names are judged (the system's and Qt's are the link line check's,
# scripts/controlla_collegamento.sh).
#
# Usage: controlla_chiusura.sh
# PULSARO_RADICE=<tree> checks another copy of the tree; ccache is used when present.
set -euo pipefail

qui=$(cd "$(dirname "$0")/.." && pwd)
radice=$(cd "${PULSARO_RADICE:-$qui}" && pwd)
provvisoria=$(mktemp -d)
trap 'rm -rf "$provvisoria"' EXIT

for programma in nm c++filt python3 pkg-config; do
    command -v "$programma" >/dev/null || {
        echo "controlla_chiusura: $programma is missing (scripts/dipendenze.sh test)" >&2
        exit 2
    }
done
moc=$(pkg-config --variable=libexecdir Qt6Core)/moc
[ -x "$moc" ] || { echo "controlla_chiusura: no moc in $moc (qt6-base-dev-tools)" >&2; exit 2; }

modello=$provvisoria/modello.txt
cmake -DRADICE="$radice" -DPROVVISORIA="$provvisoria/cmake" -P "$qui/tests/macos/bersagli_apple.cmake" \
    >"$modello" 2>&1 || {
    cat "$modello" >&2
    echo "controlla_chiusura: CMake could not list the Apple build's targets" >&2
    exit 1
}
assoluto() { case $1 in /*) echo "$1" ;; *) echo "$radice/$1" ;; esac; }

# moc's output for the automoc targets, one folder per target (two targets may moc one header).
mkdir -p "$provvisoria/moc"
while read -r _ _ bersaglio automoc; do
    [ "$automoc" = ON ] || continue
    while read -r _ _ sorgente; do
        intestazione=$(assoluto "${sorgente%.*}.h")
        if [ ! -f "$intestazione" ] || ! grep -qE '\bQ_(OBJECT|GADGET|NAMESPACE)\b' "$intestazione"; then
            continue
        fi
        mkdir -p "$provvisoria/moc/$bersaglio"
        uscita=$provvisoria/moc/$bersaglio/moc_$(basename "${intestazione%.h}").cpp
        "$moc" -D__APPLE__=1 -D__MACH__=1 -I "$radice/src" "$intestazione" -o "$uscita"
        echo "SORGENTE $bersaglio $uscita"
    done < <(grep "^SORGENTE $bersaglio " "$modello")
done < <(grep '^BERSAGLIO ' "$modello") >"$provvisoria/moc.txt"
cat "$provvisoria/moc.txt" >>"$modello"

# Each source compiled once, the files of one folder in one call (their names are unique there).
mkdir -p "$provvisoria/o"
compila=(env PULSARO_RADICE="$radice")
command -v ccache >/dev/null && compila+=(CONTROLLA_LANCIATORE=ccache)
# Clang 16 as Xcode 15's is: it captures structured bindings in lambdas, which clang 14 refuses.
command -v clang++-16 >/dev/null && compila+=(CLANGXX=clang++-16)
errori=0
while read -r cartella; do
    destinazione=$provvisoria/o/$(tr / + <<<"$cartella")
    mapfile -t file < <(sed -n 's/^SORGENTE [^ ]* //p' "$modello" | while read -r s; do assoluto "$s"; done |
        sort -u | awk -v c="$cartella" '{ d = $0; sub("/[^/]*$", "", d); if (d == c) print }')
    # The project's warnings are errors, as scripts/test.sh builds in CI; not in moc's output.
    extra="-I $radice/tests"
    [[ $cartella == "$provvisoria"/moc/* ]] && extra+=" -w"
    if ! "${compila[@]}" CONTROLLA_EXTRA="$extra" bash "$qui/scripts/controlla_macos.sh" --oggetti "$destinazione" "${file[@]}" \
        >"$provvisoria/compila.txt" 2>&1; then
        grep -v '^ok ' "$provvisoria/compila.txt" >&2
        errori=1
    fi
done < <(sed -n 's/^SORGENTE [^ ]* //p' "$modello" | while read -r s; do dirname "$(assoluto "$s")"; done | sort -u)
if [ $errori -ne 0 ]; then
    echo "controlla_chiusura: the Apple build's sources do not compile" >&2
    exit 1
fi

python3 - "$modello" "$provvisoria/o" "$radice" <<'EOF'
import os, subprocess, sys
modello, oggetti, radice = sys.argv[1:]

tipi, sorgenti, collega = {}, {}, {}
for riga in open(modello):
    parti = riga.split()
    if not parti:
        continue
    if parti[0] == "BERSAGLIO":
        tipi[parti[2]] = parti[1]
    elif parti[0] == "SORGENTE":
        s = parti[2] if os.path.isabs(parti[2]) else os.path.join(radice, parti[2])
        sorgenti.setdefault(parti[1], []).append(s)
    elif parti[0] == "COLLEGA":
        collega.setdefault(parti[1], []).append(parti[2])

def oggetto(s):
    return os.path.join(oggetti, os.path.dirname(s).replace("/", "+"), os.path.basename(s) + ".o")

def simboli(percorso, opzione):
    uscita = subprocess.run(["nm", opzione, percorso], capture_output=True, text=True, check=True).stdout
    return {r.split()[-1] for r in uscita.splitlines() if len(r.split()) >= 2}

definiti, voluti = {}, {}
for elenco in sorgenti.values():
    for s in elenco:
        o = oggetto(s)
        if o not in definiti:
            definiti[o] = simboli(o, "--defined-only")
            voluti[o] = simboli(o, "--undefined-only")

nomi = sorted({n for v in voluti.values() for n in v})
chiaro = dict(zip(nomi, subprocess.run(["c++filt"], input="\n".join(nomi), capture_output=True, text=True,
                                       check=True).stdout.splitlines()))
def nostro(n):
    return "pulsaro::" in chiaro.get(n, "")

def librerie(bersaglio):
    viste, da_fare = [], list(collega.get(bersaglio, []))
    while da_fare:
        l = da_fare.pop(0)
        if tipi.get(l) == "libreria" and l not in viste:
            viste.append(l)
            da_fare += collega.get(l, [])
    return viste

errori = 0
for bersaglio in sorted(b for b, t in tipi.items() if t == "eseguibile"):
    presi = [oggetto(s) for s in sorgenti.get(bersaglio, [])]
    disponibili = [oggetto(s) for l in librerie(bersaglio) for s in sorgenti.get(l, [])]
    while True:
        dati = set().union(*(definiti[o] for o in presi))
        mancano = {n for o in presi for n in voluti[o] if nostro(n)} - dati
        nuovi = [o for o in disponibili if o not in presi and definiti[o] & mancano]
        if not nuovi:
            break
        presi += nuovi
    for n in sorted(mancano):
        chi = next(os.path.basename(o)[:-2] for o in presi if n in voluti[o])
        print(f"controlla_chiusura: {bersaglio}: {chi} wants {chiaro[n]}, which nothing of its Apple link set defines",
              file=sys.stderr)
        errori = 1
    if not mancano:
        print(f"ok      {bersaglio} ({len(presi)} objects)")
if not any(t == "eseguibile" for t in tipi.values()):
    print("controlla_chiusura: CMake listed no executable for the Apple build", file=sys.stderr)
    errori = 1
if errori:
    print("controlla_chiusura: the Apple build would not link", file=sys.stderr)
sys.exit(errori)
EOF
