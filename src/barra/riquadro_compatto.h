// The tile in a square tray slot (22 × 22, 32 × 32): the first two shown figures stacked, as tall
// as the slot allows (8 device pixels in 22, 12 in 32), and the Neural Engine dot; the wide tile's
// colour, contrast and dot rules.
#pragma once

#include <QColor>
#include <QHash>
#include <QImage>
#include <QPainterPath>
#include <QString>
#include <utility>
#include <vector>

#include "platform/preferenze.h"
#include "sampling/uso.h"

namespace pulsaro::RiquadroCompatto {

// The rows a slot of this side holds: two, so that their digits stay legible.
int righeMassime(int lato);

// Height in device pixels of the digits in a slot of `pixel` device pixels: three eighths of it.
int altezzaCifre(int pixel);

// (initial, value) of the shown figures, at most `massimo`: "M" / "62", "C" / "23", "P" / "4".
// Percentages are clamped to 0…100 and written without the percent sign.
std::vector<std::pair<QString, QString>> righe(const Riepilogo& r, const Preferenze& p, int numeroE,
                                               int massimo);

// What the tile's image reuses from one sample to the next, kept by whoever draws the tile: the
// figures' outlines, each laid out once (at most `massimo` texts, then it starts over; the figures
// are whole numbers, percentages and core counts, so in use it never starts over), and the empty
// tile of the last size and colour.
class Cache {
public:
    static constexpr qsizetype massimo = 256;
    const QPainterPath& contorno(const QString& testo);
    QImage tela(const Riepilogo& r, const QColor& sfondo, int lato, qreal dpr);

private:
    QHash<QString, QPainterPath> percorsi_;
    struct Cifra {
        QPainterPath contorno;
        qreal avanzamento = 0;
    };
    Cifra cifre_[10];  // each digit's outline and advance
    struct Tela {
        int lato = 0;
        qreal dpr = 0;
        QRgb sfondo = 0;
        QImage img;
    } tela_;
};

// The image of a square slot of `lato` logical pixels at device pixel ratio dpr; it carries the
// wide tile's accessibility description under the text key "Description".
QImage immagine(const Riepilogo& r, const QColor& sfondo, const Preferenze& p, int numeroE, int lato,
                qreal dpr, Cache* cache = nullptr);

}  // namespace pulsaro::RiquadroCompatto
