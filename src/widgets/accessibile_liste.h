// The process lists as lists: one item per row, named with its figures, selected while followed,
// with a meter per resource under it.
#pragma once

#include <QAccessibleActionInterface>
#include <QAccessibleWidget>
#include <QPointer>
#include <vector>

#include "widgets/accessibile.h"
#include "widgets/lista_processi.h"

namespace pulsaro {

class AccessibileRiga;

class AccessibileLista : public QAccessibleWidget {
public:
    explicit AccessibileLista(ListaProcessi* lista);
    ~AccessibileLista() override;

    int childCount() const override;
    QAccessibleInterface* child(int i) const override;
    int indexOfChild(const QAccessibleInterface* figlio) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    QAccessible::State state() const override;

private:
    ListaProcessi* lista() const { return static_cast<ListaProcessi*>(widget()); }

    // One interface per row index, made when first asked for: at most as many as the list has
    // ever had rows. Deleted with this interface.
    mutable std::vector<QAccessible::Id> righe_;
};

class AccessibileRiga : public QAccessibleInterface, public QAccessibleActionInterface, public FonteRiga {
public:
    AccessibileRiga(ListaProcessi* lista, int indice);
    ~AccessibileRiga() override;

    int indice() const { return indice_; }
    std::optional<UsoProcesso> processoRiga() const override;

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int i) const override;
    int childCount() const override;
    int indexOfChild(const QAccessibleInterface* figlio) const override;
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType t) override;

    QStringList actionNames() const override;
    void doAction(const QString& azione) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<ListaProcessi> lista_;
    int indice_;
    mutable std::vector<QAccessible::Id> quote_;
};

}  // namespace pulsaro
