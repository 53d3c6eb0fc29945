#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cmath>
#include <numbers>
#include <tuple>
#include <vector>

#include "support/qt_app.h"
#include "tela.h"
#include "widgets/caratteri.h"
#include "widgets/cifre.h"
#include "widgets/contagiri.h"
#include "widgets/disegno_contagiri.h"
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

TEST(Contagiri, ScalaTaccheEAgo) {
    // (fraction, needle angle, value arc): the empty dial, a quarter, the full scale.
    for (auto [f, ago, arco] : {std::tuple{0.0, 150.0, 0.0}, {0.25, 210.0, 60.0}, {1.0, 390.0, 240.0}}) {
        const auto g = geometriaContagiri(QRectF(0, 0, 100, 100), f);
        EXPECT_DOUBLE_EQ(g.angoloAgo, ago) << f;
        EXPECT_DOUBLE_EQ(g.arcoValore.ampiezza, arco) << f;
    }
    const auto g = geometriaContagiri(QRectF(0, 0, 200, 200), 0.25);
    EXPECT_DOUBLE_EQ(g.zonaRossa.inizio + g.zonaRossa.ampiezza, 390);  // the red zone ends the scale
    EXPECT_DOUBLE_EQ(g.tacche.back().angolo, 390);
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
        const QColor c = pixel(prova::dipingi(w), polare(g.centro, g.raggio, angolo));
        EXPECT_EQ(prova::simile(c, colore, uguale ? 10 : 40), uguale) << valore << " at " << angolo;
    }
}

TEST(Contagiri, MollaSmorzata) {
    EXPECT_EQ(molla(0), 0);
    EXPECT_EQ(molla(-1), 0);
    double massimo = 0;
    for (double t = 0; t < 2; t += 0.005) massimo = std::max(massimo, molla(t));
    EXPECT_GT(massimo, 1.0);   // underdamped: it overshoots
    EXPECT_LT(massimo, 1.05);  // but only a little at 0.75 damping
    EXPECT_NEAR(molla(durataMolla(1.0)), 1, 1e-3);
    // A jump stops moving once what is left cannot be seen; a tiny one does not move at all.
    for (double salto : {1.0, 0.2, 0.01}) {
        const double fine = durataMolla(salto);
        EXPECT_LE(fine, durataMolla(1.0));
        for (double t = fine; t < 3; t += 0.01) ASSERT_LT(std::abs(salto * (1 - molla(t))), 1e-3) << salto;
    }
    EXPECT_LT(durataMolla(0.01), durataMolla(0.2) / 2);
    EXPECT_EQ(durataMolla(0.0005), 0);
    EXPECT_EQ(durataMolla(-0.0005), 0);
}

TEST(Contagiri, LaMollaSaltaIFotogrammiCheNonSiVedono) {
    // Frames of one jump, announced with a step of 1% of the dial and with a hair of it.
    auto fotogrammi = [](double passo) {
        QWidget padre;
        OrologioFotogrammi::di(&padre)->impostaRidotto(false);
        std::vector<double> visti;
        ValoreMolla m(&padre, [&] { visti.push_back(m.valore()); });
        m.impostaPasso(passo);
        m.vaiA(0.3, true);
        QElapsedTimer t;
        t.start();
        while (m.inCorso() && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return visti;
    };
    const std::vector<double> fini = fotogrammi(0.0002), grossi = fotogrammi(0.01);
    ASSERT_FALSE(grossi.empty());
    EXPECT_DOUBLE_EQ(grossi.back(), 0.3);  // the last frame is always at the target
    EXPECT_LT(grossi.size(), fini.size());
    for (std::size_t i = 1; i + 1 < grossi.size(); ++i) EXPECT_GE(std::abs(grossi[i] - grossi[i - 1]), 0.01);

    // Half a device pixel at the arc's end: smaller for a bigger dial or a denser screen.
    EXPECT_LT(passoVisibile(60, 1), passoVisibile(30, 1));
    EXPECT_NEAR(passoVisibile(30, 2), passoVisibile(60, 1), 1e-12);
    EXPECT_EQ(passoVisibile(0, 2), sogliaMolla);
    EXPECT_LT(durataMolla(0.3, 0.01), durataMolla(0.3));
}

TEST(Contagiri, AnimaSoloQuandoVisibileEUnSaltoCheSiVede) {
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "0");  // whatever this desktop says
    Contagiri nascosto(20, Tema::orange(), "CPU", true);
    nascosto.setValore(70);
    EXPECT_DOUBLE_EQ(nascosto.frazioneMostrata(), 0.7);
    nascosto.setValore(50);
    nascosto.show();
    nascosto.setValore(50.04);  // a hair of the dial: drawn once at its end, no frames
    EXPECT_DOUBLE_EQ(nascosto.frazioneMostrata(), frazioneContagiri(50.04, true));
    nascosto.setValore(80);  // a real move still springs from where it was
    EXPECT_DOUBLE_EQ(nascosto.frazioneMostrata(), frazioneContagiri(50.04, true));

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

        // Past the value's end the halo fades as the arc's glow does beside the arc: off the
        // track, the same distance from the stroke's middle gives nearly the same colour (a
        // half disc's gradient against a blurred stroke: within 8 levels).
        const double fine = g.arcoValore.inizio + g.arcoValore.ampiezza;
        const double a = fine * std::numbers::pi / 180;
        const QPointF obliquo =
            (QPointF(-std::sin(a), std::cos(a)) + QPointF(std::cos(a), std::sin(a))) / std::sqrt(2.0);
        for (const double d : {0.8, 0.9}) {
            const QColor oltre = t.colore(polare(g.centro, g.raggio, fine) + d * g.lw * obliquo);
            const QColor accanto = t.colore(polare(g.centro, g.raggio + d * g.lw, fine - 40));
            EXPECT_TRUE(prova::simile(oltre, accanto, 8)) << d;
            EXPECT_FALSE(prova::simile(oltre, fondo, 8)) << d;
        }
    }
}
