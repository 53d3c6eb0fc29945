#include "panels/mini_pannello.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <tuple>

#include "banco_pannelli.h"
#include "panels/cache_icone.h"
#include "panels/riga_mini.h"
#include "widgets/elementi_pannello.h"
#include "widgets/orologio_fotogrammi.h"
#include "widgets/vista_contagiri.h"

using namespace pulsaro;
using prova::aspetta;
using prova::clic;

namespace {

QPoint centro(QWidget* w, QWidget* in) {
    return w->mapTo(in, w->rect().center());
}

}  // namespace

// Its list closed and opened again under its own key; the first five processes, the spinner without
// them; what its clicks and buttons do; the warning while a source fails.
TEST(MiniPannello, ListaRigheEAvviso) {
    prova::BancoPannelli b;
    b.preferenze.scrivi("miniListaAperta", false);
    b.preferenze.scrivi("listaAperta", true);  // the main window's key is another one
    int aperture = 0, impostazioni = 0, uscite = 0;
    auto m = std::make_unique<MiniPannello>(
        *b.monitor, b.preferenze,
        AzioniPannello{[&] { ++aperture; }, [&] { ++impostazioni; }, [&] { ++uscite; }});
    b.sonde.lista.clear();
    ASSERT_TRUE(b.mostra(*m));
    EXPECT_TRUE(m->lista()->isHidden()) << "no process rows while closed";
    const int chiusa = m->height();
    clic(*m->intestazioneLista(), QPointF(20, 8));
    EXPECT_EQ(b.preferenze.booleano("miniListaAperta"), true);
    ASSERT_TRUE(aspetta([&] { return m->chevron()->angolo() == 90 && !m->chevron()->inMovimento(); }));
    ASSERT_TRUE(aspetta([&] { return m->lista()->graphicsEffect() == nullptr; })) << "the fade is removed";
    EXPECT_GT(m->height(), chiusa);

    b.avanza(0.35);
    EXPECT_EQ(m->righeMostrate(), 0);
    EXPECT_TRUE(m->rotella()->gira()) << "an empty list shows the spinner alone";
    clic(*m->lista(), centro(m->rotella(), m->lista()));
    EXPECT_EQ(aperture, 1) << "a click on the spinner still opens the main window";

    b.processi(20);
    b.campione();
    ASSERT_EQ(m->righeMostrate(), 5);
    EXPECT_FALSE(m->rotella()->isVisible());
    for (int i = 0; i < 5; ++i) EXPECT_EQ(m->righe()[i]->processo().nome, "p" + std::to_string(i + 1));

    clic(*m->lista(), centro(m->righe()[2], m->lista()));
    EXPECT_EQ(aperture, 2) << "a click on a row opens the main window";
    clic(*m->quadranti(), QPointF(50, 40));
    EXPECT_EQ(aperture, 3) << "so does a click on the dials";
    EXPECT_EQ(m->quadranti()->toolTip(), "Apri Pulsaro");

    for (QPushButton* p : {m->pulsanteApri(), m->pulsanteImpostazioni(), m->pulsanteEsci()}) p->click();
    EXPECT_EQ(std::tuple(aperture, impostazioni, uscite), std::tuple(4, 1, 1));
    EXPECT_EQ(m->pulsanteImpostazioni()->toolTip(), "Impostazioni di Pulsaro");

    const int aperta = m->height();
    clic(*m->intestazioneLista(), QPointF(20, 8));
    EXPECT_EQ(b.preferenze.booleano("miniListaAperta"), false);
    EXPECT_EQ(b.preferenze.booleano("listaAperta"), true);
    ASSERT_TRUE(aspetta([&] { return m->lista()->isHidden(); })) << "hidden once faded out";
    EXPECT_LT(m->height(), aperta);

    // The warning shows only while a source fails: a machine with no GPU at all has nothing to say.
    b.sonde.gpu.trovata = false;
    b.monitor->verificaOra();
    b.avanza(0);
    EXPECT_FALSE(m->avviso()->isHidden());
    EXPECT_EQ(m->testoAvviso()->testo(), "GPU non disponibile");
    b.sonde.gpu = {{}, 0, false, true};
    b.monitor->verificaOra();
    b.avanza(0);
    EXPECT_FALSE(b.monitor->stato().tutto());
    EXPECT_TRUE(m->avviso()->isHidden());
    m.reset();
    EXPECT_FALSE(b.monitor->campionando()) << "a panel destroyed on screen reports itself gone";
}

// A name of stacked combining marks draws only inside its own line: never over the memory line
// nor over the next row. Found by difference: what the hostile name changes against a plain one,
// and what a changed memory figure changes.
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
        if (accanto) {  // the memory on the name's line: the name keeps to that line
            EXPECT_GE(nome.top(), memoria.top() - 8);
            EXPECT_LE(nome.bottom(), memoria.bottom() + 8);
        } else {
            EXPECT_FALSE(nome.intersects(memoria));
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
