#include "widgets/pozzetto_colore.h"

#include <QColorDialog>
#include <QPainter>

#include "widgets/tema.h"

namespace pulsaro {

PozzettoColore::PozzettoColore(const QString& titolo, QWidget* padre)
    : QAbstractButton(padre), titolo_(titolo) {
    setAccessibleName(titolo);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(this, &QAbstractButton::clicked, this, &PozzettoColore::apri);
}

void PozzettoColore::setColore(const QColor& c) {
    colore_ = c;
    update();
}

void PozzettoColore::apri() {
    if (scelta_) {
        scelta_->raise();
        scelta_->activateWindow();
        return;
    }
    scelta_ = new QColorDialog(colore_, this);
    scelta_->setAttribute(Qt::WA_DeleteOnClose);
    scelta_->setWindowTitle(titolo_);
    scelta_->setOption(QColorDialog::ShowAlphaChannel, false);
    connect(scelta_, &QColorDialog::currentColorChanged, this, [this](const QColor& c) {
        if (c.isValid()) emit scelto(c);
    });
    connect(scelta_, &QColorDialog::colorSelected, this, [this](const QColor& c) {
        if (c.isValid()) emit scelto(c);
    });
    connect(scelta_, &QDialog::rejected, this, &PozzettoColore::annullato);
    emit aperto();
    scelta_->open();
}

void PozzettoColore::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const bool scuro = Tema::aspetto() == Aspetto::scuro;
    const QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
    p.setPen(QPen(scuro ? QColor(255, 255, 255, 60) : QColor(0, 0, 0, 60), 1));
    p.setBrush(scuro ? QColor(255, 255, 255, 20) : QColor(255, 255, 255));
    p.drawRoundedRect(r, 5, 5);
    QColor c = colore_;
    if (!isEnabled()) c = conOpacita(c, 0.5);
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 3, 3);
    if (hasFocus()) {
        QColor anello = palette().color(QPalette::Active, QPalette::Highlight);
        anello.setAlpha(140);
        p.setPen(QPen(anello, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r, 5, 5);
    }
}

}  // namespace pulsaro
