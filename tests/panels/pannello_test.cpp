#include "panels/pannello.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <cmath>

#include "banco_pannelli.h"
#include "panels/scheda_intestazione.h"
#include "widgets/contagiri.h"
#include "widgets/elementi_pannello.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/selettore_segmentato.h"
#include "widgets/vista_contagiri.h"

using namespace pulsaro;
using prova::aspetta;
using prova::clic;

namespace {

// A process name as shown: isolated from its neighbours.
QString isolato(const char* nome) {
    return QChar(0x2068) + QString::fromUtf8(nome) + QChar(0x2069);
}

}  // namespace

// The list closed and opened again; its area follows the view shown (an unknown stored view is the
// bars; the one picked is remembered), and the window follows the list.
TEST(Pannello, ListaVisteEFinestraAdattata) {
    prova::BancoPrincipale b;
    b.preferenze.scrivi("listaAperta", false);
    b.preferenze.scrivi("vista", std::string("Torta"));
    Pannello& p = b.crea();
    EXPECT_EQ(p.intervallo()->currentText(), "1,5 s");
    EXPECT_EQ(p.area()->minimumHeight(), 200) << "200 until measured";
    b.sonde.lista.clear();
    ASSERT_TRUE(b.mostra(*b.finestra)) << "on screen: the panel reports principale";
    EXPECT_TRUE(p.selettoreVista()->isHidden());
    EXPECT_TRUE(p.area()->isHidden());
    EXPECT_FALSE(p.intervallo()->isHidden()) << "the interval stays";
    EXPECT_EQ(p.interruttore()->toolTip(), "Espandi la lista");

    clic(*p.interruttore(), QPointF(10, 8));
    EXPECT_EQ(b.preferenze.booleano("listaAperta"), true);
    EXPECT_EQ(p.interruttore()->toolTip(), "Comprimi la lista");
    EXPECT_EQ(p.intervallo()->height(), p.selettoreVista()->height()) << "level with the picker beside it";
    EXPECT_TRUE(p.aiuto()->text().contains("(" + QString::number(b.monitor->core()) + " core)"));
    // The header card's gauges draw the dial of their frame, not one shrunk to keep the glow inside.
    for (int i = 0; i < 2; ++i)
        EXPECT_NEAR(corniceContagiri(QRectF(p.scheda()->contagiri(i)->contentsRect())).width(), 170, 1);
    EXPECT_TRUE(p.griglia()->isHidden());
    b.avanza(0.35);
    EXPECT_FALSE(p.attesa()->isHidden()) << "an empty list: Raccolta dati…";
    EXPECT_EQ(p.area()->minimumHeight(), static_cast<int>(p.altezzaMisurata()));

    b.processi(20);  // nine listed
    b.campione();
    EXPECT_TRUE(p.attesa()->isHidden());
    EXPECT_EQ(p.altezzaMisurata(), p.barre()->heightForWidth(p.area()->viewport()->width()));
    const double barre = p.altezzaMisurata();

    clic(*p.selettoreVista(), p.selettoreVista()->segmento(1).center());
    EXPECT_EQ(b.preferenze.testo("vista"), "Contagiri");
    EXPECT_EQ(Pannello(*b.monitor, b.preferenze).vista(), Vista::contagiri);
    EXPECT_EQ(p.griglia()->processi().size(), 9u) << "the gauges show the current list at once";
    EXPECT_GT(p.altezzaMisurata(), barre);
    EXPECT_EQ(p.area()->minimumHeight(), std::min(560, static_cast<int>(p.altezzaMisurata())));

    // Closing the list shrinks the window to what the rest of the panel needs.
    const int aperta = b.finestra->height();
    clic(*p.interruttore(), QPointF(10, 8));
    ASSERT_TRUE(aspetta([&] { return b.finestra->height() < aperta; }));
    const auto adatta = [&] {
        const int h = b.finestra->heightForWidth(b.finestra->width());
        return h >= 0 ? h : b.finestra->sizeHint().height();
    };
    ASSERT_TRUE(aspetta([&] { return std::abs(b.finestra->height() - adatta()) <= 2; }))
        << b.finestra->height() << " for " << adatta();
    EXPECT_GT(b.finestra->height(), 300);

    p.intervallo()->activated(2);
    EXPECT_EQ(b.monitor->intervallo(), 3.0);
    b.finestra.reset();
    EXPECT_FALSE(b.monitor->campionando()) << "closing the window reports it gone";
}

TEST(Pannello, SeguireUnProcessoAncheDaAltroveFinoAllaSuaFine) {
    prova::BancoPrincipale b;
    b.processi(3);
    b.sonde.lista[102].nome = "<b>non grassetto</b>";
    b.sonde.lista[103].avvio = 50;
    b.sonde.client = {{103, "ane"}};
    Pannello& p = b.apri();
    SchedaIntestazione* s = p.scheda();
    EXPECT_TRUE(s->rigaProcesso()->isHidden());

    b.clicRiga(1);
    EXPECT_EQ(b.monitor->seguito(), 102);
    EXPECT_FALSE(s->rigaProcesso()->isHidden());
    EXPECT_EQ(s->nome()->testo(), isolato("<b>non grassetto</b>"))
        << "names are plain text, shown before the next sample";
    ASSERT_TRUE(aspetta([&] { return !s->tutto()->isHidden() && s->opacitaBordo() == 0.6; }));
    b.campione();
    EXPECT_EQ(s->dettaglio()->testo(), "2 MB · pid 102");
    EXPECT_EQ(p.barre()->selezionato(), 102);

    b.clicRiga(1);
    EXPECT_EQ(b.monitor->seguito(), std::nullopt) << "a second click stops following";
    ASSERT_TRUE(aspetta([&] { return s->tutto()->isHidden() && s->opacitaBordo() == 0; }));

    // Following and the interval changed on the monitor by someone else: card, list and pop-up follow.
    b.monitor->impostaSeguito(102);
    EXPECT_FALSE(s->rigaProcesso()->isHidden());
    EXPECT_EQ(p.barre()->selezionato(), 102);
    b.monitor->impostaSeguito(std::nullopt);
    EXPECT_TRUE(s->rigaProcesso()->isHidden());
    EXPECT_EQ(p.barre()->selezionato(), std::nullopt);
    b.monitor->impostaIntervallo(3.0);
    EXPECT_EQ(p.intervallo()->currentText(), "3 s");

    b.clicRiga(0);
    b.clicRiga(2);
    EXPECT_EQ(b.monitor->seguito(), 103) << "a click on another process switches to it";
    b.campione();
    EXPECT_EQ(s->nome()->testo(), isolato("p3"));
    // It ends, and its pid goes to a process started later: that one is not the followed one.
    b.sonde.lista[103] = {1.0, 9u << 20, "impostore", std::nullopt, 900};
    b.sonde.client.clear();
    b.campione();
    EXPECT_EQ(s->nome()->testo(), "Processo terminato");
    EXPECT_EQ(p.barre()->selezionato(), std::nullopt) << "nor is its row marked";
    EXPECT_TRUE(s->dettaglio()->isHidden()) << "no memory line";
    for (int i = 0; i < 2; ++i) EXPECT_EQ(s->contagiri(i)->valore(), 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(s->sottotitolo(i)->testo(), "—");
    EXPECT_FALSE(s->tutto()->isHidden()) << "the way back stays";

    s->tutto()->click();
    EXPECT_EQ(b.monitor->seguito(), std::nullopt) << "so does Tutto";
    b.sonde.lista.erase(103);
    b.campione();
    p.seleziona(103);
    EXPECT_EQ(b.monitor->seguito(), std::nullopt) << "an ended process cannot be followed again";
    b.sonde.lista[103] = {1.0, 5u << 20, "p3"};
    b.campione();
    p.seleziona(103);
    EXPECT_EQ(b.monitor->seguito(), 103) << "until it is back in the list";
}
