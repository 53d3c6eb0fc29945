#include "widgets/geometria_chip.h"

#include <algorithm>

namespace pulsaro {

GeometriaChip geometriaChip(const QRectF& cornice) {
    GeometriaChip g;
    g.c = 0.72 * std::max(0.0, std::min(cornice.width(), cornice.height()));
    g.b = 0.74 * g.c;
    g.pl = 0.11 * g.c;
    g.pw = std::max(0.035 * g.c, 1.5);
    g.bordo = std::max(0.025 * g.c, 1.5);
    g.bordoDie = std::max(0.015 * g.c, 1.0);
    g.raggioCorpo = 0.16 * g.b;
    g.raggioDie = 0.08 * g.b;
    g.raggioBagliore = 0.12 * g.c;
    g.dimensioneEtichetta = 0.15 * g.c;
    g.centro = cornice.center();
    const QPointF& o = g.centro;
    g.corpo = QRectF(o.x() - g.b / 2, o.y() - g.b / 2, g.b, g.b);
    const double die = 0.6 * g.b;
    g.die = QRectF(o.x() - die / 2, o.y() - die / 2, die, die);

    // A row of four pins overlapping the body's edge by 1, turned a quarter at a time.
    const double passo = g.pw + 0.12 * g.b;
    const double fuori = g.b / 2 + g.pl / 2 - 1;
    std::size_t i = 0;
    for (int lato = 0; lato < 4; ++lato) {
        for (int k = 0; k < 4; ++k) {
            const double lungo = (k - 1.5) * passo;  // along the side, before turning
            QPointF centro;
            QSizeF misura(g.pw, g.pl);
            switch (lato) {
                case 0:
                    centro = {lungo, -fuori};
                    break;
                case 1:
                    centro = {fuori, lungo};
                    misura.transpose();
                    break;
                case 2:
                    centro = {-lungo, fuori};
                    break;
                default:
                    centro = {-fuori, -lungo};
                    misura.transpose();
                    break;
            }
            centro += o;
            g.piedini[i++] = QRectF(centro.x() - misura.width() / 2, centro.y() - misura.height() / 2,
                                    misura.width(), misura.height());
        }
    }
    return g;
}

}  // namespace pulsaro
