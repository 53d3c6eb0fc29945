#include <gtest/gtest.h>

#include "support/qt_app.h"
#include "widgets/chip_ane.h"
#include "widgets/etichetta_ane.h"
#include "widgets/geometria_chip.h"

using namespace pulsaro;

TEST(ChipANE, Geometria) {
    const GeometriaChip g = geometriaChip(QRectF(0, 0, 170, 150));
    EXPECT_NEAR(g.c, 108, 1e-9);
    EXPECT_EQ(g.centro, QPointF(85, 75));
    EXPECT_EQ(g.corpo.center(), g.centro);

    // Each pin overlaps the body's edge by one point.
    EXPECT_NEAR(g.piedini[0].bottom(), g.corpo.top() + 1, 1e-9);   // top side
    EXPECT_NEAR(g.piedini[4].left(), g.corpo.right() - 1, 1e-9);   // right side
    EXPECT_NEAR(g.piedini[8].top(), g.corpo.bottom() - 1, 1e-9);   // bottom side
    EXPECT_NEAR(g.piedini[12].right(), g.corpo.left() + 1, 1e-9);  // left side
    // The row of four is centred on the side.
    EXPECT_NEAR((g.piedini[0].left() + g.piedini[3].right()) / 2, g.centro.x(), 1e-9);

    const GeometriaChip piccolo = geometriaChip(QRectF(0, 0, 20, 20));
    EXPECT_NEAR(piccolo.c, 14.4, 1e-9);
    EXPECT_DOUBLE_EQ(piccolo.pw, 1.5);
    EXPECT_DOUBLE_EQ(piccolo.bordo, 1.5);
    EXPECT_DOUBLE_EQ(piccolo.bordoDie, 1);

    const GeometriaChip largo = geometriaChip(QRectF(0, 0, 300, 40));
    EXPECT_NEAR(largo.c, 28.8, 1e-9);
    EXPECT_DOUBLE_EQ(largo.centro.x(), 150);
}

TEST(ChipANE, AccensioneEDissolvenza) {
    Tema::forzaAspetto(Aspetto::chiaro);
    ChipANE chip(false);
    chip.resize(170, 150);
    QImage spento = prova::dipingi(chip);
    EXPECT_TRUE(
        prova::simile(spento.pixelColor(85, 45), Tema::card(Aspetto::chiaro), 3));  // body, above the die
    chip.setAcceso(true);                                                           // hidden: no fade
    EXPECT_EQ(chip.luce(), 1);
    QImage acceso = prova::dipingi(chip);
    EXPECT_TRUE(prova::simile(acceso.pixelColor(85, 45), Tema::greenLight(Aspetto::chiaro), 3));

    chip.show();
    chip.setAcceso(false);
    EXPECT_EQ(chip.luce(), 1);  // the fade starts from the lit chip
    chip.hide();
    chip.setAcceso(false);
    Tema::forzaAspetto(std::nullopt);
}

TEST(EtichettaANE, TestoSuggerimentoEMisura) {
    EtichettaANE e;
    EXPECT_EQ(e.toolTip(), "Usa il Neural Engine (consumo per processo non disponibile)");
    const QSizeF s = dimensioneEtichettaANE();
    EXPECT_GT(s.width(), 10);
    EXPECT_GT(s.height(), 2);
    EXPECT_EQ(e.sizeHint(), s.toSize());
}
