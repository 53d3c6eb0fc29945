// The desktop facts where there is no Dock: the policy is only recorded, a login launch carries
// the marker argument, the session manager's commit-data request announces the session's end.
#pragma once

#include <QByteArray>
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
    bool compositoreDispone() const override;

private:
    Politica politica_ = Politica::regolare;
    bool daLogin_ = false;
    bool fineSessione_ = false;
    std::function<void()> spegnimento_;
};

// Activation tokens: a compositor or window manager brings a window forward only for the user's
// own request, which reaches the application as a token (Wayland's xdg-activation token, X11's
// startup id). Tokens are short printable ASCII; anything else is dropped.
QByteArray gettoneValido(const QByteArray& gettone);
// The token this process was launched with (XDG_ACTIVATION_TOKEN, else DESKTOP_STARTUP_ID), kept
// by preparaFattiDesktop before the toolkit takes it; empty when none.
QByteArray gettoneLancio();
// A token that came with a request to show a window (a second start): the next attivaFinestra
// uses it.
void tieniGettone(const QByteArray& gettone);
// Brings a shown window forward with the token kept, where there is one (then forgotten).
void attivaFinestra(QWidget* finestra);

}  // namespace pulsaro
