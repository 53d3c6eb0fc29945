#include <gtest/gtest.h>

#include <limits>

#include "support/qt_app.h"
#include "tela.h"
#include "widgets/caratteri.h"
#include "widgets/chip_ane.h"
#include "widgets/etichetta_ane.h"
#include "widgets/geometria_chip.h"

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

TEST(ChipANE, FermoCopiatoComeDirettoEtichettaEBagliore) {
    const QColor etichetta = QColor::fromRgbF(0.08f, 0.36f, 0.16f);
    const QRectF cornice(0, 0, 170, 150);
    const GeometriaChip g = geometriaChip(cornice);
    for (const Aspetto a : {Aspetto::chiaro, Aspetto::scuro})
        for (const auto& [dpr, origine] : prova::situazioni) {
            SCOPED_TRACE(testing::Message() << "dpr " << dpr << " origine " << origine.x());
            const QColor fondo = Tema::panel(a);
            ImmaginiChip immagini;
            const auto dipingi = [&](double luce, const QString& testo = QStringLiteral("ANE")) {
                return prova::dipingiSu(cornice.size(), dpr, origine, fondo, [&](QPainter& p) {
                    disegnaChipANE(p, cornice, luce, testo, a, immagini);
                });
            };
            // At rest the chip is copied from an image made once; a light a hair away from rest
            // takes the direct path: both must look the same.
            for (const QString& testo : {QStringLiteral("ANE"), QString()})
                for (const auto& [fermo, quasi] : {std::pair{0.0, std::numeric_limits<double>::denorm_min()},
                                                   std::pair{1.0, std::nextafter(1.0, 0.0)}}) {
                    dipingi(fermo, testo);  // the first makes the image, the second copies it
                    EXPECT_LE(prova::differenza(dipingi(fermo, testo).img, dipingi(quasi, testo).img).first,
                              3)
                        << fermo << " " << testo.toStdString();
                }
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
            EXPECT_GT(inchiostro, 20 * dpr * dpr);
            EXPECT_EQ(estranei, 0);
            EXPECT_TRUE(prova::simile(acceso.colore(g.die.topLeft() + QPointF(3, 3)), corpo, 3));

            // The glow beyond the body's corner, where no pin is: green fading to the panel,
            // smoothly; none around the unlit chip.
            const double r = g.raggioCorpo;
            const QPointF spigolo = g.corpo.bottomRight() - QPointF(r, r) + QPointF(r, r) / std::sqrt(2.0);
            const QPointF diagonale(1 / std::sqrt(2.0), 1 / std::sqrt(2.0));
            const QColor vicino = acceso.colore(spigolo + diagonale * (g.bordo / 2 + 1.5));
            EXPECT_FALSE(prova::simile(vicino, fondo, 12));
            EXPECT_GT(vicino.green() - vicino.red(), fondo.green() - fondo.red() + 8);
            EXPECT_TRUE(prova::simile(acceso.colore(spigolo + diagonale * (g.raggioBagliore + 3)), fondo, 2));
            EXPECT_TRUE(prova::simile(spento.colore(spigolo + diagonale * (g.bordo / 2 + 1.5)), fondo, 2));
            int salto = 0;
            QColor prima = vicino;
            for (double k = g.bordo / 2 + 1.5; k < g.raggioBagliore; k += 1 / dpr) {
                const QColor c = acceso.colore(spigolo + diagonale * k);
                salto = std::max(salto, std::abs(c.green() - prima.green()));
                prima = c;
            }
            EXPECT_LE(salto, 6);
        }
}

TEST(EtichettaANE, TestoSuggerimentoMisuraEContorno) {
    EXPECT_EQ(EtichettaANE().toolTip(), "Usa il Neural Engine (consumo per processo non disponibile)");
    const QSizeF s = dimensioneEtichettaANE();
    // The text's line box and 1 point above and below it, in whole points.
    EXPECT_EQ(s.height(), std::ceil(QFontMetricsF(carattere(9, QFont::Bold)).height()) + 2);

    for (const Aspetto a : {Aspetto::chiaro, Aspetto::scuro})
        for (const auto& [dpr, origine] : prova::situazioni) {
            SCOPED_TRACE(dpr);
            const QColor fondo = Tema::panel(a), verde = Tema::green(a);
            const auto t = prova::dipingiSu(s, dpr, origine, fondo,
                                            [&](QPainter& p) { disegnaEtichettaANE(p, QPointF(0, 0), a); });
            // The outline runs along all four edges, inside the badge.
            const QColor contorno = mescola(fondo, verde, 0.7);
            const double cy = s.height() / 2, cx = s.width() / 2;
            for (const QPointF p : {QPointF(0.5, cy), QPointF(s.width() - 0.5, cy), QPointF(cx, 0.5),
                                    QPointF(cx, s.height() - 0.5)})
                EXPECT_TRUE(prova::simile(t.colore(p), contorno, 40)) << p.x() << "," << p.y();
            // The letters in full green, about 5 points clear of either end: the padding.
            const QRectF lettere =
                prova::inchiostro(t, QRectF(2, 2, s.width() - 4, s.height() - 4),
                                  [&](const QColor& c) { return prova::simile(c, verde, 24); });
            EXPECT_NEAR(lettere.left(), 5.75, 1.25);
            EXPECT_NEAR(s.width() - lettere.right(), 5.75, 1.25);
        }
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
