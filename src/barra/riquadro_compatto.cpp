#include "barra/riquadro_compatto.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPainter>
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

// The largest pixel size, up to `massimo`, at which the text fits the width.
QFont fonteCheEntra(const QString& testo, qreal larghezza, qreal massimo, QFont::Weight peso) {
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setWeight(peso);
    for (qreal px = massimo; px > 5; px -= 0.5) {
        f.setPixelSize(static_cast<int>(px));
        if (QFontMetricsF(f).horizontalAdvance(testo) <= larghezza) break;
    }
    return f;
}

}  // namespace

int righeMassime(int lato) {
    return lato >= 32 ? 3 : 2;
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
                qreal dpr) {
    if (!(dpr > 0)) dpr = 1;
    lato = std::max(lato, 16);
    const int nRighe = righeMassime(lato);
    const auto rr = righe(r, p, numeroE, nRighe);
    const bool conN = RiquadroBarra::mostra(p, RiquadroBarra::Voce::n);
    const QColor t = RiquadroBarra::testo(sfondo);

    QImage img = RiquadroBarra::tela(r, sfondo, QSizeF(lato, lato), lato * 4.0 / 17.0, dpr);
    QPainter pt(&img);
    pt.setRenderHint(QPainter::Antialiasing);
    pt.setRenderHint(QPainter::TextAntialiasing);

    // The dot takes a narrow column on the right, the rows the rest.
    const qreal margine = std::max(1.5, lato / 14.0);
    const qreal diametro = conN ? std::round(lato * 0.25) : 0;
    const qreal larghezzaTesto = lato - 2 * margine - (conN ? diametro + margine / 2 : 0);
    const qreal altezzaRiga = (lato - 2 * margine) / std::max<std::size_t>(rr.size(), 1);

    // A 22-pixel slot has room for the figures alone, as large as they fit; the order is the
    // tile's and the tooltip names them.
    const bool conIniziali = lato >= 32;
    QString campione = QStringLiteral("00");  // every row at the size the widest one allows
    for (const auto& [l, v] : rr) {
        const QString riga = conIniziali ? l + QStringLiteral(" ") + v : v;
        if (riga.size() > campione.size()) campione = riga;
    }
    const QFont valori = fonteCheEntra(campione, larghezzaTesto, altezzaRiga * 1.1, QFont::Bold);
    QFont iniziali = valori;
    iniziali.setWeight(QFont::Medium);
    iniziali.setPixelSize(std::max(5, static_cast<int>(valori.pixelSize() * 0.8)));
    const QFontMetricsF mv(valori), mi(iniziali);

    pt.setPen(t);
    for (std::size_t i = 0; i < rr.size(); ++i) {
        const auto& [l, v] = rr[i];
        const qreal alto = margine + i * altezzaRiga;
        const qreal linea = alto + (altezzaRiga + mv.capHeight()) / 2;
        if (conIniziali) {
            pt.setFont(iniziali);
            pt.drawText(QPointF(margine, linea), l);
        }
        pt.setFont(valori);
        pt.drawText(QPointF(margine + larghezzaTesto - mv.horizontalAdvance(v), linea), v);
    }

    if (conN) {
        const QColor pallino = RiquadroBarra::colorePallino(aneAttivo(r.ane), sfondo);
        pt.setPen(Qt::NoPen);
        pt.setBrush(pallino);
        pt.drawEllipse(QRectF(lato - margine - diametro, (lato - diametro) / 2, diametro, diametro));
    }
    return img;
}

}  // namespace pulsaro::RiquadroCompatto
