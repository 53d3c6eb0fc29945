#include "impostazioni/anteprima_riquadro.h"

#include <QPaintEngine>
#include <QPainter>
#include <cmath>

#include "barra/riquadro_barra.h"

namespace pulsaro {

namespace {
constexpr int margine = 6;
}

AnteprimaRiquadro::AnteprimaRiquadro(const Preferenze& preferenze, const QColor& colore, QWidget* parent,
                                     int numeroE)
    : QWidget(parent), preferenze_(preferenze), colore_(colore), numeroE_(numeroE) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

Riepilogo AnteprimaRiquadro::campione() {
    Riepilogo r;
    r.memoria = 62;
    r.cpu = 23;
    r.core = CoreImpegnati{4, 2, 6, 4};
    r.gpu = 5;
    r.ane = 30;
    return r;
}

int AnteprimaRiquadro::numeroE() const {
    return numeroE_ >= 0 ? numeroE_ : campione().core.numeroE;
}

void AnteprimaRiquadro::setColore(const QColor& colore) {
    colore_ = colore;
    update();
}

void AnteprimaRiquadro::aggiorna() {
    updateGeometry();
    update();
}

QSize AnteprimaRiquadro::sizeHint() const {
    const QSizeF s = RiquadroBarra::dimensione(campione(), preferenze_, numeroE());
    return {static_cast<int>(std::ceil(s.width())) + 2 * margine,
            static_cast<int>(std::ceil(s.height())) + 2 * margine};
}

void AnteprimaRiquadro::paintEvent(QPaintEvent*) {
    // The choices are read again at every paint, so the preview follows the check boxes.
    QPainter p(this);
    // The device actually painted on: a screen, or an image when the widget is rendered.
    const QPaintDevice* destinazione = p.paintEngine() ? p.paintEngine()->paintDevice() : nullptr;
    const qreal dpr = destinazione ? destinazione->devicePixelRatioF() : devicePixelRatioF();
    const QImage tile = RiquadroBarra::immagine(campione(), colore_, preferenze_, numeroE(), dpr);
    const QSizeF logica = tile.deviceIndependentSize();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, qRound(0.08 * 255)));
    p.drawRoundedRect(QRectF(0, 0, logica.width() + 2 * margine, logica.height() + 2 * margine), 6, 6);
    p.drawImage(QPointF(margine, margine), tile);
}

}  // namespace pulsaro
