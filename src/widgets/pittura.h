// Small painting helpers shared by the widgets: capsules, soft glows and shadows.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

#include "widgets/caratteri.h"

class QPainter;

namespace pulsaro {

// A rounded rectangle whose radius is half its shorter side.
QPainterPath capsula(const QRectF& r);

// Device pixels per unit of the painter's coordinates (the mean of its two axes).
double scalaDispositivo(const QPainter& p);

// The rectangle with its top and bottom moved to the nearest device pixel edges, so that a
// horizontal band laid out from font metrics does not blend its edges. Left as it is under a
// rotated painter.
QRectF allineaVerticale(const QPainter& p, const QRectF& r);

// Strokes `percorso` with a soft halo of `raggio` around a pen of `larghezza`, in colore (whose
// alpha is the halo's strength at the stroke's edge), as rings of growing width: by default one
// per device pixel, so that no ring shows as a band.
void bagliore(QPainter& p, const QPainterPath& percorso, double larghezza, double raggio,
              const QColor& colore, int strati = 0, Qt::PenCapStyle cap = Qt::RoundCap);

// A soft shadow around an opaque shape drawn next, fading out over `raggio`; rings as above.
void ombra(QPainter& p, const QPainterPath& forma, double raggio, const QColor& colore, int strati = 0);

// The halo's alpha at a fraction t of its width (0 at the stroke's edge, 1 at its end) when its
// strength at the edge is `forza`: what the rings add up to, without their steps.
double alphaBagliore(double forza, double t);

// Text drawn as plain text, centred on `centro`, in one line: horizontally on its advance,
// vertically on the font's line box.
void testoCentrato(QPainter& p, const QPointF& centro, const QString& testo);
// The same in a font of a fractional size.
void testoCentrato(QPainter& p, const QPointF& centro, const QString& testo, const CarattereScalato& c);

}  // namespace pulsaro
