// Small painting helpers shared by the widgets: capsules, soft glows and shadows.
#pragma once

#include <QColor>
#include <QPainterPath>
#include <QRectF>

class QPainter;

namespace pulsaro {

// A rounded rectangle whose radius is half its shorter side.
QPainterPath capsula(const QRectF& r);

// Strokes `percorso` with a soft halo of `raggio` around a pen of `larghezza`, in colore (whose
// alpha is the halo's strength at the stroke's edge). Uses the painter's current pen cap.
// More rings make a smoother halo and cost one stroke each.
void bagliore(QPainter& p, const QPainterPath& percorso, double larghezza, double raggio,
              const QColor& colore, int strati = 4, Qt::PenCapStyle cap = Qt::RoundCap);

// A soft shadow around an opaque shape drawn next: rings of growing width, fading out over `raggio`.
void ombra(QPainter& p, const QPainterPath& forma, double raggio, const QColor& colore, int strati = 4);

// Text drawn as plain text, centred on `centro`, in one line: horizontally on its advance,
// vertically on the font's line box.
void testoCentrato(QPainter& p, const QPointF& centro, const QString& testo);

}  // namespace pulsaro
