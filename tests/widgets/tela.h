// Painting into images as a screen would: at a device pixel ratio, with the drawing's origin
// anywhere (a widget inside a layout rarely starts on a whole pixel), and reading it back.
#pragma once

#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QSizeF>
#include <algorithm>
#include <cmath>
#include <utility>

namespace pulsaro::prova {

struct Tela {
    QImage img;
    QPointF origine;  // where the drawing's (0, 0) lies, in logical pixels

    qreal dpr() const { return img.devicePixelRatio(); }
    // The device pixel under the drawing's point p.
    QPoint pixel(QPointF p) const {
        const QPointF d = (p + origine) * dpr();
        return {static_cast<int>(std::floor(d.x())), static_cast<int>(std::floor(d.y()))};
    }
    QColor colore(QPointF p) const { return img.pixelColor(pixel(p)); }
};

// `disegna(QPainter&)` paints in logical coordinates on `fondo`; the image covers `misura` plus
// the origin's offset.
template <typename F>
Tela dipingiSu(QSizeF misura, qreal dpr, QPointF origine, const QColor& fondo, F&& disegna) {
    const QSize pixel(static_cast<int>(std::ceil((misura.width() + origine.x()) * dpr)) + 1,
                      static_cast<int>(std::ceil((misura.height() + origine.y()) * dpr)) + 1);
    Tela t{QImage(pixel, QImage::Format_ARGB32_Premultiplied), origine};
    t.img.setDevicePixelRatio(dpr);
    t.img.fill(fondo);
    QPainter p(&t.img);
    p.translate(origine);
    std::forward<F>(disegna)(p);
    return t;
}

// The largest difference of any colour channel between two images of one size, and how many
// pixels differ by more than `soglia`.
inline std::pair<int, int> differenza(const QImage& a, const QImage& b, int soglia = 255) {
    int massima = 0, oltre = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            massima = std::max(massima, d);
            oltre += d > soglia;
        }
    return {massima, oltre};
}

// The three situations every drawing test goes through.
inline constexpr std::pair<qreal, QPointF> situazioni[] = {
    {1.0, QPointF(0, 0)}, {2.0, QPointF(0, 0)}, {2.0, QPointF(0.3, 0.7)}};

}  // namespace pulsaro::prova
