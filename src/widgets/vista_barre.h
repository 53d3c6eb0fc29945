// The process list as bars: one ranked row per process with its CPU and GPU bars.
#pragma once

#include "widgets/lista_processi.h"

namespace pulsaro {

class VistaBarre : public ListaProcessi {
public:
    using ListaProcessi::ListaProcessi;

    // The row of index i in this widget's coordinates.
    QRectF rettangoloRiga(int i) const;
    std::optional<std::int32_t> processoIn(const QPointF& punto) const override;

    int heightForWidth(int larghezza) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent*) override;
    QRegion zonaCambiata(int i, const UsoProcesso& prima, const UsoProcesso& dopo) const override;
    QRectF rettangoloVoce(int i) const override { return rettangoloRiga(i); }
    QRectF rettangoloEtichetta(int i) const override;

private:
    double altezzaRigaCorrente() const;
    double larghezzaNomeVisibile(const UsoProcesso& p) const;
};

}  // namespace pulsaro
