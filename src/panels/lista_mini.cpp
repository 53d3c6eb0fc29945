#include "panels/lista_mini.h"

#include <QAccessible>
#include <QKeyEvent>
#include <algorithm>

#include "panels/riga_mini.h"
#include "widgets/accessibile.h"

namespace pulsaro {

std::vector<RigaMini*> ListaMini::righe() const {
    std::vector<RigaMini*> r;
    for (QObject* o : children())
        if (auto* riga = dynamic_cast<RigaMini*>(o); riga && !riga->isHidden()) r.push_back(riga);
    return r;
}

std::optional<int> ListaMini::rigaCorrente() const {
    if (!corrente_) return std::nullopt;
    const std::vector<RigaMini*> r = righe();
    for (std::size_t i = 0; i < r.size(); ++i)
        if (r[i]->processo().id == *corrente_) return static_cast<int>(i);
    return std::nullopt;
}

void ListaMini::vaiA(int i) {
    const std::vector<RigaMini*> r = righe();
    if (r.empty()) return;
    const std::optional<int> prima = rigaCorrente();
    i = std::clamp(i, 0, static_cast<int>(r.size()) - 1);
    corrente_ = r[static_cast<std::size_t>(i)]->processo().id;
    if (prima && *prima < static_cast<int>(r.size()))
        r[static_cast<std::size_t>(*prima)]->impostaCorrente(false);
    r[static_cast<std::size_t>(i)]->impostaCorrente(hasFocus());
    annunciaFuoco();
}

void ListaMini::annunciaFuoco() {
    const std::optional<int> i = rigaCorrente();
    if (!i || !hasFocus() || !annunciAttivi()) return;
    QAccessibleEvent e(righe()[static_cast<std::size_t>(*i)], QAccessible::Focus);
    annuncia(e);
}

void ListaMini::keyPressEvent(QKeyEvent* e) {
    const std::optional<int> i = rigaCorrente();
    switch (e->key()) {
        case Qt::Key_Up:
        case Qt::Key_Left:
            vaiA(i ? *i - 1 : 0);
            return;
        case Qt::Key_Down:
        case Qt::Key_Right:
            vaiA(i ? *i + 1 : 0);
            return;
        case Qt::Key_Home:
            vaiA(0);
            return;
        case Qt::Key_End:
            vaiA(static_cast<int>(righe().size()) - 1);
            return;
        default:
            AreaCliccabile::keyPressEvent(e);
    }
}

void ListaMini::focusInEvent(QFocusEvent* e) {
    AreaCliccabile::focusInEvent(e);
    vaiA(rigaCorrente().value_or(0));
}

void ListaMini::focusOutEvent(QFocusEvent* e) {
    AreaCliccabile::focusOutEvent(e);
    for (RigaMini* r : righe()) r->impostaCorrente(false);
}

}  // namespace pulsaro
