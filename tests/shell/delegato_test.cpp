#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QTemporaryDir>

#include "banco_finestre.h"
#include "platform/qt/preferenze_qt.h"
#include "shell/migrazione_karvel.h"

namespace pulsaro::prova {
namespace {

class DelegatoTest : public BancoFinestre {
protected:
    // Launching finishes with the event loop: nothing is shown before, the login marker is read then.
    void avviaTutto(bool daLogin = false) {
        crea();
        delegato->avvia();
        gira();
        EXPECT_EQ(vociVive, 0);
        EXPECT_EQ(finestre->principale(), nullptr);
        desktop.login = daLogin;
        ASSERT_TRUE(desktop.avvio);
        desktop.avvio();
        gira();
    }
    // Qt's own quit request, as Command-Q or the Quit key sends it; true when it went through.
    bool richiestaUscita() {
        QEvent e(QEvent::Quit);
        return !delegato->eventFilter(QCoreApplication::instance(), &e);
    }
};

TEST_F(DelegatoTest, LaDecisioneDiUscita) {
    avviaTutto();
    // With the presence off, or for a logout, restart or shutdown, a quit is a quit.
    preferenze.scrivi("barraMenu", false);
    EXPECT_TRUE(richiestaUscita());
    preferenze.scrivi("barraMenu", true);
    desktop.sistema = true;  // the quit event carries a logout, restart or shutdown reason
    EXPECT_TRUE(richiestaUscita());
    desktop.sistema = false;
    gira();
    EXPECT_NE(finestre->principale(), nullptr);  // nothing was turned into hiding

    // Otherwise it closes every window and the popover, and keeps the item. The commands' keys work
    // wherever the user is: every window carries them.
    EXPECT_FALSE(delegato->comandoImpostazioni()->shortcut().isEmpty()) << "a key on every desktop";
    delegato->comandoImpostazioni()->trigger();
    ASSERT_NE(finestre->finestraImpostazioni(), nullptr);
    EXPECT_TRUE(finestre->finestraImpostazioni()->actions().contains(delegato->comandoEsci()));
    finestre->alternaPopover();
    EXPECT_FALSE(richiestaUscita());
    gira();
    EXPECT_EQ(finestre->principale(), nullptr);
    EXPECT_EQ(finestre->finestraImpostazioni(), nullptr);
    EXPECT_EQ(finestre->popover(), nullptr);
    EXPECT_EQ(vociVive, 1);
    EXPECT_EQ(politica(), Politica::accessoria);
    EXPECT_EQ(terminazioni, 0);

    delegato->comandoFinestra()->trigger();
    EXPECT_NE(finestre->principale(), nullptr);
    delegato->comandoEsci()->trigger();  // a request: the decision above answers it
    EXPECT_EQ(terminazioni, 1);

    // After the power-off notice it quits whatever the presence.
    ASSERT_TRUE(desktop.spegnimento);
    desktop.spegnimento();
    EXPECT_TRUE(richiestaUscita());
}

// The last window closed ends the process only with the presence off, or with no item on show (no
// tray, or its host gone), and so does a quit request: nothing would be left to reopen it.
TEST_F(DelegatoTest, UltimaFinestraChiusaEsceSoloSenzaPresenzaOSenzaVoce) {
    avviaTutto(true);  // a login launch: the item, no window, no Dock icon
    EXPECT_EQ(vociVive, 1);
    EXPECT_EQ(finestre->principale(), nullptr);
    EXPECT_EQ(politica(), Politica::accessoria);
    ASSERT_TRUE(desktop.riapertura);
    desktop.riapertura();  // the application reopened (its Dock icon clicked) opens the window
    chiudi(finestre->principale());
    EXPECT_EQ(terminazioni, 0);
    preferenze.scrivi("barraMenu", false);
    gira();  // the main window opens again
    chiudi(finestre->principale());
    EXPECT_EQ(terminazioni, 1);

    preferenze.scrivi("barraMenu", true);
    avviaTutto();
    voce->cambiaPresenza(false);
    EXPECT_TRUE(richiestaUscita());
    EXPECT_NE(finestre->principale(), nullptr);
    chiudi(finestre->principale());
    EXPECT_EQ(terminazioni, 2);
    voce->cambiaPresenza(true);  // the item back: the window closes into it again
    finestre->apriPrincipale();
    EXPECT_FALSE(richiestaUscita());
}

TEST(MigrazioneKarvel, CopiaSoloLeChiaviAssentiEUnaVoltaSola) {
    PreferenzeInMemoria mie, karvel;
    mie.scrivi("barraMenu", true);
    karvel.scrivi("barraMenu", false);
    karvel.scrivi("numeroPannelli", std::int64_t{8});
    karvel.scrivi("NSWindow Frame FinestraPrincipale", std::string("10 20 980 760 0 0 1440 875 "));
    karvel.scrivi("coloreRiquadro", std::string("112233"));  // not in the list
    migraImpostazioniKarvel(mie, &karvel);
    EXPECT_EQ(mie.booleano("barraMenu"), true);  // the user's own value stands
    EXPECT_EQ(mie.intero("numeroPannelli"), 8);
    EXPECT_EQ(mie.testo("NSWindow Frame FinestraPrincipale"), "10 20 980 760 0 0 1440 875 ");
    EXPECT_FALSE(mie.valore("coloreRiquadro"));
    EXPECT_EQ(mie.booleano("migratoDaKarvel"), true);

    mie.rimuovi("numeroPannelli");
    karvel.scrivi("vista", std::string("contagiri"));
    migraImpostazioniKarvel(mie, &karvel);
    EXPECT_FALSE(mie.valore("numeroPannelli"));
    EXPECT_FALSE(mie.valore("vista"));

    PreferenzeInMemoria nuove;  // no predecessor: marked done all the same
    migraImpostazioniKarvel(nuove, nullptr);
    EXPECT_EQ(nuove.booleano("migratoDaKarvel"), true);

    // Over a preferences file that could not be read (here a folder in its place) the migration is
    // the program's own write: it holds for this run and leaves the file as it is.
    QTemporaryDir cartella;
    const QString file = cartella.filePath(QStringLiteral("Pulsaro.conf"));
    ASSERT_TRUE(QDir().mkdir(file));
    PreferenzeQt illeggibili(file);
    migraImpostazioniKarvel(illeggibili, &karvel);
    EXPECT_EQ(illeggibili.booleano("migratoDaKarvel"), true);
    EXPECT_EQ(illeggibili.testo("vista"), "contagiri");
    EXPECT_TRUE(QFileInfo(file).isDir());
}

}  // namespace
}  // namespace pulsaro::prova
