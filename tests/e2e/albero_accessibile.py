#!/usr/bin/python3
"""Reads Pulsaro through the accessibility bus, as a screen reader does.
  albero FILE.json [NOME]    saves (JSON) and prints the tree of its window so named (main unless named)
  fuoco SECONDI FILE.json    the same for the window of the first focus inside Pulsaro
  confronta ALBERO.json TERMINALE.jsonl   the figures against the terminal's
  giro N                     the longest of N round trips over the bus, in ms"""
import json
import re
import sys
import time

import pyatspi

STATI = ("focused", "selected", "showing")


def nodo(acc, livello):
    try:
        valore = acc.queryValue().currentValue
    except (NotImplementedError, AttributeError):
        valore = None
    stato = acc.getState()
    return {"livello": livello, "ruolo": acc.getRoleName(), "nome": acc.name or "",
            "descrizione": acc.description or "", "valore": valore,
            "stati": [s for s in STATI if stato.contains(getattr(pyatspi, "STATE_" + s.upper()))]}


def visita(acc, livello=0, nodi=None):
    nodi = [] if nodi is None else nodi
    nodi.append(nodo(acc, livello))
    if nodi[-1]["ruolo"] != "combo box":  # its own list of choices is Qt's, not the processes
        for figlio in (acc.getChildAtIndex(i) for i in range(acc.childCount)):
            if figlio is not None:
                visita(figlio, livello + 1, nodi)
    return nodi


def finestre():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and "pulsaro" in (app.name or "").lower():
            return [f for f in (app.getChildAtIndex(i) for i in range(app.childCount)) if f is not None]
    sys.exit("nessuna applicazione Pulsaro sul bus dell'accessibilità")


def salva(nodi, file, prima=None):
    json.dump(nodi, open(file, "w"), ensure_ascii=False, indent=1)
    if prima:
        print(prima)
    for n in nodi:
        valore = "" if n["valore"] is None else " = %g" % n["valore"]
        stati = " [%s]" % ",".join(n["stati"]) if set(n["stati"]) - {"showing"} else ""
        descrizione = " {%s}" % n["descrizione"] if n["ruolo"] == "chart" else ""
        print("%s%s %r%s%s%s" % ("  " * n["livello"], n["ruolo"], n["nome"], valore, stati, descrizione))


def albero(file, nome="Pulsaro"):
    trovate = [f for f in finestre() if f.name == nome]
    if not trovate:
        sys.exit("nessuna finestra %r: %s" % (nome, [f.name for f in finestre()]))
    salva(visita(trovate[0]), file)


def giro(volte):
    peggiore = 0.0
    for _ in range(volte):
        inizio = time.monotonic()
        [f.name for f in finestre()]  # each answer comes from Pulsaro's main thread
        peggiore = max(peggiore, (time.monotonic() - inizio) * 1000)
        time.sleep(0.3)
    print("%.0f" % peggiore)


def fuoco(secondi, file):
    from gi.repository import GLib

    preso = []

    def evento(e):
        try:
            if preso or not e.detail1 or "pulsaro" not in (e.host_application.name or "").lower():
                return
        except Exception:
            return
        radice = e.source
        while radice.parent is not None and radice.parent.getRoleName() != "application":
            radice = radice.parent
        preso.extend([nodo(e.source, 0), visita(radice)])
        pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(evento, "object:state-changed:focused")
    GLib.timeout_add(int(secondi * 1000), lambda: pyatspi.Registry.stop())
    print("in ascolto", flush=True)
    pyatspi.Registry.start()
    if not preso:
        sys.exit("nessun fuoco dentro Pulsaro in %s s" % secondi)
    salva(preso[1], file, "fuoco su %s %r" % (preso[0]["ruolo"], preso[0]["nome"]))


RIGA = re.compile(r"^(?P<nome>.*), CPU (?P<cpu>[-0-9,]+) %, GPU (?P<gpu>[-0-9,]+) %, (?P<mem>[0-9,]+) (?P<unita>MB|GB)(, ANE)?$")


def confronta(file_albero, file_terminale):
    """The dials and rows the bus reads against the terminal's samples of the same moment."""
    nodi = json.load(open(file_albero))
    campioni = [json.loads(r) for r in open(file_terminale) if r.strip()] or sys.exit("nessun campione")
    t = campioni[-1]
    errori = []
    deriva = 30.0  # points of CPU a busy, shared machine moves between two samples
    misure = {n["nome"]: n["valore"] for n in nodi if n["ruolo"] == "progress bar" and n["valore"] is not None}
    for risorsa in ("CPU", "GPU"):
        letti = [c[risorsa.lower()] for c in campioni]
        if min(abs(misure.get(risorsa, 1e9) - min(v, 100)) for v in letti) > deriva:
            errori.append("quadrante %s: %s, il terminale %s" % (risorsa, misure.get(risorsa), letti))
    chip = [n["valore"] for n in nodi if n["nome"] == "Neural Engine" and n["valore"] is not None]
    if not chip or (chip[0] != (1 if t["ane"] >= 1 else 0) and abs(t["ane"] - 1) > 0.5):
        errori.append("chip del Neural Engine a %s, il terminale %g" % (chip, t["ane"]))

    voci = [n for n in nodi if n["ruolo"] == "list item"]
    if not voci or len(voci) != len(t["processi"]):
        errori.append("%d voci, il terminale elenca %d processi" % (len(voci), len(t["processi"])))
    per_pid = {p["id"]: p for c in campioni for p in c["processi"]}  # any of the three moments
    trovate = 0
    for n in voci:
        r, pid = RIGA.match(n["nome"]), re.match(r"pid (\d+)", n["descrizione"])
        if not r or not pid:
            errori.append("una voce non dice le sue cifre o il suo pid: %r, %r" % (n["nome"], n["descrizione"]))
            continue
        vicino = per_pid.get(int(pid[1]))
        if vicino is None:
            continue  # left the heaviest between the two samples
        trovate += 1
        mb = float(r["mem"].replace(",", ".")) * (1024 if r["unita"] == "GB" else 1)
        cpu = float(r["cpu"].replace(",", "."))
        if " ".join(vicino["nome"].split()) != " ".join(r["nome"].split()):
            errori.append("pid %s: %s, il terminale %s" % (pid[1], r["nome"], vicino["nome"]))
        # A compiler grows by tens of megabytes a second: half again is a sample's drift.
        if abs(vicino["memoria"] / 1048576 - mb) > max(16, 0.5 * vicino["memoria"] / 1048576):
            errori.append("%s: %g MB, il terminale %g MB" % (r["nome"], mb, vicino["memoria"] / 1048576))
        if abs(vicino["cpu"] - cpu) > deriva:
            errori.append("%s: CPU %g, il terminale %g" % (r["nome"], cpu, vicino["cpu"]))
    if trovate * 2 < len(voci):
        errori.append("solo %d voci su %d tra i processi del terminale" % (trovate, len(voci)))
    for e in errori:
        print("DIVERSO:", e)
    print("%d quadranti, %d voci (%d ritrovate nel terminale)" % (len(misure), len(voci), trovate))
    sys.exit(1 if errori else 0)


if __name__ == "__main__":
    comandi = {"albero": albero, "confronta": confronta, "fuoco": lambda s, f: fuoco(float(s), f),
               "giro": lambda n: giro(int(n))}
    if len(sys.argv) < 2 or sys.argv[1] not in comandi:
        sys.exit(__doc__)
    comandi[sys.argv[1]](*sys.argv[2:])
