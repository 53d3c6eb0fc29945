#include "barra/riquadro_compatto.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "barra/riquadro_barra.h"
#include "barra/testi_barra.h"

namespace pulsaro::RiquadroCompatto {

namespace {

QString cifre(QString valore) {
    valore.remove(u'%');
    return valore.trimmed();
}

// The figures as outlines of the bold system font, so they can be scaled to a whole number of
// device pixels: a hinted font at these sizes gives digits of 5 or 6 pixels.
QFont fontCifre() {
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setWeight(QFont::Bold);
    f.setPixelSize(100);
    return f;
}

QPainterPath contorno(const QString& testo) {
    QPainterPath p;
    p.addText(0, 0, fontCifre(), testo);
    return p;
}

}  // namespace

const QPainterPath& Cache::contorno(const QString& testo) {
    auto it = percorsi_.find(testo);
    if (it != percorsi_.end()) return *it;
    if (percorsi_.size() >= massimo) percorsi_.clear();
    // A number is put together from its digits' outlines, side by side at their advances: the
    // same outline as the laid-out text, without a text layout for each new figure.
    const bool numero = !testo.isEmpty() && std::all_of(testo.begin(), testo.end(),
                                                        [](QChar c) { return c >= u'0' && c <= u'9'; });
    QPainterPath p;
    if (numero) {
        qreal x = 0;
        for (const QChar c : testo) {
            Cifra& cifra = cifre_[c.unicode() - u'0'];
            if (cifra.contorno.isEmpty()) {
                cifra.contorno = pulsaro::RiquadroCompatto::contorno(QString(c));
                cifra.avanzamento = QFontMetricsF(fontCifre()).horizontalAdvance(c);
            }
            p.addPath(cifra.contorno.translated(x, 0));
            x += cifra.avanzamento;
        }
    } else {
        p = pulsaro::RiquadroCompatto::contorno(testo);
    }
    return *percorsi_.insert(testo, p);
}

QImage Cache::tela(const Riepilogo& r, const QColor& sfondo, int lato, qreal dpr) {
    if (tela_.img.isNull() || tela_.lato != lato || tela_.dpr != dpr || tela_.sfondo != sfondo.rgba())
        tela_ = {lato, dpr, sfondo.rgba(),
                 RiquadroBarra::tela(r, sfondo, QSizeF(lato, lato), lato * 4.0 / 17.0, dpr)};
    QImage img = tela_.img;
    img.setText(QStringLiteral("Description"), QString::fromStdString(descrizioneRiquadro(r)));
    return img;
}

int righeMassime(int) {
    return 2;
}

int altezzaCifre(int pixel) {
    return static_cast<int>(std::floor(pixel * 3.0 / 8.0 + 0.5));
}

std::vector<std::pair<QString, QString>> righe(const Riepilogo& r, const Preferenze& p, int numeroE,
                                               int massimo) {
    std::vector<std::pair<QString, QString>> v;
    for (const auto& [etichetta, valore] : RiquadroBarra::coppie(r, p, numeroE)) {
        if (static_cast<int>(v.size()) >= massimo) break;
        v.emplace_back(etichetta.trimmed().left(1), cifre(valore));
    }
    return v;
}

QImage immagine(const Riepilogo& r, const QColor& sfondo, const Preferenze& p, int numeroE, int lato,
                qreal dpr, Cache* cache) {
    if (!(dpr > 0)) dpr = 1;
    Cache propria;
    Cache& c = cache ? *cache : propria;
    lato = std::max(lato, 16);
    const auto rr = righe(r, p, numeroE, righeMassime(lato));
    const bool conN = RiquadroBarra::mostra(p, RiquadroBarra::Voce::n);
    const QColor t = RiquadroBarra::testo(sfondo);

    QImage img = c.tela(r, sfondo, lato, dpr);
    QPainter pt(&img);
    pt.setRenderHint(QPainter::Antialiasing);
    // Laid out in device pixels, so that the digits' tops and feet fall on pixel edges.
    pt.scale(1 / dpr, 1 / dpr);
    const int L = img.width();
    const int alte = altezzaCifre(L);
    const int libero = L - 2 * alte;
    const int spazio = std::max(1, static_cast<int>(std::lround(libero / 3.0)));
    const int sopra = (libero - spazio) / 2;
    const int margine = std::max(1, static_cast<int>(std::lround(L / 22.0)));
    const int diametro = conN ? std::max(3, static_cast<int>(std::lround(L * 0.2))) : 0;
    // The figures end where the dot's column begins, right-aligned so the units line up.
    const int destra = L - margine - (conN ? diametro + margine : 0);
    const int larghezza = destra - margine;

    // One scale for both rows: the digits' ink (round ones overshoot a little) is `alte` pixels;
    // a figure too wide for the room is narrowed, never shortened.
    const QRectF cifreRif = c.contorno(QStringLiteral("0123456789")).boundingRect();
    const qreal sy = alte / cifreRif.height();
    qreal larghezzaMassima = 0;
    std::vector<QPainterPath> percorsi;
    for (const auto& riga : rr) {
        percorsi.push_back(c.contorno(riga.second));
        larghezzaMassima = std::max(larghezzaMassima, percorsi.back().boundingRect().width() * sy);
    }
    const qreal sx = larghezzaMassima > larghezza ? sy * larghezza / larghezzaMassima : sy;

    pt.setPen(Qt::NoPen);
    pt.setBrush(t);
    for (std::size_t i = 0; i < percorsi.size(); ++i) {
        const QRectF b = percorsi[i].boundingRect();
        const qreal alto = sopra + static_cast<qreal>(i) * (alte + spazio);
        QTransform m;
        m.translate(destra - b.right() * sx, alto - cifreRif.top() * sy);
        m.scale(sx, sy);
        pt.drawPath(m.map(percorsi[i]));
    }

    if (conN) {
        const QColor pallino = RiquadroBarra::colorePallino(aneAttivo(r.ane), sfondo);
        pt.setBrush(pallino);
        pt.drawEllipse(QRectF(L - margine - diametro, (L - diametro) / 2.0, diametro, diametro));
    }
    return img;
}

}  // namespace pulsaro::RiquadroCompatto
