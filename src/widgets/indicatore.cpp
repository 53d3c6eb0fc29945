#include "widgets/indicatore.h"

#include "widgets/accessibile.h"

namespace pulsaro {

void Indicatore::imposta(double valore, const QColor& colore, const QString& etichetta, bool attivo) {
    // Told when the figure reads differently: once per sample at most, never per animation frame.
    const bool annuncia =
        annunciAttivi() && testoValoreAccessibile(valore, attivo) != testoValoreAccessibile(valore_, attivo_);
    valore_ = valore;
    colore_ = colore;
    etichetta_ = etichetta;
    attivo_ = attivo;
    update();
    if (annuncia) annunciaValore(this);
}

}  // namespace pulsaro
