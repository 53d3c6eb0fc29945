#include <gtest/gtest.h>

#include "support/qt_app.h"
#include "tela.h"
#include "widgets/caratteri.h"
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
    const AspettoImposto imposto(Aspetto::chiaro);
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
    EXPECT_FALSE(chip.acceso());
    chip.hide();
    chip.setAcceso(false);
    EXPECT_EQ(chip.luce(), 0);  // hidden, the running fade gives way to the end state at once
    chip.setAcceso(true);
    EXPECT_EQ(chip.luce(), 1);
}

TEST(ChipANE, EtichettaEBaglioreDelChipAcceso) {
    const QColor etichetta = QColor::fromRgbF(0.08f, 0.36f, 0.16f);
    const QRectF cornice(0, 0, 170, 150);
    const GeometriaChip g = geometriaChip(cornice);
    for (const Aspetto a : {Aspetto::chiaro, Aspetto::scuro})
        for (const auto& [dpr, origine] : prova::situazioni) {
            const QColor fondo = Tema::panel(a);
            ImmaginiChip immagini;
            const auto dipingi = [&](double luce) {
                return prova::dipingiSu(cornice.size(), dpr, origine, fondo, [&](QPainter& p) {
                    disegnaChipANE(p, cornice, luce, QStringLiteral("ANE"), a, immagini);
                });
            };
            const auto acceso = dipingi(1), spento = dipingi(0);

            // The label's ink is the dark green, and nothing in the die is of another hue.
            const QColor corpo = Tema::greenLight(a);
            int inchiostro = 0, estranei = 0;
            const QPoint da = acceso.pixel(g.die.topLeft() + QPointF(3, 3));
            const QPoint fino = acceso.pixel(g.die.bottomRight() - QPointF(3, 3));
            for (int y = da.y(); y <= fino.y(); ++y)
                for (int x = da.x(); x <= fino.x(); ++x) {
                    const QColor c = acceso.img.pixelColor(x, y);
                    if (prova::simile(c, etichetta, 10)) ++inchiostro;
                    if (c.red() > c.green() || c.blue() > c.green()) ++estranei;
                }
            EXPECT_GT(inchiostro, 20 * dpr * dpr) << dpr;
            EXPECT_EQ(estranei, 0) << dpr;
            EXPECT_TRUE(prova::simile(acceso.colore(g.die.topLeft() + QPointF(3, 3)), corpo, 3)) << dpr;

            // The glow beyond the body's corner, where no pin is: green fading to the panel,
            // smoothly; none around the unlit chip.
            const double r = g.raggioCorpo;
            const QPointF spigolo = g.corpo.bottomRight() - QPointF(r, r) + QPointF(r, r) / std::sqrt(2.0);
            const QPointF diagonale(1 / std::sqrt(2.0), 1 / std::sqrt(2.0));
            const QColor vicino = acceso.colore(spigolo + diagonale * (g.bordo / 2 + 1.5));
            EXPECT_FALSE(prova::simile(vicino, fondo, 12)) << dpr;
            EXPECT_GT(vicino.green() - vicino.red(), fondo.green() - fondo.red() + 8) << dpr;
            EXPECT_TRUE(prova::simile(acceso.colore(spigolo + diagonale * (g.raggioBagliore + 3)), fondo, 2))
                << dpr;
            EXPECT_TRUE(prova::simile(spento.colore(spigolo + diagonale * (g.bordo / 2 + 1.5)), fondo, 2))
                << dpr;
            int salto = 0;
            QColor prima = vicino;
            for (double k = g.bordo / 2 + 1.5; k < g.raggioBagliore; k += 1 / dpr) {
                const QColor c = acceso.colore(spigolo + diagonale * k);
                salto = std::max(salto, std::abs(c.green() - prima.green()));
                prima = c;
            }
            EXPECT_LE(salto, 6) << dpr;
        }
}

TEST(EtichettaANE, TestoSuggerimentoMisuraEContorno) {
    EtichettaANE e;
    EXPECT_EQ(e.toolTip(), "Usa il Neural Engine (consumo per processo non disponibile)");
    const QSizeF s = dimensioneEtichettaANE();
    EXPECT_EQ(e.sizeHint(), s.toSize());
    // The text's line box and 1 point above and below it, in whole points.
    EXPECT_EQ(s.height(), std::ceil(QFontMetricsF(carattere(9, QFont::Bold)).height()) + 2);

    for (const Aspetto a : {Aspetto::chiaro, Aspetto::scuro})
        for (const auto& [dpr, origine] : prova::situazioni) {
            const QColor fondo = Tema::panel(a), verde = Tema::green(a);
            const auto t = prova::dipingiSu(s, dpr, origine, fondo,
                                            [&](QPainter& p) { disegnaEtichettaANE(p, QPointF(0, 0), a); });
            // The outline runs along all four edges, inside the badge.
            const QColor contorno = mescola(fondo, verde, 0.7);
            const double cy = s.height() / 2, cx = s.width() / 2;
            EXPECT_TRUE(prova::simile(t.colore(QPointF(0.5, cy)), contorno, 40)) << dpr;
            EXPECT_TRUE(prova::simile(t.colore(QPointF(s.width() - 0.5, cy)), contorno, 40)) << dpr;
            EXPECT_TRUE(prova::simile(t.colore(QPointF(cx, 0.5)), contorno, 40)) << dpr;
            EXPECT_TRUE(prova::simile(t.colore(QPointF(cx, s.height() - 0.5)), contorno, 40)) << dpr;
            // The letters in full green, about 5 points clear of either end: the padding.
            const QRectF lettere =
                prova::inchiostro(t, QRectF(2, 2, s.width() - 4, s.height() - 4),
                                  [&](const QColor& c) { return prova::simile(c, verde, 24); });
            const double sinistra = lettere.left(), destra = lettere.right();
            EXPECT_GE(sinistra, 4.5) << dpr;
            EXPECT_LE(sinistra, 7) << dpr;
            EXPECT_GE(s.width() - destra, 4.5) << dpr;
            EXPECT_LE(s.width() - destra, 7) << dpr;
        }
}
