#include "panels/accessibile_pannelli.h"

#include <QAccessibleObject>
#include <QAccessibleValueInterface>
#include <QApplication>
#include <QMenu>
#include <QPointer>

#include "panels/lista_mini.h"
#include "panels/riga_mini.h"
#include "widgets/elementi_pannello.h"
#include "widgets/risorsa.h"

namespace pulsaro {

namespace {

QList<QPointer<QWidget>>& esposte() {
    static QList<QPointer<QWidget>> e;
    return e;
}

// The popups made windows that are on show: Qt's own list of the application's windows leaves
// every popup out.
QList<QWidget*> popupEsposti() {
    QList<QWidget*> r;
    esposte().removeAll(nullptr);
    for (const QPointer<QWidget>& w : esposte())
        if (w->isVisible() && w->windowType() == Qt::Popup) r.append(w);
    return r;
}

class AccessibileApplicazione : public QAccessibleApplication {
public:
    int childCount() const override {
        return QAccessibleApplication::childCount() + static_cast<int>(popupEsposti().size());
    }
    QAccessibleInterface* child(int i) const override {
        const int qt = QAccessibleApplication::childCount();
        if (i < qt) return QAccessibleApplication::child(i);
        const QList<QWidget*> p = popupEsposti();
        return i - qt < p.size() ? QAccessible::queryAccessibleInterface(p[i - qt]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* figlio) const override {
        const int i = QAccessibleApplication::indexOfChild(figlio);
        if (i >= 0 || !figlio) return i;
        const int p = static_cast<int>(popupEsposti().indexOf(qobject_cast<QWidget*>(figlio->object())));
        return p < 0 ? -1 : QAccessibleApplication::childCount() + p;
    }
};

QAccessibleInterface* fabbricaPannelli(const QString& chiave, QObject* o) {
    if (o && o == QCoreApplication::instance()) return new AccessibileApplicazione;
    auto* w = qobject_cast<QWidget*>(o);
    if (!w) return nullptr;
    if (auto* l = dynamic_cast<ListaMini*>(w)) return new AccessibileListaMini(l);
    if (auto* r = dynamic_cast<RigaMini*>(w)) return new AccessibileRigaMini(r);
    if (auto* a = dynamic_cast<AreaCliccabile*>(w)) return new AccessibileArea(a);
    if (dynamic_cast<Testo*>(w)) return new QAccessibleWidget(w, QAccessible::StaticText);
    // Plain containers (panels, cards, rows) carry no meta-object of their own.
    if (chiave == QLatin1String("QWidget"))
        return new AccessibileContenitore(w, w->isWindow() ? QAccessible::Window : QAccessible::Client);
    return nullptr;
}

}  // namespace

void registraAccessibilita() {
    // Tried last installed first: the widgets' exact interfaces before the panels' catch-all.
    QAccessible::removeFactory(fabbricaPannelli);
    QAccessible::installFactory(fabbricaPannelli);
    registraAccessibilitaWidget();
}

void esponiComeFinestra(QWidget* finestra) {
    if (finestra && !esposte().contains(finestra)) esposte().append(finestra);
}

void annunciaRiga(RigaMini* riga, const UsoProcesso& prima) {
    if (!annunciAttivi()) return;
    const UsoProcesso& p = riga->processo();
    if (nomeRigaAccessibile(prima) == nomeRigaAccessibile(p)) return;
    QAccessibleEvent nome(riga, QAccessible::NameChanged);
    annuncia(nome);
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(riga);
    for (std::size_t k = 0; i && k < Risorsa::perProcesso.size(); ++k) {
        const Risorsa r = Risorsa::perProcesso[k];
        if (prima.id == p.id &&
            testoValoreAccessibile(r.valore(prima)) == testoValoreAccessibile(r.valore(p)))
            continue;
        if (QAccessibleInterface* q = i->child(static_cast<int>(k))) {
            QAccessibleValueChangeEvent v(q, q->valueInterface()->currentValue());
            annuncia(v);
        }
    }
}

// --- AccessibileContenitore ---------------------------------------------------------------

AccessibileContenitore::AccessibileContenitore(QWidget* w, QAccessible::Role ruolo)
    : QAccessibleWidget(w, ruolo) {}

QList<QWidget*> AccessibileContenitore::figli() const {
    QList<QWidget*> r;
    for (QObject* o : widget()->children()) {
        auto* w = qobject_cast<QWidget*>(o);
        if (w && !w->isWindow() && !w->isHidden() && !qobject_cast<QMenu*>(w)) r.append(w);
    }
    return r;
}

int AccessibileContenitore::childCount() const {
    return static_cast<int>(figli().size());
}

QAccessibleInterface* AccessibileContenitore::child(int i) const {
    const QList<QWidget*> f = figli();
    return i >= 0 && i < f.size() ? QAccessible::queryAccessibleInterface(f[i]) : nullptr;
}

int AccessibileContenitore::indexOfChild(const QAccessibleInterface* figlio) const {
    if (!figlio) return -1;
    return static_cast<int>(figli().indexOf(qobject_cast<QWidget*>(figlio->object())));
}

// --- AccessibileArea ----------------------------------------------------------------------

AccessibileArea::AccessibileArea(AreaCliccabile* a) : AccessibileContenitore(a, QAccessible::Button) {}

QStringList AccessibileArea::actionNames() const {
    return QStringList{pressAction()} + AccessibileContenitore::actionNames();
}

void AccessibileArea::doAction(const QString& azione) {
    if (azione == pressAction())
        static_cast<AreaCliccabile*>(widget())->premi();
    else
        AccessibileContenitore::doAction(azione);
}

// --- AccessibileListaMini -----------------------------------------------------------------

AccessibileListaMini::AccessibileListaMini(ListaMini* l) : AccessibileContenitore(l, QAccessible::List) {}

QAccessibleInterface* AccessibileListaMini::focusChild() const {
    const auto* l = static_cast<const ListaMini*>(widget());
    const std::optional<int> i = l->rigaCorrente();
    if (!l->hasFocus() || !i) return AccessibileContenitore::focusChild();
    return QAccessible::queryAccessibleInterface(l->righe()[static_cast<std::size_t>(*i)]);
}

QAccessible::State AccessibileListaMini::state() const {
    QAccessible::State s = AccessibileContenitore::state();
    s.selectable = true;
    return s;
}

// --- AccessibileRigaMini ------------------------------------------------------------------

AccessibileRigaMini::AccessibileRigaMini(RigaMini* r) : QAccessibleWidget(r, QAccessible::ListItem) {}

AccessibileRigaMini::~AccessibileRigaMini() {
    for (QAccessible::Id id : quote_) QAccessible::deleteAccessibleInterface(id);
}

const RigaMini* AccessibileRigaMini::riga() const {
    return static_cast<const RigaMini*>(widget());
}

std::optional<UsoProcesso> AccessibileRigaMini::processoRiga() const {
    return riga()->processo();
}

QString AccessibileRigaMini::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) return nomeRigaAccessibile(riga()->processo());
    if (t == QAccessible::Description) return descrizioneRigaAccessibile(riga()->processo());
    return QAccessibleWidget::text(t);
}

QAccessible::State AccessibileRigaMini::state() const {
    QAccessible::State s = QAccessibleWidget::state();
    s.selectable = true;
    s.selected = riga()->seguito();
    s.focusable = true;
    const QWidget* lista = riga()->parentWidget();
    s.focused = riga()->corrente() && lista && lista->hasFocus();
    return s;
}

int AccessibileRigaMini::childCount() const {
    return static_cast<int>(Risorsa::perProcesso.size());
}

QAccessibleInterface* AccessibileRigaMini::child(int i) const {
    if (i < 0 || i >= childCount()) return nullptr;
    if (quote_.empty())
        for (std::size_t k = 0; k < Risorsa::perProcesso.size(); ++k)
            quote_.push_back(QAccessible::registerAccessibleInterface(
                creaQuotaRiga(const_cast<AccessibileRigaMini*>(this), this, static_cast<int>(k))));
    return QAccessible::accessibleInterface(quote_[static_cast<std::size_t>(i)]);
}

int AccessibileRigaMini::indexOfChild(const QAccessibleInterface* figlio) const {
    for (std::size_t k = 0; k < quote_.size(); ++k)
        if (QAccessible::accessibleInterface(quote_[k]) == figlio) return static_cast<int>(k);
    return -1;
}

}  // namespace pulsaro
