#!/usr/bin/env python3
"""pixel.py righe FILE: the centre y of each band of dark text rows (a menu's entries) in a binary
PPM screenshot (P6, 8 bits)."""
import re
import sys


def righe(percorso):
    d = open(percorso, 'rb').read()
    m = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', d)
    if not m:
        raise SystemExit('non è un PPM a 8 bit: %s' % percorso)
    w, h = int(m[1]), int(m[2])
    pix = [d[k:k + 3] for k in range(m.end(), m.end() + w * h * 3, 3)]
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


if __name__ == '__main__':
    if len(sys.argv) != 3 or sys.argv[1] != 'righe':
        raise SystemExit(__doc__)
    righe(sys.argv[2])
