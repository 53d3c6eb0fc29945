// Painting of the dial gauge, shared by the gauge widget and the gauge grid.
#pragma once

#include <QRectF>
#include <QString>
#include <QtGlobal>

#include "widgets/tema.h"

class QPainter;

namespace pulsaro {

// Paints a gauge laid out in `cornice` at the (possibly animating) fraction f. The arcs may
// reach beyond `cornice`: geometriaContagiri().ingombro says how far.
void disegnaContagiri(QPainter& p, const QRectF& cornice, double f, const QString& testo,
                      const QString& etichetta, Aspetto aspetto);

// The bytes the gauges' cached images hold now: bounded, however many values have been drawn.
qsizetype memoriaImmaginiContagiri();

}  // namespace pulsaro
