// The application's lifecycle around the controller: the quit decision, reopening, the power-off
// notice, quitting after the last window, and the application commands with their shortcuts.
#pragma once

#include <QAction>
#include <QList>
#include <QObject>
#include <functional>
#include <memory>

#include "platform/fatti_desktop.h"

class QMenuBar;

namespace pulsaro {

class Finestre;

class Delegato : public QObject {
    Q_OBJECT
public:
    // termina: asks the application to quit (the decision below then runs).
    Delegato(Finestre& finestre, FattiDesktop& desktop, std::function<void()> termina);
    ~Delegato() override;

    // Registers for the power-off notice; once launching has finished, starts the controller
    // with what the desktop then says about a login launch.
    void avvia();

    // True: quit now. False: the quit is turned into keeping only the menu-bar item.
    bool decidiUscita();
    bool terminaDopoUltimaFinestra() const;
    void riapri();

    QAction* comandoImpostazioni() const { return impostazioni_; }
    QAction* comandoFinestra() const { return finestra_; }
    QAction* comandoEsci() const { return esci_; }

    // The application's QEvent::Quit passes through here.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    Finestre& finestre_;
    FattiDesktop& desktop_;
    std::function<void()> termina_;
    QAction* impostazioni_;
    QAction* finestra_;
    QAction* esci_;
    std::unique_ptr<QMenuBar> barra_;  // the application menu where there is a global menu bar
};

}  // namespace pulsaro
