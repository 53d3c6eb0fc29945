// Geometry of the Neural Engine chip, as a pure function.
#pragma once

#include <QPointF>
#include <QRectF>
#include <array>

namespace pulsaro {

struct GeometriaChip {
    double c = 0;         // chip scale
    double b = 0;         // side of the body
    double pl = 0;        // pin length
    double pw = 0;        // pin width
    double bordo = 0;     // body outline width
    double bordoDie = 0;  // die outline width
    double raggioCorpo = 0;
    double raggioDie = 0;
    double raggioBagliore = 0;
    double dimensioneEtichetta = 0;
    QPointF centro;
    QRectF corpo;
    QRectF die;
    std::array<QRectF, 16> piedini{};  // four per side: top, right, bottom, left
};

GeometriaChip geometriaChip(const QRectF& cornice);

}  // namespace pulsaro
