#include "barra/riquadro_compatto.h"

#include <QFont>
#include <QFontDatabase>
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
QPainterPath contorno(const QString& testo) {
    QFont f = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    f.setWeight(QFont::Bold);
    f.setPixelSize(100);
    QPainterPath p;
    p.addText(0, 0, f, testo);
    return p;
}

}  // namespace

const QPainterPath& Contorni::di(const QString& testo) {
    auto it = percorsi_.find(testo);
    if (it == percorsi_.end()) {
        if (percorsi_.size() >= massimo) percorsi_.clear();
        it = percorsi_.insert(testo, contorno(testo));
    }
    return *it;
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
                qreal dpr, Contorni* contorni) {
    if (!(dpr > 0)) dpr = 1;
    Contorni propri;
    Contorni& c = contorni ? *contorni : propri;
    lato = std::max(lato, 16);
    const auto rr = righe(r, p, numeroE, righeMassime(lato));
    const bool conN = RiquadroBarra::mostra(p, RiquadroBarra::Voce::n);
    const QColor t = RiquadroBarra::testo(sfondo);

    QImage img = RiquadroBarra::tela(r, sfondo, QSizeF(lato, lato), lato * 4.0 / 17.0, dpr);
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
    const QRectF cifreRif = c.di(QStringLiteral("0123456789")).boundingRect();
    const qreal sy = alte / cifreRif.height();
    qreal larghezzaMassima = 0;
    std::vector<QPainterPath> percorsi;
    for (const auto& riga : rr) {
        percorsi.push_back(c.di(riga.second));
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
