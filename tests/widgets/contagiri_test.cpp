#include <gtest/gtest.h>

#include <QPainter>
#include <cmath>
#include <numbers>
#include <tuple>

#include "support/qt_app.h"
#include "widgets/contagiri.h"
#include "widgets/disegno_contagiri.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/tema.h"

using namespace pulsaro;

namespace {

QPointF polare(QPointF c, double r, double gradi) {
    const double a = gradi * std::numbers::pi / 180;
    return c + QPointF(r * std::cos(a), r * std::sin(a));
}

}  // namespace

TEST(Contagiri, IlQuadranteNelSuoSpazio) {
    for (const double w : {20.0, 60.0, 100.0, 170.0, 300.0})
        for (const double h : {18.0, 40.0, 84.0, 150.0, 300.0}) {
            // Given the margins it asks for, the dial stays in its room at any value.
            const QRectF cornice(0, 0, w, h);
            const QRectF stanza = cornice.marginsAdded(sbordoContagiri(cornice.size()));
            for (const double f : {0.0, 0.5, 1.0}) {
                const auto g = geometriaContagiri(cornice, f);
                EXPECT_TRUE(stanza.contains(g.ingombro)) << w << " x " << h << " at " << f;
                EXPECT_TRUE(cornice.contains(g.centro));
            }
            // Laid out in a space, arcs included, it is the largest dial that fits there.
            const QRectF spazio(QPointF(7, 3), cornice.size());
            const QRectF dentro = corniceContagiri(spazio);
            const auto g = geometriaContagiri(dentro, 1);
            EXPECT_TRUE(spazio.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(g.ingombro)) << w << " x " << h;
            const QRectF piuGrande =
                geometriaContagiri(dentro.adjusted(0, 0, 0.01 * g.d, 0.01 * g.d / 1.15), 1).ingombro;
            EXPECT_TRUE(piuGrande.width() > w || piuGrande.height() > h) << w << " x " << h;
        }
}

TEST(Contagiri, ValoriSpentiEFuoriScala) {
    EXPECT_EQ(frazioneContagiri(80, false), 0);
    for (auto [valore, frazione] :
         {std::pair{150.0, 1.0}, {-3.0, 0.0}, {0.0, 0.0}, {42.0, 0.42}, {std::nan(""), 0.0}})
        EXPECT_DOUBLE_EQ(frazioneContagiri(valore, true), frazione) << valore;

    EXPECT_EQ(testoContagiri(80, false), QStringLiteral("—"));
    for (auto [valore, testo] :
         {std::pair{150.0, "150%"}, {-3.0, "-3.0%"}, {9.96, "10.0%"}, {10.0, "10%"}, {42.6, "43%"}})
        EXPECT_EQ(testoContagiri(valore, true), testo) << valore;
}

TEST(Contagiri, PixelAllaFineDellArco) {
    const AspettoImposto imposto(Aspetto::chiaro);
    // The widget lays the dial out with room for its arcs inside its rectangle.
    const auto g = geometriaContagiri(corniceContagiri(QRectF(0, 0, 170, 200)), 0);
    const QColor traccia = Tema::line(Aspetto::chiaro);
    // (value, active, angle on the arc, colour, whether it is that colour there)
    const std::tuple<double, bool, double, QColor, bool> casi[] = {
        {0, true, 153, traccia, true},  // no dot at 0%
        {0, true, 270, traccia, true},
        {50, true, 265, Tema::carico(50), true},
        {50, true, 160, Tema::carico(50), true},
        {50, true, 285, Tema::carico(50), false},
        {150, true, 386, Tema::carico(100), true},
        {150, true, 155, Tema::carico(100), true},
        {80, false, 270, traccia, true},
    };
    for (const auto& [valore, attivo, angolo, colore, uguale] : casi) {
        Contagiri w(valore, Tema::orange(), "CPU", attivo);
        w.resize(170, 200);
        const QColor c = prova::dipingi(w).pixelColor(polare(g.centro, g.raggio, angolo).toPoint());
        EXPECT_EQ(prova::simile(c, colore, uguale ? 10 : 40), uguale) << valore << " at " << angolo;
    }
}

TEST(ContagiriDisegno, LeImmaginiInCacheHannoUnTetto) {
    ImmaginiContagiri immagini;
    // A large gauge on a 2× screen through hundreds of values and colours, a card-sized one, and
    // one through the sizes of a window being resized: the images stay within their budget.
    QImage img(QSize(380, 360) * 2, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(2);
    QPainter p(&img);
    for (int i = 0; i < 400; ++i) {
        disegnaContagiri(p, QRectF(10, 25, 340, 300), i / 400.0, QString(), QString(), Aspetto::chiaro,
                         immagini);
        disegnaContagiri(p, QRectF(10, 25, 120, 110), (i * 7 % 400) / 400.0, QString(), QString(),
                         i % 2 ? Aspetto::chiaro : Aspetto::scuro, immagini);
    }
    for (int lato = 120; lato < 300; lato += 6)
        disegnaContagiri(p, QRectF(10, 25, lato, lato), 0.5, QString(), QString(), Aspetto::scuro, immagini);
    EXPECT_GT(immagini.memoria(), 2 << 20);  // it does keep images
    EXPECT_LE(immagini.memoria(), 8 << 20);
}
