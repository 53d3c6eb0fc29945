// The controller and its lifecycle on fake probes, a manual queue, in-memory preferences, a fake
// status item and fake desktop facts; delayed calls and terminations are collected for the test to run.
#pragma once

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

#include "finti_shell.h"
#include "platform/preferenze.h"
#include "sampling/coda_manuale.h"
#include "sampling/sonde_finte.h"
#include "shell/delegato.h"
#include "shell/finestre.h"
#include "support/qt_app.h"

namespace pulsaro::prova {

// Plain stand-ins for the three contents, cheap to open and close: a label, and in the popover
// the three buttons that reach the controller.
inline ComponentiFinestre contenutiDiProva(ComponentiFinestre c) {
    c.creaMini = [](Monitor&, Preferenze&, AzioniPopover a, QWidget* padre) -> QWidget* {
        auto* w = new QWidget(padre);
        auto* l = new QVBoxLayout(w);
        const std::pair<QString, std::function<void()>> bottoni[] = {
            {QStringLiteral("Apri Pulsaro"), a.apriPrincipale},
            {QStringLiteral("Impostazioni…"), a.impostazioni},
            {QStringLiteral("Esci"), a.esci},
        };
        for (const auto& [titolo, azione] : bottoni) {
            auto* b = new QPushButton(titolo, w);
            QObject::connect(b, &QPushButton::clicked, w, azione);
            l->addWidget(b);
        }
        w->setMinimumSize(280, 200);
        return w;
    };
    c.creaPannello = c.creaImpostazioni = [](Monitor&, Preferenze&, QWidget* padre) -> QWidget* {
        return new QLabel(QStringLiteral("Pulsaro"), padre);
    };
    return c;
}

class BancoFinestre : public ::testing::Test {
protected:
    void TearDown() override {
        delegato.reset();
        finestre.reset();
        gira();
    }

    void crea(std::vector<std::string> argomenti = {}) {
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
        ComponentiFinestre componenti = contenutiDiProva(std::move(c));
        if (creaPannello) componenti.creaPannello = creaPannello;
        if (moduloImpostazioni) componenti.creaImpostazioni = moduloImpostazioni;
        finestre = std::make_unique<Finestre>(std::move(componenti));
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
    // The main window's content; the placeholder when empty.
    std::function<QWidget*(Monitor&, Preferenze&, QWidget*)> creaPannello;
    VoceFinta* voce = nullptr;  // the last one made; valid while vociVive > 0
    // The settings window's content, when a test wants its own.
    std::function<QWidget*(Monitor&, Preferenze&, QWidget*)> moduloImpostazioni;
    std::unique_ptr<Finestre> finestre;
    std::unique_ptr<Delegato> delegato;  // the quit policy
};

}  // namespace pulsaro::prova
