#include "widgets/etichetta_ane.h"

#include <QEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

#include "widgets/caratteri.h"
#include "widgets/pittura.h"
#include "widgets/secondo_carattere.h"

namespace pulsaro {

namespace {
QFont fontEtichetta() {
    return secondoCarattere([] { return carattere(9, QFont::Bold); });
}
}  // namespace

QString testoEtichettaANE() {
    return QStringLiteral("ANE");
}

QString suggerimentoANE() {
    return QStringLiteral("Usa il Neural Engine (consumo per processo non disponibile)");
}

QSizeF dimensioneEtichettaANE() {
    return secondoCarattere([] {
        const QFontMetricsF m(fontEtichetta());
        return QSizeF(std::ceil(m.horizontalAdvance(testoEtichettaANE())) + 10, std::ceil(m.height()) + 2);
    });
}

void disegnaEtichettaANE(QPainter& p, const QPointF& origine, Aspetto a) {
    const QRectF r(origine, dimensioneEtichettaANE());
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QColor verde = Tema::green(a);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(conOpacita(verde, 0.7), 1));
    p.drawPath(capsula(r.adjusted(0.5, 0.5, -0.5, -0.5)));  // the whole line inside the frame
    p.setFont(fontEtichetta());
    p.setPen(verde);
    p.drawText(r, Qt::AlignCenter | Qt::TextSingleLine, testoEtichettaANE());
    p.restore();
}

EtichettaANE::EtichettaANE(QWidget* padre) : QWidget(padre) {
    setToolTip(suggerimentoANE());
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize EtichettaANE::sizeHint() const {
    return dimensioneEtichettaANE().toSize();
}

void EtichettaANE::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const QSizeF s = dimensioneEtichettaANE();
    disegnaEtichettaANE(p, QPointF((width() - s.width()) / 2, (height() - s.height()) / 2), Tema::aspetto());
}

void EtichettaANE::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
