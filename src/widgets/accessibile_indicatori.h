// The gauges, bars and the Neural Engine chip as meters: a role, a name and a value with its text.
#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

#include "widgets/chip_ane.h"
#include "widgets/indicatore.h"

namespace pulsaro {

// A gauge or bar: named by its accessible name, else by its label ("CPU").
class AccessibileIndicatore : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibileIndicatore(Indicatore* w);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 100.0; }
    QVariant minimumValue() const override { return 0.0; }
    QVariant minimumStepSize() const override { return 0.0; }

private:
    const Indicatore* indicatore() const;
};

// The chip: "Neural Engine", 1 of 1 and "acceso" while the engine is on, 0 and "a riposo" otherwise.
class AccessibileChip : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibileChip(ChipANE* w);

    QString text(QAccessible::Text t) const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant&) override {}
    QVariant maximumValue() const override { return 1; }
    QVariant minimumValue() const override { return 0; }
    QVariant minimumStepSize() const override { return 1; }

private:
    const ChipANE* chip() const;
};

}  // namespace pulsaro
