// The controller and its lifecycle on fake probes, a manual queue, in-memory preferences, a fake
// status item and fake desktop facts; delayed calls and terminations are collected for the test to run.
#pragma once

#include <QCoreApplication>
#include <QLabel>
#include <memory>
#include <utility>
#include <vector>

#include "platform/fatti_desktop.h"
#include "platform/preferenze.h"
#include "platform/voce_stato.h"
#include "sampling/coda_manuale.h"
#include "sampling/sonde_finte.h"
#include "shell/delegato.h"
#include "shell/finestre.h"
#include "support/qt_app.h"

namespace pulsaro::prova {

// A status item whose calls the tests read and drive.
struct VoceFinta : VoceStato {
    explicit VoceFinta(int& vive) : vive_(vive) { ++vive_; }
    ~VoceFinta() override { --vive_; }

    int immagini = 0;
    ImmaginePixel ultima;
    std::string suggerimento;
    std::string etichetta;
    Clic clic;
    std::vector<VoceMenu> menu;
    int menuMostrati = 0;
    std::vector<VoceMenu> allegato;  // the menu a StatusNotifierItem host would show
    int menuAllegati = 0;
    Rettangolo rett{1000, 0, 22, 22};
    int lato = 0;
    bool pannellino = false;
    bool presente = true;
    std::function<void()> assente;
    std::function<void(bool)> presenza;

    void impostaImmagine(const ImmaginePixel& i) override {
        ++immagini;
        ultima = i;
    }
    void impostaSuggerimento(const std::string& t) override { suggerimento = t; }
    void impostaEtichetta(const std::string& t) override { etichetta = t; }
    void quandoClic(Clic c) override { clic = std::move(c); }
    void mostraMenu(const std::vector<VoceMenu>& v) override {
        menu = v;
        ++menuMostrati;
    }
    void impostaMenuAllegato(const std::vector<VoceMenu>& v) override {
        allegato = v;
        ++menuAllegati;
    }
    Rettangolo rettangolo() const override { return rett; }
    int latoQuadrato() const override { return lato; }
    double dpr() const override { return 2.0; }
    void quandoAssente(std::function<void()> a) override { assente = std::move(a); }
    bool mostrata() const override { return presente; }
    void quandoPresenza(std::function<void(bool)> p) override { presenza = std::move(p); }
    bool menuConPannellino() const override { return pannellino; }
    // The tray's host goes away or comes back.
    void cambiaPresenza(bool p) {
        presente = p;
        if (presenza) presenza(p);
    }

private:
    int& vive_;
};

struct DesktopFinto : FattiDesktop {
    std::vector<Politica> politiche;
    bool login = false;
    bool sistema = false;
    bool compositore = false;  // Wayland
    std::function<void()> spegnimento;
    std::function<void()> riapertura;
    std::function<void()> avvio;

    void impostaPolitica(Politica p) override { politiche.push_back(p); }
    Politica politica() const override { return politiche.empty() ? Politica::regolare : politiche.back(); }
    bool daLogin() const override { return login; }
    bool uscitaDiSistema() const override { return sistema; }
    void quandoSpegnimento(std::function<void()> f) override { spegnimento = std::move(f); }
    void quandoRiapertura(std::function<void()> f) override { riapertura = std::move(f); }
    void quandoAvviata(std::function<void()> f) override { avvio = std::move(f); }
    bool aspettoScuro() const override { return false; }
    bool compositoreDispone() const override { return compositore; }
};

class BancoFinestre : public ::testing::Test {
protected:
    void TearDown() override {
        delegato.reset();
        finestre.reset();
        gira();
    }

    // Plain stand-ins for the three contents, cheap to open and close; the popover's actions are
    // kept for the test to call.
    void crea(std::vector<std::string> argomenti = {}) {
        delegato.reset();
        finestre.reset();
        gira();
        sonde.fatti.numeroE = 2;
        ComponentiFinestre c;
        c.sonde = &sonde;
        c.coda = &coda;
        c.principale = [this](std::function<void()> f) { blocchi.push_back(std::move(f)); };
        c.preferenze = &preferenze;
        c.desktop = &desktop;
        c.creaVoce = [this](double attesa) {
            attese.push_back(attesa);
            auto v = std::make_unique<VoceFinta>(vociVive);
            voce = v.get();
            voce->lato = lato;
            return v;
        };
        c.dopo = [this](double s, std::function<void()> f) { ritardati.emplace_back(s, std::move(f)); };
        c.avviso = [this](const std::string& r) { avvisi.push_back(r); };
        c.argomenti = std::move(argomenti);
        c.creaMini = [this](Monitor&, Preferenze&, AzioniPopover a, QWidget* padre) {
            azioniPopover = std::move(a);
            auto* w = new QWidget(padre);
            w->setMinimumSize(280, 200);
            return w;
        };
        c.creaPannello = c.creaImpostazioni = [](Monitor&, Preferenze&, QWidget* padre) -> QWidget* {
            return new QLabel(QStringLiteral("Pulsaro"), padre);
        };
        if (creaPannello) c.creaPannello = creaPannello;
        finestre = std::make_unique<Finestre>(std::move(c));
        delegato = std::make_unique<Delegato>(*finestre, desktop, [this] { ++terminazioni; });
    }

    void avvia(bool daLogin = false, std::vector<std::string> argomenti = {}) {
        crea(std::move(argomenti));
        finestre->avvia(daLogin);
        gira();
    }

    // The main thread's queued calls and deferred deletions.
    static void gira() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::sendPostedEvents(nullptr, 0);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
        }
    }

    // The delayed calls that have come due so far (all of them, in order).
    std::vector<double> eseguiRitardati() {
        std::vector<double> fatti;
        auto r = std::move(ritardati);
        ritardati.clear();
        for (auto& [s, f] : r) {
            fatti.push_back(s);
            f();
        }
        gira();
        return fatti;
    }

    void chiudi(QWidget* w) {
        ASSERT_NE(w, nullptr);
        w->close();
        gira();
    }

    Politica politica() const { return desktop.politica(); }

    SondeFinte sonde;
    CodaManuale coda;
    PreferenzeInMemoria preferenze;
    DesktopFinto desktop;
    std::vector<std::function<void()>> blocchi;
    std::vector<std::pair<double, std::function<void()>>> ritardati;
    std::vector<double> attese;
    std::vector<std::string> avvisi;
    int terminazioni = 0;
    int vociVive = 0;
    int lato = 0;
    AzioniPopover azioniPopover;
    // The main window's content, when a test wants its own.
    std::function<QWidget*(Monitor&, Preferenze&, QWidget*)> creaPannello;
    VoceFinta* voce = nullptr;  // the last one made; valid while vociVive > 0
    std::unique_ptr<Finestre> finestre;
    std::unique_ptr<Delegato> delegato;  // the quit policy
};

}  // namespace pulsaro::prova
