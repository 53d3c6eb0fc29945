#include "widgets/elementi_processo.h"

#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

#include "sampling/testi.h"
#include "widgets/geometria_barre.h"
#include "widgets/pittura.h"
#include "widgets/risorsa.h"
#include "widgets/simboli.h"

namespace pulsaro {

void disegnaIngranaggio(QPainter& p, const QRectF& cornice, Aspetto a, ImmaginiIngranaggio& cache) {
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
    auto& immagini = cache.immagini;
    const std::tuple<long, long, long, QRgb> k{std::lround(dentro.width() * 100),
                                               std::lround(dentro.height() * 100), std::lround(dpr * 100),
                                               colore.rgba()};
    auto it = immagini.find(k);
    if (it == immagini.end()) {
        if (immagini.size() >= ImmaginiIngranaggio::massimo) immagini.clear();
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

void disegnaIconaApplicazione(QPainter& p, const QRectF& cornice, const QIcon& icona) {
    if (icona.isNull() || cornice.isEmpty()) return;
    p.save();
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale) {
        // Turned: a pixmap as fine as the device, transformed by the painter.
        const qreal k = scalaDispositivo(p);
        const QPixmap pm = icona.pixmap(cornice.size().toSize(), k);
        p.drawPixmap(cornice, pm, QRectF(pm.rect()));
        p.restore();
        return;
    }
    const QRectF r = t.mapRect(cornice);
    const QRect pixel(
        QPoint(static_cast<int>(std::lround(r.left())), static_cast<int>(std::lround(r.top()))),
        QPoint(static_cast<int>(std::lround(r.right())) - 1, static_cast<int>(std::lround(r.bottom())) - 1));
    if (pixel.isEmpty()) {
        p.restore();
        return;
    }
    const QPixmap pm = icona.pixmap(pixel.size(), 1.0);  // as many pixels as it covers
    p.resetTransform();
    const QTransform base = p.deviceTransform();
    p.drawPixmap(base.inverted().mapRect(QRectF(pixel)), pm, QRectF(pm.rect()));
    p.restore();
}

QString testoMemoriaPid(const UsoProcesso& p) {
    return QString::fromStdString(memoriaTesto(p.memoria)) + QStringLiteral(" · pid ") +
           QString::number(p.id);
}

bool stessaBarra(double va, double vb) {
    // Above 0 a bar shows at least a sliver; 0.02 points of 100 are a fiftieth of a pixel of a
    // track 100 pixels long.
    return (va > 0) == (vb > 0) && testoBarra(va, true) == testoBarra(vb, true) &&
           std::abs(std::clamp(va, 0.0, 100.0) - std::clamp(vb, 0.0, 100.0)) <= 0.02;
}

bool stessaIntestazione(const UsoProcesso& a, const UsoProcesso& b) {
    return a.id == b.id && a.nome == b.nome && a.usaANE == b.usaANE &&
           testoMemoriaPid(a) == testoMemoriaPid(b);
}

bool stessoAspetto(const UsoProcesso& a, const UsoProcesso& b) {
    if (!stessaIntestazione(a, b)) return false;
    for (const Risorsa r : Risorsa::perProcesso)
        if (!stessaBarra(r.valore(a), r.valore(b))) return false;
    return true;
}

namespace {

// A name that shows nothing by itself: blanks, marks that sit on another character, fillers.
bool senzaSegni(const QString& nome) {
    for (const char32_t c : nome.toUcs4()) {
        if (QChar::isSpace(c) || QChar::category(c) == QChar::Mark_NonSpacing) continue;
        if (c == 0x115F || c == 0x1160 || c == 0x3164 || c == 0xFFA0) continue;  // Hangul fillers
        return false;
    }
    return true;
}

}  // namespace

QString nomeLeggibile(const UsoProcesso& p) {
    const QString nome = QString::fromStdString(p.nome);
    QString r;
    r.reserve(nome.size());
    if (senzaSegni(nome)) {
        r += QStringLiteral("(pid ") + QString::number(p.id) + QLatin1Char(')');
    } else {
        for (const char32_t c : nome.toUcs4()) {
            const QChar::Category k = QChar::category(c);
            if (c == U'\\') {
                r += QStringLiteral("\\\\");  // so that an escape below cannot be forged
            } else if (k == QChar::Other_Control || k == QChar::Other_Format || k == QChar::Separator_Line ||
                       k == QChar::Separator_Paragraph) {
                switch (c) {
                    case U'\n':
                        r += QStringLiteral("\\n");
                        break;
                    case U'\t':
                        r += QStringLiteral("\\t");
                        break;
                    case U'\r':
                        r += QStringLiteral("\\r");
                        break;
                    default:
                        r += c < 0x80 ? QStringLiteral("\\x%1").arg(static_cast<unsigned>(c), 2, 16,
                                                                    QLatin1Char('0'))
                                      : QStringLiteral("\\u%1").arg(static_cast<unsigned>(c), 4, 16,
                                                                    QLatin1Char('0'));
                }
            } else {
                r += QString::fromUcs4(&c, 1);
            }
        }
    }
    return r;
}

QString nomeProcesso(const UsoProcesso& p) {
    // first strong isolate … pop directional isolate
    return QChar(0x2068) + nomeLeggibile(p) + QChar(0x2069);
}

}  // namespace pulsaro
