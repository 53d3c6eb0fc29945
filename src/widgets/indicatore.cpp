#include "widgets/indicatore.h"

namespace pulsaro {

void Indicatore::imposta(double valore, const QColor& colore, const QString& etichetta, bool attivo) {
    valore_ = valore;
    colore_ = colore;
    etichetta_ = etichetta;
    attivo_ = attivo;
    update();
}

}  // namespace pulsaro
