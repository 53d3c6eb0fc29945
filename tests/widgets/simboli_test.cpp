#include "widgets/simboli.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

using namespace pulsaro;

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
