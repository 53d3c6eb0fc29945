#include "widgets/accessibile_liste.h"

#include <QWindow>

#include "widgets/risorsa.h"

namespace pulsaro {

// --- AccessibileLista ---------------------------------------------------------------------

AccessibileLista::AccessibileLista(ListaProcessi* lista) : QAccessibleWidget(lista, QAccessible::List) {}

AccessibileLista::~AccessibileLista() {
    for (QAccessible::Id id : righe_) QAccessible::deleteAccessibleInterface(id);
}

int AccessibileLista::childCount() const {
    return static_cast<int>(lista()->processi().size());
}

QAccessibleInterface* AccessibileLista::child(int i) const {
    if (i < 0 || i >= childCount()) return nullptr;
    while (righe_.size() <= static_cast<std::size_t>(i))
        righe_.push_back(QAccessible::registerAccessibleInterface(
            new AccessibileRiga(lista(), static_cast<int>(righe_.size()))));
    return QAccessible::accessibleInterface(righe_[static_cast<std::size_t>(i)]);
}

int AccessibileLista::indexOfChild(const QAccessibleInterface* figlio) const {
    const auto* riga = dynamic_cast<const AccessibileRiga*>(figlio);
    if (!riga || riga->parent() != this || riga->indice() >= childCount()) return -1;
    return riga->indice();
}

QAccessibleInterface* AccessibileLista::childAt(int x, int y) const {
    const QPointF punto = lista()->mapFromGlobal(QPoint(x, y));
    for (int i = 0; i < childCount(); ++i)
        if (lista()->rettangoloProcesso(i).contains(punto)) return child(i);
    return nullptr;
}

QAccessibleInterface* AccessibileLista::focusChild() const {
    const std::optional<int> i = lista()->rigaCorrente();
    return lista()->hasFocus() && i ? child(*i) : nullptr;
}

QAccessible::State AccessibileLista::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.selectable = true;
    return s;
}

// --- AccessibileRiga ----------------------------------------------------------------------

AccessibileRiga::AccessibileRiga(ListaProcessi* lista, int indice) : lista_(lista), indice_(indice) {}

AccessibileRiga::~AccessibileRiga() {
    for (QAccessible::Id id : quote_) QAccessible::deleteAccessibleInterface(id);
}

std::optional<UsoProcesso> AccessibileRiga::processoRiga() const {
    if (!isValid()) return std::nullopt;
    return lista_->processi()[static_cast<std::size_t>(indice_)];
}

bool AccessibileRiga::isValid() const {
    return lista_ && indice_ < static_cast<int>(lista_->processi().size());
}

QWindow* AccessibileRiga::window() const {
    return lista_ ? lista_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* AccessibileRiga::childAt(int x, int y) const {
    for (int i = 0; i < childCount(); ++i)
        if (QAccessibleInterface* q = child(i); q && q->rect().contains(x, y)) return q;
    return nullptr;
}

QAccessibleInterface* AccessibileRiga::parent() const {
    return lista_ ? QAccessible::queryAccessibleInterface(lista_) : nullptr;
}

QAccessibleInterface* AccessibileRiga::child(int i) const {
    if (i < 0 || i >= childCount()) return nullptr;
    if (quote_.empty())
        for (std::size_t k = 0; k < Risorsa::perProcesso.size(); ++k)
            quote_.push_back(QAccessible::registerAccessibleInterface(
                creaQuotaRiga(const_cast<AccessibileRiga*>(this), this, static_cast<int>(k))));
    return QAccessible::accessibleInterface(quote_[static_cast<std::size_t>(i)]);
}

int AccessibileRiga::childCount() const {
    return isValid() ? static_cast<int>(Risorsa::perProcesso.size()) : 0;
}

int AccessibileRiga::indexOfChild(const QAccessibleInterface* figlio) const {
    for (std::size_t k = 0; k < quote_.size(); ++k)
        if (QAccessible::accessibleInterface(quote_[k]) == figlio) return static_cast<int>(k);
    return -1;
}

QString AccessibileRiga::text(QAccessible::Text t) const {
    const std::optional<UsoProcesso> p = processoRiga();
    if (!p) return {};
    if (t == QAccessible::Name) return nomeRigaAccessibile(*p);
    if (t == QAccessible::Description) return descrizioneRigaAccessibile(*p);
    return {};
}

QRect AccessibileRiga::rect() const {
    if (!isValid()) return {};
    const QRect r = lista_->rettangoloProcesso(indice_).toAlignedRect();
    return QRect(lista_->mapToGlobal(r.topLeft()), r.size());
}

QAccessible::State AccessibileRiga::state() const {
    QAccessible::State s;
    if (!isValid()) {
        s.invalid = true;
        return s;
    }
    s.selectable = true;
    s.focusable = true;
    s.selected = lista_->selezionato() == processoRiga()->id;
    s.focused = lista_->hasFocus() && lista_->rigaCorrente() == indice_;
    s.invisible = !lista_->isVisible();
    s.offscreen = s.invisible || lista_->visibleRegion().isEmpty();
    return s;
}

void* AccessibileRiga::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

QStringList AccessibileRiga::actionNames() const {
    return {pressAction(), setFocusAction()};
}

void AccessibileRiga::doAction(const QString& azione) {
    if (!isValid()) return;
    if (azione == pressAction()) lista_->attivaRiga(indice_);
    if (azione == setFocusAction()) lista_->portaARiga(indice_);
}

}  // namespace pulsaro
