// The few symbols the interface needs, drawn as vector paths at any size and colour,
// the same on every operating system.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>
#include <QSizeF>
#include <optional>
#include <string_view>

class QPainter;

namespace pulsaro {

enum class Simbolo {
    contagiri,         // "gauge.with.dots.needle.67percent"
    spunta,            // "checkmark.circle.fill"
    croce,             // "xmark.circle.fill"
    avviso,            // "exclamationmark.triangle.fill"
    chevronDestra,     // "chevron.right"
    indietro,          // "arrow.uturn.backward"
    ingranaggio,       // "gearshape"
    ingranaggioPieno,  // "gearshape.fill"
};

inline constexpr Simbolo tuttiISimboli[] = {
    Simbolo::contagiri,     Simbolo::spunta,   Simbolo::croce,       Simbolo::avviso,
    Simbolo::chevronDestra, Simbolo::indietro, Simbolo::ingranaggio, Simbolo::ingranaggioPieno,
};

// The system name of the symbol ("checkmark.circle.fill", ...), and back.
std::string_view nomeSimbolo(Simbolo s);
std::optional<Simbolo> simboloDaNome(std::string_view nome);

// The symbol as one path to fill, without overlaps, fitted to the largest square centred in r.
QPainterPath percorsoSimbolo(Simbolo s, const QRectF& r);

// Fills the symbol in colore; antialiased, leaves the painter's state as it found it.
void disegnaSimbolo(QPainter& p, Simbolo s, const QRectF& r, const QColor& colore);

// A transparent image of `dimensione` logical pixels at device pixel ratio dpr.
QImage immagineSimbolo(Simbolo s, QSizeF dimensione, const QColor& colore, qreal dpr = 1.0);

}  // namespace pulsaro
