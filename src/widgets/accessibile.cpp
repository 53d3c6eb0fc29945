#include "widgets/accessibile.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <utility>

#include "sampling/testi.h"
#include "widgets/accessibile_indicatori.h"
#include "widgets/accessibile_liste.h"
#include "widgets/elementi_processo.h"
#include "widgets/etichetta_ane.h"
#include "widgets/grafico_storia.h"
#include "widgets/risorsa.h"

namespace pulsaro {

namespace {

// Set by tests only; the application leaves announcements to Qt. Main thread only, like Qt's own
// update handler, which this mirrors without Qt's need of a live screen reader.
std::function<void(QAccessibleEvent&)> registratoreAnnunci;

QAccessibleInterface* fabbrica(const QString&, QObject* o) {
    if (auto* i = dynamic_cast<Indicatore*>(o)) return new AccessibileIndicatore(i);
    if (auto* c = dynamic_cast<ChipANE*>(o)) return new AccessibileChip(c);
    if (auto* l = dynamic_cast<ListaProcessi*>(o)) return new AccessibileLista(l);
    // A history graph is one chart: its name (the marker's text while it shows) and its summary.
    if (auto* g = dynamic_cast<GraficoStoria*>(o)) return new QAccessibleWidget(g, QAccessible::Chart);
    return nullptr;
}

// One resource of a row: a read-only meter named after the process and the resource.
class QuotaRiga : public QAccessibleInterface, public QAccessibleValueInterface {
public:
    QuotaRiga(QAccessibleInterface* riga, const FonteRiga* fonte, Risorsa r)
        : riga_(riga), fonte_(fonte), risorsa_(r) {}

    bool isValid() const override { return riga_->isValid(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return riga_->window(); }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override { return riga_; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        const std::optional<UsoProcesso> p = fonte_->processoRiga();
        if (!p) return {};
        if (t == QAccessible::Name) return nomeLeggibile(*p) + ' ' + risorsa_.breve();
        if (t == QAccessible::Value) return testoValoreAccessibile(risorsa_.valore(*p));
        return {};
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override { return riga_->rect(); }
    QAccessible::Role role() const override { return QAccessible::ProgressBar; }
    QAccessible::State state() const override {
        QAccessible::State s;
        s.readOnly = true;
        s.invisible = riga_->state().invisible;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType t) override {
        return t == QAccessible::ValueInterface ? static_cast<QAccessibleValueInterface*>(this) : nullptr;
    }

    QVariant currentValue() const override {
        const std::optional<UsoProcesso> p = fonte_->processoRiga();
        return p ? std::clamp(risorsa_.valore(*p), 0.0, 100.0) : 0.0;
    }
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    QAccessibleInterface* riga_;
    const FonteRiga* fonte_;
    Risorsa risorsa_;
};

}  // namespace

QString testoValoreAccessibile(double valore, bool attivo) {
    if (!attivo) return QStringLiteral("—");
    char buf[64];
    std::snprintf(buf, sizeof buf, valore < 10 ? "%.1f" : "%.0f", valore);
    return QString::fromLatin1(buf).replace('.', ',') + QStringLiteral(" %");
}

QString nomeRigaAccessibile(const UsoProcesso& p) {
    QString t = nomeLeggibile(p);
    for (const Risorsa r : Risorsa::perProcesso)
        t += QStringLiteral(", ") + r.breve() + ' ' + testoValoreAccessibile(r.valore(p));
    t += QStringLiteral(", ") + QString::fromStdString(memoriaTesto(p.memoria));
    if (p.usaANE) t += QStringLiteral(", ANE");
    return t;
}

QString descrizioneRigaAccessibile(const UsoProcesso& p) {
    QString t = QStringLiteral("pid ") + QString::number(p.id);
    if (p.usaANE) t += QStringLiteral(", ") + suggerimentoANE();
    return t;
}

void registraAccessibilitaWidget() {
    QAccessible::removeFactory(fabbrica);
    QAccessible::installFactory(fabbrica);
}

bool annunciAttivi() {
    return registratoreAnnunci || QAccessible::isActive();
}

void annuncia(QAccessibleEvent& e) {
    if (registratoreAnnunci)
        registratoreAnnunci(e);
    else if (QAccessible::isActive())
        QAccessible::updateAccessibility(&e);
}

void annunciaValore(QWidget* w) {
    if (!annunciAttivi()) return;
    QAccessibleInterface* i = QAccessible::queryAccessibleInterface(w);
    QAccessibleValueInterface* v = i ? i->valueInterface() : nullptr;
    QAccessibleValueChangeEvent e(w, v ? v->currentValue() : QVariant());
    annuncia(e);
}

void impostaRegistratoreAnnunci(std::function<void(QAccessibleEvent&)> r) {
    registratoreAnnunci = std::move(r);
}

QAccessibleInterface* creaQuotaRiga(QAccessibleInterface* riga, const FonteRiga* fonte, int risorsa) {
    return new QuotaRiga(riga, fonte, Risorsa::perProcesso[static_cast<std::size_t>(risorsa)]);
}

}  // namespace pulsaro
