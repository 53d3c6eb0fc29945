// Painting of the dial gauge, shared by the gauge widget and the gauge grid.
#pragma once

#include <QRectF>
#include <QString>
#include <QtGlobal>
#include <memory>

#include "widgets/tema.h"

class QPainter;

namespace pulsaro {

// The images and fonts a gauge is painted from, kept by the widget that paints it; bounded where
// they are made (disegno_contagiri.cpp), about 8 MB at most.
class ImmaginiContagiri {
public:
    ImmaginiContagiri();
    ~ImmaginiContagiri();
    ImmaginiContagiri(const ImmaginiContagiri&) = delete;
    ImmaginiContagiri& operator=(const ImmaginiContagiri&) = delete;

    // The bytes the images hold now: bounded, however many values have been drawn.
    qsizetype memoria() const;

    struct Dentro;

private:
    friend void disegnaContagiri(QPainter&, const QRectF&, double, const QString&, const QString&, Aspetto,
                                 ImmaginiContagiri&);
    std::unique_ptr<Dentro> d_;
};

// Paints a gauge laid out in `cornice` at the (possibly animating) fraction f. The arcs may
// reach beyond `cornice`: geometriaContagiri().ingombro says how far.
void disegnaContagiri(QPainter& p, const QRectF& cornice, double f, const QString& testo,
                      const QString& etichetta, Aspetto aspetto, ImmaginiContagiri& immagini);

}  // namespace pulsaro
