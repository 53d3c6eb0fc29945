#include <gtest/gtest.h>

#include <QPalette>
#include <unordered_set>

#include "qt_app.h"
#include "widgets/risorsa.h"
#include "widgets/tema.h"

using namespace pulsaro;

namespace {
QColor rgb(int r, int g, int b) { return QColor(r, g, b); }

bool uguale(const QColor& a, const QColor& b) {
    return std::abs(a.redF() - b.redF()) < 1e-3 && std::abs(a.greenF() - b.greenF()) < 1e-3 &&
           std::abs(a.blueF() - b.blueF()) < 1e-3 && a.alpha() == b.alpha();
}
}  // namespace

TEST(Tema, RampaDelCaricoAiSuoiPuntiDiRottura) {
    const QColor blu = rgb(141, 190, 227), ambra = rgb(238, 196, 82), rosso = rgb(232, 129, 127);
    EXPECT_TRUE(uguale(Tema::carico(-5), blu));
    EXPECT_TRUE(uguale(Tema::carico(0), blu));
    EXPECT_TRUE(uguale(Tema::carico(39.9), blu));
    EXPECT_TRUE(uguale(Tema::carico(40), blu));  // a = 0 at the start of the blend
    EXPECT_TRUE(uguale(Tema::carico(44), QColor::fromRgbF(189.5f / 255, 193.f / 255, 154.5f / 255)));
    EXPECT_TRUE(uguale(Tema::carico(48), ambra));
    EXPECT_TRUE(uguale(Tema::carico(71.9), ambra));
    EXPECT_TRUE(uguale(Tema::carico(72), ambra));
    EXPECT_TRUE(uguale(Tema::carico(77), QColor::fromRgbF(235.f / 255, 162.5f / 255, 104.5f / 255)));
    EXPECT_TRUE(uguale(Tema::carico(81.99), QColor::fromRgbF(232.006f / 255, 129.067f / 255, 126.955f / 255)));
    EXPECT_TRUE(uguale(Tema::carico(82), rosso));
    EXPECT_TRUE(uguale(Tema::carico(100), rosso));
    EXPECT_TRUE(uguale(Tema::carico(250), rosso));
}

TEST(Tema, ColoriPerAspettoEAspettoSeguitoDalSistema) {
    prova::assicuraApp();
    EXPECT_EQ(Tema::panel(Aspetto::chiaro), QColor(0xEB, 0xEB, 0xE7));
    EXPECT_EQ(Tema::panel(Aspetto::scuro), QColor(0x22, 0x22, 0x20));
    EXPECT_EQ(Tema::greenLight(Aspetto::scuro), QColor(0x8E, 0xE0, 0xA0));
    EXPECT_EQ(Tema::red(Aspetto::chiaro), QColor(0xC9, 0x4A, 0x4A));
    EXPECT_EQ(Tema::orange(Aspetto::scuro).alpha(), 255);

    const QPalette originale = QApplication::palette();
    QPalette scura = originale;
    scura.setColor(QPalette::Window, QColor(30, 30, 30));
    QApplication::setPalette(scura);
    EXPECT_EQ(Tema::aspetto(), Aspetto::scuro);
    EXPECT_EQ(Tema::card(), Tema::card(Aspetto::scuro));
    Tema::forzaAspetto(Aspetto::chiaro);
    EXPECT_EQ(Tema::aspetto(), Aspetto::chiaro);
    EXPECT_EQ(Tema::card(), QColor(Qt::white));
    Tema::forzaAspetto(std::nullopt);
    QPalette chiara = originale;
    chiara.setColor(QPalette::Window, QColor(236, 236, 236));
    QApplication::setPalette(chiara);
    EXPECT_EQ(Tema::aspetto(), Aspetto::chiaro);
    QApplication::setPalette(originale);
}

TEST(Tema, MescolaEOpacita) {
    const QColor a(0, 0, 0), b(255, 255, 255);
    EXPECT_EQ(mescola(a, b, 0), a);
    EXPECT_EQ(mescola(a, b, 1), b);
    EXPECT_NEAR(mescola(a, b, 0.5).redF(), 0.5, 0.01);
    EXPECT_NEAR(conOpacita(QColor(10, 20, 30, 128), 0.5).alphaF(), 0.25, 0.01);
}

TEST(Risorsa, CasiTestiColoriEValori) {
    ASSERT_EQ(Risorsa::tutte.size(), 3u);
    EXPECT_EQ(Risorsa::tutte[0], Risorsa::cpu);
    EXPECT_EQ(Risorsa::tutte[2], Risorsa::ane);
    ASSERT_EQ(Risorsa::perProcesso.size(), 2u);
    EXPECT_EQ(Risorsa::perProcesso[0], Risorsa::cpu);
    EXPECT_EQ(Risorsa::perProcesso[1], Risorsa::gpu);

    EXPECT_EQ(Risorsa(Risorsa::ane).titolo(), "Neural Engine");
    EXPECT_EQ(Risorsa(Risorsa::ane).breve(), "ANE");
    EXPECT_EQ(Risorsa(Risorsa::gpu).titolo(), "GPU");
    EXPECT_EQ(Risorsa(Risorsa::cpu).colore()(Aspetto::chiaro), Tema::orange(Aspetto::chiaro));
    EXPECT_EQ(Risorsa(Risorsa::gpu).colore()(Aspetto::scuro), Tema::control(Aspetto::scuro));
    EXPECT_EQ(Risorsa(Risorsa::ane).colore()(Aspetto::chiaro), Tema::green(Aspetto::chiaro));

    UsoProcesso p;
    p.cpu = 12.5;
    p.gpu = 40;
    p.ane = 7;
    EXPECT_EQ(Risorsa(Risorsa::cpu).valore(p), 12.5);
    EXPECT_EQ(Risorsa(Risorsa::gpu).valore(p), 40);
    EXPECT_EQ(Risorsa(Risorsa::ane).valore(p), 7);

    std::unordered_set<Risorsa> insieme(Risorsa::tutte.begin(), Risorsa::tutte.end());
    insieme.insert(Risorsa::cpu);
    EXPECT_EQ(insieme.size(), 3u);
}
