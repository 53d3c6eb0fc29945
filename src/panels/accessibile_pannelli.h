// What a screen reader finds in the panels: containers without their hidden parts, click areas
// as buttons, texts as labels, and the popover's rows as a list.
#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <vector>

#include "sampling/uso.h"
#include "widgets/accessibile.h"

namespace pulsaro {

class AreaCliccabile;
class ListaMini;
class RigaMini;

// Registers the panels' interfaces and the widgets' with Qt, once the application exists.
void registraAccessibilita();

// A popup that a screen reader should find among the application's windows while it is shown
// (Qt leaves popups out of them): the popover.
void esponiComeFinestra(QWidget* finestra);

// The process of a popover row changed from `prima`: its name and the figures that read differently.
void annunciaRiga(RigaMini* riga, const UsoProcesso& prima);

// A container as Qt makes it, but what is hidden is not among its children.
class AccessibileContenitore : public QAccessibleWidget {
public:
    explicit AccessibileContenitore(QWidget* w, QAccessible::Role ruolo = QAccessible::Client);

    int childCount() const override;
    QAccessibleInterface* child(int i) const override;
    int indexOfChild(const QAccessibleInterface* figlio) const override;

protected:
    QList<QWidget*> figli() const;
};

// A click area: a button that its press action clicks.
class AccessibileArea : public AccessibileContenitore {
public:
    explicit AccessibileArea(AreaCliccabile* a);
    QStringList actionNames() const override;
    void doAction(const QString& azione) override;
};

class AccessibileListaMini : public AccessibileContenitore {
public:
    explicit AccessibileListaMini(ListaMini* l);
    QAccessibleInterface* focusChild() const override;
    QAccessible::State state() const override;
};

// A popover row: the process with its figures, a meter per resource under it.
class AccessibileRigaMini : public QAccessibleWidget, public FonteRiga {
public:
    explicit AccessibileRigaMini(RigaMini* r);
    ~AccessibileRigaMini() override;

    std::optional<UsoProcesso> processoRiga() const override;
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int i) const override;
    int indexOfChild(const QAccessibleInterface* figlio) const override;

private:
    const RigaMini* riga() const;
    mutable std::vector<QAccessible::Id> quote_;  // one per resource, deleted with this interface
};

}  // namespace pulsaro
