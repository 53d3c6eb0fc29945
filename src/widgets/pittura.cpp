#include "widgets/pittura.h"

#include <QFontMetricsF>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace pulsaro {

QPainterPath capsula(const QRectF& r) {
    QPainterPath p;
    const double raggio = std::min(r.width(), r.height()) / 2;
    p.addRoundedRect(r, raggio, raggio);
    return p;
}

double scalaDispositivo(const QPainter& p) {
    return std::sqrt(std::abs(p.deviceTransform().determinant()));
}

QRectF allineaVerticale(const QPainter& p, const QRectF& r) {
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m22() == 0) return r;
    const auto aggancia = [&](double y) { return (std::round(y * t.m22() + t.dy()) - t.dy()) / t.m22(); };
    const double alto = aggancia(r.top());
    return QRectF(r.left(), alto, r.width(), std::max(aggancia(r.bottom()) - alto, 0.0));
}

namespace {
int anelli(const QPainter& p, double raggio, int strati) {
    if (strati > 0) return strati;
    return std::max(1, static_cast<int>(std::ceil(raggio * scalaDispositivo(p))));
}
}  // namespace

void bagliore(QPainter& p, const QPainterPath& percorso, double larghezza, double raggio,
              const QColor& colore, int strati, Qt::PenCapStyle cap) {
    if (raggio <= 0 || colore.alpha() == 0) return;
    strati = anelli(p, raggio, strati);
    p.save();
    p.setBrush(Qt::NoBrush);
    // Each ring adds the same small alpha; where k rings overlap the halo is 1 - (1 - a)^k.
    const double a = 1 - std::pow(1 - colore.alphaF(), 1.0 / strati);
    QColor c = colore;
    c.setAlphaF(static_cast<float>(a));
    for (int k = strati; k >= 1; --k) {
        QPen penna(c, larghezza + 2 * raggio * k / strati, Qt::SolidLine, cap, Qt::MiterJoin);
        p.setPen(penna);
        p.drawPath(percorso);
    }
    p.restore();
}

void ombra(QPainter& p, const QPainterPath& forma, double raggio, const QColor& colore, int strati) {
    if (raggio <= 0 || colore.alpha() == 0) return;
    strati = anelli(p, raggio, strati);
    p.save();
    const double a = 1 - std::pow(1 - colore.alphaF(), 1.0 / strati);
    QColor c = colore;
    c.setAlphaF(static_cast<float>(a));
    // Only the rings: the shape itself is painted over the shadow's inside.
    for (int k = strati; k >= 1; --k) {
        p.setPen(QPen(c, 2 * raggio * k / strati, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(forma);
    }
    p.restore();
}

double alphaBagliore(double forza, double t) {
    return 1 - std::pow(1 - forza, 1 - std::clamp(t, 0.0, 1.0));
}

void testoCentrato(QPainter& p, const QPointF& centro, const QString& testo) {
    const QFontMetricsF m(p.font());
    const double w = m.horizontalAdvance(testo);
    // A point and a baseline: no layout pass, and nothing is read as markup or mnemonic.
    p.drawText(QPointF(centro.x() - w / 2, centro.y() - m.height() / 2 + m.ascent()), testo);
}

void testoCentrato(QPainter& p, const QPointF& centro, const QString& testo, const CarattereScalato& c) {
    const QTransform prima = p.transform();
    p.translate(centro);
    p.scale(c.scala, c.scala);
    p.setFont(c.font);
    testoCentrato(p, QPointF(0, 0), testo);
    p.setTransform(prima);
}

}  // namespace pulsaro
