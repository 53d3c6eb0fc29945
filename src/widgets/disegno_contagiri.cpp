#include "widgets/disegno_contagiri.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <unordered_map>

#include "widgets/caratteri.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/pittura.h"
#include "widgets/testi_statici.h"

// Why images: Qt's raster engine hands every translucent or gradient fill of more than ~96 spans
// to its thread pool and waits for it, which costs far more than the pixels themselves when a
// grid repaints eighteen gauges. So the translucent parts (track, red zone, ticks, the value arc
// and its glow) are drawn once into images that are copied, and only opaque or small shapes
// are painted on every frame.

namespace pulsaro {

namespace {

constexpr double opacitaBagliore = 0.45 * 0.5;  // the blurred shadow's strength at the arc's edge
constexpr int anelliBagliore = 4;               // rings of halo standing in for the blur
constexpr int cifreFrazione = 2;                // halves of a device pixel: finer does not show

QPainterPath arco(const GeometriaContagiri& g, const Arco& a) {
    const QRectF cerchio(g.centro.x() - g.raggio, g.centro.y() - g.raggio, 2 * g.raggio, 2 * g.raggio);
    QPainterPath p;
    // Qt counts angles counter-clockwise: negate the screen angles.
    p.arcMoveTo(cerchio, -a.inizio);
    p.arcTo(cerchio, -a.inizio, -a.ampiezza);
    return p;
}

QPointF polare(QPointF c, double r, double gradi) {
    const double a = gradi * std::numbers::pi / 180;
    return c + QPointF(r * std::cos(a), r * std::sin(a));
}

void tratto(QPainter& p, const QPainterPath& percorso, const QColor& c, double lw, Qt::PenCapStyle cap) {
    p.setPen(QPen(c, lw, Qt::SolidLine, cap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(percorso);
}

// Track, red zone and ticks: what does not move with the value.
void disegnaScala(QPainter& p, const GeometriaContagiri& g, Aspetto a) {
    tratto(p, arco(g, g.traccia), Tema::line(a), g.lw, Qt::RoundCap);
    tratto(p, arco(g, g.zonaRossa), conOpacita(Tema::red(a), 0.45), g.lw, Qt::FlatCap);
    p.setPen(Qt::NoPen);
    const QColor muted = Tema::muted(a);
    for (const Tacca& t : g.tacche) {
        const QTransform prima = p.transform();
        p.translate(t.centro);
        p.rotate(t.angolo - 270);
        p.setBrush(conOpacita(muted, t.opacita));
        p.drawPath(capsula(QRectF(-t.larghezza / 2, -t.altezza / 2, t.larghezza, t.altezza)));
        p.setTransform(prima);
    }
}

// The value arc over the whole scale with its glow, in colour c.
void disegnaArcoPieno(QPainter& p, const GeometriaContagiri& g, const QColor& c) {
    const QPainterPath tutto = arco(g, g.traccia);
    bagliore(p, tutto, g.lw, g.lw / 2, conOpacita(c, opacitaBagliore), anelliBagliore);
    tratto(p, tutto, c, g.lw, Qt::RoundCap);
}

// Where a gauge's images go on the device: whole pixels, with the centre's fraction of a pixel
// baked into the image.
struct Posto {
    double s = 0;  // device pixels per point
    double e = 0;  // half the image's side, in device pixels
    double x0 = 0, y0 = 0;
    long fx = 0, fy = 0;  // the centre inside the image, in halves of a pixel
    int lato = 0;
};

std::optional<Posto> posto(const QPainter& p, const GeometriaContagiri& g) {
    const QTransform t = p.deviceTransform();
    Posto r;
    r.s = t.m11();
    if (t.type() > QTransform::TxScale || r.s <= 0 || std::abs(r.s - t.m22()) > 1e-9) return std::nullopt;
    const QPointF c = t.map(g.centro);
    r.e = (g.raggio + g.lw + 2) * r.s;
    r.x0 = std::floor(c.x() - r.e);
    r.y0 = std::floor(c.y() - r.e);
    r.fx = std::lround((c.x() - r.x0) * cifreFrazione);
    r.fy = std::lround((c.y() - r.y0) * cifreFrazione);
    r.lato = static_cast<int>(std::ceil(2 * r.e)) + 2;
    return r;
}

struct Chiave {
    long d, scala, fx, fy;
    QRgb colore;  // the scale's appearance, or the arc's colour
    bool operator==(const Chiave&) const = default;
};

struct HashChiave {
    std::size_t operator()(const Chiave& k) const noexcept {
        std::size_t h = std::hash<long>()(k.d);
        for (long v : {k.scala, k.fx, k.fy, static_cast<long>(k.colore)})
            h = h * 1000003u ^ std::hash<long>()(v);
        return h;
    }
};

using Immagini = std::unordered_map<Chiave, QImage, HashChiave>;

// Paints with `disegna` in the gauge's own coordinates into a transparent image placed at `pos`.
template <typename F>
QImage immagine(const GeometriaContagiri& g, const Posto& pos, F&& disegna) {
    QImage img(pos.lato, pos.lato, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter q(&img);
    q.setRenderHint(QPainter::Antialiasing);
    q.translate(static_cast<double>(pos.fx) / cifreFrazione, static_cast<double>(pos.fy) / cifreFrazione);
    q.scale(pos.s, pos.s);
    q.translate(-g.centro);
    disegna(q);
    return img;
}

template <typename F>
QImage& cercaImmagine(Immagini& cache, const Chiave& k, std::size_t massimo, F&& crea) {
    auto it = cache.find(k);
    if (it != cache.end()) return it->second;
    if (cache.size() >= massimo) cache.clear();
    return cache.emplace(k, crea()).first->second;
}

void copia(QPainter& p, const Posto& pos, QImage& img) {
    p.save();
    p.resetTransform();
    const QTransform base = p.deviceTransform();
    img.setDevicePixelRatio(base.m11());
    p.drawImage(base.inverted().map(QPointF(pos.x0, pos.y0)), img);
    p.restore();
}

Chiave chiave(const GeometriaContagiri& g, const Posto& pos, QRgb colore) {
    return {std::lround(g.d * 100), std::lround(pos.s * 100), pos.fx, pos.fy, colore};
}

void scala(QPainter& p, const GeometriaContagiri& g, Aspetto a, const std::optional<Posto>& pos) {
    if (!pos) {
        disegnaScala(p, g, a);
        return;
    }
    static Immagini cache;
    QImage& img = cercaImmagine(cache, chiave(g, *pos, a == Aspetto::scuro), 32, [&] {
        return immagine(g, *pos, [&](QPainter& q) { disegnaScala(q, g, a); });
    });
    copia(p, *pos, img);
}

// The value arc: the whole arc in its colour, cut at the value, with the end cap drawn on top.
void arcoValore(QPainter& p, const GeometriaContagiri& g, const QColor& c, const std::optional<Posto>& pos) {
    if (g.arcoValore.ampiezza <= 0) return;
    if (!pos) {
        const QPainterPath valore = arco(g, g.arcoValore);
        bagliore(p, valore, g.lw, g.lw / 2, conOpacita(c, opacitaBagliore), anelliBagliore);
        tratto(p, valore, c, g.lw, Qt::RoundCap);
        return;
    }
    static Immagini cache;
    // The image's colour is the load colour of the whole percent: within the ramp's blends the
    // steps are too small to see, and the images needed stay few.
    const QColor cImmagine = Tema::carico(std::round(g.f * 100));
    QImage& pieno = cercaImmagine(cache, chiave(g, *pos, cImmagine.rgba()), 64, [&] {
        return immagine(g, *pos, [&](QPainter& q) { disegnaArcoPieno(q, g, cImmagine); });
    });
    const double fine = g.arcoValore.inizio + g.arcoValore.ampiezza;
    if (fine >= g.traccia.inizio + g.traccia.ampiezza) {
        copia(p, *pos, pieno);
        return;
    }

    static QImage taglio;
    if (taglio.size() != pieno.size()) taglio = QImage(pieno.size(), QImage::Format_ARGB32_Premultiplied);
    std::memcpy(taglio.bits(), pieno.constBits(), static_cast<std::size_t>(pieno.sizeInBytes()));
    taglio.setDevicePixelRatio(1);  // painted in device pixels; copia() sets the ratio back
    {
        // Clear the ring past the value, from the cut round to beyond the scale's end cap. No
        // smoothing: the cut's opaque part is covered by the round cap, and on the faint glow a
        // pixel edge does not show, while a smoothed fill this size costs most of the gauge.
        QPainter q(&taglio);
        q.setCompositionMode(QPainter::CompositionMode_Source);
        q.translate(static_cast<double>(pos->fx) / cifreFrazione,
                    static_cast<double>(pos->fy) / cifreFrazione);
        q.scale(pos->s, pos->s);
        const double oltre = std::min(60.0, g.lw / g.raggio * 180 / std::numbers::pi + 5);
        const double esterno = g.raggio + g.lw + 2;
        const double interno = std::max(0.0, g.raggio - g.lw - 2);
        const double ampiezza = g.traccia.inizio + g.traccia.ampiezza + oltre - fine;
        QPainterPath anello;
        anello.arcMoveTo(QRectF(-esterno, -esterno, 2 * esterno, 2 * esterno), -fine);
        anello.arcTo(QRectF(-esterno, -esterno, 2 * esterno, 2 * esterno), -fine, -ampiezza);
        anello.arcTo(QRectF(-interno, -interno, 2 * interno, 2 * interno), -(fine + ampiezza), ampiezza);
        anello.closeSubpath();
        q.fillPath(anello, Qt::transparent);
    }
    copia(p, *pos, taglio);

    // The round end: the halo's rings beyond the cut, as half discs of the same alpha, then the cap.
    const QPointF punta = polare(g.centro, g.raggio, fine);
    p.setPen(Qt::NoPen);
    p.setBrush(conOpacita(c, 1 - std::pow(1 - opacitaBagliore, 1.0 / anelliBagliore)));
    for (int k = anelliBagliore; k >= 1; --k) {
        const double r = g.lw / 2 + g.lw / 2 * k / anelliBagliore;
        QPainterPath alone;
        alone.moveTo(polare(punta, r, fine));
        alone.arcTo(QRectF(punta.x() - r, punta.y() - r, 2 * r, 2 * r), -fine, -180);
        alone.closeSubpath();
        p.drawPath(alone);
    }
    p.setBrush(c);
    p.drawEllipse(punta, g.lw / 2, g.lw / 2);
}

// The needle: a capsule from the centre outwards with a vertical gradient from the text colour at
// the tip to c at the centre, filled in three short pieces so that no fill is big enough to be
// handed to the thread pool. Each piece overlaps the next by a point: no seam shows between them.
void ago(QPainter& p, const GeometriaContagiri& g, const QColor& c, Aspetto a) {
    const QTransform prima = p.transform();
    p.translate(g.centro);
    p.rotate(g.angoloAgo - 270);
    const double w = g.larghezzaAgo;
    const double l = g.lunghezzaAgo;

    p.setRenderHint(QPainter::Antialiasing, false);  // a faint shadow needs no smoothing
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 26));  // about the mean of a 0.25 shadow blurred over 1.5 points
    p.drawPath(capsula(QRectF(-w / 2 - 1, -l - 1, w + 2, l + 2)));
    p.setRenderHint(QPainter::Antialiasing, true);

    QLinearGradient sfumatura(0, -l, 0, 0);
    sfumatura.setColorAt(0, Tema::text(a));
    sfumatura.setColorAt(1, c);
    p.setBrush(sfumatura);
    constexpr int pezzi = 3;
    // From the tip inwards; each later piece overlaps the one before, so the rounded lower end
    // of the tip's capsule is covered and only the tip stays round (the hub covers the centre).
    const double taglioPunta = l * (pezzi - 1) / pezzi;
    p.drawPath(capsula(QRectF(-w / 2, -l, w, l - taglioPunta + w)));
    for (int k = pezzi - 2; k >= 0; --k) {
        const double dalCentro = l * k / pezzi;
        const double fino = l * (k + 1) / pezzi + 1;
        p.drawRect(QRectF(-w / 2, -fino, w, fino - dalCentro));
    }
    p.setTransform(prima);
}

// Fonts of the two texts for a dial size; the grid asks for the same size many times.
struct CaratteriContagiri {
    double d = -1;
    QFont base;
    QFont valore, etichetta;
    double hValore = 0, hEtichetta = 0;
};

const CaratteriContagiri& caratteri(double d) {
    static CaratteriContagiri c;
    const QFont base = carattere(12);
    if (c.d != d || !(c.base == base)) {
        c.d = d;
        c.base = base;
        c.valore = carattere(0.13 * d, QFont::Bold);
        c.etichetta = carattere(0.085 * d, QFont::DemiBold);
        c.hValore = QFontMetricsF(c.valore).height();
        c.hEtichetta = QFontMetricsF(c.etichetta).height();
    }
    return c;
}

void testoCentratoSu(QPainter& p, const QFont& f, double x, double alto, const QString& testo) {
    disegnaTesto(p, QPointF(x - misuraTesto(testo, f).width() / 2, alto), testo, f);
}

}  // namespace

void disegnaContagiri(QPainter& p, const QRectF& cornice, double f, const QString& testo,
                      const QString& etichetta, Aspetto a) {
    const GeometriaContagiri g = geometriaContagiri(cornice, f);
    if (g.d <= 0) return;
    const QColor c = Tema::carico(f * 100);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const std::optional<Posto> pos = posto(p, g);

    scala(p, g, a, pos);
    arcoValore(p, g, c, pos);
    ago(p, g, c, a);

    const double m = g.diametroMozzo;
    p.setBrush(Tema::card(a));
    p.setPen(QPen(c, 1.5));
    p.drawEllipse(g.centro, m / 2, m / 2);

    const CaratteriContagiri& k = caratteri(g.d);
    const double he = etichetta.isEmpty() ? 0 : k.hEtichetta;
    const double alto = g.centroTesti.y() - (k.hValore + he) / 2;
    p.setPen(Tema::testoPrimario(a));
    testoCentratoSu(p, k.valore, g.centroTesti.x(), alto, testo);
    if (!etichetta.isEmpty()) {
        p.setPen(Tema::muted(a));
        testoCentratoSu(p, k.etichetta, g.centroTesti.x(), alto + k.hValore, etichetta);
    }
    p.restore();
}

}  // namespace pulsaro
