#include "widgets/selettore_segmentato.h"

#include <QEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "widgets/caratteri.h"
#include "widgets/pittura.h"
#include "widgets/tema.h"

namespace pulsaro {

namespace {
constexpr double raggio = 6;
constexpr double interno = 2;  // the raised segment's inset
QFont fontVoce(bool scelta) {
    return carattere(12, scelta ? QFont::DemiBold : QFont::Normal);
}
}  // namespace

SelettoreSegmentato::SelettoreSegmentato(const QStringList& voci, QWidget* padre)
    : QWidget(padre), voci_(voci) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::TabFocus);
}

void SelettoreSegmentato::setScelta(int i) {
    if (i == scelta_ || i < 0 || i >= voci_.size()) return;
    scelta_ = i;
    update();
}

QRectF SelettoreSegmentato::segmento(int i) const {
    const double w = static_cast<double>(width()) / std::max<qsizetype>(1, voci_.size());
    return {i * w, 0, w, static_cast<double>(height())};
}

QSize SelettoreSegmentato::sizeHint() const {
    return {220, 24};
}

void SelettoreSegmentato::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const Aspetto a = Tema::aspetto();
    p.setPen(Qt::NoPen);
    p.setBrush(conOpacita(Tema::testoPrimario(a), 0.08));
    p.drawRoundedRect(QRectF(rect()), raggio, raggio);
    for (int i = 0; i < voci_.size(); ++i) {
        const QRectF s = segmento(i);
        const bool scelta = i == scelta_;
        if (scelta) {
            const QRectF su = s.adjusted(interno, interno, -interno, -interno);
            p.setBrush(conOpacita(Qt::black, 0.12));
            p.drawRoundedRect(su.translated(0, 0.5), raggio - interno, raggio - interno);
            p.setBrush(a == Aspetto::scuro ? Tema::chip(a) : Tema::card(a));
            p.drawRoundedRect(su, raggio - interno, raggio - interno);
        } else if (i > 0 && i - 1 != scelta_) {
            p.fillRect(QRectF(s.left() - 0.5, s.top() + 6, 1, s.height() - 12),
                       conOpacita(Tema::testoPrimario(a), 0.15));
        }
        p.setPen(Tema::testoPrimario(a));
        p.setFont(fontVoce(scelta));
        p.drawText(s, Qt::AlignCenter | Qt::TextSingleLine, voci_[i]);
        p.setPen(Qt::NoPen);
    }
}

void SelettoreSegmentato::mousePressEvent(QMouseEvent* e) {
    e->setAccepted(e->button() == Qt::LeftButton);
}

void SelettoreSegmentato::mouseReleaseEvent(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    for (int i = 0; i < voci_.size(); ++i)
        if (segmento(i).contains(e->position()) && i != scelta_) {
            setScelta(i);
            if (cambiata_) cambiata_(i);
        }
}

void SelettoreSegmentato::keyPressEvent(QKeyEvent* e) {
    const int passo = e->key() == Qt::Key_Left ? -1 : e->key() == Qt::Key_Right ? 1 : 0;
    const int nuova = scelta_ + passo;
    if (passo == 0 || nuova < 0 || nuova >= voci_.size()) {
        QWidget::keyPressEvent(e);
        return;
    }
    setScelta(nuova);
    if (cambiata_) cambiata_(nuova);
}

void SelettoreSegmentato::changeEvent(QEvent* e) {
    if (e->type() == QEvent::PaletteChange || e->type() == QEvent::ApplicationPaletteChange) update();
    QWidget::changeEvent(e);
}

}  // namespace pulsaro
