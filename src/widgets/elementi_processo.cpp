#include "widgets/elementi_processo.h"

#include <QPainter>
#include <cmath>
#include <map>
#include <tuple>

#include "sampling/testi.h"
#include "widgets/simboli.h"

namespace pulsaro {

void disegnaIngranaggio(QPainter& p, const QRectF& cornice, Aspetto a) {
    const QRectF dentro = cornice.adjusted(4, 4, -4, -4);
    if (dentro.width() <= 0 || dentro.height() <= 0) return;
    const QColor colore = Tema::testoSecondario(a);
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale) {
        disegnaSimbolo(p, Simbolo::ingranaggioPieno, dentro, colore);
        return;
    }
    // The gear is translucent and intricate: painted directly, every row of every list would
    // go through the raster engine's thread pool. One image per size is copied instead.
    const qreal dpr = t.m11();
    using Chiave = std::tuple<long, long, long, QRgb>;
    static std::map<Chiave, QImage> immagini;
    const Chiave k{std::lround(dentro.width() * 100), std::lround(dentro.height() * 100),
                   std::lround(dpr * 100), colore.rgba()};
    auto it = immagini.find(k);
    if (it == immagini.end()) {
        if (immagini.size() >= 16) immagini.clear();
        it =
            immagini.emplace(k, immagineSimbolo(Simbolo::ingranaggioPieno, dentro.size(), colore, dpr)).first;
    }
    // Whole device pixels keep the copy a plain blit.
    const QPointF angolo = t.map(dentro.topLeft());
    p.save();
    p.resetTransform();
    const QTransform base = p.deviceTransform();
    it->second.setDevicePixelRatio(base.m11());
    p.drawImage(base.inverted().map(QPointF(std::round(angolo.x()), std::round(angolo.y()))), it->second);
    p.restore();
}

QString testoMemoriaPid(const UsoProcesso& p) {
    return QString::fromStdString(memoriaTesto(p.memoria)) + QStringLiteral(" · pid ") +
           QString::number(p.id);
}

QString unaRiga(const QString& testo) {
    QString r = testo;
    for (QChar& c : r)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = QLatin1Char(' ');
    return r;
}

}  // namespace pulsaro
