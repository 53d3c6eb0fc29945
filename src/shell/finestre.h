// The application controller: owns the monitor, the status item with its image, tooltip,
// clicks and context menu, the popover, the main window and the settings window, and tells the
// desktop whether the application wants a Dock icon. Main thread only.
#pragma once

#include <QAction>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "barra/riquadro_compatto.h"
#include "panels/cache_icone.h"
#include "platform/abbonamento.h"
#include "platform/fatti_desktop.h"
#include "platform/preferenze.h"
#include "platform/voce_stato.h"
#include "sampling/coda.h"
#include "sampling/monitor.h"
#include "sampling/sonde.h"
#include "shell/ospite_finestra.h"

class QTimer;

namespace pulsaro {

class ElementoLogin;
class Popover;

// What the popover's buttons do.
struct AzioniPopover {
    std::function<void()> apriPrincipale;
    std::function<void()> impostazioni;
    std::function<void()> esci;
};

// Everything the controller is made from; the application passes the real ones, tests fakes.
struct ComponentiFinestre {
    Sonde* sonde = nullptr;
    Coda* coda = nullptr;
    Monitor::Principale principale;
    Preferenze* preferenze = nullptr;
    FattiDesktop* desktop = nullptr;
    ElementoLogin* login = nullptr;  // the settings window's switch; needed unless creaImpostazioni
    // The status item; attesa: seconds to wait for a tray that is not there yet.
    std::function<std::unique_ptr<VoceStato>(double attesa)> creaVoce;
    // Stand-ins for the contents of the popover, the main window and the settings window (tests);
    // where empty, the real panels are made, at every opening.
    std::function<QWidget*(Monitor&, Preferenze&, AzioniPopover, QWidget* padre)> creaMini;
    std::function<QWidget*(Monitor&, Preferenze&, QWidget* padre)> creaPannello;
    std::function<QWidget*(Monitor&, Preferenze&, QWidget* padre)> creaImpostazioni;
    // Runs f on the main thread after the given seconds, unless the controller is gone.
    std::function<void(double secondi, std::function<void()> f)> dopo;
    // One line for the user on stderr.
    std::function<void(const std::string&)> avviso;
    std::vector<std::string> argomenti;
};

class Finestre : public QObject {
    Q_OBJECT
public:
    explicit Finestre(ComponentiFinestre c);
    ~Finestre() override;

    void avvia(bool daLogin);
    void aggiornaBarra();
    void aggiornaIcona();
    // destro: a right click or a Control-click; none: no event to tell.
    void clicIcona(std::optional<bool> destro);
    void alternaPopover();
    void apriPrincipale();
    void impostazioni();
    // The "Esci" actions: asks the lifecycle for a real quit.
    void esci();
    // Closes every window and keeps only the status item.
    void soloBarra();

    Monitor& monitor() { return *monitor_; }
    Preferenze& preferenze() { return *c_.preferenze; }
    bool riquadroAcceso() const { return riquadroAcceso_; }

    VoceStato* voce() const { return voce_.get(); }
    // Whether the status item is on show: without it nothing would be left to reopen a window.
    bool voceMostrata() const { return voce_ && voce_->mostrata(); }
    QWidget* popover() const;
    QWidget* principale() const { return principale_; }
    QWidget* finestraImpostazioni() const { return finestraImpostazioni_; }

    // Application commands every window carries (settings, main window, quit keys).
    void impostaComandi(QList<QAction*> comandi) { comandi_ = std::move(comandi); }
signals:
    // The user chose "Esci": a quit that is not turned into hiding.
    void esciChiesto();
    // The last window has closed; the lifecycle decides what follows.
    void ultimaFinestraChiusa();

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    void impostaNumeroProcessi();
    void mostra(OspiteFinestra* finestra);
    void chiudiPopover();
    void finestraChiusa(OspiteFinestra* finestra);
    void salvaCornice();
    void ripristinaCornice(QWidget* finestra);
    void nelloSchermo();
    void presenzaVoce(bool mostrata);
    std::vector<VoceMenu> menuContestuale();
    void allegaMenu();

    ComponentiFinestre c_;
    std::shared_ptr<Monitor> monitor_;
    // The icons the panels share for the whole run: at most a few hundred processes' icons, see
    // CacheIcone::capienza.
    CacheIcone icone_;
    // What the square tile reuses from one sample to the next.
    RiquadroCompatto::Cache riquadro_;
    std::unique_ptr<VoceStato> voce_;
    QPointer<Popover> popover_;
    QPointer<OspiteFinestra> principale_;
    QPointer<QWidget> contenutoPrincipale_;
    QPointer<OspiteFinestra> finestraImpostazioni_;
    std::vector<Abbonamento> abbonamenti_;
    Abbonamento numero_;  // the number of processes, pushed into the engine from the first moment
    bool riquadroAcceso_ = false;
    bool daLogin_ = false;
    bool assenzaDetta_ = false;
    int assenzeVoce_ = 0;  // counts the times the item went away; a late check of an old one is void
    // The status line of the menu attached to the item; none while no menu is attached.
    std::optional<std::string> rigaMenuAllegato_;
    QList<QAction*> comandi_;
    QTimer* salvataggio_ = nullptr;
    std::optional<QRect> corniceInAttesa_;  // a restored frame whose borders are not known yet
    // When the popover last closed by a click elsewhere: a tray that also delivers that click to
    // the icon must not reopen it at once.
    std::chrono::steady_clock::time_point chiusoDaFuori_{};
    bool chiudendo_ = false;
};

}  // namespace pulsaro
