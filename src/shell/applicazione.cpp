#include "shell/applicazione.h"

#include <QApplication>
#include <QPixmapCache>
#include <QSocketNotifier>
#include <QTimer>
#include <memory>
#include <string>
#include <vector>

#include "panels/accessibile_pannelli.h"
#include "platform/diario.h"
#include "platform/elemento_login.h"
#include "platform/fatti_desktop.h"
#include "platform/movimento.h"
#include "platform/qt/fatti_desktop_qt.h"
#include "platform/qt/istanza_unica.h"
#include "platform/qt/preferenze_qt.h"
#include "platform/segnali_uscita.h"
#include "platform/voce_stato.h"
#include "sampling/coda_seriale.h"
#include "shell/delegato.h"
#include "shell/esportatore.h"
#include "shell/finestre.h"
#include "shell/migrazione_karvel.h"
#include "sistema/sistema.h"
#include "widgets/conta_fotogrammi.h"

#include "widgets/icona_applicazione.h"

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
    // Task bars find the icon through the desktop file's name; windows also carry it themselves.
    QApplication::setDesktopFileName(QString::fromLatin1(idApplicazione));
    QApplication::setWindowIcon(iconaApplicazioneCompleta());
    QApplication::setQuitOnLastWindowClosed(false);  // the lifecycle decides
    registraAccessibilita();
    // Every icon handed to Qt (the tray's at each light sample, each process's, the gear of each
    // popover) leaves its scaled copies in the pixmap cache, 10 MB by default: for a program that
    // runs all day, a slow climb over hours. What is on screen at once fits in far less.
    QPixmapCache::setCacheLimit(1024);
    // Measurements (scripts/misura.sh): the frames painted and their area, kept in this file.
    std::unique_ptr<ContaFotogrammi> conta;
    if (const QString file = qEnvironmentVariable("PULSARO_CONTEGGI"); !file.isEmpty())
        conta = std::make_unique<ContaFotogrammi>(file);

    std::vector<std::string> argomenti;
    for (const QString& a : QApplication::arguments().mid(1)) argomenti.push_back(a.toStdString());
    std::string ignorate;
    OpzioniEsportazione esporta;
    for (std::size_t i = 0; i < argomenti.size(); ++i) {
        std::string errore;
        if (opzioneEsportazione(argomenti, i, esporta, errore)) {
            if (!errore.empty()) diario(LivelloDiario::errore, "esportazione", errore);
        } else if (!opzioneApplicazione(argomenti[i])) {
            ignorate += " " + argomenti[i];
        }
    }
    // What the system or a launcher adds (-psn_…, -NS… pairs) must not stop the application.
    if (!ignorate.empty()) diario(LivelloDiario::info, "avvio", "opzioni ignorate:" + ignorate);

    auto desktop = fattiDesktopDiSistema(argomenti);
    const bool daLogin = desktop->daLogin();
    IstanzaUnica istanza;
    // A plain start asks the running one to open its main window; a login launch asks nothing.
    // On the Mac the launch event comes only with the event loop, so there a second login
    // launch still reads as a plain one.
    if (!istanza.prendi(!daLogin, gettoneLancio())) return 0;
    // Asked now, without waiting: the portal answers before the first window animates.
    movimentoRidottoDesktop();

    PreferenzeQt preferenze;
    {
        PreferenzeQt karvel(QStringLiteral("Karvel"), QStringLiteral("Karvel"));
        migraImpostazioniKarvel(preferenze, &karvel);
    }

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
        c.avviso = [](const std::string& riga) { diario(LivelloDiario::avviso, "barra", riga); };
        c.argomenti = argomenti;
        c.login = login.get();

        Finestre finestre(std::move(c));
        EsportazioneApplicazione esportazione(finestre.monitor(), preferenze, esporta);
        Delegato delegato(finestre, *desktop, [] { QCoreApplication::quit(); });
        // The second start's token lets its request bring the window forward.
        QObject::connect(&istanza, &IstanzaUnica::riapertura, &delegato, [&delegato](const QByteArray& g) {
            diario(LivelloDiario::debug, "istanza",
                   g.isEmpty() ? "riapertura chiesta da un secondo avvio"
                               : "riapertura chiesta da un secondo avvio, con il suo gettone di attivazione");
            tieniGettone(g);
            delegato.riapri();
        });

        // A signal is a real quit, handled from the event loop.
        std::unique_ptr<QSocketNotifier> segnali;
        const int fd = installaSegnaliUscita();
        if (fd >= 0) {
            segnali = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
            QObject::connect(segnali.get(), &QSocketNotifier::activated, &delegato, [fd, &delegato] {
                if (leggiSegnaleUscita(fd) != 0) delegato.esci();
            });
        }

        delegato.avvia();  // the controller starts from the event loop
        stato = QApplication::exec();
        segnali.reset();
        ripristinaSegnaliUscita();
    }
    return stato;
}

}  // namespace pulsaro
