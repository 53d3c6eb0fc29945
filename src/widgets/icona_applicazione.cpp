#include "widgets/icona_applicazione.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include "widgets/simboli.h"

namespace pulsaro {

QImage iconaApplicazione(int lato) {
    QImage img(lato, lato, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The usual margin of desktop icons: the square fills 7/8 of the canvas from 32 px up.
    const qreal margine = lato >= 32 ? lato / 16.0 : 0.0;
    const QRectF quadro(margine, margine, lato - 2 * margine, lato - 2 * margine);
    QLinearGradient sfumatura(quadro.topLeft(), quadro.bottomLeft());
    sfumatura.setColorAt(0.0, QColor(0xF0, 0xA2, 0x6C));
    sfumatura.setColorAt(1.0, QColor(0xD0, 0x74, 0x38));  // the tile's orange E08A4F in between
    QPainterPath forma;
    forma.addRoundedRect(quadro, quadro.width() * 0.225, quadro.height() * 0.225);
    p.fillPath(forma, sfumatura);
    const qreal latoSimbolo = quadro.width() * (lato <= 24 ? 0.78 : 0.66);
    const QRectF r(quadro.center().x() - latoSimbolo / 2, quadro.center().y() - latoSimbolo / 2, latoSimbolo,
                   latoSimbolo);
    disegnaSimbolo(p, Simbolo::contagiri, r, Qt::white);
    p.end();
    return img;
}

QIcon iconaApplicazioneCompleta() {
    QIcon icona;
    for (int lato : {16, 22, 24, 32, 48, 64, 128, 256})
        icona.addPixmap(QPixmap::fromImage(iconaApplicazione(lato)));
    return icona;
}

}  // namespace pulsaro
