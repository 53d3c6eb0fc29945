#include <gtest/gtest.h>

#include <QPalette>
#include <cmath>
#include <set>
#include <tuple>

#include "support/qt_app.h"
#include "widgets/icona_applicazione.h"
#include "widgets/simboli.h"
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
    EXPECT_NEAR(mescola(QColor(0, 0, 0), QColor(255, 255, 255), 0.25).redF(), 0.25, 0.01);
    EXPECT_NEAR(conOpacita(QColor(10, 20, 30, 128), 0.5).alphaF(), 0.25, 0.01);
}

TEST(Simboli, NamesAreUniqueAndRoundTrip) {
    std::set<std::string_view> nomi;
    for (Simbolo s : tuttiISimboli) {
        nomi.insert(nomeSimbolo(s));
        EXPECT_EQ(simboloDaNome(nomeSimbolo(s)), s);
    }
    EXPECT_EQ(nomi.size(), std::size(tuttiISimboli));
    EXPECT_FALSE(simboloDaNome("gearshape.circle").has_value());
    EXPECT_FALSE(simboloDaNome("").has_value());
}

TEST(Simboli, PathsFitTheLargestCentredSquare) {
    for (Simbolo s : tuttiISimboli) {
        const QRectF r(10, 20, 60, 30);
        const QRectF b = percorsoSimbolo(s, r).boundingRect();
        EXPECT_FALSE(b.isEmpty()) << nomeSimbolo(s);
        EXPECT_TRUE(QRectF(25 - 0.01, 20 - 0.01, 30.02, 30.02).contains(b)) << nomeSimbolo(s);
    }
    EXPECT_TRUE(percorsoSimbolo(Simbolo::spunta, QRectF(0, 0, 0, 10)).isEmpty());
}

TEST(Simboli, FilledSymbolsHaveTheirMarksCutOut) {
    // (symbol, x, y, filled there): each symbol on a 100 × 100 image.
    const std::tuple<Simbolo, int, int, bool> punti[] = {
        {Simbolo::spunta, 50, 10, true},
        {Simbolo::spunta, 44, 66, false},  // on the check mark's stroke
        {Simbolo::spunta, 3, 3, false},
        {Simbolo::croce, 50, 50, false},
        {Simbolo::croce, 50, 25, true},
        {Simbolo::avviso, 50, 48, false},  // the bar of the exclamation mark
        {Simbolo::avviso, 50, 75, false},  // its dot
        {Simbolo::avviso, 40, 70, true},
        {Simbolo::avviso, 10, 20, false},
        {Simbolo::ingranaggioPieno, 50, 50, false},
        {Simbolo::ingranaggioPieno, 50, 25, true},
        {Simbolo::ingranaggioPieno, 97, 50, true},  // a tooth at three o'clock
        {Simbolo::ingranaggio, 50, 50, false},
        {Simbolo::ingranaggio, 50, 35, true},   // the inner ring
        {Simbolo::ingranaggio, 50, 25, false},  // between inner ring and outline
        {Simbolo::contagiri, 50, 50, true},     // hub
        {Simbolo::contagiri, 50, 3, true},      // ring
        {Simbolo::contagiri, 50, 80, false},    // face below the hub
        {Simbolo::contagiri, 50, 21, true},     // the top dot of the scale
    };
    for (const auto& [s, x, y, pieno] : punti) {
        const QColor c = immagineSimbolo(s, QSizeF(100, 100), Qt::red, 1.0).pixelColor(x, y);
        EXPECT_TRUE(pieno ? c == QColor(Qt::red) : c.alpha() == 0) << nomeSimbolo(s) << " " << x << "," << y;
    }
}

TEST(Simboli, ImagesAtTheDevicePixelRatioInTheColourGiven) {
    const QImage img = immagineSimbolo(Simbolo::chevronDestra, QSizeF(16, 16), QColor(0x3E, 0x8B, 0xC8), 2.0);
    EXPECT_EQ(img.size(), QSize(32, 32));
    EXPECT_EQ(img.devicePixelRatio(), 2.0);
    int colorati = 0, altri = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (c == QColor(0x3E, 0x8B, 0xC8))
                ++colorati;
            else if (c.alpha() == 255)
                ++altri;
        }
    EXPECT_GT(colorati, 20);
    EXPECT_EQ(altri, 0);
    EXPECT_TRUE(immagineSimbolo(Simbolo::spunta, QSizeF(0, 16), Qt::red, 2.0).isNull());
}

TEST(IconaApplicazione, ArancioneConIlContagiriBiancoAOgniMisura) {
    const QIcon icona = iconaApplicazioneCompleta();
    const QList<QSize> misure = icona.availableSizes();
    for (int lato : {16, 22, 32, 48, 256}) EXPECT_TRUE(misure.contains(QSize(lato, lato))) << lato;
    for (int lato : {22, 48}) {
        const QImage img = icona.pixmap(lato, lato).toImage();
        ASSERT_EQ(img.size(), QSize(lato, lato)) << "drawn at that size, not scaled";
        EXPECT_GT(prova::conta(img, QRectF(0, 0, lato, lato), QColor(0xE0, 0x8A, 0x4F), 40), lato * lato / 4);
        EXPECT_GT(prova::conta(img, QRectF(0, 0, lato, lato), Qt::white, 20), lato);
    }
    EXPECT_STREQ(idApplicazione, "it.pulsaro.Pulsaro");
}
