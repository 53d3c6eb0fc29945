#include "widgets/disegno_contagiri.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRegion>
#include <algorithm>
#include <array>
#include <cmath>
#include <list>
#include <numbers>
#include <optional>
#include <unordered_map>

#include "widgets/caratteri.h"
#include "widgets/cifre.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/pittura.h"
#include "widgets/testi_statici.h"

// Why images: Qt's raster engine hands every translucent or gradient fill of more than ~96 spans
// to its thread pool and waits for it, which costs far more than the pixels themselves when a
// grid repaints eighteen gauges. So the translucent parts (track, red zone, ticks, the value arc
// and its glow) are drawn once into images that are copied, and only opaque or small shapes
// are painted on every frame. The value arc's image is a mask, coloured on every copy: its
// colour is always the one of the exact value, like the needle's and the hub's.

namespace pulsaro {

namespace {

constexpr double opacitaBagliore = 0.45 * 0.5;  // the blurred shadow's strength at the arc's edge
constexpr int cifreFrazione = 8;                // eighths of a device pixel: an edge moves by at most 1/16

QPointF polare(QPointF c, double r, double gradi) {
    const double a = gradi * std::numbers::pi / 180;
    return c + QPointF(r * std::cos(a), r * std::sin(a));
}

// The arc as a polyline with a vertex every degree of the scale, counted from its start. Qt
// flattens curves with a tolerance of a fraction of a pixel that depends on the curve's length,
// so the whole arc of the cached image and a shorter one drawn directly would not share their
// edges; these vertices are the same in both, and lie within a hundredth of a pixel of the circle.
QPainterPath arco(const GeometriaContagiri& g, const Arco& a) {
    constexpr double passo = 1;
    QPainterPath p;
    p.moveTo(polare(g.centro, g.raggio, a.inizio));
    const double fine = a.inizio + a.ampiezza;
    for (double angolo = inizioScala + passo * (std::floor((a.inizio - inizioScala) / passo) + 1);
         angolo < fine - 1e-9; angolo += passo)
        p.lineTo(polare(g.centro, g.raggio, angolo));
    p.lineTo(polare(g.centro, g.raggio, fine));
    return p;
}

void tratto(QPainter& p, const QPainterPath& percorso, const QColor& c, double lw, Qt::PenCapStyle cap) {
    p.setPen(QPen(c, lw, Qt::SolidLine, cap, Qt::MiterJoin));
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
    bagliore(p, tutto, g.lw, g.lw / 2, conOpacita(c, opacitaBagliore));
    tratto(p, tutto, c, g.lw, Qt::RoundCap);
}

// Where a gauge's images go on the device: whole pixels, with the centre's fraction of a pixel
// baked into the image.
struct Posto {
    double s = 0;  // device pixels per point
    double e = 0;  // half the image's side, in device pixels
    double x0 = 0, y0 = 0;
    long fx = 0, fy = 0;  // the centre inside the image, in `cifre`ths of a pixel
    int lato = 0;
    int cifre = cifreFrazione;

    QPointF centro() const {
        return QPointF(static_cast<double>(fx) / cifre, static_cast<double>(fy) / cifre);
    }
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
    QRgb colore;  // the scale's appearance; 0 for the arc's mask; the colour of its coloured copies
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

// One gauge on the device: its shape and fraction of a pixel, and the whole pixel it sits at.
struct ChiavePosto {
    Chiave k;
    long x0, y0;
    bool operator==(const ChiavePosto&) const = default;
};

struct HashChiavePosto {
    std::size_t operator()(const ChiavePosto& k) const noexcept {
        return (HashChiave()(k.k) * 1000003u ^ std::hash<long>()(k.x0)) * 1000003u ^ std::hash<long>()(k.y0);
    }
};

// The value arc as last painted at one place: its colour and its cut, in an image of the mask's size.
struct ArcoDipinto {
    QRgb colore = 0;
    double fine = -1;
    QImage img;
};

// The hub at one shape and fraction of a pixel: its face, its ring as a white mask, and the ring
// in the colour it was last painted in.
struct MozzoDipinto {
    QImage faccia, maschera, anello;
    QRgb colore = 0;
};

inline qsizetype occupazione(const QImage& i) {
    return i.sizeInBytes();
}
inline qsizetype occupazione(const MozzoDipinto& m) {
    return m.faccia.sizeInBytes() + m.maschera.sizeInBytes() + m.anello.sizeInBytes();
}
inline qsizetype occupazione(const ArcoDipinto& a) {
    return a.img.sizeInBytes();
}

// Images kept up to a number of bytes, the least recently used going first. A budget in bytes,
// not in images: an image at 2× is four times the size, and a cache that fills up and empties
// would make the memory saw up and down as values come and go.
template <typename K, typename H, typename V = QImage>
class CacheImmagini {
public:
    explicit CacheImmagini(qsizetype byte) : massimo_(byte) {}

    template <typename F>
    V& cerca(const K& k, F&& crea) {
        if (auto it = indice_.find(k); it != indice_.end()) {
            voci_.splice(voci_.begin(), voci_, it->second);
            return it->second->second;
        }
        voci_.emplace_front(k, crea());
        indice_[k] = voci_.begin();
        occupati_ += occupazione(voci_.front().second);
        // The newest stays even alone over the budget: it is about to be drawn.
        while (occupati_ > massimo_ && voci_.size() > 1) {
            occupati_ -= occupazione(voci_.back().second);
            indice_.erase(voci_.back().first);
            voci_.pop_back();
        }
        return voci_.front().second;
    }

    qsizetype occupati() const { return occupati_; }

private:
    using Voci = std::list<std::pair<K, V>>;
    qsizetype massimo_;
    qsizetype occupati_ = 0;
    Voci voci_;
    std::unordered_map<K, typename Voci::iterator, H> indice_;
};

using Immagini = CacheImmagini<Chiave, HashChiave>;

// A painter's gauge images: the scale per appearance, the value arc's white mask per shape and
// fraction of a pixel, and the arc as last painted at each place. The places are its gauges on
// screen, so the memory settles as soon as they have been drawn, however many values pass; about
// 8 MB at most at any screen scale.
struct Caches {
    CacheImmagini<Chiave, HashChiave, MozzoDipinto> mozzi{256 << 10};
    Immagini scale{1 << 20};
    Immagini maschere{3 << 20};
    CacheImmagini<ChiavePosto, HashChiavePosto, ArcoDipinto> archi{4 << 20};
};

// Paints with `disegna` in the gauge's own coordinates into a transparent image placed at `pos`.
template <typename F>
QImage immagine(const GeometriaContagiri& g, const Posto& pos, F&& disegna) {
    QImage img(pos.lato, pos.lato, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter q(&img);
    q.setRenderHint(QPainter::Antialiasing);
    q.translate(pos.centro());
    q.scale(pos.s, pos.s);
    q.translate(-g.centro);
    disegna(q);
    return img;
}

void copia(QPainter& p, const Posto& pos, QImage& img) {
    p.save();
    p.resetTransform();
    const QTransform base = p.deviceTransform();
    img.setDevicePixelRatio(base.m11());
    // In bands of fewer rows than the raster engine hands to its thread pool: a frame's copy then
    // wakes no other thread. The bands sit on whole device rows, so the pixels are the same.
    constexpr int banda = 64;
    for (int y = 0; y < img.height(); y += banda)
        p.drawImage(base.inverted().map(QPointF(pos.x0, pos.y0 + y)), img,
                    QRectF(0, y, img.width(), std::min(banda, img.height() - y)));
    p.restore();
}

Chiave chiave(const GeometriaContagiri& g, const Posto& pos, QRgb colore) {
    return {std::lround(g.d * 100), std::lround(pos.s * 100), pos.fx, pos.fy, colore};
}

void scala(QPainter& p, const GeometriaContagiri& g, Aspetto a, const std::optional<Posto>& pos, Caches& im) {
    if (!pos) {
        disegnaScala(p, g, a);
        return;
    }
    QImage& img = im.scale.cerca(chiave(g, *pos, a == Aspetto::scuro), [&] {
        return immagine(g, *pos, [&](QPainter& q) { disegnaScala(q, g, a); });
    });
    copia(p, *pos, img);
}

// Colour c premultiplied at each of the 256 alphas, looked up: a frame colours thousands of pixels.
std::array<QRgb, 256> tinte(const QColor& c) {
    const QRgb rgb = c.rgb();
    const unsigned r = qRed(rgb), v = qGreen(rgb), b = qBlue(rgb);
    std::array<QRgb, 256> t;
    for (unsigned al = 0; al < 256; ++al)
        t[al] = al == 0 ? 0 : qRgba((r * al + 127) / 255, (v * al + 127) / 255, (b * al + 127) / 255, al);
    return t;
}

// The mask coloured in c, within `zona` (image pixels): the mask is white, so every channel of a
// pixel is its alpha.
void colora(const QImage& maschera, QImage& destinazione, const QColor& c, QRect zona) {
    if (destinazione.size() != maschera.size()) {
        destinazione = QImage(maschera.size(), QImage::Format_ARGB32_Premultiplied);
        zona = QRect(QPoint(0, 0), maschera.size());
    }
    const std::array<QRgb, 256> tinta = tinte(c);
    for (int y = zona.top(); y <= zona.bottom(); ++y) {
        const auto* da = reinterpret_cast<const QRgb*>(maschera.constScanLine(y));
        auto* a = reinterpret_cast<QRgb*>(destinazione.scanLine(y));
        for (int x = zona.left(); x <= zona.right(); ++x) a[x] = tinta[qAlpha(da[x])];
    }
    destinazione.setDevicePixelRatio(1);  // painted in device pixels; copia() sets the ratio back
}

// The image pixels of the ring's sector between two angles of the scale, with the glow and a
// pixel more on every side.
QRect settore(const GeometriaContagiri& g, const Posto& pos, double da, double a) {
    const QPointF centro = pos.centro();
    const double esterno = (g.raggio + g.lw + 2) * pos.s;
    const double interno = std::max(0.0, g.raggio - g.lw - 2) * pos.s;
    const QRectF r = riquadroSettore(centro, interno, esterno, da, a);
    return QRect(
        QPoint(static_cast<int>(std::floor(r.left())) - 2, static_cast<int>(std::floor(r.top())) - 2),
        QPoint(static_cast<int>(std::ceil(r.right())) + 2, static_cast<int>(std::ceil(r.bottom())) + 2));
}

// The halo beyond the end of a cut arc: a half disc whose alpha falls off as the rings' does,
// from the stroke's edge to the glow's, as a radial gradient of 12 steps would. It moves with
// every frame of a spring, so it is worked out pixel by pixel into a small image: the raster
// engine's gradient fill of a half disc, in bands, cost more than the rest of the value arc.
void aloneFinale(QPainter& p, const GeometriaContagiri& g, const QColor& c, double fine) {
    const QPointF punta = polare(g.centro, g.raggio, fine);
    const double r0 = g.lw / 2;
    const double r = g.lw;  // the stroke's half width and the halo of lw / 2
    constexpr int passi = 12;
    static const std::array<double, passi + 2> alfa = [] {
        std::array<double, passi + 2> a{};
        for (int i = 0; i <= passi; ++i)
            a[static_cast<std::size_t>(i)] = alphaBagliore(opacitaBagliore, static_cast<double>(i) / passi);
        return a;
    }();
    const QTransform t = p.deviceTransform();
    const QPointF centro = t.map(punta);
    const double raggio = r * t.m11();
    const double interno = r0 / r;
    const double a = fine * std::numbers::pi / 180;
    const double ux = -std::sin(a), uy = std::cos(a);  // onwards along the scale
    const int x0 = static_cast<int>(std::floor(centro.x() - raggio)) - 1;
    const int y0 = static_cast<int>(std::floor(centro.y() - raggio)) - 1;
    const int lato = static_cast<int>(std::ceil(2 * raggio)) + 3;
    QImage img(lato, lato, QImage::Format_ARGB32_Premultiplied);
    const std::array<QRgb, 256> tinta = tinte(c);
    const double r2 = raggio * raggio;
    for (int y = 0; y < lato; ++y) {
        auto* riga = reinterpret_cast<QRgb*>(img.scanLine(y));
        const double dy = y0 + y + 0.5 - centro.y();
        for (int x = 0; x < lato; ++x) {
            const double dx = x0 + x + 0.5 - centro.x();
            const double d2 = dx * dx + dy * dy;
            // Beyond the cut only, its edge smoothed over a pixel.
            const double copertura = dx * ux + dy * uy + 0.5;
            if (d2 >= r2 || copertura <= 0) {
                riga[x] = 0;
                continue;
            }
            const double u = std::clamp((std::sqrt(d2 / r2) - interno) / (1 - interno), 0.0, 1.0) * passi;
            const auto k = static_cast<std::size_t>(u);
            const double f = u - static_cast<double>(k);
            const double al = (alfa[k] * (1 - f) + alfa[k + 1] * f) * std::min(copertura, 1.0);
            riga[x] = tinta[static_cast<unsigned>(al * 255 + 0.5)];
        }
    }
    p.save();
    p.resetTransform();
    const QTransform base = p.deviceTransform();
    img.setDevicePixelRatio(base.m11());
    p.drawImage(base.inverted().map(QPointF(x0, y0)), img);
    p.restore();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawEllipse(punta, r0, r0);
}

// How far past the scale's end the cut reaches: beyond the end cap and its glow.
double oltreScala(const GeometriaContagiri& g) {
    return std::min(60.0, g.lw / g.raggio * 180 / std::numbers::pi + 5);
}

// The value arc: the whole arc's mask in its colour, cut at the value, with the end drawn on top.
void arcoValore(QPainter& p, const GeometriaContagiri& g, const QColor& c, const std::optional<Posto>& pos,
                Caches& im) {
    if (g.arcoValore.ampiezza <= 0) return;
    if (!pos) {
        const QPainterPath valore = arco(g, g.arcoValore);
        bagliore(p, valore, g.lw, g.lw / 2, conOpacita(c, opacitaBagliore));
        tratto(p, valore, c, g.lw, Qt::RoundCap);
        return;
    }
    const QImage& maschera = im.maschere.cerca(chiave(g, *pos, 0), [&] {
        return immagine(g, *pos, [&](QPainter& q) { disegnaArcoPieno(q, g, Qt::white); });
    });
    const double fine = g.arcoValore.inizio + g.arcoValore.ampiezza;
    const bool intero = fine >= g.traccia.inizio + g.traccia.ampiezza;
    // Between two samples a gauge at rest keeps its colour and its cut: nothing to redo.
    ArcoDipinto& a = im.archi.cerca(
        ChiavePosto{chiave(g, *pos, 0), static_cast<long>(pos->x0), static_cast<long>(pos->y0)}, [&] {
            return ArcoDipinto{0, -1, QImage(maschera.size(), QImage::Format_ARGB32_Premultiplied)};
        });
    if (a.colore != c.rgba() || a.fine != fine) {
        // A spring's frame moves the cut a few degrees in the same colour: only the ring's sector
        // between the two cuts changes, so only that part of the image is made again.
        const double fineScala = g.traccia.inizio + g.traccia.ampiezza;
        const bool aPezzi = a.colore == c.rgba() && a.fine >= 0 && a.fine < fineScala && !intero;
        const double finoA = aPezzi ? std::min(fineScala + oltreScala(g), std::max(a.fine, fine) + 90)
                                    : fineScala + oltreScala(g);
        const QRect zona = aPezzi ? settore(g, *pos, std::min(a.fine, fine), std::max(a.fine, fine))
                                        .intersected(QRect(QPoint(0, 0), a.img.size()))
                                  : QRect(QPoint(0, 0), a.img.size());
        a.colore = c.rgba();
        a.fine = fine;
        colora(maschera, a.img, c, zona);
        if (!intero) {
            // Clear the ring past the value, from the cut round to beyond the scale's end cap. No
            // smoothing: the cut's opaque part is covered by the round cap, and on the faint glow
            // a pixel edge does not show, while a smoothed fill this size costs most of the gauge.
            QPainter q(&a.img);
            q.setCompositionMode(QPainter::CompositionMode_Source);
            q.setClipRect(zona);
            q.translate(pos->centro());
            q.scale(pos->s, pos->s);
            const double esterno = g.raggio + g.lw + 2;
            const double interno = std::max(0.0, g.raggio - g.lw - 2);
            // Patching, the ring past the sector is already clear: the cut need not reach far.
            const double ampiezza = finoA - fine;
            QPainterPath anello;
            anello.arcMoveTo(QRectF(-esterno, -esterno, 2 * esterno, 2 * esterno), -fine);
            anello.arcTo(QRectF(-esterno, -esterno, 2 * esterno, 2 * esterno), -fine, -ampiezza);
            anello.arcTo(QRectF(-interno, -interno, 2 * interno, 2 * interno), -(fine + ampiezza), ampiezza);
            anello.closeSubpath();
            q.fillPath(anello, Qt::transparent);
        }
    }
    copia(p, *pos, a.img);
    if (!intero) aloneFinale(p, g, c, fine);
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

// The hub: a disc of the card's colour with a 1.5 ring in the load colour. Stroking a circle on
// every frame cost as much as the needle, so the face and the ring's mask are drawn once per
// shape and fraction of a pixel, and copied; the ring is coloured again only when its colour
// changes. Without a place on whole device pixels (a rotated painter) it is drawn directly.
void mozzo(QPainter& p, const GeometriaContagiri& g, const QColor& c, Aspetto a, bool suPixel, Caches& im) {
    const double m = g.diametroMozzo;
    const QTransform t = p.deviceTransform();
    const double s = t.m11();
    if (!suPixel) {
        p.setBrush(Tema::card(a));
        p.setPen(QPen(c, 1.5));
        p.drawEllipse(g.centro, m / 2, m / 2);
        return;
    }
    // The hub's own small place. A gauge's centre stays where its widget is: a fine fraction costs
    // no more images, and the small circle then falls where the painter would put it.
    const QPointF centro = t.map(g.centro);
    Posto h;
    h.s = s;
    h.e = (m / 2 + 0.75) * s + 1;
    h.x0 = std::floor(centro.x() - h.e);
    h.y0 = std::floor(centro.y() - h.e);
    h.cifre = 1024;
    h.fx = std::lround((centro.x() - h.x0) * h.cifre);
    h.fy = std::lround((centro.y() - h.y0) * h.cifre);
    h.lato = static_cast<int>(std::ceil(2 * h.e)) + 2;
    const Chiave k{std::lround(m * 64), std::lround(s * 64), h.fx, h.fy, Tema::card(a).rgba()};
    MozzoDipinto& d = im.mozzi.cerca(k, [&] {
        const auto disegna = [&](const QBrush& pennello, const QPen& penna) {
            return immagine(g, h, [&](QPainter& q) {
                q.setBrush(pennello);
                q.setPen(penna);
                q.drawEllipse(g.centro, m / 2, m / 2);
            });
        };
        return MozzoDipinto{
            disegna(Tema::card(a), Qt::NoPen), disegna(Qt::NoBrush, QPen(Qt::white, 1.5)), {}, 0};
    });
    if (d.anello.isNull() || d.colore != c.rgba()) {
        colora(d.maschera, d.anello, c, QRect(QPoint(0, 0), d.maschera.size()));
        d.colore = c.rgba();
    }
    copia(p, h, d.faccia);
    copia(p, h, d.anello);
}

// Fonts of the two texts for a dial size, at their fractional sizes; the grid asks for the same
// size many times.
struct CaratteriContagiri {
    double d = -1;
    QFont base;
    CarattereScalato valore, etichetta;
    double hValore = 0, hEtichetta = 0;
};

const CaratteriContagiri& caratteri(double d, CaratteriContagiri& c) {
    const QFont base = carattere(12);
    if (c.d != d || !(c.base == base)) {
        c.d = d;
        c.base = base;
        c.valore = carattereScalato(0.13 * d, QFont::Bold);
        c.etichetta = carattereScalato(0.085 * d, QFont::DemiBold);
        c.hValore = QFontMetricsF(c.valore.font).height() * c.valore.scala;
        c.hEtichetta = QFontMetricsF(c.etichetta.font).height() * c.etichetta.scala;
    }
    return c;
}

// One line centred on x with its line box's top at `alto`; the value's digits in steady cells.
void testoCentratoSu(QPainter& p, const CarattereScalato& f, double x, double alto, const QString& testo,
                     bool cifre) {
    const double w = (cifre ? misuraCifre(testo, f.font) : misuraTesto(testo, f.font)).width();
    const QTransform prima = p.transform();
    p.translate(x, alto);
    p.scale(f.scala, f.scala);
    const QPointF angolo(-w / 2, 0);
    if (cifre)
        disegnaCifre(p, angolo, testo, f.font);
    else
        disegnaTesto(p, angolo, testo, f.font);
    p.setTransform(prima);
}

}  // namespace

struct ImmaginiContagiri::Dentro {
    Caches immagini;
    CaratteriContagiri caratteri;
};

ImmaginiContagiri::ImmaginiContagiri() : d_(std::make_unique<Dentro>()) {}
ImmaginiContagiri::~ImmaginiContagiri() = default;

qsizetype ImmaginiContagiri::memoria() const {
    const Caches& c = d_->immagini;
    return c.mozzi.occupati() + c.scale.occupati() + c.maschere.occupati() + c.archi.occupati();
}

void disegnaContagiri(QPainter& p, const QRectF& cornice, double f, const QString& testo,
                      const QString& etichetta, Aspetto a, ImmaginiContagiri& immagini, const QRegion* zona) {
    ImmaginiContagiri::Dentro& im = *immagini.d_;
    const GeometriaContagiri g = geometriaContagiri(cornice, f);
    if (g.d <= 0) return;
    const QColor c = Tema::carico(f * 100);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const std::optional<Posto> pos = posto(p, g);

    scala(p, g, a, pos, im.immagini);
    arcoValore(p, g, c, pos, im.immagini);
    ago(p, g, c, a);

    mozzo(p, g, c, a, pos.has_value(), im.immagini);

    const CaratteriContagiri& k = caratteri(g.d, im.caratteri);
    const double he = etichetta.isEmpty() ? 0 : k.hEtichetta;
    const double alto = g.centroTesti.y() - (k.hValore + he) / 2;
    // Most frames move only the needle and the arc's end: the texts under the hub stay as painted.
    // Their box is wider than either line can be (0.8 d against some 0.4 d for "100%").
    const QRectF testi(g.centroTesti.x() - 0.4 * g.d, alto, 0.8 * g.d, k.hValore + he);
    if (zona && !zona->intersects(testi.toAlignedRect().adjusted(-2, -2, 2, 2))) {
        p.restore();
        return;
    }
    p.setPen(Tema::testoPrimario(a));
    testoCentratoSu(p, k.valore, g.centroTesti.x(), alto, testo, true);
    if (!etichetta.isEmpty()) {
        p.setPen(Tema::muted(a));
        testoCentratoSu(p, k.etichetta, g.centroTesti.x(), alto + k.hValore, etichetta, false);
    }
    p.restore();
}

}  // namespace pulsaro
