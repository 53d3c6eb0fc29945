#!/usr/bin/env python3
"""Pixel checks on screenshots for the end-to-end test; reads binary PPM (P6, 8 bits), no libraries.

  pixel.py righe FILE             centre y of each band of dark text rows (a menu's entries)
  pixel.py vicini FILE RRGGBB T   share of pixels within T (per channel) of the colour, 0..1
  pixel.py diversi FILE1 FILE2    share of pixels that differ by more than 24 on some channel
  pixel.py colori FILE            number of distinct colours (a drawn window has many)
"""
import sys


def leggi(percorso):
    d = open(percorso, 'rb').read()
    campi, i = [], 0
    while len(campi) < 4:
        while d[i:i + 1].isspace():
            i += 1
        if d[i:i + 1] == b'#':
            while d[i:i + 1] != b'\n':
                i += 1
            continue
        j = i
        while not d[j:j + 1].isspace():
            j += 1
        campi.append(d[i:j])
        i = j
    if campi[0] != b'P6' or int(campi[3]) != 255:
        raise SystemExit('non è un PPM a 8 bit: %s' % percorso)
    w, h = int(campi[1]), int(campi[2])
    return w, h, d[i + 1:i + 1 + w * h * 3]


def righe(percorso):
    w, h, pix = leggi(percorso)

    def scura(x, y):
        o = (y * w + x) * 3
        return 0.3 * pix[o] + 0.59 * pix[o + 1] + 0.11 * pix[o + 2] < 200

    piene = [any(scura(x, y) for x in range(24, max(25, w - 70))) for y in range(h)]
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
    _, _, pix = leggi(percorso)
    c = bytes.fromhex(esadecimale)
    t = int(tolleranza)
    n = len(pix) // 3
    dentro = sum(1 for k in range(n) if all(abs(pix[3 * k + j] - c[j]) <= t for j in range(3)))
    print('%.3f' % (dentro / max(1, n)))


def diversi(a, b):
    wa, ha, pa = leggi(a)
    wb, hb, pb = leggi(b)
    if (wa, ha) != (wb, hb):
        print('1.000')
        return
    n = wa * ha
    d = sum(1 for k in range(n) if any(abs(pa[3 * k + j] - pb[3 * k + j]) > 24 for j in range(3)))
    print('%.3f' % (d / max(1, n)))


def colori(percorso):
    _, _, pix = leggi(percorso)
    print(len({pix[k:k + 3] for k in range(0, len(pix), 3)}))


if __name__ == '__main__':
    comandi = {'righe': righe, 'vicini': vicini, 'diversi': diversi, 'colori': colori}
    if len(sys.argv) < 3 or sys.argv[1] not in comandi:
        raise SystemExit(__doc__)
    comandi[sys.argv[1]](*sys.argv[2:])
