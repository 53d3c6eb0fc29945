#include "barra/icona_barra.h"

#include <QPainter>
#include <cmath>

#include "barra/riquadro_barra.h"
#include "barra/testi_barra.h"
#include "widgets/simboli.h"

namespace pulsaro {

QColor grigioSistema() {
    return QColor(0x8E, 0x8E, 0x93);
}

QImage iconaBarra(bool grigia, qreal dpr) {
    // A 15-point glyph of a round symbol is about 16 points across; one point of margin around.
    constexpr qreal lato = 18;
    constexpr qreal margine = 1;
    if (!(dpr > 0)) dpr = 1;
    const int pixel = static_cast<int>(std::ceil(lato * dpr));
    QImage img(pixel, pixel, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    img.setText(QStringLiteral("Description"), QString::fromLatin1(etichettaBarra));
    QPainter p(&img);
    disegnaSimbolo(p, Simbolo::contagiri, QRectF(margine, margine, lato - 2 * margine, lato - 2 * margine),
                   grigia ? grigioSistema() : RiquadroBarra::arancio());
    return img;
}

}  // namespace pulsaro
