#include "shell/cornice_finestra.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/numeri.h"

namespace pulsaro {

namespace {

// The Mac's y of a rectangle's bottom edge from Qt's y of its top edge, and back.
int ySpecchiato(int y, int altezza, int altezzaPrincipale) {
    return altezzaPrincipale - (y + altezza);
}

QRect specchia(const QRect& r, int altezzaPrincipale) {
    return {r.x(), ySpecchiato(r.y(), r.height(), altezzaPrincipale), r.width(), r.height()};
}

std::optional<std::vector<double>> numeri(std::string_view t) {
    std::vector<double> v;
    std::size_t i = 0;
    while (i < t.size()) {
        if (t[i] == ' ' || t[i] == '\t') {
            ++i;
            continue;
        }
        const auto d = leggiDecimale(t.substr(i));
        if (!d || std::abs(d->valore) > 1e6) return std::nullopt;
        i += d->lunghezza;
        if (i < t.size() && t[i] != ' ' && t[i] != '\t') return std::nullopt;
        v.push_back(d->valore);
    }
    return v;
}

}  // namespace

std::string testoCornice(const Cornice& c, int altezzaPrincipale) {
    const QRect f = specchia(c.finestra, altezzaPrincipale);
    const QRect s = c.schermo.isEmpty() ? QRect() : specchia(c.schermo, altezzaPrincipale);
    char buf[128];
    std::snprintf(buf, sizeof buf, "%d %d %d %d %d %d %d %d ", f.x(), f.y(), f.width(), f.height(), s.x(),
                  s.y(), s.width(), s.height());
    return buf;
}

std::optional<Cornice> leggiCornice(std::string_view testo, int altezzaPrincipale) {
    const auto n = numeri(testo);
    if (!n || (n->size() != 4 && n->size() != 8)) return std::nullopt;
    auto intero = [&](std::size_t i) { return static_cast<int>(std::lround((*n)[i])); };
    if (intero(2) <= 0 || intero(3) <= 0) return std::nullopt;
    Cornice c;
    c.finestra = specchia(QRect(intero(0), intero(1), intero(2), intero(3)), altezzaPrincipale);
    if (n->size() == 8 && intero(6) > 0 && intero(7) > 0)
        c.schermo = specchia(QRect(intero(4), intero(5), intero(6), intero(7)), altezzaPrincipale);
    return c;
}

std::optional<QRect> corniceUsabile(std::string_view testo, int altezzaPrincipale,
                                    const std::vector<QRect>& aree) {
    const auto c = leggiCornice(testo, altezzaPrincipale);
    if (!c) return std::nullopt;
    // Enough of the title bar to take hold of the window with the mouse.
    const QRect barra(c->finestra.x(), c->finestra.y(), c->finestra.width(), 24);
    const QRect* dove = nullptr;
    int migliore = 0;
    for (const QRect& a : aree) {
        const QRect comune = barra.intersected(a);
        if (comune.width() >= 40 && comune.height() >= 10 && comune.width() * comune.height() > migliore) {
            migliore = comune.width() * comune.height();
            dove = &a;
        }
    }
    // Saved on a larger screen, it must not come back past the edges of this one.
    if (dove) return dentroArea(c->finestra, *dove);
    return std::nullopt;
}

QRect dentroArea(const QRect& cornice, const QRect& area) {
    if (area.isEmpty()) return cornice;
    QRect r(cornice.topLeft(), cornice.size().boundedTo(area.size()));
    r.moveLeft(std::clamp(r.left(), area.left(), area.left() + area.width() - r.width()));
    r.moveTop(std::clamp(r.top(), area.top(), area.top() + area.height() - r.height()));
    return r;
}

}  // namespace pulsaro
