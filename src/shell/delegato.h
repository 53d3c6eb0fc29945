// The application's lifecycle around the controller, and the one place of the quit policy: the
// quit decision, the "Esci" actions, the power-off notice, what follows the last window's close,
// reopening, and the application commands with their shortcuts.
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
    // A real quit: the "Esci" actions and the termination signals.
    void esci();
    bool esciDavvero() const { return esciDavvero_; }

    QAction* comandoImpostazioni() const { return impostazioni_; }
    QAction* comandoFinestra() const { return finestra_; }
    QAction* comandoEsci() const { return esci_; }

    // The application's QEvent::Quit passes through here.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    // Hiding into the menu bar leaves a way back only with the presence on and its item on show.
    bool restaInBarra() const;
    void ultimaFinestraChiusa();

    Finestre& finestre_;
    FattiDesktop& desktop_;
    std::function<void()> termina_;
    bool esciDavvero_ = false;
    QAction* impostazioni_;
    QAction* finestra_;
    QAction* esci_;
    std::unique_ptr<QMenuBar> barra_;  // the application menu where there is a global menu bar
};

}  // namespace pulsaro
