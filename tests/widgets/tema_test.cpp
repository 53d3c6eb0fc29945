#include <gtest/gtest.h>

#include <QPalette>
#include <cmath>

#include "support/qt_app.h"
#include "widgets/tema.h"

using namespace pulsaro;

namespace {
bool uguale(const QColor& a, const QColor& b) {
    return std::abs(a.redF() - b.redF()) < 1e-3 && std::abs(a.greenF() - b.greenF()) < 1e-3 &&
           std::abs(a.blueF() - b.blueF()) < 1e-3 && a.alpha() == b.alpha();
}
}  // namespace

TEST(Tema, IlCaricoPassaSenzaSaltiDallaCalmaAllAllarme) {
    // Three plateaus (calm, busy, alarm) and blends between them with no jump a reader would see.
    EXPECT_TRUE(uguale(Tema::carico(-5), Tema::carico(40)));
    EXPECT_TRUE(uguale(Tema::carico(48), Tema::carico(72)));
    EXPECT_TRUE(uguale(Tema::carico(82), Tema::carico(250)));
    EXPECT_FALSE(uguale(Tema::carico(40), Tema::carico(60)));
    EXPECT_FALSE(uguale(Tema::carico(60), Tema::carico(90)));
    EXPECT_LT(Tema::carico(60).blueF(), Tema::carico(20).blueF()) << "calm blue gives way to amber";
    EXPECT_LT(Tema::carico(90).greenF(), Tema::carico(60).greenF()) << "amber gives way to red";
    for (double p = 0; p < 100; p += 0.5) {
        const QColor a = Tema::carico(p), b = Tema::carico(p + 0.5);
        const double salto = std::abs(a.redF() - b.redF()) + std::abs(a.greenF() - b.greenF()) +
                             std::abs(a.blueF() - b.blueF());
        EXPECT_LT(salto, 0.1) << p;
    }
}

TEST(Tema, AspettoSeguitoDalSistemaOImposto) {
    const QPalette originale = QApplication::palette();
    QPalette scura = originale;
    scura.setColor(QPalette::Window, QColor(30, 30, 30));
    QApplication::setPalette(scura);
    EXPECT_EQ(Tema::aspetto(), Aspetto::scuro);
    EXPECT_EQ(Tema::card(), Tema::card(Aspetto::scuro));
    {
        const AspettoImposto imposto(Aspetto::chiaro);
        EXPECT_EQ(Tema::aspetto(), Aspetto::chiaro);
        EXPECT_EQ(Tema::card(), Tema::card(Aspetto::chiaro));
    }
    EXPECT_EQ(Tema::aspetto(), Aspetto::scuro);  // the palette before comes back
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
