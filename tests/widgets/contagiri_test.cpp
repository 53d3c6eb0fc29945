#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "support/qt_app.h"
#include "widgets/contagiri.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/molla.h"
#include "widgets/tema.h"

using namespace pulsaro;

namespace {

QPointF polare(QPointF c, double r, double gradi) {
    const double a = gradi * std::numbers::pi / 180;
    return c + QPointF(r * std::cos(a), r * std::sin(a));
}

QColor pixel(const QImage& img, QPointF p) {
    return img.pixelColor(p.toPoint());
}

}  // namespace

TEST(Contagiri, MisureDelQuadrante) {
    const auto g = geometriaContagiri(QRectF(0, 0, 100, 40), 0.5);
    EXPECT_DOUBLE_EQ(g.d, 46);
    EXPECT_NEAR(g.lw, 3.22, 1e-9);
    EXPECT_NEAR(g.lato, 41.4, 1e-9);
    EXPECT_NEAR(g.centro.x(), 50, 1e-9);
    EXPECT_NEAR(g.centro.y(), 20 - 0.92, 1e-9);
    EXPECT_NEAR(g.larghezzaAgo, 2, 1e-9);

    const auto grande = geometriaContagiri(QRectF(10, 20, 300, 300), 0.5);
    EXPECT_NEAR(grande.centro.x(), 160, 1e-9);
    EXPECT_NEAR(grande.centro.y(), 170 - 6, 1e-9);
    EXPECT_NEAR(grande.lunghezzaAgo, 108, 1e-9);

    const auto piccolo = geometriaContagiri(QRectF(0, 0, 20, 40), 0.5);
    EXPECT_DOUBLE_EQ(piccolo.d, 20);
    EXPECT_DOUBLE_EQ(piccolo.lw, 3);
    EXPECT_DOUBLE_EQ(piccolo.larghezzaAgo, 2);
}

TEST(Contagiri, SbordoDelleCurve) {
    // 170 x 150, as in the main window: d = 170, the arc's top reaches above the frame.
    const QMarginsF m = sbordoContagiri(QSizeF(170, 150));
    EXPECT_GT(m.top(), 10);
    EXPECT_EQ(m.bottom(), 0);  // the ends of the scale stay well inside
    EXPECT_EQ(m.left(), 4);    // 76.5 + 11.9 reaches past 85 by 3.4
    EXPECT_EQ(m.right(), 4);
    // A square frame: the glow at the sides, and at the top also the 0.02 d the dial is lifted.
    EXPECT_EQ(sbordoContagiri(QSizeF(300, 300)), QMarginsF(6, 12, 6, 0));
}

TEST(Contagiri, ScalaTaccheEAgo) {
    const auto g = geometriaContagiri(QRectF(0, 0, 200, 200), 0.25);
    EXPECT_DOUBLE_EQ(g.zonaRossa.inizio + g.zonaRossa.ampiezza, 390);  // the red zone ends the scale
    EXPECT_DOUBLE_EQ(g.arcoValore.ampiezza, 60);
    EXPECT_DOUBLE_EQ(g.angoloAgo, 210);
    EXPECT_DOUBLE_EQ(g.tacche.back().angolo, 390);
    for (std::size_t i = 0; i < g.tacche.size(); ++i) {
        EXPECT_EQ(g.tacche[i].maggiore, i % 5 == 0) << i;
        EXPECT_NEAR(QLineF(g.centro, g.tacche[i].centro).length(), 0.32 * g.d, 1e-9);
    }
}

TEST(Contagiri, ValoriSpentiEFuoriScala) {
    EXPECT_EQ(frazioneContagiri(80, false), 0);
    for (auto [valore, frazione] :
         {std::pair{150.0, 1.0}, {-3.0, 0.0}, {0.0, 0.0}, {42.0, 0.42}, {std::nan(""), 0.0}})
        EXPECT_DOUBLE_EQ(frazioneContagiri(valore, true), frazione) << valore;
    EXPECT_DOUBLE_EQ(geometriaContagiri(QRectF(0, 0, 100, 100), frazioneContagiri(80, false)).angoloAgo, 150);
    EXPECT_DOUBLE_EQ(geometriaContagiri(QRectF(0, 0, 100, 100), frazioneContagiri(150, true)).angoloAgo, 390);
    EXPECT_DOUBLE_EQ(geometriaContagiri(QRectF(0, 0, 100, 100), 0).arcoValore.ampiezza, 0);

    EXPECT_EQ(testoContagiri(80, false), QStringLiteral("—"));
    for (auto [valore, testo] :
         {std::pair{150.0, "150%"}, {-3.0, "-3.0%"}, {9.96, "10.0%"}, {10.0, "10%"}, {42.6, "43%"}})
        EXPECT_EQ(testoContagiri(valore, true), testo) << valore;
}

TEST(Contagiri, PixelAllaFineDellArco) {
    Tema::forzaAspetto(Aspetto::chiaro);
    // Tall enough for the arc, which overflows a frame limited by its height.
    const auto g = geometriaContagiri(QRectF(0, 0, 170, 200), 0);
    const QColor traccia = Tema::line(Aspetto::chiaro);

    Contagiri zero(0, Tema::orange(), "CPU", true);
    zero.resize(170, 200);
    QImage img = prova::dipingi(zero);
    EXPECT_TRUE(prova::simile(pixel(img, polare(g.centro, g.raggio, 153)), traccia)) << "no dot at 0%";
    EXPECT_TRUE(prova::simile(pixel(img, polare(g.centro, g.raggio, 270)), traccia));

    Contagiri meta(50, Tema::orange(), "CPU", true);
    meta.resize(170, 200);
    img = prova::dipingi(meta);
    EXPECT_TRUE(prova::simile(pixel(img, polare(g.centro, g.raggio, 265)), Tema::carico(50)));
    EXPECT_TRUE(prova::simile(pixel(img, polare(g.centro, g.raggio, 160)), Tema::carico(50)));
    EXPECT_FALSE(prova::simile(pixel(img, polare(g.centro, g.raggio, 285)), Tema::carico(50), 40));

    Contagiri oltre(150, Tema::orange(), "CPU", true);
    oltre.resize(170, 200);
    img = prova::dipingi(oltre);
    EXPECT_TRUE(prova::simile(pixel(img, polare(g.centro, g.raggio, 386)), Tema::carico(100)));
    EXPECT_TRUE(prova::simile(pixel(img, polare(g.centro, g.raggio, 155)), Tema::carico(100)));

    Contagiri spento(80, Tema::orange(), "CPU", false);
    spento.resize(170, 200);
    img = prova::dipingi(spento);
    EXPECT_TRUE(prova::simile(pixel(img, polare(g.centro, g.raggio, 270)), traccia));
    Tema::forzaAspetto(std::nullopt);
}

TEST(Contagiri, MollaSmorzata) {
    EXPECT_EQ(molla(0), 0);
    EXPECT_EQ(molla(-1), 0);
    double massimo = 0;
    for (double t = 0; t < 2; t += 0.005) massimo = std::max(massimo, molla(t));
    EXPECT_GT(massimo, 1.0);   // underdamped: it overshoots
    EXPECT_LT(massimo, 1.05);  // but only a little at 0.75 damping
    EXPECT_NEAR(molla(durataMolla()), 1, 1e-3);
    EXPECT_GT(durataMolla(), 0.7);
    EXPECT_LT(durataMolla(), 1.5);
    EXPECT_EQ(curvaMolla(0), 0);
    EXPECT_EQ(curvaMolla(1), 1);
    EXPECT_LT(curvaMolla(0.1), curvaMolla(0.3));
}

TEST(Contagiri, AnimaSoloQuandoVisibile) {
    Contagiri nascosto(20, Tema::orange(), "CPU", true);
    nascosto.setValore(70);
    EXPECT_DOUBLE_EQ(nascosto.frazioneMostrata(), 0.7);

    Contagiri visibile(20, Tema::orange(), "CPU", true);
    visibile.show();
    visibile.setValore(70);
    EXPECT_DOUBLE_EQ(visibile.frazioneMostrata(), 0.2);  // the spring starts where it was
    visibile.setAttivo(false);
    EXPECT_LE(visibile.frazioneMostrata(), 0.7);
    visibile.hide();
    visibile.setValore(10);
    EXPECT_DOUBLE_EQ(visibile.frazioneMostrata(), 0);  // inactive: the empty dial
}
