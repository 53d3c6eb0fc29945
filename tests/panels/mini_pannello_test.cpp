#include "panels/mini_pannello.h"

#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <tuple>
#include <vector>

#include "banco_pannelli.h"
#include "panels/cache_icone.h"
#include "panels/riga_mini.h"
#include "support/regione_dipinta.h"
#include "widgets/chip_ane.h"
#include "widgets/contagiri.h"
#include "widgets/elementi_pannello.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/orologio_fotogrammi.h"
#include "widgets/vista_contagiri.h"

using namespace pulsaro;
using prova::aspetta;
using prova::clic;

namespace {

struct BancoMini : prova::BancoPannelli {
    int aperture = 0, impostazioni = 0, uscite = 0;
    CacheIcone icone;  // kept across openings, as the controller keeps it
    std::unique_ptr<MiniPannello> crea() {
        return std::make_unique<MiniPannello>(
            *monitor, preferenze,
            AzioniPannello{[this] { ++aperture; }, [this] { ++impostazioni; }, [this] { ++uscite; }}, icone);
    }
};

QPoint centro(QWidget* w, QWidget* in) {
    return w->mapTo(in, w->rect().center());
}

}  // namespace

TEST(MiniPannello, AvvisoSoloMentreUnaFonteNonFunziona) {
    BancoMini b;
    auto m = b.crea();
    m->show();
    b.avanza(0);
    EXPECT_EQ(m->width(), 340);
    EXPECT_TRUE(m->avviso()->isHidden()) << "all sources work: the divider follows the dials";

    b.sonde.gpu.trovata = false;
    b.monitor->verificaOra();
    b.avanza(0);
    EXPECT_FALSE(m->avviso()->isHidden());
    EXPECT_EQ(m->testoAvviso()->testo(), "GPU non disponibile");

    // A machine with no GPU at all has nothing to warn about.
    b.sonde.gpu = {{}, 0, false, true};
    b.monitor->verificaOra();
    b.avanza(0);
    EXPECT_FALSE(b.monitor->stato().tutto());
    EXPECT_TRUE(m->avviso()->isHidden());
}

TEST(MiniPannello, QuadrantiDellaMisuraGiusta) {
    // Each gauge draws the dial of a 96 × 84 frame, not one shrunk to keep its glow inside the
    // frame, and the three frames line up.
    BancoMini b;
    auto m = b.crea();
    m->show();
    // Neither widget declares its own meta-object: pick them out by type.
    std::vector<Contagiri*> gauges;
    std::vector<ChipANE*> chips;
    for (QWidget* w : m->findChildren<QWidget*>()) {
        if (auto* c = dynamic_cast<Contagiri*>(w)) gauges.push_back(c);
        if (auto* c = dynamic_cast<ChipANE*>(w)) chips.push_back(c);
    }
    ASSERT_EQ(gauges.size(), 2u);
    ASSERT_EQ(chips.size(), 1u);
    const QRectF chip = QRectF(chips[0]->contentsRect()).translated(chips[0]->mapTo(m.get(), QPoint()));
    EXPECT_EQ(chip.size(), QSizeF(96, 84));
    for (Contagiri* c : gauges) {
        const QRectF quadrante =
            corniceContagiri(QRectF(c->contentsRect())).translated(c->mapTo(m.get(), QPoint()));
        EXPECT_NEAR(quadrante.width(), 96, 1);
        EXPECT_NEAR(quadrante.center().y(), chip.center().y(), 1);
    }
}

TEST(MiniPannello, ListaApertaEChiusaRicordata) {
    BancoMini b;
    b.preferenze.scrivi("miniListaAperta", false);
    b.preferenze.scrivi("listaAperta", true);  // the main window's key is another one
    auto m = b.crea();
    m->show();
    EXPECT_FALSE(m->listaAperta());
    EXPECT_TRUE(m->lista()->isHidden()) << "no process rows while closed";
    EXPECT_EQ(m->intestazioneLista()->toolTip(), "Espandi la lista");
    const int chiusa = m->height();

    clic(*m->intestazioneLista(), QPointF(20, 8));
    EXPECT_TRUE(m->listaAperta());
    EXPECT_EQ(b.preferenze.booleano("miniListaAperta"), true);
    EXPECT_EQ(b.preferenze.booleano("listaAperta"), true);
    EXPECT_EQ(m->intestazioneLista()->toolTip(), "Comprimi la lista");
    EXPECT_EQ(m->colonne()[1]->testo(), "GPU");
    ASSERT_TRUE(aspetta([&] { return m->chevron()->angolo() == 90 && !m->chevron()->inMovimento(); }));
    ASSERT_TRUE(aspetta([&] { return m->lista()->graphicsEffect() == nullptr; })) << "the fade is removed";
    EXPECT_GT(m->height(), chiusa);

    clic(*m->intestazioneLista(), QPointF(20, 8));
    EXPECT_EQ(b.preferenze.booleano("miniListaAperta"), false);
    ASSERT_TRUE(aspetta([&] { return m->lista()->isHidden(); })) << "hidden once faded out";
    EXPECT_EQ(m->height(), chiusa);
}

TEST(MiniPannello, RigheDeiPrimiCinqueProcessi) {
    BancoMini b;
    auto m = b.crea();
    b.sonde.lista.clear();
    ASSERT_TRUE(b.mostra(*m));
    b.avanza(0.35);
    EXPECT_EQ(m->righeMostrate(), 0);
    EXPECT_TRUE(m->rotella()->gira()) << "an empty list shows the spinner alone";
    clic(*m->lista(), centro(m->rotella(), m->lista()));
    EXPECT_EQ(b.aperture, 1) << "a click on the spinner still opens the main window";

    b.processi(20);
    b.campione();
    ASSERT_EQ(m->righeMostrate(), 5);
    EXPECT_FALSE(m->rotella()->isVisible());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(m->righe()[i]->processo().nome, "p" + std::to_string(i + 1));

    clic(*m->lista(), centro(m->righe()[2], m->lista()));
    EXPECT_EQ(b.aperture, 2) << "a click on a row opens the main window";
    clic(*m->quadranti(), QPointF(50, 40));
    EXPECT_EQ(b.aperture, 3) << "so does a click on the dials";
    EXPECT_EQ(m->quadranti()->toolTip(), "Apri Pulsaro");

    for (QPushButton* p : {m->pulsanteApri(), m->pulsanteImpostazioni(), m->pulsanteEsci()}) p->click();
    EXPECT_EQ(std::tuple(b.aperture, b.impostazioni, b.uscite), std::tuple(4, 1, 1));
    EXPECT_EQ(m->pulsanteImpostazioni()->toolTip(), "Impostazioni di Pulsaro");
}

TEST(MiniPannello, RiferisceMiniAlMonitor) {
    BancoMini b;
    QWidget finestra;
    auto* m = new MiniPannello(*b.monitor, b.preferenze, {}, &finestra);
    (new QVBoxLayout(&finestra))->addWidget(m);
    EXPECT_FALSE(b.monitor->campionando());
    finestra.show();
    ASSERT_TRUE(aspetta([&] { return b.monitor->campionando(); })) << "on screen: full sampling";
    delete m;
    EXPECT_FALSE(b.monitor->campionando()) << "a panel destroyed on screen reports itself gone";
}

TEST(MiniPannello, UnSoloIngranaggioPerTutteLeAperture) {
    // A popover is made at each opening; a new gear icon each time would pile up in Qt's pixmap cache.
    BancoMini b;
    auto chiave = [](MiniPannello& m) {
        for (auto* pulsante : m.findChildren<QPushButton*>())
            if (pulsante->text() == "Impostazioni") return pulsante->icon().cacheKey();
        return qint64(0);
    };
    auto primo = b.crea();
    const qint64 prima = chiave(*primo);
    primo.reset();
    auto secondo = b.crea();
    EXPECT_NE(prima, 0);
    EXPECT_EQ(chiave(*secondo), prima);
}

// A sample that moves one small bar of a row repaints that bar; a changed memory or process, the
// name block and the bars that read differently.
TEST(RigaMini, UnCampioneRidipingeSoloLaBarraCambiata) {
    prova::RegioneDipinta dipinto;
    CacheIcone icone([](std::int32_t) { return QImage(); });
    RigaMini riga(icone);
    riga.resize(320, riga.sizeHint().height());
    UsoProcesso p{7, "editor", 12, 0, 0, false, 50u << 20};
    riga.imposta(p);
    riga.show();
    QCoreApplication::processEvents();
    riga.installEventFilter(&dipinto);
    const auto campione = [&](const UsoProcesso& nuovo) {
        dipinto.regione = QRegion();
        riga.imposta(nuovo);
        QCoreApplication::processEvents();
        return dipinto.regione;
    };
    const QRect nome(0, 0, static_cast<int>(latoIconaMini + larghezzaNomeMini) + 16, riga.height());

    p.cpu = 40;
    QRegion r = campione(p);
    EXPECT_FALSE(r.isEmpty());
    EXPECT_FALSE(r.intersects(nome));
    EXPECT_FALSE(r.intersects(QRect(riga.width() - 60, 0, 60, riga.height()))) << "the GPU bar stays";
    EXPECT_TRUE(campione(p).isEmpty()) << "the same sample again";
    p.memoria = 900u << 20;
    r = campione(p);
    EXPECT_TRUE(r.intersects(nome));
    EXPECT_FALSE(r.intersects(QRect(riga.width() - 60, 0, 60, riga.height()))) << "the bars read the same";
    // Another process: its name and the bars whose value differs.
    r = campione(UsoProcesso{8, "altro", 40, 30, 0, false, 900u << 20});
    EXPECT_TRUE(r.intersects(nome));
    EXPECT_TRUE(r.intersects(QRect(riga.width() - 60, 0, 60, riga.height())));
}

// A name of stacked combining marks draws only inside its own line: never over the memory line
// (under it, or beside it on a gauge card over the dials), nor over the next row of a list. Found
// by difference: what the hostile name changes against a plain one, and where the memory text lies
// (what a changed figure changes).
TEST(RigaMini, UnNomeDiSegniImpilatiRestaNellaSuaRiga) {
    // The reported name, and marks that stack below and above.
    const QString segni = QStringLiteral("x") + QString(7, QChar(0x0489)) + QString(12, QChar(0x0353)) +
                          QString(12, QChar(0x0363));
    const auto diversi = [](const QImage& a, const QImage& b) {
        QRect r;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) r |= QRect(x, y, 1, 1);
        return r;
    };
    CacheIcone icone([](std::int32_t) { return QImage(); });
    const auto prova = [&](const char* vista, QWidget& w,
                           const std::function<void(const UsoProcesso&)>& imposta, const QRect& riga,
                           bool accanto) {
        SCOPED_TRACE(vista);
        UsoProcesso p{7, "x", 12, 3, 0, false, 50u << 20};
        imposta(p);
        const QImage semplice = prova::dipingi(w);
        p.memoria = 900u << 20;
        imposta(p);
        const QRect memoria = diversi(semplice, prova::dipingi(w));
        p.memoria = 50u << 20;
        p.nome = segni.toStdString();
        imposta(p);
        const QRect nome = diversi(semplice, prova::dipingi(w));
        ASSERT_FALSE(nome.isEmpty() || memoria.isEmpty());
        const auto righe = [&] {
            return testing::Message() << "name " << nome.top() << "–" << nome.bottom() << ", memory "
                                      << memoria.top() << "–" << memoria.bottom();
        };
        if (accanto) {  // the memory on the name's line: the name keeps to that line
            EXPECT_GE(nome.top(), memoria.top() - 8) << righe();
            EXPECT_LE(nome.bottom(), memoria.bottom() + 8) << righe();
        } else {
            EXPECT_FALSE(nome.intersects(memoria)) << righe();
        }
        EXPECT_TRUE(riga.contains(nome));
    };
    RigaMini mini(icone);
    mini.resize(320, mini.sizeHint().height());
    prova(
        "popover", mini, [&](const UsoProcesso& p) { mini.imposta(p); }, mini.rect(), false);
    VistaBarre barre;
    VistaContagiri contagiri;
    for (ListaProcessi* l : {static_cast<ListaProcessi*>(&barre), static_cast<ListaProcessi*>(&contagiri)}) {
        OrologioFotogrammi::di(l)->impostaRidotto(true);  // each sample drawn at once, at its values
        const auto imposta = [l](const UsoProcesso& p) {
            l->impostaProcessi({p, UsoProcesso{8, "secondo", 1, 0, 0, false, 1u << 20}});
            l->resize(640, l->heightForWidth(640));
        };
        imposta(UsoProcesso{});
        prova(l == &barre ? "barre" : "contagiri", *l, imposta, l->rettangoloProcesso(0).toAlignedRect(),
              l == &contagiri);
    }
}
