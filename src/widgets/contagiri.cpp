#include "widgets/contagiri.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "widgets/caratteri.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/pittura.h"

namespace pulsaro {

namespace {

QPainterPath arco(const GeometriaContagiri& g, const Arco& a) {
    const QRectF cerchio(g.centro.x() - g.raggio, g.centro.y() - g.raggio, 2 * g.raggio, 2 * g.raggio);
    QPainterPath p;
    // Qt counts angles counter-clockwise: negate the screen angles.
    p.arcMoveTo(cerchio, -a.inizio);
    p.arcTo(cerchio, -a.inizio, -a.ampiezza);
    return p;
}

void tratto(QPainter& p, const QPainterPath& percorso, const QColor& c, double lw, Qt::PenCapStyle cap) {
    p.setPen(QPen(c, lw, Qt::SolidLine, cap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(percorso);
}

}  // namespace

void disegnaContagiri(QPainter& p, const QRectF& cornice, double f, const QString& testo, const QString& etichetta,
                      Aspetto a) {
    const GeometriaContagiri g = geometriaContagiri(cornice, f);
    if (g.d <= 0) return;
    const QColor c = Tema::carico(f * 100);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);

    tratto(p, arco(g, g.traccia), Tema::line(a), g.lw, Qt::RoundCap);
    tratto(p, arco(g, g.zonaRossa), conOpacita(Tema::red(a), 0.45), g.lw, Qt::FlatCap);
    if (g.arcoValore.ampiezza > 0) {
        const QPainterPath valore = arco(g, g.arcoValore);
        bagliore(p, valore, g.lw, g.lw / 2, conOpacita(c, 0.45 * 0.5));
        tratto(p, valore, c, g.lw, Qt::RoundCap);
    }

    p.setPen(Qt::NoPen);
    const QColor muted = Tema::muted(a);
    for (const Tacca& t : g.tacche) {
        p.save();
        p.translate(t.centro);
        p.rotate(t.angolo - 270);
        p.setBrush(conOpacita(muted, t.opacita));
        p.drawPath(capsula(QRectF(-t.larghezza / 2, -t.altezza / 2, t.larghezza, t.altezza)));
        p.restore();
    }

    p.save();
    p.translate(g.centro);
    p.rotate(g.angoloAgo - 270);
    const QPainterPath ago = capsula(QRectF(-g.larghezzaAgo / 2, -g.lunghezzaAgo, g.larghezzaAgo, g.lunghezzaAgo));
    ombra(p, ago, 1.5, QColor(0, 0, 0, 32));
    QLinearGradient sfumatura(0, -g.lunghezzaAgo, 0, 0);
    sfumatura.setColorAt(0, Tema::text(a));
    sfumatura.setColorAt(1, c);
    p.setPen(Qt::NoPen);
    p.setBrush(sfumatura);
    p.drawPath(ago);
    p.restore();

    const double m = g.diametroMozzo;
    const QRectF mozzo(g.centro.x() - m / 2, g.centro.y() - m / 2, m, m);
    p.setBrush(Tema::card(a));
    p.setPen(QPen(c, 1.5));
    p.drawEllipse(mozzo);

    const QFont fontValore = carattere(g.dimensioneValore, QFont::Bold);
    const QFont fontEtichetta = carattere(g.dimensioneEtichetta, QFont::DemiBold);
    const double hv = QFontMetricsF(fontValore).height();
    const double he = etichetta.isEmpty() ? 0 : QFontMetricsF(fontEtichetta).height();
    const double alto = g.centroTesti.y() - (hv + he) / 2;
    p.setFont(fontValore);
    p.setPen(Tema::testoPrimario(a));
    testoCentrato(p, QPointF(g.centroTesti.x(), alto + hv / 2), testo);
    if (!etichetta.isEmpty()) {
        p.setFont(fontEtichetta);
        p.setPen(Tema::muted(a));
        testoCentrato(p, QPointF(g.centroTesti.x(), alto + hv + he / 2), etichetta);
    }
    p.restore();
}

Contagiri::Contagiri(QWidget* padre) : QWidget(padre), molla_(this, [this] { update(); }) {}

Contagiri::Contagiri(double valore, const QColor& colore, const QString& etichetta, bool attivo, QWidget* padre)
    : Contagiri(padre) {
    imposta(valore, colore, etichetta, attivo);
}

void Contagiri::imposta(double valore, const QColor& colore, const QString& etichetta, bool attivo) {
    valore_ = valore;
    colore_ = colore;
    etichetta_ = etichetta;
    attivo_ = attivo;
    // Only a gauge on screen springs; a hidden one is simply at its value when shown.
    molla_.vaiA(frazioneContagiri(valore, attivo), isVisible());
    update();
}

QString Contagiri::testo() const { return testoContagiri(valore_, attivo_); }

void Contagiri::paintEvent(QPaintEvent*) {
    QPainter p(this);
    disegnaContagiri(p, contentsRect(), molla_.valore(), testo(), etichetta_, Tema::aspetto());
}

void Contagiri::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
