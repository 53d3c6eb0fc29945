#include <gtest/gtest.h>

#include <QPainter>

#include "support/qt_app.h"
#include "widgets/chip_ane.h"

using namespace pulsaro;

TEST(ChipANE, AccensioneEDissolvenza) {
    const AspettoImposto imposto(Aspetto::chiaro);
    ChipANE chip(false);
    chip.resize(170, 150);
    // The body above the die, unlit and lit; hidden, the chip does not fade.
    EXPECT_TRUE(prova::simile(prova::dipingi(chip).pixelColor(85, 45), Tema::card(Aspetto::chiaro), 3));
    chip.setAcceso(true);
    EXPECT_EQ(chip.luce(), 1);
    EXPECT_TRUE(prova::simile(prova::dipingi(chip).pixelColor(85, 45), Tema::greenLight(Aspetto::chiaro), 3));
    chip.show();
    chip.setAcceso(false);
    EXPECT_EQ(chip.luce(), 1);  // the fade starts from the lit chip
    chip.hide();
    chip.setAcceso(false);
    EXPECT_EQ(chip.luce(), 0);  // hidden, the running fade gives way to the end state at once
}

TEST(ChipANE, LeImmaginiHannoUnTetto) {
    // Every size a resizing window passes through, lit, off and fading: the images stay bounded.
    ImmaginiChip immagini;
    QImage img(QSize(200, 180) * 2, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(2);
    for (int lato = 40; lato < 190; ++lato)
        for (const double luce : {0.0, 0.5, 1.0}) {
            img.fill(Qt::transparent);
            QPainter p(&img);
            disegnaChipANE(p, QRectF(3, 3, lato, lato * 0.9), luce, QStringLiteral("ANE"), Aspetto::chiaro,
                           immagini);
        }
    for (const std::size_t n : {immagini.fermi.size(), immagini.bagliori.size()}) {
        EXPECT_GE(n, 1u);  // it does keep images
        EXPECT_LE(n, 8u);
    }
}
