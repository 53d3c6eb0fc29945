#!/usr/bin/env python3
"""pixel.py righe FILE: the centre y of each band of dark text rows (a menu's entries) in a binary
PPM screenshot (P6, 8 bits)."""
import re
import sys

d = open(sys.argv[2], 'rb').read()
m = re.match(rb'P6\s+(\d+)\s+(\d+)\s+255\s', d) or sys.exit('non è un PPM a 8 bit: ' + sys.argv[2])
w, h = int(m[1]), int(m[2])
scura = [0.3 * d[k] + 0.59 * d[k + 1] + 0.11 * d[k + 2] < 200 for k in range(m.end(), m.end() + w * h * 3, 3)]
piene = [any(scura[y * w + x] for x in range(24, max(25, w - 70))) for y in range(h)] + [False]
bande, inizio = [], None
for y, r in enumerate(piene):
    if r and inizio is None:
        inizio = y
    elif not r and inizio is not None:
        if y - inizio >= 4:
            bande.append((inizio + y) // 2)
        inizio = None
print(' '.join(map(str, bande)))
