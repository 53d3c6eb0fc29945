"""Hostile clients against the endpoint; after each, an ordinary scrape must still be answered.
Usage: esportazione_ostile.py PORT HOSTILE_PROCESS_NAME"""
import select
import socket
import sys
import time
import urllib.request

porta = int(sys.argv[1])
nome = sys.argv[2]


def scrape(accept="application/openmetrics-text;version=1.0.0"):
    richiesta = urllib.request.Request(f"http://127.0.0.1:{porta}/metrics", headers={"Accept": accept})
    with urllib.request.urlopen(richiesta, timeout=5) as r:
        assert r.status == 200, r.status
        return r.read().decode()


def connetti():
    return socket.create_connection(("127.0.0.1", porta), timeout=5)


def chiusa(s, entro):
    """True when the server closes the socket within `entro` seconds without answering 200."""
    fine = time.time() + entro
    while time.time() < fine:
        pronti, _, _ = select.select([s], [], [], max(0.0, fine - time.time()))
        if not pronti:
            continue
        try:
            dati = s.recv(65536)
        except OSError:
            return True
        if not dati:
            return True
        if dati.startswith(b"HTTP/1.1 200"):
            return False
    return False


def manda(s, dati):
    try:
        s.sendall(dati)
    except OSError:
        pass  # already closed by the server: what we want


# A huge header, and a flood of small ones.
for richiesta in (b"GET /metrics HTTP/1.1\r\nHost: x\r\nX-Grande: " + b"a" * (1 << 20) + b"\r\n\r\n",
                  b"GET /metrics HTTP/1.1\r\n" + b"".join(b"X-%d: 1\r\n" % i for i in range(500)) + b"\r\n",
                  bytes(range(256)) * 64):
    s = connetti()
    manda(s, richiesta)
    assert chiusa(s, 5), richiesta[:40]
    s.close()
    scrape()
print("ostile: intestazioni enormi e spazzatura chiuse")

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
print("ostile: 200 connessioni tenute aperte, la lettura risponde")

# Only GET /metrics is answered.
for metodo, percorso in (("GET", "/"), ("POST", "/metrics"), ("GET", "/metrics/../etc"), ("DELETE", "/metrics")):
    richiesta = urllib.request.Request(f"http://127.0.0.1:{porta}{percorso}", method=metodo)
    try:
        urllib.request.urlopen(richiesta, timeout=5)
        raise AssertionError(f"{metodo} {percorso} answered")
    except urllib.error.HTTPError as e:
        assert e.code == 404, (metodo, percorso, e.code)

# A process named with a quote, a newline and a backslash stays inside its label.
testo = scrape()
nascosto = nome.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
assert f'nome="{nascosto}"' in testo, "the hostile process is not in the scrape"
for riga in testo.splitlines():
    assert riga.startswith("# ") or riga.startswith("pulsaro_"), riga
print("ostile: nome con virgolette e a capo escapato")
