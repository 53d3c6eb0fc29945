"""The endpoint's checks. ostile PORT NAME: hostile clients, and after each an ordinary scrape is answered;
confronta PROMETHEUS_PORT STAMPED_JSON: the CPU ratio Prometheus stored against the JSON of the same seconds."""
import json
import select
import socket
import sys
import time
import urllib.parse
import urllib.request


def ostile(porta, nome):
    def scrape(accept="application/openmetrics-text;version=1.0.0"):
        richiesta = urllib.request.Request(f"http://127.0.0.1:{porta}/metrics", headers={"Accept": accept})
        with urllib.request.urlopen(richiesta, timeout=5) as r:
            assert r.status == 200, r.status
            return r.read().decode()

    def connetti():
        return socket.create_connection(("127.0.0.1", int(porta)), timeout=5)

    def chiusa(s, entro):
        """True when the server closes the socket within `entro` seconds without answering 200."""
        fine = time.time() + entro
        while select.select([s], [], [], max(0.0, fine - time.time()))[0]:
            try:
                dati = s.recv(65536)
            except OSError:
                return True
            if not dati or dati.startswith(b"HTTP/1.1 200"):
                return not dati
        return False

    def manda(s, dati):
        try:
            s.sendall(dati)
        except OSError:
            pass  # already closed by the server: what we want

    # A huge header, a flood of small ones, and garbage.
    for richiesta in (b"GET /metrics HTTP/1.1\r\nHost: x\r\nX-Grande: " + b"a" * (1 << 20) + b"\r\n\r\n",
                      b"GET /metrics HTTP/1.1\r\n" + b"".join(b"X-%d: 1\r\n" % i for i in range(500)) + b"\r\n",
                      bytes(range(256)) * 64):
        s = connetti()
        manda(s, richiesta)
        assert chiusa(s, 5), richiesta[:40]
        s.close()
        scrape()
    # A slow sender, one byte every half second: closed within the request time, while others are served.
    s = connetti()
    manda(s, b"GET /metrics HTTP/1.1\r\nHost: x\r\nX-Lento: ")
    inizio = time.time()
    while not chiusa(s, 0.5):
        assert time.time() - inizio < 15, "a slow sender is never cut off"
        manda(s, b"a")
        scrape()
    s.close()
    print("ostile: mittente lento chiuso dopo %.1f s" % (time.time() - inizio))
    # Many connections held open: the newest are served, the oldest closed.
    tenute = [connetti() for _ in range(200)]
    scrape()
    for t in tenute:
        t.close()
    # Only GET /metrics is answered.
    for metodo, percorso in (("GET", "/"), ("POST", "/metrics"), ("GET", "/metrics/../etc"), ("DELETE", "/metrics")):
        try:
            urllib.request.urlopen(urllib.request.Request(f"http://127.0.0.1:{porta}{percorso}", method=metodo), timeout=5)
            raise AssertionError(f"{metodo} {percorso} answered")
        except urllib.error.HTTPError as e:
            assert e.code == 404, (metodo, percorso, e.code)
    # A process named with a quote, a newline and a backslash stays inside its label.
    testo = scrape()
    nascosto = nome.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
    assert f'nome="{nascosto}"' in testo, "the hostile process is not in the scrape"
    for riga in testo.splitlines():
        assert riga.startswith("# ") or riga.startswith("pulsaro_"), riga


def confronta(porta, file):
    righe = [(float(t), json.loads(j)["cpu"] / 100) for t, j in (r.split(" ", 1) for r in open(file, encoding="utf-8"))]

    def serie(query):
        url = f"http://127.0.0.1:{porta}/api/v1/query?query=" + urllib.parse.quote(query)
        risposta = json.load(urllib.request.urlopen(url, timeout=10))
        assert risposta["status"] == "success", risposta
        return risposta["data"]["result"]

    su = serie("up[60s]")
    assert su and all(v == "1" for _, v in su[0]["values"]), f"scrapes failed: {su}"
    cpu = serie("pulsaro_cpu_ratio[60s]")
    assert cpu and len(cpu[0]["values"]) >= 8, f"fewer than 8 scrapes in about 20 s: {cpu}"
    for istante, valore in cpu[0]["values"]:
        # The scrape answers with the last full sample, printed at about the same moment.
        vicini = [c for t, c in righe if istante - 2.5 <= t <= istante + 1.0]
        assert any(abs(float(valore) - c) < 2e-6 for c in vicini), (istante, valore, vicini)
    print(f"confronto: {len(cpu[0]['values'])} letture di Prometheus uguali alle righe JSON degli stessi secondi")


if __name__ == "__main__":
    {"ostile": ostile, "confronta": confronta}[sys.argv[1]](*sys.argv[2:])
