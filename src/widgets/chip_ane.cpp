#include "widgets/chip_ane.h"

#include <QEasingCurve>
#include <QEvent>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QVariantAnimation>
#include <cmath>
#include <map>
#include <tuple>

#include "widgets/accessibile.h"
#include "widgets/caratteri.h"
#include "widgets/geometria_chip.h"
#include "widgets/pittura.h"

namespace pulsaro {

namespace {
const QColor etichettaAccesa = QColor::fromRgbF(0.08f, 0.36f, 0.16f);

QPainterPath rettangoloArrotondato(const QRectF& r, double raggio) {
    QPainterPath p;
    p.addRoundedRect(r, raggio, raggio);
    return p;
}

// The glow at full strength is a ring per device pixel: drawn once into an image, placed on whole
// device pixels with the body's fraction of a pixel (in eighths) baked in, then copied at the
// strength of the light, so a fade costs no more than a copy per frame.
void bagliore(QPainter& p, const GeometriaChip& g, const QColor& colore, double luce, ImmaginiChip& im) {
    const QPainterPath forma = rettangoloArrotondato(g.corpo, g.raggioCorpo);
    const QTransform t = p.deviceTransform();
    if (t.type() > QTransform::TxScale || t.m11() <= 0 || std::abs(t.m11() - t.m22()) > 1e-9) {
        ombra(p, forma, g.raggioBagliore, conOpacita(colore, luce));
        return;
    }
    const double s = t.m11();
    const QRectF fuori = g.corpo.adjusted(-g.raggioBagliore - 2, -g.raggioBagliore - 2, g.raggioBagliore + 2,
                                          g.raggioBagliore + 2);
    const QPointF angolo = t.map(fuori.topLeft());
    const QPoint intero(static_cast<int>(std::floor(angolo.x())), static_cast<int>(std::floor(angolo.y())));
    const long fx = std::lround((angolo.x() - intero.x()) * 8),
               fy = std::lround((angolo.y() - intero.y()) * 8);
    const QSize lato(static_cast<int>(std::ceil(fuori.width() * s)) + 2,
                     static_cast<int>(std::ceil(fuori.height() * s)) + 2);
    auto& immagini = im.bagliori;
    const std::tuple<long, long, long, long, QRgb> k{std::lround(g.c * 100), std::lround(s * 100), fx, fy,
                                                     colore.rgba()};
    auto it = immagini.find(k);
    if (it == immagini.end()) {
        if (immagini.size() >= ImmaginiChip::massimo) immagini.clear();
        QImage img(lato, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter q(&img);
        q.setRenderHint(QPainter::Antialiasing);
        q.translate(fx / 8.0, fy / 8.0);
        q.scale(s, s);
        q.translate(-fuori.topLeft());
        ombra(q, forma, g.raggioBagliore, colore);
        q.end();
        it = immagini.emplace(k, std::move(img)).first;
    }
    p.save();
    p.resetTransform();
    const QTransform base = p.deviceTransform();
    it->second.setDevicePixelRatio(base.m11());
    p.setOpacity(p.opacity() * luce);
    p.drawImage(base.inverted().map(QPointF(intero)), it->second);
    p.restore();
}
void disegnaDiretto(QPainter& p, const GeometriaChip& g, double luce, const QString& etichetta, Aspetto a,
                    ImmaginiChip& im) {
    const QColor piedini = mescola(conOpacita(Tema::muted(a), 0.5), Tema::green(a), luce);
    const QColor corpo = mescola(Tema::card(a), Tema::greenLight(a), luce);
    const QColor bordo = mescola(Tema::line(a), Tema::green(a), luce);
    const QColor bordoDie = conOpacita(bordo, 0.6 + 0.2 * luce);
    const QColor testo = mescola(Tema::muted(a), etichettaAccesa, luce);

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(piedini);
    for (const QRectF& r : g.piedini) p.drawPath(capsula(r));

    const QPainterPath forma = rettangoloArrotondato(g.corpo, g.raggioCorpo);
    if (luce > 0) bagliore(p, g, conOpacita(Tema::green(a), 0.55 * 0.5), luce, im);
    p.setBrush(corpo);
    p.setPen(QPen(bordo, g.bordo));
    p.drawPath(forma);

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(bordoDie, g.bordoDie));
    p.drawPath(rettangoloArrotondato(g.die, g.raggioDie));

    if (!etichetta.isEmpty()) {
        p.setPen(testo);
        testoCentrato(p, g.centro, etichetta, carattereScalato(g.dimensioneEtichetta, QFont::Bold));
    }
    p.restore();
}

// Everything the chip covers: the pins and the glow around the body.
QRectF ingombro(const GeometriaChip& g) {
    QRectF r = g.corpo.adjusted(-g.raggioBagliore - 2, -g.raggioBagliore - 2, g.raggioBagliore + 2,
                                g.raggioBagliore + 2);
    for (const QRectF& piede : g.piedini) r = r.united(piede.adjusted(-1, -1, 1, 1));
    return r;
}

// Off or fully lit, the chip is one image per size, place on the pixel grid, look and label: its
// outlines and label cost more than the rest of the header, and it is repainted with it.
bool disegnaFermo(QPainter& p, const GeometriaChip& g, double luce, const QString& etichetta, Aspetto a,
                  ImmaginiChip& im) {
    const QTransform t = p.deviceTransform();
    if ((luce != 0 && luce != 1) || t.type() > QTransform::TxScale || t.m11() <= 0 ||
        std::abs(t.m11() - t.m22()) > 1e-9)
        return false;
    const double s = t.m11();
    const QRectF fuori = ingombro(g);
    const QPointF angolo = t.map(fuori.topLeft());
    const QPoint intero(static_cast<int>(std::floor(angolo.x())), static_cast<int>(std::floor(angolo.y())));
    // The exact fraction of a pixel: rounded, the edges and the label would blur by a shade.
    const QPointF frazione = angolo - QPointF(intero);
    const long fx = std::lround(frazione.x() * 1024), fy = std::lround(frazione.y() * 1024);
    auto& immagini = im.fermi;
    std::tuple<long, long, long, long, int, bool, QString, QString> k{
        std::lround(g.c * 100), std::lround(s * 100), fx, fy, static_cast<int>(a), luce == 1, etichetta,
        QFont().key()};
    auto it = immagini.find(k);
    if (it == immagini.end()) {
        if (immagini.size() >= ImmaginiChip::massimo) immagini.clear();
        QImage img(static_cast<int>(std::ceil(fuori.width() * s)) + 2,
                   static_cast<int>(std::ceil(fuori.height() * s)) + 2, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter q(&img);
        q.translate(frazione);
        q.scale(s, s);
        q.translate(-fuori.topLeft());
        disegnaDiretto(q, g, luce, etichetta, a, im);
        q.end();
        it = immagini.emplace(std::move(k), std::move(img)).first;
    }
    p.save();
    p.resetTransform();
    const QTransform base = p.deviceTransform();
    it->second.setDevicePixelRatio(base.m11());
    p.drawImage(base.inverted().map(QPointF(intero)), it->second);
    p.restore();
    return true;
}
}  // namespace

void disegnaChipANE(QPainter& p, const QRectF& cornice, double luce, const QString& etichetta, Aspetto a,
                    ImmaginiChip& immagini) {
    const GeometriaChip g = geometriaChip(cornice);
    if (g.c <= 0) return;
    if (!disegnaFermo(p, g, luce, etichetta, a, immagini)) disegnaDiretto(p, g, luce, etichetta, a, immagini);
}

ChipANE::ChipANE(QWidget* padre) : QWidget(padre), dissolvenza_(new QVariantAnimation(this)) {
    QEasingCurve curva(QEasingCurve::BezierSpline);
    curva.addCubicBezierSegment(QPointF(0.42, 0), QPointF(0.58, 1), QPointF(1, 1));
    dissolvenza_->setEasingCurve(curva);
    dissolvenza_->setDuration(durataChipMs);
    connect(dissolvenza_, &QVariantAnimation::valueChanged, this, [this](const QVariant& v) {
        luce_ = v.toDouble();
        update();
    });
}

ChipANE::ChipANE(bool acceso, const QString& etichetta, QWidget* padre) : ChipANE(padre) {
    etichetta_ = etichetta;
    setAcceso(acceso);
}

void ChipANE::setAcceso(bool acceso) {
    const double obiettivo = acceso ? 1 : 0;
    const bool cambiato = acceso != acceso_;
    acceso_ = acceso;
    if (cambiato) annunciaValore(this);
    if (!isVisible()) {
        // Nothing to see fade: the new state at once, even in the middle of a fade.
        dissolvenza_->stop();
        if (luce_ != obiettivo) {
            luce_ = obiettivo;
            update();
        }
        return;
    }
    const bool inCorso = dissolvenza_->state() == QAbstractAnimation::Running;
    if (inCorso ? dissolvenza_->endValue().toDouble() == obiettivo : luce_ == obiettivo) return;
    dissolvenza_->stop();
    dissolvenza_->setStartValue(luce_);
    dissolvenza_->setEndValue(obiettivo);
    dissolvenza_->start();
}

void ChipANE::setEtichetta(const QString& etichetta) {
    etichetta_ = etichetta;
    update();
}

void ChipANE::paintEvent(QPaintEvent*) {
    QPainter p(this);
    disegnaChipANE(p, contentsRect(), luce_, etichetta_, Tema::aspetto(), immagini_);
}

void ChipANE::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
