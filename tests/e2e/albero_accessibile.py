#!/usr/bin/python3
"""Reads Pulsaro through the accessibility bus, as a screen reader does.

  albero_accessibile.py albero FILE.json [NOME]  the tree of the window so named among the
                                                 application's children (the main window unless
                                                 named), saved as JSON (and printed)
  albero_accessibile.py fuoco SECONDI FILE.json  waits for the first focus inside Pulsaro and saves
                                                 the tree of the window it happened in
  albero_accessibile.py confronta ALBERO.json TERMINALE.jsonl   the figures against the terminal's
  albero_accessibile.py giro N                   N round trips to the main window over the bus; prints
                                                 the longest in milliseconds
"""
import json
import re
import sys

STATI = ("focused", "selected", "showing")


def nodo(acc, livello):
    import pyatspi

    stato = acc.getState()
    valore = None
    try:
        valore = acc.queryValue().currentValue
    except (NotImplementedError, AttributeError):
        pass
    return {
        "livello": livello,
        "ruolo": acc.getRoleName(),
        "nome": acc.name or "",
        "descrizione": acc.description or "",
        "valore": valore,
        "stati": [s for s in STATI if stato.contains(getattr(pyatspi, "STATE_" + s.upper()))],
    }


def visita(acc, livello=0, nodi=None):
    nodi = [] if nodi is None else nodi
    nodi.append(nodo(acc, livello))
    if nodi[-1]["ruolo"] == "combo box":
        return nodi  # its own list of choices is Qt's, not the processes
    for i in range(acc.childCount):
        figlio = acc.getChildAtIndex(i)
        if figlio is not None:
            visita(figlio, livello + 1, nodi)
    return nodi


def applicazione():
    import pyatspi

    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and "pulsaro" in (app.name or "").lower():
            return app
    return None


def stampa(nodi, uscita=sys.stdout):
    for n in nodi:
        valore = "" if n["valore"] is None else " = %g" % n["valore"]
        stati = " [%s]" % ",".join(n["stati"]) if set(n["stati"]) - {"showing"} else ""
        print("%s%s %r%s%s" % ("  " * n["livello"], n["ruolo"], n["nome"], valore, stati), file=uscita)


def albero(file, nome="Pulsaro"):
    app = applicazione()
    if app is None:
        sys.exit("nessuna applicazione Pulsaro sul bus dell'accessibilità")
    finestre = [app.getChildAtIndex(i) for i in range(app.childCount)]
    principale = [f for f in finestre if f is not None and f.name == nome]
    if not principale:
        sys.exit("nessuna finestra %r: %s" % (nome, [f.name for f in finestre if f is not None]))
    nodi = visita(principale[0])
    json.dump(nodi, open(file, "w"), ensure_ascii=False, indent=1)
    stampa(nodi)


def giro(volte):
    import time

    app = applicazione()
    if app is None:
        sys.exit("nessuna applicazione Pulsaro sul bus dell'accessibilità")
    peggiore = 0.0
    for _ in range(volte):
        inizio = time.monotonic()
        # Each question is answered by Pulsaro's main thread: a thread that waits answers late.
        finestre = [app.getChildAtIndex(i) for i in range(app.childCount)]
        [f.name for f in finestre if f is not None]
        peggiore = max(peggiore, (time.monotonic() - inizio) * 1000)
        time.sleep(0.3)
    print("%.0f" % peggiore)


def fuoco(secondi, file):
    import pyatspi
    from gi.repository import GLib

    preso = {}

    def evento(e):
        if preso or not e.detail1:
            return
        try:
            if "pulsaro" not in (e.host_application.name or "").lower():
                return
        except Exception:
            return
        radice = e.source
        while radice.parent is not None and radice.parent.getRoleName() != "application":
            radice = radice.parent
        preso["fuoco"] = nodo(e.source, 0)
        preso["albero"] = visita(radice)
        pyatspi.Registry.stop()

    pyatspi.Registry.registerEventListener(evento, "object:state-changed:focused")
    GLib.timeout_add(int(secondi * 1000), lambda: pyatspi.Registry.stop())
    print("in ascolto", flush=True)
    pyatspi.Registry.start()
    if not preso:
        sys.exit("nessun fuoco dentro Pulsaro in %s s" % secondi)
    json.dump(preso, open(file, "w"), ensure_ascii=False, indent=1)
    print("fuoco su %s %r" % (preso["fuoco"]["ruolo"], preso["fuoco"]["nome"]))
    stampa(preso["albero"])


RIGA = re.compile(r"^(?P<nome>.*), CPU (?P<cpu>[-0-9,]+) %, GPU (?P<gpu>[-0-9,]+) %, (?P<mem>[0-9,]+) (?P<unita>MB|GB)(, ANE)?$")


def leggi_riga(nome):
    m = RIGA.match(nome)
    if not m:
        return None
    numero = lambda s: float(s.replace(",", "."))
    mb = numero(m["mem"]) * (1024 if m["unita"] == "GB" else 1)
    return {"nome": m["nome"], "cpu": numero(m["cpu"]), "gpu": numero(m["gpu"]), "mb": mb}


def confronta(file_albero, file_terminale):
    """The dials and rows the bus reads against one terminal sample of the same moment."""
    nodi = json.load(open(file_albero))
    campioni = [json.loads(r) for r in open(file_terminale) if r.strip()]
    if not campioni:
        sys.exit("il terminale non ha stampato campioni")
    t = campioni[-1]
    errori = []
    deriva = 30.0  # points of CPU a busy, shared machine moves between two samples

    misure = {n["nome"]: n["valore"] for n in nodi if n["ruolo"] == "progress bar" and n["valore"] is not None}
    for risorsa in ("CPU", "GPU"):
        if risorsa not in misure:
            errori.append("nessun quadrante %s con un valore" % risorsa)
        elif min(abs(misure[risorsa] - min(c[risorsa.lower()], 100)) for c in campioni) > deriva:
            errori.append("quadrante %s: %g, il terminale %s" %
                          (risorsa, misure[risorsa], [c[risorsa.lower()] for c in campioni]))
    chip = [n for n in nodi if n["nome"] == "Neural Engine" and n["valore"] is not None]
    if not chip:
        errori.append("nessun chip del Neural Engine con un valore")
    elif chip[0]["valore"] != (1 if t["ane"] >= 1 else 0) and abs(t["ane"] - 1) > 0.5:
        errori.append("chip del Neural Engine a %g, il terminale %g" % (chip[0]["valore"], t["ane"]))

    voci = [n for n in nodi if n["ruolo"] == "list item"]
    righe = [leggi_riga(n["nome"]) for n in voci]
    if not voci:
        errori.append("nessuna voce di lista")
    if any(r is None for r in righe):
        errori.append("voci che non dicono le loro cifre: %s" % [n["nome"] for n in voci])
    if abs(len(voci) - len(t["processi"])) > 0:
        errori.append("%d voci, il terminale elenca %d processi" % (len(voci), len(t["processi"])))
    per_pid = {p["id"]: p for p in t["processi"]}
    trovate = 0
    for n, r in zip(voci, righe):
        pid = re.match(r"pid (\d+)", n["descrizione"])
        if not pid:
            errori.append("%s: nessun pid nella descrizione %r" % (n["nome"], n["descrizione"]))
            continue
        vicino = per_pid.get(int(pid[1]))
        if r is None or vicino is None:
            continue  # left the heaviest between the two samples
        trovate += 1
        if " ".join(vicino["nome"].split()) != " ".join(r["nome"].split()):
            errori.append("pid %s: %s, il terminale %s" % (pid[1], r["nome"], vicino["nome"]))
        mb = vicino["memoria"] / 1048576
        # A compiler grows by tens of megabytes a second: half again is a sample's drift.
        if abs(mb - r["mb"]) > max(16, 0.5 * mb):
            errori.append("%s: %g MB, il terminale %g MB" % (r["nome"], r["mb"], mb))
        if abs(vicino["cpu"] - r["cpu"]) > deriva:
            errori.append("%s: CPU %g, il terminale %g" % (r["nome"], r["cpu"], vicino["cpu"]))
    if voci and trovate * 2 < len(voci):
        errori.append("solo %d voci su %d tra i processi del terminale" % (trovate, len(voci)))
    for e in errori:
        print("DIVERSO:", e)
    print("%d quadranti, %d voci (%d ritrovate nel terminale)" % (len(misure), len(voci), trovate))
    sys.exit(1 if errori else 0)


if __name__ == "__main__":
    comando = sys.argv[1] if len(sys.argv) > 1 else ""
    if comando == "albero":
        albero(*sys.argv[2:4])
    elif comando == "fuoco":
        fuoco(float(sys.argv[2]), sys.argv[3])
    elif comando == "giro":
        giro(int(sys.argv[2]))
    elif comando == "confronta":
        confronta(sys.argv[2], sys.argv[3])
    else:
        sys.exit(__doc__)
