#include "widgets/accessibile_indicatori.h"

#include <algorithm>

#include "widgets/accessibile.h"

namespace pulsaro {

AccessibileIndicatore::AccessibileIndicatore(Indicatore* w)
    : QAccessibleWidget(w, QAccessible::ProgressBar) {}

const Indicatore* AccessibileIndicatore::indicatore() const {
    return static_cast<const Indicatore*>(widget());
}

QString AccessibileIndicatore::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        const QString nome = QAccessibleWidget::text(t);
        return nome.isEmpty() ? indicatore()->etichetta() : nome;
    }
    if (t == QAccessible::Value)
        return testoValoreAccessibile(indicatore()->valore(), indicatore()->attivo());
    return QAccessibleWidget::text(t);
}

void* AccessibileIndicatore::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QVariant AccessibileIndicatore::currentValue() const {
    // The text says the value as measured; the number stays within the meter's range.
    return indicatore()->attivo() ? std::clamp(indicatore()->valore(), 0.0, 100.0) : 0.0;
}

// A progress bar rather than an indicator: AT-SPI has no meter role for the latter.
AccessibileChip::AccessibileChip(ChipANE* w) : QAccessibleWidget(w, QAccessible::ProgressBar) {}

const ChipANE* AccessibileChip::chip() const {
    return static_cast<const ChipANE*>(widget());
}

QString AccessibileChip::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        const QString nome = QAccessibleWidget::text(t);
        return nome.isEmpty() ? QStringLiteral("Neural Engine") : nome;
    }
    // The state word is also the description: not every reader speaks an indicator's value.
    if (t == QAccessible::Value || t == QAccessible::Description)
        return chip()->acceso() ? QStringLiteral("acceso") : QStringLiteral("a riposo");
    return QAccessibleWidget::text(t);
}

void* AccessibileChip::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
}

QVariant AccessibileChip::currentValue() const {
    return chip()->acceso() ? 1 : 0;
}

}  // namespace pulsaro
