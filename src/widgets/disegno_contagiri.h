// Painting of the dial gauge, shared by the gauge widget and the gauge grid.
#pragma once

#include <QRectF>
#include <QString>
#include <QtGlobal>
#include <memory>

#include "widgets/tema.h"

class QPainter;
class QRegion;

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
                                 ImmaginiContagiri&, const QRegion*);
    std::unique_ptr<Dentro> d_;
};

// Paints a gauge laid out in `cornice` at the (possibly animating) fraction f. The arcs may
// reach beyond `cornice`: geometriaContagiri().ingombro says how far. `zona`, in the painter's
// coordinates, is all that needs painting (a spring's frame): the parts wholly outside it are
// skipped; none means everything.
void disegnaContagiri(QPainter& p, const QRectF& cornice, double f, const QString& testo,
                      const QString& etichetta, Aspetto aspetto, ImmaginiContagiri& immagini,
                      const QRegion* zona = nullptr);

}  // namespace pulsaro
