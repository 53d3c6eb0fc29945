#include "widgets/geometria_barre.h"

#include <algorithm>

namespace pulsaro {

double larghezzaRiempimento(double larghezza, double valore, double minimo) {
    larghezza = std::max(0.0, larghezza);
    if (valore > 100) return larghezza;
    if (valore > 0) return std::max(larghezza * valore / 100, minimo);
    return 0;
}

QString testoBarra(double valore, bool attiva) {
    if (!attiva) return QStringLiteral("—");
    return valore < 10 ? QString::asprintf("%.1f%%", valore) : QString::asprintf("%.0f%%", valore);
}

QString testoMiniBarra(double valore, bool attiva) {
    if (!attiva) return QStringLiteral("—");
    return valore < 10 ? QString::asprintf("%.1f", valore) : QString::asprintf("%.0f", valore);
}

double altezzaRiga(double altezzaContenuto) {
    return altezzaContenuto + 2 * paddingRigaVerticale;
}

LayoutRiga layoutRiga(const QRectF& riga) {
    LayoutRiga l;
    const QRectF d = riga.adjusted(paddingRigaOrizzontale, paddingRigaVerticale, -paddingRigaOrizzontale,
                                   -paddingRigaVerticale);
    const double cy = d.center().y();
    double x = d.left();
    l.rango = QRectF(x, d.top(), larghezzaRango, d.height());
    x += larghezzaRango + spaziaturaRiga;
    l.icona = QRectF(x, cy - latoIconaRiga / 2, latoIconaRiga, latoIconaRiga);
    x += latoIconaRiga + spaziaturaRiga;
    l.nome = QRectF(x, d.top(), larghezzaNome, d.height());
    x += larghezzaNome + spaziaturaRiga;
    const double resto = std::max(0.0, (d.right() - x - spaziaturaRiga) / 2);
    l.barre[0] = QRectF(x, d.top(), resto, d.height());
    l.barre[1] = QRectF(x + resto + spaziaturaRiga, d.top(), resto, d.height());
    return l;
}

std::vector<QRectF> rettangoliRighe(double larghezza, int quante, double altezza) {
    std::vector<QRectF> r;
    for (int i = 0; i < quante; ++i) r.emplace_back(0, i * (altezza + spaziaturaRighe), larghezza, altezza);
    return r;
}

double altezzaLista(int quante, double altezza) {
    return quante <= 0 ? 0 : quante * altezza + (quante - 1) * spaziaturaRighe;
}

}  // namespace pulsaro
