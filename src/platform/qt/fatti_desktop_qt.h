// The desktop facts where there is no Dock: the policy is only recorded, a login launch carries
// the marker argument, the session manager's commit-data request announces the session's end.
#pragma once

#include <QObject>

#include "platform/fatti_desktop.h"

namespace pulsaro {

class FattiDesktopQt : public QObject, public FattiDesktop {
    Q_OBJECT
public:
    explicit FattiDesktopQt(const std::vector<std::string>& argomenti);

    void impostaPolitica(Politica p) override { politica_ = p; }
    Politica politica() const override { return politica_; }
    bool daLogin() const override { return daLogin_; }
    bool uscitaDiSistema() const override { return fineSessione_; }
    void quandoSpegnimento(std::function<void()> f) override;
    // Reopening here is a second start, which IstanzaUnica hears of.
    void quandoRiapertura(std::function<void()>) override {}
    void quandoAvviata(std::function<void()> f) override;
    bool aspettoScuro() const override;

private:
    Politica politica_ = Politica::regolare;
    bool daLogin_ = false;
    bool fineSessione_ = false;
    std::function<void()> spegnimento_;
};

}  // namespace pulsaro
