#include "widgets/geometria_contagiri.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace pulsaro {

namespace {
QPointF polare(QPointF centro, double raggio, double gradi) {
    const double a = gradi * std::numbers::pi / 180;
    return centro + QPointF(raggio * std::cos(a), raggio * std::sin(a));
}
}  // namespace

double frazioneContagiri(double valore, bool attivo) {
    if (!attivo || !(valore > 0)) return 0;
    return std::min(valore, 100.0) / 100;
}

GeometriaContagiri geometriaContagiri(const QRectF& cornice, double f) {
    GeometriaContagiri g;
    const double w = cornice.width();
    const double h = cornice.height();
    g.f = f;
    g.d = std::max(0.0, std::min(w, 1.15 * h));
    g.lw = std::max(0.07 * g.d, 3.0);
    g.centro = QPointF(cornice.left() + w / 2, cornice.top() + h / 2 - 0.02 * g.d);
    g.lato = 0.9 * g.d;
    g.raggio = g.lato / 2;

    g.traccia = {inizioScala, ampiezzaScala};
    g.zonaRossa = {inizioScala + inizioZonaRossa * ampiezzaScala, (1 - inizioZonaRossa) * ampiezzaScala};
    g.arcoValore = {inizioScala, std::max(0.0, f) * ampiezzaScala};

    for (int i = 0; i <= 10; ++i) {
        Tacca& t = g.tacche[static_cast<std::size_t>(i)];
        t.maggiore = i % 5 == 0;
        t.angolo = inizioScala + ampiezzaScala * i / 10;
        t.larghezza = t.maggiore ? 2 : 1;
        t.altezza = (t.maggiore ? 0.09 : 0.055) * g.d;
        t.opacita = t.maggiore ? 0.9 : 0.45;
        t.centro = polare(g.centro, 0.32 * g.d, t.angolo);
    }

    g.angoloAgo = inizioScala + f * ampiezzaScala;
    g.larghezzaAgo = std::max(0.025 * g.d, 2.0);
    g.lunghezzaAgo = 0.36 * g.d;
    g.diametroMozzo = 0.1 * g.d;
    g.dimensioneValore = 0.13 * g.d;
    g.dimensioneEtichetta = 0.085 * g.d;
    g.centroTesti = g.centro + QPointF(0, 0.3 * g.d);

    // The scale passes 0°, 180° and 270°; its lowest points are its two ends at 150° and 30°.
    const double esterno = g.raggio + g.lw;  // half the stroke plus a glow of lw / 2
    const double basso = g.raggio * std::sin((inizioScala - 90) * std::numbers::pi / 180) + g.lw;
    g.ingombro = QRectF(g.centro.x() - esterno, g.centro.y() - esterno, 2 * esterno, esterno + basso);
    return g;
}

QRegion regioneMovimentoContagiri(const QRectF& cornice, double f0, double f1, bool tuttoLArco) {
    const GeometriaContagiri a = geometriaContagiri(cornice, std::clamp(f0, 0.0, 1.0));
    const GeometriaContagiri b = geometriaContagiri(cornice, std::clamp(f1, 0.0, 1.0));
    if (!(a.d > 0)) return {};
    QRegion parti;
    // The needle's capsule and its shadow, a point more on every side for the smoothing, in three
    // pieces along its length: a slanted needle's own rectangle would be mostly empty.
    constexpr int pezzi = 3;
    const auto ago = [&](const GeometriaContagiri& g) {
        const double m = g.larghezzaAgo / 2 + 2;
        for (int k = 0; k < pezzi; ++k)
            parti += QRectF(polare(g.centro, g.lunghezzaAgo * k / pezzi, g.angoloAgo),
                            polare(g.centro, g.lunghezzaAgo * (k + 1) / pezzi, g.angoloAgo))
                         .normalized()
                         .adjusted(-m, -m, m, m)
                         .toAlignedRect();
    };
    ago(a);
    ago(b);
    const double mozzo = a.diametroMozzo / 2 + 2;
    parti += QRectF(a.centro - QPointF(mozzo, mozzo), QSizeF(2 * mozzo, 2 * mozzo)).toAlignedRect();
    // The arc's centre line between the two cuts.
    const double da = tuttoLArco ? inizioScala : std::min(a.angoloAgo, b.angoloAgo);
    const double a1 = std::max(a.angoloAgo, b.angoloAgo);
    // Half the stroke and the glow of lw / 2 beyond it; the end's halo reaches as far.
    const double m = a.lw + 2;
    parti += riquadroSettore(a.centro, a.raggio, a.raggio, da, a1).adjusted(-m, -m, m, m).toAlignedRect();
    return parti;
}

QRectF riquadroSettore(QPointF centro, double r0, double r1, double da, double a) {
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    const auto includi = [&](double angolo) {
        for (double r : {r0, r1}) {
            const QPointF p = polare(centro, r, angolo);
            x0 = std::min(x0, p.x());
            y0 = std::min(y0, p.y());
            x1 = std::max(x1, p.x());
            y1 = std::max(y1, p.y());
        }
    };
    // Its ends and the quarter turns it passes.
    includi(da);
    includi(a);
    for (double q = 90 * std::ceil(da / 90); q < a; q += 90) includi(q);
    return QRectF(QPointF(x0, y0), QPointF(x1, y1));
}

QMarginsF sbordoContagiri(const QSizeF& cornice) {
    const QRectF r(QPointF(0, 0), cornice);
    const QRectF e = geometriaContagiri(r, 0).ingombro;
    const auto fuori = [](double x) { return std::max(0.0, std::ceil(x)); };
    return {fuori(r.left() - e.left()), fuori(r.top() - e.top()), fuori(e.right() - r.right()),
            fuori(e.bottom() - r.bottom())};
}

namespace {
// A frame whose dial is d wide and centred on `centro`.
QRectF cornicePer(double d, QPointF centro) {
    const double h = d / 1.15;
    return QRectF(centro.x() - d / 2, centro.y() + 0.02 * d - h / 2, d, h);
}
}  // namespace

QRectF corniceContagiri(const QRectF& spazio) {
    if (!(spazio.width() > 0) || !(spazio.height() > 0)) return spazio;
    const auto entra = [&](double d) {
        const QRectF e = geometriaContagiri(cornicePer(d, QPointF(0, 0)), 0).ingombro;
        return e.width() <= spazio.width() && e.height() <= spazio.height();
    };
    // The covered size grows with the dial: halve the interval down to a hundredth of a point.
    double basso = 0;
    double alto = std::min(spazio.width(), 1.15 * spazio.height());
    if (!entra(alto)) {
        while (alto - basso > 0.01) {
            const double medio = (basso + alto) / 2;
            (entra(medio) ? basso : alto) = medio;
        }
        alto = basso;
    }
    const double d = alto;
    // Where a frame of the whole space puts the dial, moved just enough to keep it inside.
    const QRectF e = geometriaContagiri(cornicePer(d, QPointF(0, 0)), 0).ingombro;
    const double primo = spazio.top() - e.top();
    const double ultimo = std::max(primo, spazio.bottom() - e.bottom());  // equal when nothing fits
    const double y = std::clamp(spazio.center().y() - 0.02 * d, primo, ultimo);
    return cornicePer(d, QPointF(spazio.center().x(), y));
}

QString testoContagiri(double valore, bool attivo) {
    if (!attivo) return QStringLiteral("—");
    return valore < 10 ? QString::asprintf("%.1f%%", valore) : QString::asprintf("%.0f%%", valore);
}

int colonneGriglia(double larghezza) {
    const int n =
        static_cast<int>(std::floor((larghezza + spaziaturaGriglia) / (colonnaMinima + spaziaturaGriglia)));
    return std::max(1, n);
}

double altezzaScheda(double altezzaIntestazione) {
    return 2 * paddingScheda + altezzaIntestazione + spaziaturaScheda + altezzaContagiriScheda;
}

std::vector<QRectF> rettangoliSchede(double larghezza, int quante, double altezza) {
    std::vector<QRectF> r;
    if (quante <= 0) return r;
    const int colonne = colonneGriglia(larghezza);
    const double colonna = std::max(0.0, (larghezza - spaziaturaGriglia * (colonne - 1)) / colonne);
    r.reserve(static_cast<std::size_t>(quante));
    for (int i = 0; i < quante; ++i) {
        const int c = i % colonne;
        const int riga = i / colonne;
        r.emplace_back(c * (colonna + spaziaturaGriglia), riga * (altezza + spaziaturaGriglia), colonna,
                       altezza);
    }
    return r;
}

double altezzaGriglia(double larghezza, int quante, double altezza) {
    if (quante <= 0) return 0;
    const int colonne = colonneGriglia(larghezza);
    const int righe = (quante + colonne - 1) / colonne;
    return righe * altezza + (righe - 1) * spaziaturaGriglia;
}

LayoutScheda layoutScheda(const QRectF& scheda, double altezzaIntestazione) {
    LayoutScheda l;
    const QRectF dentro = scheda.adjusted(paddingScheda, paddingScheda, -paddingScheda, -paddingScheda);
    l.intestazione = QRectF(dentro.left(), dentro.top(), dentro.width(), altezzaIntestazione);
    const double y = l.intestazione.bottom() + spaziaturaScheda;
    const double larghezza = std::max(0.0, (dentro.width() - spaziaturaContagiri) / 2);
    l.contagiri[0] = QRectF(dentro.left(), y, larghezza, altezzaContagiriScheda);
    l.contagiri[1] =
        QRectF(dentro.left() + larghezza + spaziaturaContagiri, y, larghezza, altezzaContagiriScheda);
    return l;
}

}  // namespace pulsaro
