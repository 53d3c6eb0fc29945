"""The CPU ratio Prometheus stored against the terminal's JSON lines of the same seconds.
Usage: esportazione_confronta.py PROMETHEUS_PORT STAMPED_JSON_LINES"""
import json
import sys
import urllib.parse
import urllib.request

porta, file = int(sys.argv[1]), sys.argv[2]
righe = []
for riga in open(file, encoding="utf-8"):
    istante, testo = riga.split(" ", 1)
    righe.append((float(istante), json.loads(testo)["cpu"] / 100))


def serie(query):
    url = f"http://127.0.0.1:{porta}/api/v1/query?query=" + urllib.parse.quote(query)
    risposta = json.load(urllib.request.urlopen(url, timeout=10))
    assert risposta["status"] == "success", risposta
    return risposta["data"]["result"]


su = serie("up[60s]")
assert su and all(v == "1" for _, v in su[0]["values"]), f"scrapes failed: {su}"
cpu = serie("pulsaro_cpu_ratio[60s]")
assert cpu, "no CPU ratio stored"
valori = cpu[0]["values"]
assert len(valori) >= 8, f"only {len(valori)} scrapes in about 20 s"
for istante, valore in valori:
    # The scrape answers with the last full sample, printed at about the same moment.
    vicini = [c for t, c in righe if istante - 2.5 <= t <= istante + 1.0]
    assert any(abs(float(valore) - c) < 2e-6 for c in vicini), (istante, valore, vicini)
print(f"confronto: {len(valori)} letture di Prometheus uguali alle righe JSON degli stessi secondi")
