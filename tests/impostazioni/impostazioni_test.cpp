#include "impostazioni/impostazioni.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

#include "barra/icona_barra.h"
#include "barra/riquadro_barra.h"
#include "impostazioni/anteprima_riquadro.h"
#include "impostazioni/griglia_stato.h"
#include "platform/preferenze.h"
#include "sampling/coda_manuale.h"
#include "sampling/sonde_finte.h"
#include "support/qt_app.h"
#include "widgets/interruttore.h"
#include "widgets/pozzetto_colore.h"
#include "widgets/selettore_passi.h"
#include "widgets/tema.h"

using namespace pulsaro;
namespace RB = pulsaro::RiquadroBarra;

namespace {

// A login item whose answers the test sets, counting what the form asks of it.
struct LoginFinto : ElementoLogin {
    StatoLogin attuale = StatoLogin::nonRegistrato;
    StatoLogin dopoRegistra = StatoLogin::attivo;
    std::optional<std::string> erroreAnnulla;
    int registrazioni = 0, annullamenti = 0, aperture = 0;

    StatoLogin stato() override { return attuale; }
    std::optional<std::string> registra() override {
        ++registrazioni;
        attuale = dopoRegistra;
        return std::nullopt;
    }
    std::optional<std::string> annulla() override {
        ++annullamenti;
        if (!erroreAnnulla) attuale = StatoLogin::nonRegistrato;
        return erroreAnnulla;
    }
    void apriImpostazioniSistema() override { ++aperture; }
};

// A store that can be told to refuse writes, as a read-only file does, or to have set aside a file
// it could not read.
struct PreferenzeGuaste : PreferenzeInMemoria {
    bool guasta = false;
    std::optional<std::string> daParte;
    bool scritturaFallita() const override { return guasta; }
    std::optional<std::string> messoDaParte() const override { return daParte; }
};

class ImpostazioniTest : public ::testing::Test {
protected:
    void SetUp() override {
        monitor =
            Monitor::crea(sonde, coda, [this](std::function<void()> f) { blocchi.push_back(std::move(f)); });
    }
    // The Mac's words unless told: the login item's approval exists only there.
    Impostazioni& crea(FormaTesti forma = FormaTesti::mac) {
        vista = std::make_unique<Impostazioni>(*monitor, preferenze, login, nullptr, forma);
        return *vista;
    }
    template <class T>
    T* trova(const char* nome) {
        auto* w = vista->findChild<T*>(QString::fromLatin1(nome));
        EXPECT_NE(w, nullptr) << nome;
        return w;
    }
    // Shown as the user would see it: not hidden itself nor by an ancestor in the form.
    bool visibile(QWidget* w) const { return w->isVisibleTo(vista.get()); }

    prova::SondeFinte sonde;
    CodaManuale coda;
    PreferenzeGuaste preferenze;
    LoginFinto login;
    std::vector<std::function<void()>> blocchi;
    std::shared_ptr<Monitor> monitor;
    std::unique_ptr<Impostazioni> vista;
};

}  // namespace

TEST_F(ImpostazioniTest, PrimaInstallazioneEProcessiA3A3Tra3E30) {
    crea();
    auto* s = trova<SelettorePassi>("processiMostrati");
    EXPECT_EQ(s->value(), 9);
    EXPECT_EQ(trova<QComboBox>("nellaBarra")->currentText(), "Icona arancione");
    for (const char* nascosto : {"colore", "mostra_n", "anteprima", "rigaApprovazione", "errore"})
        EXPECT_FALSE(visibile(trova<QWidget>(nascosto))) << nascosto;
    EXPECT_FALSE(preferenze.valore("numeroPannelli")) << "showing writes nothing";
    EXPECT_FALSE(preferenze.valore("barraMenu"));

    for (auto [passi, atteso] : {std::pair{1, 12}, {20, 30}, {-20, 3}}) {
        s->stepBy(passi);
        EXPECT_EQ(preferenze.intero("numeroPannelli", 0), atteso) << passi;
    }
    // A typed value snaps to the nearest step.
    for (auto [scritto, atteso] : {std::pair{"10", 9}, {"11", 12}, {"31", 30}, {"1", 3}, {"0", 3}}) {
        s->findChild<QLineEdit*>()->setText(QString::fromLatin1(scritto));
        s->interpretText();
        EXPECT_EQ(s->value(), atteso) << scritto;
        EXPECT_EQ(preferenze.intero("numeroPannelli", 0), atteso) << scritto;
    }
    // A stored value out of range is shown at the nearest end, one off the steps as it is (what
    // the monitor keeps); neither is stored until changed.
    for (auto [memorizzato, mostrato] : {std::pair{100, 30}, {-4, 3}, {4, 4}}) {
        preferenze.scrivi("numeroPannelli", std::int64_t{memorizzato});
        EXPECT_EQ(s->value(), mostrato) << memorizzato;
        EXPECT_EQ(preferenze.intero("numeroPannelli", 0), memorizzato);
    }
    preferenze.scrivi("numeroPannelli", std::string("molti"));
    EXPECT_EQ(s->value(), 9);
    // A step goes on from a value off the steps.
    for (auto [passo, atteso] : {std::pair{1, 11}, {-1, 5}}) {
        preferenze.scrivi("numeroPannelli", std::int64_t{8});
        s->stepBy(passo);
        EXPECT_EQ(preferenze.intero("numeroPannelli", 0), atteso) << passo;
    }
}

TEST_F(ImpostazioniTest, StatiDisabilitati) {
    preferenze.scrivi("iconaRiquadro", true);
    crea();
    auto* barra = trova<Interruttore>("barraMenu");
    auto* menu = trova<Interruttore>("menuContestuale");
    auto* grigia = trova<Interruttore>("iconaStato");
    auto* picker = trova<QComboBox>("nellaBarra");
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_FALSE(grigia->isEnabled()) << "the tile is chosen";
    EXPECT_TRUE(grigia->isChecked()) << "its stored value still shows";
    EXPECT_TRUE(picker->isEnabled());

    barra->click();
    EXPECT_FALSE(preferenze.booleano("barraMenu", true));
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_FALSE(grigia->isEnabled());
    EXPECT_FALSE(picker->isEnabled());
    EXPECT_TRUE(visibile(trova<PozzettoColore>("colore"))) << "the colour rows stay as they are";

    barra->click();
    picker->setCurrentIndex(0);
    EXPECT_FALSE(preferenze.booleano("iconaRiquadro", true));
    EXPECT_TRUE(grigia->isEnabled());
    EXPECT_FALSE(visibile(trova<PozzettoColore>("colore")));
    grigia->click();
    menu->click();
    trova<Interruttore>("esportaMisure")->click();
    EXPECT_TRUE(preferenze.booleano("esportaMisure", false));
    EXPECT_FALSE(preferenze.booleano("iconaStato", true));
    EXPECT_FALSE(preferenze.booleano("menuContestuale", true));
}

TEST_F(ImpostazioniTest, ColoreAnteprimaEVoci) {
    preferenze.scrivi("iconaRiquadro", true);
    preferenze.scrivi("coloreRiquadro", std::string("non un colore"));
    crea();
    auto* anteprima = trova<AnteprimaRiquadro>("anteprima");
    auto* pozzetto = trova<PozzettoColore>("colore");
    // Unparsable: orange on screen, the stored text untouched.
    EXPECT_EQ(pozzetto->colore(), RB::arancio());
    EXPECT_EQ(anteprima->colore(), RB::arancio());

    // Chosen live in the dialog, applied as it is chosen; cancelling puts back what was stored.
    pozzetto->click();
    ASSERT_NE(pozzetto->scelta(), nullptr);
    EXPECT_FALSE(pozzetto->scelta()->testOption(QColorDialog::ShowAlphaChannel));
    pozzetto->scelta()->setCurrentColor(QColor(0x20, 0x40, 0x60));
    EXPECT_EQ(preferenze.testo("coloreRiquadro", ""), "204060");
    EXPECT_EQ(anteprima->colore(), QColor(0x20, 0x40, 0x60));
    pozzetto->scelta()->reject();
    EXPECT_EQ(preferenze.testo("coloreRiquadro", ""), "non un colore");
    EXPECT_EQ(pozzetto->colore(), RB::arancio());

    vista->scegliColore(QColor(0x1A, 0x2B, 0x6D));
    EXPECT_EQ(preferenze.testo("coloreRiquadro", ""), "1A2B6D");
    EXPECT_EQ(pozzetto->colore(), QColor(0x1A, 0x2B, 0x6D));
    trova<QPushButton>("arancione")->click();
    EXPECT_EQ(preferenze.testo("coloreRiquadro", ""), "E08A4F");
    EXPECT_EQ(anteprima->colore(), RB::arancio());

    // Unchecking N: stored, and the preview narrows by the dot.
    const int prima = anteprima->sizeHint().width();
    trova<QCheckBox>("mostra_n")->click();
    EXPECT_FALSE(RB::mostra(preferenze, RB::Voce::n));
    EXPECT_EQ(anteprima->sizeHint().width(), prima - 20);
    trova<QCheckBox>("mostra_core")->click();
    EXPECT_TRUE(RB::mostra(preferenze, RB::Voce::core));
}

TEST_F(ImpostazioniTest, LoginConApprovazioneEdErrore) {
    // Waiting for approval from the start: the switch off, the hint shown, nothing asked of the system.
    login.attuale = login.dopoRegistra = StatoLogin::richiedeApprovazione;
    crea();
    auto* avvio = trova<Interruttore>("avvioAutomatico");
    auto* riga = trova<QWidget>("rigaApprovazione");
    auto* errore = trova<QLabel>("errore");
    EXPECT_FALSE(avvio->isChecked());
    EXPECT_TRUE(visibile(riga));
    EXPECT_EQ(login.registrazioni + login.annullamenti, 0) << "the first value is not a change";

    // Turned on, still to approve: the switch shows off again, and its correction starts no second
    // registration.
    avvio->click();
    EXPECT_EQ(login.registrazioni, 1);
    EXPECT_EQ(login.annullamenti, 0);
    EXPECT_FALSE(avvio->isChecked());
    EXPECT_TRUE(vista->daApprovare());
    trova<QPushButton>("apri")->click();
    EXPECT_EQ(login.aperture, 1);

    login.dopoRegistra = StatoLogin::attivo;  // approved meanwhile: the hint goes
    avvio->click();
    EXPECT_FALSE(visibile(riga));

    // A failure: red text in plain form, switch back to what the system has, until the next change.
    login.erroreAnnulla = "<b>Operazione</b> non permessa";
    avvio->click();
    EXPECT_EQ(login.annullamenti, 1);
    EXPECT_TRUE(avvio->isChecked());
    EXPECT_TRUE(visibile(errore));
    EXPECT_EQ(errore->text(), "Non riuscito: <b>Operazione</b> non permessa");
    EXPECT_EQ(errore->textFormat(), Qt::PlainText);
    EXPECT_EQ(login.registrazioni, 2);

    login.erroreAnnulla.reset();
    avvio->click();
    EXPECT_FALSE(visibile(errore));
    EXPECT_EQ(login.annullamenti, 2);

    login.attuale = StatoLogin::attivo;
    crea();
    EXPECT_TRUE(trova<Interruttore>("avvioAutomatico")->isChecked());
}

// The form takes its words for the desktop it is given (the words themselves are the platform's).
TEST_F(ImpostazioniTest, LeParoleDiOgniDesktop) {
    const auto testi = [this] {
        QStringList t;
        for (QLabel* l : vista->findChildren<QLabel*>()) t << l->text();
        for (Interruttore* i : vista->findChildren<Interruttore*>()) t << i->text();
        return t.join(QStringLiteral("\n"));
    };
    crea(FormaTesti::mac);
    EXPECT_TRUE(testi().contains("Apri Pulsaro all'accesso al Mac"));

    // Linux: no Mac, no Dock, no ⌘, and no approval line even if the status asked for one.
    login.attuale = StatoLogin::richiedeApprovazione;
    crea(FormaTesti::gnuLinux);
    const QString gnu = testi();
    for (const char* t : {"Mac", "Dock", "⌘", "Impostazioni di Sistema"}) EXPECT_FALSE(gnu.contains(t)) << t;
    EXPECT_TRUE(gnu.contains("Apri Pulsaro all'accesso al computer"));
    EXPECT_FALSE(visibile(trova<QWidget>("rigaApprovazione")));
}

TEST_F(ImpostazioniTest, LaGrigliaChiedeCampioniMentreESulloSchermo) {
    // Exposure reaches the window through the event loop.
    const auto finche = [this](bool campionando) {
        QElapsedTimer t;
        t.start();
        while (monitor->campionando() != campionando && t.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        return monitor->campionando() == campionando;
    };
    crea();
    EXPECT_FALSE(monitor->campionando());
    vista->show();
    EXPECT_TRUE(finche(true));
    vista->hide();
    EXPECT_FALSE(monitor->campionando()) << "hiding ends the report at once";
    vista->show();
    ASSERT_TRUE(finche(true));
    vista.reset();
    EXPECT_FALSE(monitor->campionando()) << "closing the window ends the report";
}

TEST_F(ImpostazioniTest, GrigliaStatoPerFontiCheFunzionanoENo) {
    GrigliaStato g(*monitor, "10 core (6 + 4)", "8 core", 4);
    UsoTotale t;
    t.core = {3, 2};
    t.gpu = 41.6;
    t.ane = 0.5;
    monitor->totale.assegna(t);
    const auto testi = [&g](int i) {
        const auto& r = g.riga(i);
        return std::vector<QString>{r.titolo->text(), r.hardware->text(), r.uso->text()};
    };
    EXPECT_EQ(testi(0),
              (std::vector<QString>{"CPU e memoria", "10 core (6 + 4)", "Usati: 5 core (P 3 · E 2)"}));
    EXPECT_EQ(testi(1), (std::vector<QString>{"GPU", "8 core", "Usati: 42%"}));
    EXPECT_EQ(testi(2), (std::vector<QString>{"Neural Engine", "", "Usati: sì"}));
    t.ane = 0.49;
    monitor->totale.assegna(t);
    EXPECT_EQ(g.riga(2).uso->text(), "Usati: no");
    EXPECT_EQ(testoUsoCore({3, 0}, 0), "3 core");

    monitor->stato.assegna(StatoFonti{true, false, false});
    EXPECT_TRUE(g.funziona(0));
    EXPECT_EQ(testi(1), (std::vector<QString>{"GPU", "Non disponibile", ""}));
    EXPECT_EQ(testi(2), (std::vector<QString>{"Neural Engine", "Non disponibile", ""}));
    // A green check for a working source, a grey cross for the others.
    EXPECT_GT(prova::conta(g.riga(0).simbolo->pixmap().toImage(), QRectF(0, 0, 14, 14), Tema::green(), 4),
              20);
    EXPECT_EQ(prova::conta(g.riga(1).simbolo->pixmap().toImage(), QRectF(0, 0, 14, 14), Tema::green(), 40),
              0);

    // A machine without the unit: said quietly, no cross, no "Non disponibile".
    monitor->stato.assegna(StatoFonti{true, false, false, true, true});
    EXPECT_TRUE(g.assente(1));
    EXPECT_EQ(testi(1), (std::vector<QString>{"GPU", "Nessuna GPU rilevata", ""}));
    EXPECT_EQ(testi(2), (std::vector<QString>{"Neural Engine", "Nessuna NPU rilevata", ""}));
    EXPECT_TRUE(g.riga(1).simbolo->pixmap().isNull());
    EXPECT_EQ(g.riga(1).hardware->palette().color(QPalette::WindowText), Tema::testoSecondario());
}

// A refused write is said once, under the form, until a write works again; an unreadable file set
// aside at a change is said there too.
TEST_F(ImpostazioniTest, ScritturaRifiutataSiVedeSottoIlModulo) {
    crea();
    auto* riga = trova<QLabel>("nonSalvate");
    auto* daParte = trova<QLabel>("messoDaParte");
    auto* barra = trova<Interruttore>("barraMenu");
    const auto clic = [barra] {
        barra->click();
        QCoreApplication::processEvents();
    };
    EXPECT_TRUE(riga->isHidden());
    EXPECT_TRUE(daParte->isHidden());

    preferenze.guasta = true;
    clic();
    EXPECT_FALSE(riga->isHidden());
    EXPECT_EQ(riga->text(), "Impostazioni non salvate: le modifiche valgono fino alla chiusura di Pulsaro.");
    EXPECT_FALSE(preferenze.booleano("barraMenu", true));  // the value holds for this run
    const int altezza = vista->height();
    clic();
    EXPECT_EQ(vista->height(), altezza);  // one line, not one per write

    preferenze.guasta = false;
    clic();
    EXPECT_TRUE(riga->isHidden());
    EXPECT_LT(vista->height(), altezza);

    preferenze.daParte = "/home/u/.config/Pulsaro/Pulsaro.conf.illeggibile";
    clic();
    EXPECT_FALSE(daParte->isHidden());
    EXPECT_EQ(daParte->text(),
              "Il vecchio file delle impostazioni non si leggeva: è stato messo da parte come "
              "Pulsaro.conf.illeggibile.");
}

TEST(IconaBarra, OrangeOrGreyGauge) {
    const auto conta = [](bool grigia, const QColor& c) {
        const QImage img = iconaBarra(grigia, 2.0);
        return prova::conta(img, QRectF(QPointF(), img.deviceIndependentSize()), c, 0);
    };
    EXPECT_GT(conta(false, RB::arancio()), 50);
    EXPECT_EQ(conta(false, grigioSistema()), 0);
    EXPECT_GT(conta(true, grigioSistema()), 50);
    EXPECT_EQ(conta(true, RB::arancio()), 0);
}
