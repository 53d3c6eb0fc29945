#include "widgets/simboli.h"

#include <gtest/gtest.h>

#include <set>

using namespace pulsaro;

namespace {

// The symbol filled in red on a 100 × 100 transparent image.
QImage disegno(Simbolo s) {
    return immagineSimbolo(s, QSizeF(100, 100), Qt::red, 1.0);
}

bool pieno(const QImage& img, int x, int y) {
    return img.pixelColor(x, y) == QColor(Qt::red);
}
bool vuoto(const QImage& img, int x, int y) {
    return img.pixelColor(x, y).alpha() == 0;
}

}  // namespace

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
    const QImage spunta = disegno(Simbolo::spunta);
    EXPECT_TRUE(pieno(spunta, 50, 10));
    EXPECT_TRUE(vuoto(spunta, 44, 66));  // on the check mark's stroke
    EXPECT_TRUE(vuoto(spunta, 3, 3));

    const QImage croce = disegno(Simbolo::croce);
    EXPECT_TRUE(vuoto(croce, 50, 50));
    EXPECT_TRUE(pieno(croce, 50, 25));

    const QImage avviso = disegno(Simbolo::avviso);
    EXPECT_TRUE(vuoto(avviso, 50, 48));  // the bar of the exclamation mark
    EXPECT_TRUE(vuoto(avviso, 50, 75));  // its dot
    EXPECT_TRUE(pieno(avviso, 40, 70));
    EXPECT_TRUE(vuoto(avviso, 10, 20));

    const QImage pieno_ = disegno(Simbolo::ingranaggioPieno);
    EXPECT_TRUE(vuoto(pieno_, 50, 50));
    EXPECT_TRUE(pieno(pieno_, 50, 25));
    EXPECT_TRUE(pieno(pieno_, 97, 50));  // a tooth at three o'clock

    const QImage contorno = disegno(Simbolo::ingranaggio);
    EXPECT_TRUE(vuoto(contorno, 50, 50));
    EXPECT_TRUE(pieno(contorno, 50, 35));  // the inner ring
    EXPECT_TRUE(vuoto(contorno, 50, 25));  // between inner ring and outline

    const QImage gauge = disegno(Simbolo::contagiri);
    EXPECT_TRUE(pieno(gauge, 50, 50));  // hub
    EXPECT_TRUE(pieno(gauge, 50, 3));   // ring
    EXPECT_TRUE(vuoto(gauge, 50, 80));  // face below the hub
    EXPECT_TRUE(pieno(gauge, 50, 21));  // the top dot of the scale
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
