// The tile on a fixed sample, as the settings window previews it.
#pragma once

#include <QColor>
#include <QWidget>

#include "platform/preferenze.h"
#include "sampling/uso.h"

namespace pulsaro {

class AnteprimaRiquadro : public QWidget {
    Q_OBJECT
public:
    // numeroE: the machine's count of efficiency cores (the monitor's macchina()); below 0, the sample's.
    AnteprimaRiquadro(const Preferenze& preferenze, const QColor& colore, QWidget* parent = nullptr,
                      int numeroE = -1);

    // memoria 62, cpu 23, core P 4 E 2, gpu 5, ane 30.
    static Riepilogo campione();

    void setColore(const QColor& colore);
    QColor colore() const { return colore_; }
    // After the item choices change: the size may change with them.
    void aggiorna();

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent*) override;

private:
    int numeroE() const;

    const Preferenze& preferenze_;
    QColor colore_;
    int numeroE_;
};

}  // namespace pulsaro
