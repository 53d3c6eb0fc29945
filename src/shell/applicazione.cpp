#include "shell/applicazione.h"

#include <QApplication>
#include <QPixmapCache>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "panels/mini_pannello.h"
#include "panels/pannello.h"
#include "platform/diario.h"
#include "platform/elemento_login.h"
#include "platform/fatti_desktop.h"
#include "platform/qt/istanza_unica.h"
#include "platform/qt/preferenze_qt.h"
#include "platform/segnali_uscita.h"
#include "platform/voce_stato.h"
#include "sampling/coda_seriale.h"
#include "shell/delegato.h"
#include "shell/finestre.h"
#include "shell/impostazioni.h"
#include "shell/migrazione_karvel.h"
#include "sistema/sistema.h"
#include "widgets/conta_fotogrammi.h"

namespace pulsaro {

namespace {

bool opzioneApplicazione(const std::string& a) {
    return a == "-pannellino" || a == argomentoLogin;
}

}  // namespace

int eseguiApplicazione(int argc, char** argv) {
    preparaFattiDesktop();
    QApplication app(argc, argv);  // takes Qt's own options out of the arguments
    QApplication::setApplicationName(QStringLiteral("Pulsaro"));
    QApplication::setOrganizationName(QStringLiteral("Pulsaro"));
    QApplication::setDesktopFileName(QStringLiteral("pulsaro"));
    QApplication::setQuitOnLastWindowClosed(false);  // the lifecycle decides
    // Every icon handed to Qt (the tray's at each light sample, each process's, the gear of each
    // popover) leaves its scaled copies in the pixmap cache, 10 MB by default: for a program that
    // runs all day, a slow climb over hours. What is on screen at once fits in far less.
    QPixmapCache::setCacheLimit(1024);
    // Measurements (scripts/misura.sh): the frames painted and their area, kept in this file.
    std::unique_ptr<ContaFotogrammi> conta;
    if (const QString file = qEnvironmentVariable("PULSARO_CONTEGGI"); !file.isEmpty())
        conta = std::make_unique<ContaFotogrammi>(file);

    std::vector<std::string> argomenti;
    std::string ignorate;
    for (const QString& a : QApplication::arguments().mid(1)) {
        argomenti.push_back(a.toStdString());
        if (!opzioneApplicazione(argomenti.back())) ignorate += " " + argomenti.back();
    }
    // What the system or a launcher adds (-psn_…, -NS… pairs) must not stop the application.
    if (!ignorate.empty()) diario(LivelloDiario::info, "avvio", "opzioni ignorate:" + ignorate);

    IstanzaUnica istanza;
    if (!istanza.prendi()) return 0;  // the running one opens its main window

    PreferenzeQt preferenze;
    {
        PreferenzeQt karvel(QStringLiteral("Karvel"), QStringLiteral("Karvel"));
        migraImpostazioniKarvel(preferenze, &karvel);
    }
    auto desktop = fattiDesktopDiSistema(argomenti);
    const bool daLogin = desktop->daLogin();

    auto sonde = sondeDiSistema();
    auto login = elementoLoginDiSistema();
    CodaSeriale coda("pulsaro.campionatore");
    int stato = 0;
    {
        ComponentiFinestre c;
        c.sonde = sonde.get();
        c.coda = &coda;
        c.principale = [](std::function<void()> f) {
            QMetaObject::invokeMethod(qApp, std::move(f), Qt::QueuedConnection);
        };
        c.preferenze = &preferenze;
        c.desktop = desktop.get();
        c.creaVoce = [](double attesa) { return voceStatoDiSistema(attesa); };
        c.dopo = [](double secondi, std::function<void()> f) {
            QTimer::singleShot(static_cast<int>(secondi * 1000), qApp, std::move(f));
        };
        c.termina = [] { QCoreApplication::quit(); };
        c.avviso = [](const std::string& riga) { diario(LivelloDiario::avviso, "barra", riga); };
        c.argomenti = argomenti;
        c.creaMini = [](Monitor& m, Preferenze& p, AzioniPopover a, QWidget* padre) -> QWidget* {
            return new MiniPannello(m, p, AzioniPannello{a.apriPrincipale, a.impostazioni, a.esci}, padre);
        };
        c.creaPannello = [](Monitor& m, Preferenze& p, QWidget* padre) -> QWidget* {
            return new Pannello(m, p, padre);
        };
        c.creaImpostazioni = [&login](Monitor& m, Preferenze& p, QWidget* padre) -> QWidget* {
            return new Impostazioni(m, p, *login, padre);
        };

        Finestre finestre(std::move(c));
        Delegato delegato(finestre, *desktop, [] { QCoreApplication::quit(); });
        QObject::connect(&istanza, &IstanzaUnica::riapertura, &delegato, &Delegato::riapri);

        // A signal is a real quit, handled from the event loop.
        std::unique_ptr<QSocketNotifier> segnali;
        const int fd = installaSegnaliUscita();
        if (fd >= 0) {
            segnali = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(segnali.get(), &QSocketNotifier::activated, &finestre, [fd, &finestre] {
                if (leggiSegnaleUscita(fd) != 0) finestre.esci();
            });
        }

        delegato.avvia(daLogin);
        stato = QApplication::exec();
        segnali.reset();
        ripristinaSegnaliUscita();
    }
    return stato;
}

}  // namespace pulsaro
