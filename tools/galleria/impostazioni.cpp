// The settings form, light and dark, with working and failing sources, at device pixel ratio 2.
#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <QStyle>
#include <memory>

#include "galleria.h"
#include "impostazioni/impostazioni.h"
#include "platform/preferenze.h"
#include "platform/tabella_preferenze.h"
#include "sampling/coda_manuale.h"
#include "sampling/monitor.h"
#include "widgets/interruttore.h"
#include "widgets/tema.h"

using namespace pulsaro;

namespace {

constexpr qreal dpr = 2;

struct SondeFerme : Sonde {
    Macchina macchina() override { return {{}, 6, 4, "10 core (6 + 4)", "10 core"}; }
    LetturaTick tickCPU() override { return {}; }
    TempiProcessi tempiProcessi() override { return {}; }
    LetturaGPU letturaGPU(bool) override { return {}; }
    std::map<std::int32_t, std::string> clientANE() override { return {}; }
    double memoriaUsata() override { return 0; }
    std::optional<std::string> nomeApplicazione(std::int32_t) override { return std::nullopt; }
    int processoriAttivi() override { return 1; }
    std::unique_ptr<Energia> creaEnergia() override { return std::make_unique<EnergiaAssente>(); }
};

struct LoginFermo : ElementoLogin {
    StatoLogin s = StatoLogin::nonRegistrato;
    std::optional<std::string> errore;
    StatoLogin stato() override { return s; }
    std::optional<std::string> registra() override { return errore; }
    std::optional<std::string> annulla() override { return errore; }
    void apriImpostazioniSistema() override {}
};

QPalette tavolozzaScura() {
    QPalette p;
    const QColor finestra(0x1E, 0x1E, 0x1E), testo(0xE8, 0xE8, 0xE8), base(0x2A, 0x2A, 0x2A);
    p.setColor(QPalette::Window, finestra);
    p.setColor(QPalette::WindowText, testo);
    p.setColor(QPalette::Base, base);
    p.setColor(QPalette::AlternateBase, finestra);
    p.setColor(QPalette::Text, testo);
    p.setColor(QPalette::Button, QColor(0x3A, 0x3A, 0x3A));
    p.setColor(QPalette::ButtonText, testo);
    p.setColor(QPalette::Highlight, QColor(0x2F, 0x7C, 0xF6));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Light, QColor(0x55, 0x55, 0x55));
    p.setColor(QPalette::Midlight, QColor(0x44, 0x44, 0x44));
    p.setColor(QPalette::Mid, QColor(0x30, 0x30, 0x30));
    p.setColor(QPalette::Dark, QColor(0x15, 0x15, 0x15));
    p.setColor(QPalette::Shadow, Qt::black);
    for (auto ruolo : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, ruolo, QColor(0x80, 0x80, 0x80));
    return p;
}

struct Scena {
    bool scuro = false;
    bool riquadro = false;
    std::string colore;
    StatoFonti stato;
    StatoLogin login = StatoLogin::nonRegistrato;
    std::optional<std::string> errore;
    bool barraMenu = true;
};

QImage disegna(const Scena& s) {
    const AspettoImposto imposto(s.scuro ? Aspetto::scuro : Aspetto::chiaro);
    const QPalette primaApp = QApplication::palette();
    if (s.scuro) QApplication::setPalette(tavolozzaScura());

    SondeFerme sonde;
    CodaManuale coda;
    PreferenzeInMemoria preferenze;
    LoginFermo login;
    login.s = s.login;
    if (s.riquadro) TabellaPreferenze::iconaRiquadro.scrivi(preferenze, true);
    if (!s.colore.empty()) TabellaPreferenze::coloreRiquadro.scrivi(preferenze, s.colore);
    if (!s.barraMenu) TabellaPreferenze::barraMenu.scrivi(preferenze, false);
    auto monitor = Monitor::crea(sonde, coda, [](std::function<void()>) {});
    UsoTotale t;
    t.core = {3, 2};
    t.gpu = 12.4;
    t.ane = 0.8;
    monitor->totale.assegna(t);
    monitor->stato.assegna(s.stato);

    QImage img;
    {
        Impostazioni vista(*monitor, preferenze, login);
        if (s.errore) {
            // A failed change of the switch, as the user would meet it.
            login.errore = s.errore;
            vista.findChild<Interruttore*>("avvioAutomatico")->click();
        }
        vista.adjustSize();
        img = QImage(vista.size() * dpr, QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(dpr);
        img.fill(vista.palette().color(QPalette::Window));
        QPainter p(&img);
        vista.render(&p, QPoint(), QRegion(), QWidget::DrawChildren);
    }
    if (s.scuro) QApplication::setPalette(primaApp);
    return img;
}

}  // namespace

GALLERIA("impostazioni_predefinite_chiaro") {
    return disegna({});
}

GALLERIA("impostazioni_riquadro_chiaro") {
    Scena s;
    s.riquadro = true;
    s.login = StatoLogin::richiedeApprovazione;
    return disegna(s);
}

GALLERIA("impostazioni_riquadro_scuro_fonti_guaste") {
    Scena s;
    s.scuro = true;
    s.riquadro = true;
    s.colore = "1A2B6D";
    s.stato = StatoFonti{true, false, false};
    s.errore = "<b>Permesso negato</b> (/home/utente/.config/autostart)";
    return disegna(s);
}

GALLERIA("impostazioni_senza_barra_scuro") {
    Scena s;
    s.scuro = true;
    s.barraMenu = false;
    s.login = StatoLogin::attivo;
    return disegna(s);
}
