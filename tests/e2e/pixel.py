#!/usr/bin/env python3
"""Pixel checks on binary PPM screenshots (P6, 8 bits).
  pixel.py righe FILE             centre y of each band of dark text rows (a menu's entries)
  pixel.py vicini FILE RRGGBB T   share of pixels within T (per channel) of the colour, 0..1
  pixel.py diversi FILE1 FILE2    share of pixels that differ by more than 24 on some channel"""
import re
import sys


def leggi(percorso):
    d = open(percorso, 'rb').read()
    m = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', d)
    if not m:
        raise SystemExit('non è un PPM a 8 bit: %s' % percorso)
    w, h = int(m[1]), int(m[2])
    return w, h, [d[k:k + 3] for k in range(m.end(), m.end() + w * h * 3, 3)]


def righe(percorso):
    w, h, pix = leggi(percorso)
    scura = [0.3 * p[0] + 0.59 * p[1] + 0.11 * p[2] < 200 for p in pix]
    piene = [any(scura[y * w + x] for x in range(24, max(25, w - 70))) for y in range(h)]
    bande, inizio = [], None
    for y, r in enumerate(piene + [False]):
        if r and inizio is None:
            inizio = y
        if not r and inizio is not None:
            if y - inizio >= 4:
                bande.append((inizio + y) // 2)
            inizio = None
    print(' '.join(map(str, bande)))


def vicini(percorso, esadecimale, tolleranza):
    pix, c = leggi(percorso)[2], bytes.fromhex(esadecimale)
    dentro = sum(all(abs(p[j] - c[j]) <= int(tolleranza) for j in range(3)) for p in pix)
    print('%.3f' % (dentro / max(1, len(pix))))


def diversi(a, b):
    wa, ha, pa = leggi(a)
    wb, hb, pb = leggi(b)
    d = sum(any(abs(p[j] - q[j]) > 24 for j in range(3)) for p, q in zip(pa, pb))
    print('1.000' if (wa, ha) != (wb, hb) else '%.3f' % (d / max(1, len(pa))))


if __name__ == '__main__':
    comandi = {'righe': righe, 'vicini': vicini, 'diversi': diversi}
    if len(sys.argv) < 3 or sys.argv[1] not in comandi:
        raise SystemExit(__doc__)
    comandi[sys.argv[1]](*sys.argv[2:])
