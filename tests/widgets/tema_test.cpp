#include <gtest/gtest.h>

#include <QPalette>

#include "support/qt_app.h"
#include "widgets/risorsa.h"
#include "widgets/tema.h"

using namespace pulsaro;

namespace {
bool uguale(const QColor& a, const QColor& b) {
    return std::abs(a.redF() - b.redF()) < 1e-3 && std::abs(a.greenF() - b.greenF()) < 1e-3 &&
           std::abs(a.blueF() - b.blueF()) < 1e-3 && a.alpha() == b.alpha();
}
}  // namespace

TEST(Tema, RampaDelCaricoAiSuoiPuntiDiRottura) {
    const QColor blu(141, 190, 227), ambra(238, 196, 82), rosso(232, 129, 127);
    const std::pair<double, QColor> casi[] = {
        {-5, blu},
        {40, blu},  // a = 0 at the start of the blend
        {44, QColor::fromRgbF(189.5f / 255, 193.f / 255, 154.5f / 255)},
        {48, ambra},
        {72, ambra},
        {77, QColor::fromRgbF(235.f / 255, 162.5f / 255, 104.5f / 255)},
        {82, rosso},
        {250, rosso},
    };
    for (const auto& [carico, colore] : casi) EXPECT_TRUE(uguale(Tema::carico(carico), colore)) << carico;
}

TEST(Tema, AspettoSeguitoDalSistemaOForzato) {
    const QPalette originale = QApplication::palette();
    QPalette scura = originale;
    scura.setColor(QPalette::Window, QColor(30, 30, 30));
    QApplication::setPalette(scura);
    EXPECT_EQ(Tema::aspetto(), Aspetto::scuro);
    EXPECT_EQ(Tema::card(), Tema::card(Aspetto::scuro));
    Tema::forzaAspetto(Aspetto::chiaro);
    EXPECT_EQ(Tema::aspetto(), Aspetto::chiaro);
    EXPECT_EQ(Tema::card(), Tema::card(Aspetto::chiaro));
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

TEST(Risorsa, ValoreDelProcessoPerRisorsa) {
    const UsoProcesso p{1, "p", 12.5, 40, 7, false, 0};
    EXPECT_EQ(Risorsa(Risorsa::cpu).valore(p), 12.5);
    EXPECT_EQ(Risorsa(Risorsa::gpu).valore(p), 40);
    EXPECT_EQ(Risorsa(Risorsa::ane).valore(p), 7);
}
