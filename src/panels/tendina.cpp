#include "panels/tendina.h"

#include <QEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

#include "widgets/caratteri.h"
#include "widgets/tema.h"

namespace pulsaro {

namespace {
constexpr double raggio = 6;  // the segmented picker's corner and height
constexpr int altezza = 24;
constexpr int margine = 10;
constexpr int spazioChevron = 16;
}  // namespace

Tendina::Tendina(QWidget* padre) : QComboBox(padre) {
    setFont(carattere(12));
    setFixedHeight(altezza);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize Tendina::sizeHint() const {
    int larghezza = 0;
    for (int i = 0; i < count(); ++i)
        larghezza = std::max(larghezza, fontMetrics().horizontalAdvance(itemText(i)));
    return {larghezza + 2 * margine + spazioChevron, altezza};
}

void Tendina::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Aspetto a = Tema::aspetto();
    const QRectF r(rect());
    p.setPen(Qt::NoPen);
    p.setBrush(conOpacita(Tema::testoPrimario(a), 0.08));
    p.drawRoundedRect(r, raggio, raggio);
    if (hasFocus()) {
        p.setPen(QPen(Tema::control(a), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(0.75, 0.75, -0.75, -0.75), raggio - 0.75, raggio - 0.75);
    }
    const QColor testo = isEnabled() ? Tema::testoPrimario(a) : Tema::testoSecondario(a);
    p.setPen(testo);
    p.setFont(font());
    p.drawText(r.adjusted(margine, 0, -spazioChevron, 0),
               Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, currentText());
    // A chevron pointing down, 7 × 4, centred in its room at the right.
    const QPointF c(r.right() - margine / 2.0 - spazioChevron / 2.0 + 2, r.center().y());
    QPainterPath v;
    v.moveTo(c + QPointF(-3.5, -1.75));
    v.lineTo(c + QPointF(0, 1.75));
    v.lineTo(c + QPointF(3.5, -1.75));
    p.setPen(QPen(testo, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(v);
}

void Tendina::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QComboBox::changeEvent(e);
}

}  // namespace pulsaro
