#include <QElapsedTimer>
#include <QPointer>
#include <QScreen>
#include <QThread>

#include "banco_finestre.h"
#include "panels/pannello.h"
#include "shell/cornice_finestra.h"

namespace pulsaro::prova {
namespace {

using FinestreTest = BancoFinestre;

TEST_F(FinestreTest, PresenzaSpentaEPoiRiaccesa) {
    preferenze.scrivi("iconaRiquadro", true);
    avvia();
    ASSERT_EQ(vociVive, 1);
    EXPECT_EQ(voce->etichetta, "Pulsaro");
    EXPECT_EQ(attese, std::vector<double>{2});  // an ordinary start waits briefly for a tray
    EXPECT_TRUE(finestre->monitor().leggeroAcceso());
    chiudi(finestre->principale());
    EXPECT_EQ(politica(), Politica::accessoria);
    finestre->alternaPopover();
    ASSERT_NE(finestre->popover(), nullptr);

    // Off with no window open: item, popover and tile go, the main window and the Dock icon come.
    preferenze.scrivi("barraMenu", false);
    gira();
    EXPECT_EQ(vociVive, 0);
    EXPECT_EQ(finestre->popover(), nullptr);
    EXPECT_FALSE(finestre->monitor().leggeroAcceso());
    ASSERT_NE(finestre->principale(), nullptr);
    EXPECT_EQ(politica(), Politica::regolare);
    finestre->alternaPopover();
    EXPECT_EQ(finestre->popover(), nullptr);

    // On again: the item is back at once and drawn; the Dock icon stays while a window is open.
    preferenze.scrivi("barraMenu", true);
    gira();
    ASSERT_EQ(vociVive, 1);
    EXPECT_GE(voce->immagini, 1);
    EXPECT_EQ(politica(), Politica::regolare);
}

TEST_F(FinestreTest, MenuContestualeConTestiTastiERigaDiStatoOSpento) {
    avvia();
    finestre->alternaPopover();
    voce->clic(true);  // a right click, or a left click with Control held: the item says which
    EXPECT_EQ(finestre->popover(), nullptr);  // the menu closes the popover first
    std::vector<std::string> righe;           // title and key, or "—" for a separator
    for (const auto& v : voce->menu) righe.push_back(v.separatore ? "—" : v.titolo + " " + v.tasto);
    EXPECT_EQ(righe, (std::vector<std::string>{"Apri Pulsaro ", "Impostazioni\u2026 ,", "—",
                                               "Tutto funziona ", "—", "Esci da Pulsaro q"}));
    EXPECT_FALSE(voce->menu[3].abilitata);
    EXPECT_EQ(voce->menu[3].simbolo, "checkmark.circle.fill");
    // The same menu stays attached for the trays that show it by themselves, made again only when
    // its status line changes, not at every redraw.
    EXPECT_EQ(voce->allegato.size(), 6u);
    const int allegati = voce->menuAllegati;
    finestre->aggiornaIcona();
    EXPECT_EQ(voce->menuAllegati, allegati);

    finestre->monitor().stato.assegna(StatoFonti{true, false, true});
    gira();
    EXPECT_EQ(voce->allegato[3].titolo, "GPU non disponibile");
    EXPECT_EQ(voce->menuAllegati, allegati + 1);
    voce->clic(true);
    EXPECT_EQ(voce->menu[3].simbolo, "exclamationmark.triangle.fill");
    // A machine without a GPU has nothing to report there.
    finestre->monitor().stato.assegna(StatoFonti{true, false, true, true, false});
    gira();
    EXPECT_EQ(voce->allegato[3].titolo, "Tutto funziona");
    EXPECT_EQ(voce->allegato[3].simbolo, "checkmark.circle.fill");

    chiudi(finestre->principale());
    voce->menu[1].azione();
    EXPECT_NE(finestre->finestraImpostazioni(), nullptr);
    voce->menu[0].azione();
    EXPECT_NE(finestre->principale(), nullptr);
    EXPECT_FALSE(delegato->esciDavvero());
    voce->menu[5].azione();
    EXPECT_TRUE(delegato->esciDavvero());
    EXPECT_EQ(terminazioni, 1);

    // Turned off, the right click alternates the popover, and no menu stays attached.
    preferenze.scrivi("menuContestuale", false);
    gira();
    EXPECT_TRUE(voce->allegato.empty());
    const int mostrati = voce->menuMostrati;
    voce->clic(true);
    EXPECT_NE(finestre->popover(), nullptr);
    voce->clic(true);
    EXPECT_EQ(finestre->popover(), nullptr);
    EXPECT_EQ(voce->menuMostrati, mostrati);
    preferenze.scrivi("menuContestuale", std::string("no"));  // a non-boolean value counts as on
    gira();
    EXPECT_EQ(voce->allegato.size(), 6u);
    voce->clic(true);
    EXPECT_EQ(voce->menuMostrati, mostrati + 1);
}

TEST_F(FinestreTest, IlPopoverSiAlternaENasceNuovoOgniVolta) {
    avvia();
    voce->clic(false);
    QPointer<QWidget> primo = finestre->popover();
    ASSERT_NE(primo, nullptr);
    EXPECT_GE(primo->y(), voce->rett.y + voce->rett.altezza);  // hanging under the item's rectangle
    voce->clic(false);
    EXPECT_EQ(finestre->popover(), nullptr);
    gira();
    EXPECT_TRUE(primo.isNull());  // destroyed with its content

    voce->clic(false);
    ASSERT_NE(finestre->popover(), nullptr);
    finestre->popover()->close();  // as a click elsewhere does
    voce->clic(false);             // a tray that passes that same click on to the icon: not reopened
    EXPECT_EQ(finestre->popover(), nullptr);

    azioniPopover.esci();  // its buttons act on the controller
    EXPECT_TRUE(delegato->esciDavvero());
    EXPECT_EQ(terminazioni, 1);
}

TEST_F(FinestreTest, RidisegnaSoloQuandoServe) {
    preferenze.scrivi("iconaRiquadro", true);
    lato = 22;
    avvia();
    EXPECT_EQ(voce->ultima.larghezza, 44);  // the compact tile: 22 logical pixels at the item's ratio of 2
    lato = 0;                               // an item of any width: the wide tile, 17 points high
    avvia();
    EXPECT_GT(voce->ultima.larghezza, voce->ultima.altezza);

    Monitor& m = finestre->monitor();
    Riepilogo r;
    r.memoria = 40;
    m.riepilogo.assegna(r);
    gira();
    const int dopoPrimo = voce->immagini;
    r.cpu = 12;
    m.riepilogo.assegna(r);
    EXPECT_EQ(voce->immagini, dopoPrimo);  // handed to the main thread, not drawn inside the assignment
    gira();
    EXPECT_EQ(voce->immagini, dopoPrimo + 1);
    EXPECT_EQ(voce->suggerimento, "Memoria 40 %, CPU 12 %, GPU 0 %, Neural Engine a riposo");

    // The plain icon does not follow the figures, but follows the state.
    preferenze.scrivi("iconaRiquadro", false);
    gira();
    const int icona = voce->immagini;
    r.cpu = 50;
    m.riepilogo.assegna(r);
    gira();
    EXPECT_EQ(voce->immagini, icona);
    m.stato.assegna(StatoFonti{true, false, true});
    gira();
    EXPECT_EQ(voce->immagini, icona + 1);
    EXPECT_EQ(voce->suggerimento, "Pulsaro \u2013 GPU non disponibile");
    preferenze.scrivi("iconaStato", false);
    gira();
    EXPECT_EQ(voce->suggerimento, "Pulsaro");
}

TEST_F(FinestreTest, PannellinoDopoUnSecondoEMezzo) {
    avvia(false, {"-pannellino"});
    EXPECT_EQ(finestre->popover(), nullptr);
    EXPECT_EQ(eseguiRitardati(), (std::vector<double>{1.5, 0.15}));
    EXPECT_NE(finestre->popover(), nullptr);
    avvia(false, {"-pannellinox"});  // only the exact string counts
    EXPECT_EQ(eseguiRitardati(), std::vector<double>{0.15});
}

// A login launch shows only the item, waiting longer for the tray; with the presence off it opens the
// window. A tray host gone for more than 10 s, or no tray at all, brings the window back; the user is
// told once.
TEST_F(FinestreTest, AvvioAlLoginESenzaAreaDiNotifica) {
    avvia(true);
    EXPECT_EQ(finestre->principale(), nullptr);
    EXPECT_EQ(attese, std::vector<double>{30});  // the tray may start after us
    ASSERT_TRUE(finestre->voceMostrata());
    voce->cambiaPresenza(false);
    voce->cambiaPresenza(true);  // the host restarted at once
    voce->cambiaPresenza(false);
    EXPECT_FALSE(finestre->voceMostrata());
    auto r = std::move(ritardati);
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].first, 10);
    r[0].second();  // only the last absence counts
    EXPECT_EQ(finestre->principale(), nullptr);
    r[1].second();
    gira();
    ASSERT_NE(finestre->principale(), nullptr);
    EXPECT_EQ(politica(), Politica::regolare);

    avvia(true);
    ASSERT_TRUE(voce->assente);
    voce->assente();
    EXPECT_NE(finestre->principale(), nullptr);
    chiudi(finestre->principale());
    voce->assente();
    EXPECT_EQ(avvisi.size(), 1u);

    preferenze.scrivi("barraMenu", false);
    avvia(true);
    EXPECT_NE(finestre->principale(), nullptr);
    EXPECT_EQ(politica(), Politica::regolare);
}

TEST_F(FinestreTest, LeDueFinestreELaPolitica) {
    avvia();
    QWidget* p = finestre->principale();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->windowTitle(), "Pulsaro");
    // Never narrower than its content needs, 860 where the screen has them.
    const QSize spazio = QGuiApplication::primaryScreen()->availableGeometry().size() -
                         (p->frameGeometry().size() - p->size());
    p->resize(500, 500);
    EXPECT_GE(p->width(), std::min(860, spazio.width()));

    finestre->impostazioni();
    QWidget* i = finestre->finestraImpostazioni();
    ASSERT_NE(i, nullptr);
    EXPECT_EQ(i->windowTitle(), "Impostazioni di Pulsaro");

    // Opening again brings the same window forward, and again 0.15 s later.
    ritardati.clear();
    finestre->apriPrincipale();
    EXPECT_EQ(finestre->principale(), p);
    EXPECT_EQ(eseguiRitardati(), std::vector<double>{0.15});

    // The Dock icon goes with the last window closed; the settings window leaves it as it is.
    QPointer<QWidget> vecchia = p;  // closed, it is made anew at the next opening
    chiudi(p);
    EXPECT_TRUE(vecchia.isNull());
    EXPECT_EQ(politica(), Politica::regolare);
    chiudi(finestre->finestraImpostazioni());
    EXPECT_EQ(finestre->finestraImpostazioni(), nullptr);
    EXPECT_EQ(politica(), Politica::accessoria);
    finestre->impostazioni();
    EXPECT_EQ(politica(), Politica::accessoria);
}

TEST_F(FinestreTest, LaCorniceDellaFinestraPrincipaleRestaTraUnAvvioELAltro) {
    avvia();
    QWidget* p = finestre->principale();
    p->move(0, 20);
    gira();
    const QRect cornice = p->frameGeometry();
    const QSize dimensione = p->size();
    chiudi(p);
    const int altezza = QGuiApplication::primaryScreen()->geometry().height();
    const auto c = leggiCornice(preferenze.testo(chiaveCornicePrincipale).value_or(""), altezza);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->finestra, cornice);

    finestre->apriPrincipale();  // back where it was, the borders taken off its content again
    gira();
    EXPECT_EQ(finestre->principale()->frameGeometry(), cornice);
    EXPECT_EQ(finestre->principale()->size(), dimensione);
}

// Wayland: the main window's frame keeps its saved place (nobody knows the real one) with the size
// it has; the popover, a window of its own, closes when left, and the menu shows it.
TEST_F(FinestreTest, DoveIlCompositoreDisponeLeFinestre) {
    desktop.compositore = true;
    preferenze.scrivi(chiaveCornicePrincipale, std::string("100 50 700 500 0 0 1440 875 "));
    avvia();
    voce->pannellino = true;
    EXPECT_EQ(finestre->principale()->height(), 500);  // the width keeps to the content's minimum
    finestre->principale()->resize(finestre->principale()->width(), 510);
    gira();
    const QSize dimensione = finestre->principale()->size();
    chiudi(finestre->principale());
    const int altezza = QGuiApplication::primaryScreen()->geometry().height();
    const auto salvata = leggiCornice(*preferenze.testo(chiaveCornicePrincipale), altezza);
    ASSERT_TRUE(salvata);
    EXPECT_EQ(salvata->finestra,
              QRect(leggiCornice("100 50 700 500", altezza)->finestra.topLeft(), dimensione));

    voce->clic(false);
    ASSERT_NE(finestre->popover(), nullptr);
    QEvent lasciato(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(finestre->popover(), &lasciato);
    EXPECT_EQ(finestre->popover(), nullptr);
    gira();
    voce->clic(true);
    ASSERT_EQ(voce->menu[0].titolo, "Mostra pannellino");
    voce->menu[0].azione();
    voce->menu[0].azione();  // shows it, never toggles it off
    EXPECT_NE(finestre->popover(), nullptr);
}

// The main window on the screen it lands on: never past the screen's available area, whatever
// the saved frame or the number of rows. These run on the default offscreen screen and again on
// screens of 800 × 600 and 1440 × 900 (registered a second and third time in CMake).
class Schermo : public BancoFinestre {
protected:
    QRect area() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Lets the event loop run until `fatto` holds or two seconds have passed, running what the
    // sampling queue hands to the main thread.
    bool aspetta(const std::function<bool()>& fatto) {
        QElapsedTimer t;
        t.start();
        while (!fatto()) {
            if (t.elapsed() > 2000) return false;
            for (auto& f : std::exchange(blocchi, {})) f();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(5);
        }
        return true;
    }
    // The window's frame once it has stopped moving (the panel fits it over 0.2 s).
    QRect cornice() {
        QWidget* p = finestre->principale();
        QRect prima;
        aspetta([&] {
            const QRect ora = p->frameGeometry();
            const bool ferma = ora == prima;
            prima = ora;
            QThread::msleep(60);
            return ferma;
        });
        return p->frameGeometry();
    }
};

// Fifteen rows, a window made too large, a frame saved on a larger screen: always inside.
TEST_F(Schermo, LaFinestraPrincipaleStaNelloSchermo) {
    creaPannello = [](Monitor& m, Preferenze& p, QWidget* padre) -> QWidget* {
        return new Pannello(m, p, padre);
    };
    preferenze.scrivi("numeroPannelli", std::int64_t{15});
    sonde.lista.clear();
    for (int i = 0; i < 30; ++i)
        sonde.lista[101 + i] = {1.0, static_cast<std::uint64_t>(30 - i) << 20, "p" + std::to_string(i + 1)};
    avvia();
    auto* pannello = finestre->principale()->findChild<Pannello*>();
    ASSERT_TRUE(aspetta([&] { return finestre->monitor().campionando(); }));
    coda.avanza(0.35);
    coda.avanza(finestre->monitor().intervallo());
    ASSERT_TRUE(aspetta([&] { return finestre->monitor().processi().size() == 15; }));
    ASSERT_TRUE(aspetta([&] { return pannello->altezzaMisurata() > 0; }));
    QRect c = cornice();
    EXPECT_TRUE(area().contains(c)) << c.x() << "," << c.y() << " " << c.width() << "×" << c.height()
                                    << " on " << area().width() << "×" << area().height();
    finestre->principale()->resize(5000, 5000);
    gira();
    EXPECT_TRUE(area().contains(cornice()));

    const QRect salvata(area().right() - 300, area().top() + 40, 1000, 900);
    const int altezza = QGuiApplication::primaryScreen()->geometry().height();
    preferenze.scrivi(chiaveCornicePrincipale, testoCornice({salvata, QRect(0, 0, 2560, 1440)}, altezza));
    avvia();
    c = cornice();
    EXPECT_TRUE(area().contains(c)) << c.x() << "," << c.y() << " " << c.width() << "×" << c.height();
    EXPECT_EQ(c.width(), std::min(1000, area().width()));
}

}  // namespace
}  // namespace pulsaro::prova
