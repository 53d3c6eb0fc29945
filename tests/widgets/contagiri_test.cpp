#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <tuple>

#include "support/qt_app.h"
#include "tela.h"
#include "widgets/caratteri.h"
#include "widgets/cifre.h"
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
    // Drawn at full scale, nothing of the arcs reaches the widget's edges, but the glow comes up to it.
    Contagiri w(100, Tema::orange(), "CPU", true);
    w.resize(170, 150);
    for (const auto& [dpr, origine] : prova::situazioni) {
        const auto t = prova::dipingiWidget(w, dpr, origine, Qt::transparent);
        EXPECT_LT(t.colore(QPointF(85, 0)).alpha(), 16) << dpr;
        EXPECT_GT(t.colore(QPointF(85, 1.5)).alpha(), 0) << dpr;
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

TEST(Contagiri, AnimaSoloQuandoVisibileEUnSaltoCheSiVede) {
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "0");  // whatever this desktop says
    Contagiri c(20, Tema::orange(), "CPU", true);
    c.setValore(50);
    EXPECT_DOUBLE_EQ(c.frazioneMostrata(), 0.5) << "hidden: at once";
    c.show();
    c.setValore(50.04);  // a hair of the dial: drawn once at its end, no frames
    EXPECT_DOUBLE_EQ(c.frazioneMostrata(), frazioneContagiri(50.04, true));
    c.setValore(80);  // a real move springs from where it was
    EXPECT_DOUBLE_EQ(c.frazioneMostrata(), frazioneContagiri(50.04, true));
    c.setAttivo(false);
    c.hide();
    c.setValore(10);
    EXPECT_DOUBLE_EQ(c.frazioneMostrata(), 0) << "inactive: the empty dial";
}

TEST(ContagiriDisegno, ImmaginiInCacheComeIlDisegnoDiretto) {
    ImmaginiContagiri immagini;
    // The arcs come from cached images on an upright painter and are stroked directly under a
    // rotated one (the slightest turn will do): both must give the same pixels.
    const QRectF cornice(10, 25, 170, 150);  // with room for the arcs above and beside it
    const QSizeF misura(190, 180);
    for (const Aspetto a : {Aspetto::chiaro, Aspetto::scuro})
        for (const auto& [dpr, origine] : prova::situazioni)
            for (const double f : {0.0, 0.37, 0.45, 0.775, 1.0}) {
                const auto dipingi = [&](bool diretto) {
                    return prova::dipingiSu(misura, dpr, origine, Tema::panel(a), [&](QPainter& p) {
                        if (diretto) p.rotate(1e-4);
                        disegnaContagiri(p, cornice, f, QString(), QString(), a, immagini);
                    });
                };
                // Edges may move by a sixteenth of a pixel (the images are placed in eighths of
                // one) and the end cap is a disc rather than the stroke's own cap.
                const auto [massima, oltre] = prova::differenza(dipingi(false).img, dipingi(true).img, 24);
                EXPECT_LE(massima, 40) << "dpr " << dpr << " f " << f;
                EXPECT_LE(oltre, 12) << "dpr " << dpr << " f " << f;
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

TEST(ContagiriDisegno, ZonaRossaTestoEBagliore) {
    ImmaginiContagiri immagini;
    const QRectF cornice(20, 40, 300, 300);
    const auto g = geometriaContagiri(cornice, 0.62);
    const QColor fondo = Tema::panel(Aspetto::scuro), traccia = Tema::line(Aspetto::scuro);
    const double quarto = g.lw / 4 / g.raggio * 180 / std::numbers::pi;  // a quarter of lw, in degrees
    // The value's line box is centred 0.3 d below the dial's centre; "11%": the ones have flat feet.
    const QString testo = QStringLiteral("11%");
    const CarattereScalato f = carattereScalato(0.13 * g.d, QFont::Bold);
    const QFontMetricsF m(f.font);
    const double alto = g.centroTesti.y() - m.height() * f.scala / 2;
    const double linea = alto + m.ascent() * f.scala;
    const double inizio = g.centroTesti.x() - misuraCifre(testo, f.font).width() * f.scala / 2;
    const double ones = 2 * CifreFisse(f.font).cella() * f.scala;
    // Ink: at least half way from the panel to the text colour, an edge to a quarter of a pixel.
    const int soglia = (fondo.lightness() + mescola(fondo, QColor(255, 255, 255), 0.85).lightness()) / 2;
    for (const auto& [dpr, origine] : prova::situazioni) {
        SCOPED_TRACE(dpr);
        const auto t = prova::dipingiSu(QSizeF(340, 360), dpr, origine, fondo, [&](QPainter& p) {
            disegnaContagiri(p, cornice, 0.62, testo, QString(), Aspetto::scuro, immagini);
        });
        // Flat ends of the red zone: the track just before it, only the track's cap past the scale.
        const auto suArco = [&](double angolo) { return t.colore(polare(g.centro, g.raggio, angolo)); };
        EXPECT_TRUE(prova::simile(suArco(g.zonaRossa.inizio - quarto), traccia, 4));
        EXPECT_TRUE(prova::simile(suArco(390 + quarto), traccia, 4));
        EXPECT_FALSE(prova::simile(suArco(g.zonaRossa.inizio + quarto), traccia, 20));

        // The digits stand on the line box's baseline, whatever the device.
        const QRectF uni = prova::inchiostro(
            t, QRectF(QPointF(inizio, g.centro.y() + 0.08 * g.d), QPointF(inizio + ones, cornice.bottom())),
            [&](const QColor& c) { return c.lightness() > soglia; });
        ASSERT_FALSE(uni.isEmpty());
        EXPECT_NEAR(uni.bottom(), linea, 0.5 / dpr + 0.1);
        EXPECT_GE(uni.top(), alto - 0.01);
        EXPECT_LT(uni.top(), linea - 0.5 * f.dimensione());  // digits are tall

        // Outwards from the arc the glow fades a little at every device pixel: rings would band.
        const QPoint bordo = t.pixel(g.centro - QPointF(0, g.raggio + g.lw / 2 + 1));
        int salto = 0, prima = t.img.pixelColor(bordo).red();
        EXPECT_GT(prima, fondo.red() + 20);  // there is a glow
        for (int k = 1; k <= static_cast<int>(g.lw / 2 * dpr) - 2; ++k) {
            const int r = t.img.pixelColor(bordo - QPoint(0, k)).red();
            EXPECT_LE(r, prima + 1) << k;  // never brighter outwards
            salto = std::max(salto, prima - r);
            prima = r;
        }
        EXPECT_LE(salto, 8);
    }
}
