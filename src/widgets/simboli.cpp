#include "widgets/simboli.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <QTransform>
#include <array>
#include <cmath>
#include <numbers>

namespace pulsaro {

namespace {

// Every symbol is designed in a 100 × 100 square (y down; large enough for the path
// operations to flatten curves finely); strokes are ~1/10 of the size,
// which matches a semibold glyph.
constexpr qreal progetto = 100.0;
constexpr qreal tratto = 10.0;

qreal radianti(qreal gradi) {
    return gradi * std::numbers::pi / 180.0;
}

QPointF polare(QPointF centro, qreal raggio, qreal gradi) {
    // Angles counter-clockwise from the right, as on a dial; y grows downwards.
    return {centro.x() + raggio * std::cos(radianti(gradi)), centro.y() - raggio * std::sin(radianti(gradi))};
}

QPainterPath contorno(const QPainterPath& linea, qreal larghezza = tratto) {
    QPainterPathStroker s;
    s.setWidth(larghezza);
    s.setCapStyle(Qt::RoundCap);
    s.setJoinStyle(Qt::RoundJoin);
    QPainterPath p = s.createStroke(linea);
    p.setFillRule(Qt::WindingFill);
    return p.simplified();
}

QPainterPath cerchio(QPointF c, qreal r) {
    QPainterPath p;
    p.addEllipse(c, r, r);
    return p;
}

QPainterPath spezzata(std::initializer_list<QPointF> punti) {
    QPainterPath p;
    bool primo = true;
    for (const QPointF& q : punti) {
        if (primo)
            p.moveTo(q);
        else
            p.lineTo(q);
        primo = false;
    }
    return p;
}

const QPointF centro{50.0, 50.0};

QPainterPath contagiri() {
    // Ring, seven dots on a 270° scale, a needle at two thirds of it and its hub.
    QPainterPath anello = cerchio(centro, 50.0).subtracted(cerchio(centro, 50.0 - tratto));
    QPainterPath p = anello;
    for (int i = 0; i < 7; ++i) p = p.united(cerchio(polare(centro, 29.0, 225.0 - i * 45.0), 4.5));
    const qreal angoloAgo = 225.0 - 0.67 * 270.0;
    QPainterPath ago;
    ago.moveTo(centro);
    ago.lineTo(polare(centro, 30.0, angoloAgo));
    p = p.united(contorno(ago, 9.0));
    p = p.united(cerchio(centro, 10.0));
    return p;
}

QPainterPath spunta() {
    return cerchio(centro, 50.0).subtracted(contorno(spezzata({{28.0, 52.0}, {44.0, 67.0}, {72.0, 35.0}})));
}

QPainterPath croce() {
    QPainterPath x = spezzata({{33.0, 33.0}, {67.0, 67.0}});
    x.addPath(spezzata({{67.0, 33.0}, {33.0, 67.0}}));
    return cerchio(centro, 50.0).subtracted(contorno(x));
}

QPainterPath avviso() {
    // A triangle with rounded corners: the polygon grown by half a stroke with round joins.
    const QPolygonF vertici({{50.0, 10.0}, {94.0, 88.0}, {6.0, 88.0}});
    QPainterPath triangolo;
    triangolo.addPolygon(vertici);
    triangolo.closeSubpath();
    QPainterPathStroker s;
    s.setWidth(10.0);
    s.setJoinStyle(Qt::RoundJoin);
    triangolo = triangolo.united(s.createStroke(triangolo));
    QPainterPath segno = contorno(spezzata({{50.0, 38.0}, {50.0, 60.0}}), 10.0);
    segno = segno.united(cerchio({50.0, 75.0}, 5.5));
    return triangolo.subtracted(segno);
}

QPainterPath chevronDestra() {
    return contorno(spezzata({{36.0, 14.0}, {66.0, 50.0}, {36.0, 86.0}}), 12.0);
}

QPainterPath indietro() {
    // Arrow head at the top left, a line to the right that turns down and comes back.
    QPainterPath linea;
    linea.moveTo(20.0, 30.0);
    linea.lineTo(62.0, 30.0);
    linea.arcTo(QRectF(40.0, 30.0, 44.0, 44.0), 90, -180);
    linea.lineTo(42.0, 74.0);
    QPainterPath p = contorno(linea);
    return p.united(contorno(spezzata({{36.0, 13.0}, {18.0, 30.0}, {36.0, 47.0}})));
}

QPolygonF ruota(qreal esterno, qreal interno) {
    // Eight trapezoidal teeth.
    QPolygonF g;
    for (int i = 0; i < 8; ++i) {
        const qreal a = i * 45.0;
        g << polare(centro, interno, a - 15.5) << polare(centro, esterno, a - 8.5)
          << polare(centro, esterno, a + 8.5) << polare(centro, interno, a + 15.5);
    }
    g << g.front();
    return g;
}

QPainterPath ingranaggioPieno() {
    QPainterPath g;
    g.addPolygon(ruota(50.0, 39.0));
    g.closeSubpath();
    return g.subtracted(cerchio(centro, 16.0));
}

QPainterPath ingranaggio() {
    // Outline drawn inside the same bounds as the filled gear.
    QPainterPath g;
    g.addPolygon(ruota(50.0 - tratto / 2, 39.0 - tratto / 2));
    g.closeSubpath();
    QPainterPathStroker s;
    s.setWidth(tratto * 0.9);
    s.setJoinStyle(Qt::RoundJoin);
    QPainterPath p = s.createStroke(g);
    p.setFillRule(Qt::WindingFill);
    return p.simplified().united(contorno(cerchio(centro, 15.0), tratto * 0.9));
}

QPainterPath unitario(Simbolo s) {
    switch (s) {
        case Simbolo::contagiri:
            return contagiri();
        case Simbolo::spunta:
            return spunta();
        case Simbolo::croce:
            return croce();
        case Simbolo::avviso:
            return avviso();
        case Simbolo::chevronDestra:
            return chevronDestra();
        case Simbolo::indietro:
            return indietro();
        case Simbolo::ingranaggio:
            return ingranaggio();
        case Simbolo::ingranaggioPieno:
            return ingranaggioPieno();
    }
    return {};
}

// Built once: the boolean path operations are far slower than filling.
const QPainterPath& cache(Simbolo s) {
    static const auto percorsi = [] {
        std::array<QPainterPath, std::size(tuttiISimboli)> a;
        // Results of the path operations are simplified, without overlaps: any fill rule works.
        for (Simbolo x : tuttiISimboli) a[static_cast<std::size_t>(x)] = unitario(x).simplified();
        return a;
    }();
    return percorsi[static_cast<std::size_t>(s)];
}

}  // namespace

std::string_view nomeSimbolo(Simbolo s) {
    switch (s) {
        case Simbolo::contagiri:
            return "gauge.with.dots.needle.67percent";
        case Simbolo::spunta:
            return "checkmark.circle.fill";
        case Simbolo::croce:
            return "xmark.circle.fill";
        case Simbolo::avviso:
            return "exclamationmark.triangle.fill";
        case Simbolo::chevronDestra:
            return "chevron.right";
        case Simbolo::indietro:
            return "arrow.uturn.backward";
        case Simbolo::ingranaggio:
            return "gearshape";
        case Simbolo::ingranaggioPieno:
            return "gearshape.fill";
    }
    return {};
}

std::optional<Simbolo> simboloDaNome(std::string_view nome) {
    for (Simbolo s : tuttiISimboli)
        if (nomeSimbolo(s) == nome) return s;
    return std::nullopt;
}

QPainterPath percorsoSimbolo(Simbolo s, const QRectF& r) {
    const qreal lato = std::min(r.width(), r.height());
    if (!(lato > 0)) return {};
    QTransform t;
    t.translate(r.x() + (r.width() - lato) / 2, r.y() + (r.height() - lato) / 2);
    t.scale(lato / progetto, lato / progetto);
    return t.map(cache(s));
}

void disegnaSimbolo(QPainter& p, Simbolo s, const QRectF& r, const QColor& colore) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(colore);
    p.drawPath(percorsoSimbolo(s, r));
    p.restore();
}

QImage immagineSimbolo(Simbolo s, QSizeF dimensione, const QColor& colore, qreal dpr) {
    if (!(dpr > 0)) dpr = 1.0;
    const QSize pixel(static_cast<int>(std::ceil(dimensione.width() * dpr)),
                      static_cast<int>(std::ceil(dimensione.height() * dpr)));
    if (pixel.isEmpty()) return {};
    QImage img(pixel, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::transparent);
    QPainter p(&img);
    disegnaSimbolo(p, s, QRectF(QPointF(0, 0), dimensione), colore);
    return img;
}

}  // namespace pulsaro
