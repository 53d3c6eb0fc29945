#!/usr/bin/env python3
"""Plants the faults of scripts/guasti.tsv one at a time and reports which tests catch each.

Works only in a scratch copy of the tree (default build-guasti/albero, its build directory
build-guasti/albero/build, configured once as the main build with ccache): the real tree is
only read. For each fault: the original text (found exactly once in its file) is replaced,
the test executables are rebuilt (ninja rebuilds only what the change reaches), the ones that
were relinked run (the end-to-end tests and the fuzz targets never do), the line is restored
and rebuilt. A test executable's cases that fail without any fault (its first run, on the
restored build) do not count as catching.

Outcomes: "preso" (some case failed), "non preso", "nessun test" (nothing relinked),
"non compila", "non applicabile" (the original text is not there exactly once).
The report (Markdown, and a TSV of outcomes for comparing two runs) ends with the faults that
only one test case catches and the score, caught / applicable (faults that build).

  guasti.py --prova                 looks up every line of the catalogue, builds nothing
  guasti.py                         the whole catalogue (slow: hours)
  guasti.py --id shell-01,barra-03  some faults (ids, or shell patterns such as 'barra-*')
  guasti.py --cartella src/widgets  the faults in a folder
Slow by nature: not part of .ci/run. Ctrl-C stops after restoring the line.
"""

import argparse
import fnmatch
import json
import os
import re
import shutil
import signal
import subprocess
import sys
import time
from datetime import datetime, timezone
from pathlib import Path

RADICE = Path(__file__).resolve().parent.parent
ESITI = ("preso", "non preso", "nessun test", "non compila", "non applicabile")


class Interrotto(Exception):
    pass


def interrompi(_segnale, _quadro):
    raise Interrotto()


# --- catalogue ----------------------------------------------------------------------------------


def leggi_catalogo(percorso):
    guasti = []
    for n, riga in enumerate(percorso.read_text(encoding="utf-8").splitlines(), 1):
        if not riga.strip() or riga.startswith("#"):
            continue
        campi = riga.split("\t")
        if campi[0] == "id":
            continue
        if len(campi) < 5 or not campi[2]:
            sys.exit(f"{percorso}:{n}: servono id, file, originale, sostituto, descrizione")
        guasti.append({"id": campi[0], "file": campi[1], "originale": campi[2], "sostituto": campi[3],
                       "descrizione": campi[4], "fonte": campi[5] if len(campi) > 5 else ""})
    doppi = {g["id"] for g in guasti if sum(h["id"] == g["id"] for h in guasti) > 1}
    if doppi:
        sys.exit(f"{percorso}: id ripetuti: {', '.join(sorted(doppi))}")
    return guasti


def scegli(guasti, ids, cartelle):
    if ids:
        modelli = [i.strip() for i in ids.split(",") if i.strip()]
        guasti = [g for g in guasti if any(fnmatch.fnmatchcase(g["id"], m) for m in modelli)]
    if cartelle:
        prefissi = [c.strip().rstrip("/") + "/" for c in cartelle.split(",") if c.strip()]
        guasti = [g for g in guasti if any(g["file"].startswith(p) for p in prefissi)]
    return guasti


def applicabile(albero, g):
    """None when the fault can be planted, else why not."""
    if g["originale"] == g["sostituto"]:
        return "sostituto uguale all'originale"
    if "/macos/" in g["file"]:
        return "codice solo per macOS"
    f = albero / g["file"]
    if not f.is_file():
        return "file assente"
    volte = f.read_text(encoding="utf-8").count(g["originale"])
    return None if volte == 1 else f"trovato {volte} volte"


def prova(guasti):
    mancanti = 0
    for g in guasti:
        perche = applicabile(RADICE, g)
        if perche:
            mancanti += 1
            print(f"{g['id']}\t{g['file']}\tnon applicabile: {perche}")
    strati = sorted({g["file"].split("/")[1] for g in guasti})
    print(f"{len(guasti)} guasti ({len(guasti) - mancanti} applicabili, {mancanti} non applicabili) in "
          f"{len(strati)} cartelle di src: {', '.join(strati)}")
    return 1 if mancanti else 0


# --- scratch copy and build ---------------------------------------------------------------------


class Cantiere:
    def __init__(self, cartella, lavori, tempo, cmake=()):
        self.cmake = list(cmake)
        self.cartella = cartella.resolve()
        self.albero = self.cartella / "albero"
        self.build = self.albero / "build"
        self.lavori = lavori
        self.tempo = tempo
        self.figlio = None
        if self.albero == RADICE:
            sys.exit("la copia non può essere l'albero stesso")

    def esegui(self, comando, tempo=None, **kw):
        """Runs a command, killing it (and its group) when interrupted or out of time."""
        self.figlio = subprocess.Popen(comando, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True,
                                       errors="replace", start_new_session=True, **kw)
        try:
            uscita, _ = self.figlio.communicate(timeout=tempo)
            return self.figlio.returncode, uscita
        except subprocess.TimeoutExpired:
            os.killpg(self.figlio.pid, signal.SIGKILL)
            uscita, _ = self.figlio.communicate()
            return None, uscita
        except BaseException:
            os.killpg(self.figlio.pid, signal.SIGKILL)
            self.figlio.wait()
            raise
        finally:
            self.figlio = None

    def sincronizza(self):
        """Makes the copy's files those of the real tree (tracked and new, not ignored), by content.

        A file that differs (a run killed with a fault planted, or a change in the real tree) is
        written with a new time, so that ninja rebuilds what it reaches; the others keep theirs."""
        elenco = subprocess.run(["git", "-C", str(RADICE), "ls-files", "-z", "--cached", "--others",
                                 "--exclude-standard"], capture_output=True, check=True).stdout
        voluti = {Path(os.fsdecode(n)) for n in elenco.split(b"\0") if n}
        for relativo in sorted(voluti):
            sorgente, copia = RADICE / relativo, self.albero / relativo
            if not sorgente.exists() and not sorgente.is_symlink():
                continue  # deleted but not yet committed
            if sorgente.is_symlink():
                if not copia.is_symlink() or os.readlink(copia) != os.readlink(sorgente):
                    copia.parent.mkdir(parents=True, exist_ok=True)
                    copia.unlink(missing_ok=True)
                    os.symlink(os.readlink(sorgente), copia)
                continue
            dati = sorgente.read_bytes()
            if copia.is_symlink() or not copia.is_file() or copia.read_bytes() != dati:
                copia.parent.mkdir(parents=True, exist_ok=True)
                copia.unlink(missing_ok=True)
                copia.write_bytes(dati)
            shutil.copymode(sorgente, copia)
        # What the real tree no longer has goes, except the build.
        for cartella, sottocartelle, file in os.walk(self.albero, topdown=True):
            qui = Path(cartella)
            if qui == self.albero:
                sottocartelle[:] = [d for d in sottocartelle if d != "build"]
            for f in file:
                if (qui / f).relative_to(self.albero) not in voluti:
                    (qui / f).unlink()

    def configura(self):
        if (self.build / "build.ninja").exists():
            return
        comando = ["cmake", "-S", str(self.albero), "-B", str(self.build), "-G", "Ninja",
                   "-DCMAKE_BUILD_TYPE=RelWithDebInfo", "-DPULSARO_WERROR=ON", *self.cmake]
        if shutil.which("ccache"):
            comando.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
        rc, uscita = self.esegui(comando)
        if rc != 0:
            sys.exit(f"cmake non riuscito:\n{uscita}")

    def eseguibili(self):
        rc, uscita = self.esegui(["ninja", "-C", str(self.build), "-t", "targets", "all"])
        # The unit-test executables: fuzz targets, benchmarks and the end-to-end tests are not run.
        nomi = sorted(set(re.findall(r"^(test_\w+): CXX_EXECUTABLE_LINKER", uscita or "", re.M)))
        if rc != 0 or not nomi:
            sys.exit(f"nessun eseguibile di test nel build:\n{uscita}")
        return nomi

    def costruisci(self, bersagli):
        return self.esegui(["ninja", "-C", str(self.build), f"-j{self.lavori}", *bersagli])

    def gruppi(self, eseguibili):
        """For each test executable, its runs as ctest defines them: (environment, cases, prefix)."""
        rc, uscita = self.esegui(["ctest", "--test-dir", str(self.build), "--show-only=json-v1"])
        if rc != 0:
            sys.exit(f"ctest non riuscito:\n{uscita}")
        percorsi = {str(self.build / e): e for e in eseguibili}
        gruppi = {}
        for t in json.loads(uscita).get("tests", []):
            comando = t.get("command") or []
            if not comando or comando[0] not in percorsi:
                continue
            filtro = next((a.split("=", 1)[1] for a in comando if a.startswith("--gtest_filter=")), None)
            if not filtro:
                continue
            ambiente = []
            for p in t.get("properties", []):
                if p.get("name") == "ENVIRONMENT":
                    ambiente = p.get("value") or []
            prefisso = t["name"][: len(t["name"]) - len(filtro)] if t["name"].endswith(filtro) else ""
            chiave = (percorsi[comando[0]], tuple(ambiente), prefisso)
            gruppi.setdefault(chiave, []).append(filtro)
        per_eseguibile = {}
        for (e, ambiente, prefisso), casi in gruppi.items():
            per_eseguibile.setdefault(e, []).append((ambiente, casi, prefisso))
        return per_eseguibile

    def tempi(self, eseguibili):
        return {e: (self.build / e).stat().st_mtime_ns if (self.build / e).exists() else 0 for e in eseguibili}

    def lancia(self, eseguibile, gruppi, primo=False):
        """The cases of one executable that fail: their names, with how a crash or a timeout ended."""
        falliti = set()
        for ambiente, casi, prefisso in gruppi:
            env = dict(os.environ)
            env.update(a.split("=", 1) for a in ambiente if "=" in a)
            comando = [str(self.build / eseguibile), "--gtest_color=no", "--gtest_filter=" + ":".join(casi)]
            if primo:  # only whether some case fails
                comando.append("--gtest_fail_fast")
            rc, uscita = self.esegui(comando, tempo=self.tempo, env=env, cwd=self.build)
            falliti |= {prefisso + n for n in leggi_esito(rc, uscita, eseguibile)}
        return falliti


def proprio(eseguibile, file):
    """Whether a test executable is the one of the source file's own layer."""
    parti = Path(file).parts[1:-1]  # src/platform/qt/x.cpp -> platform, qt
    nomi = {"test_" + "_".join(parti), "test_" + parti[0]} if parti else set()
    return eseguibile in nomi


def leggi_esito(rc, uscita, eseguibile):
    falliti, in_corso = set(), None
    for riga in (uscita or "").splitlines():
        if m := re.match(r"\[ RUN      \] (\S+)", riga):
            in_corso = m.group(1)
        elif m := re.match(r"\[( +OK |  FAILED  |  SKIPPED ) *\] (\S+\.\S+)", riga):
            if m.group(1).strip() == "FAILED":
                falliti.add(m.group(2))
            in_corso = None
    if rc == 0:
        return falliti
    # Ended in the middle of a case (a crash, or out of time): that case caught it.
    if in_corso:
        falliti.add(in_corso + (" (tempo scaduto)" if rc is None else " (interrotto dal sistema)"))
    elif not falliti:
        falliti.add(eseguibile + (" (tempo scaduto)" if rc is None else f" (uscita {rc})"))
    return falliti


# --- report -------------------------------------------------------------------------------------


def scrivi_rapporto(percorso, risultati, casi_noti, base, inizio, commit, interrotto, preparazione=0.0):
    applicabili = [r for r in risultati if r["esito"] in ("preso", "non preso", "nessun test")]
    presi = [r for r in applicabili if r["esito"] == "preso"]
    durate = [r["secondi"] for r in risultati if r["esito"] not in ("non applicabile",)]
    righe = [f"# Guasti piantati: {len(presi)} presi su {len(applicabili)} applicabili"
             + (f" ({100 * len(presi) / len(applicabili):.0f} %)" if applicabili else ""), "",
             f"Albero {commit}, {datetime.fromtimestamp(inizio, timezone.utc):%Y-%m-%d %H:%M} UTC, "
             f"{len(risultati)} guasti in {(time.time() - inizio) / 60:.1f} min"
             + (f", di cui {preparazione / 60:.1f} per copia e costruzione iniziali" if preparazione else "")
             + (f" ({sum(durate) / len(durate):.0f} s a guasto)" if durate else "")
             + (" — INTERROTTO" if interrotto else "") + ".", ""]
    conta = {e: sum(r["esito"] == e for r in risultati) for e in ESITI}
    righe += ["| esito | guasti |", "|---|---:|"] + [f"| {e} | {n} |" for e, n in conta.items() if n] + [""]

    righe += ["## Guasti", "", "| id | file | esito | casi che falliscono | guasto |", "|---|---|---|---|---|"]
    for r in risultati:
        casi = ", ".join(sorted(r["casi"])) if r["casi"] else r.get("nota", "")
        fonte = " (taglio)" if r["fonte"] == "taglio" else ""
        righe.append(f"| {r['id']} | {r['file']} | {r['esito']} | {casi} | {r['descrizione']}{fonte} |")

    soli = {}
    for r in presi:
        if len(r["casi"]) == 1:
            soli.setdefault(next(iter(r["casi"])), []).append(r["id"])
    righe += ["", "## Guasti che un solo caso prende", "", "| caso | guasti |", "|---|---|"]
    righe += [f"| {c} | {', '.join(ids)} |" for c, ids in sorted(soli.items())]

    presi_da = set().union(*[r["casi"] for r in presi]) if presi else set()
    nessuno = sorted(c for c in casi_noti if c not in presi_da)
    righe += ["", f"## Casi che non hanno preso nessuno di questi guasti ({len(nessuno)})", "",
              "Solo fra gli eseguibili ricostruiti da qualche guasto di questa corsa.", ""]
    righe += [", ".join(nessuno) if nessuno else "—"]
    if any(base.values()):
        righe += ["", "## Casi che falliscono già senza guasti (non contati)", ""]
        righe += [f"- {e}: {', '.join(sorted(c))}" for e, c in sorted(base.items()) if c]
    percorso.write_text("\n".join(righe) + "\n", encoding="utf-8")

    # One line per fault, to compare two runs (before and after a cut) with diff or join.
    tsv = percorso.with_suffix(".tsv")
    tsv.write_text("id\tesito\tcasi\n" + "".join(
        f"{r['id']}\t{r['esito']}\t{' '.join(sorted(r['casi']))}\n" for r in risultati), encoding="utf-8")


# --- main ---------------------------------------------------------------------------------------


def main():
    a = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    a.add_argument("--catalogo", type=Path, default=RADICE / "scripts" / "guasti.tsv")
    a.add_argument("--id", help="ids separated by commas (shell patterns allowed)")
    a.add_argument("--cartella", help="source folders separated by commas, e.g. src/widgets")
    a.add_argument("--prova", action="store_true", help="only look each line up in the real tree")
    a.add_argument("--elenco", action="store_true", help="list the chosen faults")
    a.add_argument("--cantiere", type=Path, default=RADICE / "build-guasti", help="scratch folder")
    a.add_argument("--rapporto", type=Path, help="Markdown report (default: CANTIERE/rapporto.md)")
    a.add_argument("--lavori", type=int, default=2, help="ninja jobs (default 2)")
    a.add_argument("--tempo", type=int, default=300, help="seconds a test executable may run (default 300)")
    a.add_argument("--cmake", action="append", default=[],
                   help="extra cmake argument for the copy's first configuration, e.g. "
                        "-DCMAKE_CXX_FLAGS_RELWITHDEBINFO='-O0 -DNDEBUG' for quicker builds; "
                        "compare only runs configured alike")
    a.add_argument("--presto", action="store_true",
                   help="only whether each fault is caught: stop at the first failing case, the "
                        "fault's own layer's tests first (the score is the same, the cases listed fewer)")
    o = a.parse_args()

    guasti = scegli(leggi_catalogo(o.catalogo), o.id, o.cartella)
    # Faults of one file run one after another: restoring a line and planting the next one in the
    # same file then cost one build instead of two.
    ordine = {}
    for g in guasti:
        ordine.setdefault(g["file"], len(ordine))
    guasti.sort(key=lambda g: ordine[g["file"]])
    if not guasti:
        sys.exit("nessun guasto scelto")
    if o.elenco:
        for g in guasti:
            print(f"{g['id']}\t{g['file']}\t{g['descrizione']}")
        return 0
    if o.prova:
        return prova(guasti)

    for programma in ("git", "cmake", "ninja", "ctest"):
        if not shutil.which(programma):
            sys.exit(f"manca {programma}")
    os.environ.setdefault("CCACHE_BASEDIR", str(RADICE.parent))
    os.environ.setdefault("CCACHE_NOHASHDIR", "1")
    signal.signal(signal.SIGINT, interrompi)
    signal.signal(signal.SIGTERM, interrompi)

    c = Cantiere(o.cantiere, o.lavori, o.tempo, o.cmake)
    rapporto = o.rapporto or c.cartella / "rapporto.md"
    rapporto.parent.mkdir(parents=True, exist_ok=True)
    commit = subprocess.run(["git", "-C", str(RADICE), "describe", "--always", "--dirty"], capture_output=True,
                            text=True).stdout.strip() or "?"
    inizio = time.time()
    risultati, base, casi_noti = [], {}, set()
    preparazione = 0.0
    piantato = None  # (file, original text) while a fault is in the copy
    prese = {}  # executable -> faults it caught first (the order of the quick mode)
    interrotto = False
    try:
        print(f"copia in {c.albero}, build in {c.build}", flush=True)
        c.sincronizza()
        c.configura()
        eseguibili = c.eseguibili()
        rc, uscita = c.costruisci(eseguibili)
        if rc != 0:
            sys.exit(f"l'albero senza guasti non si costruisce:\n{uscita[-4000:]}")
        if not all((c.build / e).is_file() for e in eseguibili):
            sys.exit(f"eseguibili di test mancanti dopo la costruzione: {', '.join(eseguibili)}")
        gruppi = c.gruppi(eseguibili)
        if o.presto:
            # Stopping at the first failure needs to know beforehand which cases fail anyway.
            for e in eseguibili:
                base[e] = c.lancia(e, gruppi.get(e, []))
        preparazione = time.time() - inizio
        print(f"pronto in {preparazione:.0f} s: {', '.join(eseguibili)}", flush=True)

        for n, g in enumerate(guasti, 1):
            t0 = time.time()
            r = dict(g, casi=set(), secondi=0.0)
            risultati.append(r)
            perche = applicabile(c.albero, g)
            if perche:
                r.update(esito="non applicabile", nota=perche)
                print(f"[{n}/{len(guasti)}] {g['id']}: non applicabile ({perche})", flush=True)
                continue
            file = c.albero / g["file"]
            testo = file.read_text(encoding="utf-8")
            prima = c.tempi(eseguibili)
            piantato = (file, testo)
            file.write_text(testo.replace(g["originale"], g["sostituto"], 1), encoding="utf-8")
            rc, uscita = c.costruisci(eseguibili)
            dopo = c.tempi(eseguibili)
            ricostruiti = [e for e in eseguibili if dopo[e] != prima[e]]
            if rc != 0:
                errore = re.search(r"error: .*", uscita or "")
                r.update(esito="non compila", nota=errore.group(0)[:120] if errore else "")
            elif not ricostruiti:
                r.update(esito="nessun test")
            else:
                if o.presto:
                    ricostruiti.sort(key=lambda e: (not proprio(e, g["file"]), -prese.get(e, 0)))
                for e in ricostruiti:
                    nuovi = c.lancia(e, gruppi.get(e, []), primo=o.presto)
                    r["casi"] |= nuovi
                    if o.presto and nuovi - base.get(e, set()):
                        prese[e] = prese.get(e, 0) + 1
                        break
            # Restored; rebuilt at once unless the next fault is in the same file (its build then
            # restores this one too), or an executable still needs its clean run.
            file.write_text(testo, encoding="utf-8")
            piantato = None
            seguente = guasti[n] if n < len(guasti) else None
            if (seguente is None or seguente["file"] != g["file"] or applicabile(c.albero, seguente)
                    or any(e not in base for e in ricostruiti)):
                rc, uscita = c.costruisci(eseguibili)
                if rc != 0:
                    sys.exit(f"dopo aver tolto {g['id']} l'albero non si costruisce:\n{uscita[-4000:]}")
            for e in ricostruiti:
                if e not in base:
                    base[e] = c.lancia(e, gruppi.get(e, []))
                casi_noti |= {p + caso for _, casi, p in gruppi.get(e, []) for caso in casi}
                r["casi"] -= base[e]
            if "esito" not in r:
                r["esito"] = "preso" if r["casi"] else "non preso"
            r["secondi"] = time.time() - t0
            print(f"[{n}/{len(guasti)}] {g['id']}: {r['esito']}"
                  + (f" da {len(r['casi'])} casi" if r["casi"] else "")
                  + f" ({r['secondi']:.0f} s; {', '.join(ricostruiti) or 'nessun eseguibile'})", flush=True)
            scrivi_rapporto(rapporto, risultati, casi_noti, base, inizio, commit, False, preparazione)
    except Interrotto:
        interrotto = True
        print("\ninterrotto", file=sys.stderr)
        signal.signal(signal.SIGINT, signal.SIG_IGN)
        signal.signal(signal.SIGTERM, signal.SIG_IGN)
        if risultati and "esito" not in risultati[-1]:
            risultati.pop()
    finally:
        if piantato:
            piantato[0].write_text(piantato[1], encoding="utf-8")
    scrivi_rapporto(rapporto, risultati, casi_noti, base, inizio, commit, interrotto, preparazione)
    print(f"rapporto: {rapporto} (e {rapporto.with_suffix('.tsv')})")
    return 130 if interrotto else 0


if __name__ == "__main__":
    sys.exit(main())
