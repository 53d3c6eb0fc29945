// The "ANE" badge: an outlined green capsule next to a process that holds a Neural Engine client.
#pragma once

#include <QString>
#include <QWidget>

#include "widgets/tema.h"

namespace pulsaro {

QString testoEtichettaANE();      // "ANE"
QString suggerimentoANE();        // the badge's tooltip
QSizeF dimensioneEtichettaANE();  // text plus padding 5 left and right, 1 top and bottom

// Paints the badge at its own size with its top left corner at `origine`.
void disegnaEtichettaANE(QPainter& p, const QPointF& origine, Aspetto a);

class EtichettaANE : public QWidget {
public:
    explicit EtichettaANE(QWidget* padre = nullptr);
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override;
    void changeEvent(QEvent* e) override;
};

}  // namespace pulsaro
