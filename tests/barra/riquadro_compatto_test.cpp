// The tile's square form for a tray slot.
#include "barra/riquadro_compatto.h"
#include "barra/riquadro_barra.h"
#include "platform/preferenze.h"
#include "support/qt_app.h"

namespace pulsaro {
namespace {

Riepilogo esempio() {
    Riepilogo r;
    r.memoria = 104.2;
    r.cpu = -3;
    r.core = {4, 2};
    r.gpu = 5;
    r.ane = 0.3;
    return r;
}

TEST(RiquadroCompatto, LePrimeVociMostrateConLaLoroIniziale) {
    PreferenzeInMemoria p;
    using V = std::vector<std::pair<QString, QString>>;
    EXPECT_EQ(RiquadroCompatto::righe(esempio(), p, 2, 2), (V{{"M", "100"}, {"C", "0"}}));
    EXPECT_EQ(RiquadroCompatto::righe(esempio(), p, 2, 3), (V{{"M", "100"}, {"C", "0"}, {"G", "5"}}));
    RiquadroBarra::imposta(p, RiquadroBarra::Voce::mem, false);
    RiquadroBarra::imposta(p, RiquadroBarra::Voce::core, true);
    EXPECT_EQ(RiquadroCompatto::righe(esempio(), p, 2, 3), (V{{"C", "0"}, {"P", "4"}, {"E", "2"}}));
    EXPECT_EQ(RiquadroCompatto::righe(esempio(), p, 0, 2), (V{{"C", "0"}, {"C", "6"}}));
}

// The runs of pixel rows with ink in the columns [daX, finoA), as (first row, height). Ink on the
// orange: opaque and darker than half its lightness (the text there is black, the dot at rest grey).
std::vector<std::pair<int, int>> bandeDiInchiostro(const QImage& img, int daX, int finoA) {
    std::vector<std::pair<int, int>> bande;
    for (int y = 0, inizio = -1; y <= img.height(); ++y) {
        bool c = false;
        for (int x = daX; y < img.height() && x < finoA && !c; ++x) {
            const QColor p = img.pixelColor(x, y);
            c = p.alpha() > 200 && p.lightness() < RiquadroBarra::arancio().lightness() / 2;
        }
        if (c && inizio < 0) inizio = y;
        if (!c && inizio >= 0) {
            bande.emplace_back(inizio, y - inizio);
            inizio = -1;
        }
    }
    return bande;
}

// Measured on the ink, at each slot and scale, and the same when drawn with what the tray keeps
// from sample to sample (the figures changing) as when drawn afresh.
TEST(RiquadroCompatto, CifreLeggibiliEUgualiConLaCache) {
    PreferenzeInMemoria p;
    RiquadroCompatto::Cache cache;
    const QColor arancio = RiquadroBarra::arancio(), scuro(0x20, 0x20, 0x20);
    struct Caso {
        int lato;
        qreal dpr;
        int minimo;  // device pixels
        double cpu;
        QColor sfondo;
    };
    for (const Caso& c :
         {Caso{22, 1, 8, 88, arancio}, Caso{22, 1, 8, 7, arancio}, Caso{32, 1, 12, 42, arancio},
          Caso{22, 2, 16, 11, arancio}, Caso{24, 1, 9, 63, arancio}, Caso{22, 1, 8, 42, scuro},
          Caso{22, 2, 16, 100, scuro}}) {
        SCOPED_TRACE(testing::Message() << c.lato << " px at " << c.dpr << ", CPU " << c.cpu);
        Riepilogo r;
        r.memoria = 100;  // three digits, the widest figure
        r.cpu = c.cpu;
        const QImage img = RiquadroCompatto::immagine(r, c.sfondo, p, 0, c.lato, c.dpr, &cache);
        const QImage nuova = RiquadroCompatto::immagine(r, c.sfondo, p, 0, c.lato, c.dpr);
        EXPECT_EQ(img, nuova);
        EXPECT_EQ(img.text("Description"), nuova.text("Description"));
        if (c.sfondo == scuro) continue;  // the ink below is black on the orange
        const int pixel = static_cast<int>(c.lato * c.dpr);
        // The dot's column starts at four fifths of the width; the figures stay left of it.
        const auto bande = bandeDiInchiostro(img, 0, pixel * 4 / 5);
        ASSERT_EQ(bande.size(), 2u) << "two figures stacked, apart";
        for (const auto& [inizio, altezza] : bande) {
            EXPECT_GE(altezza, c.minimo);
            EXPECT_LE(altezza, RiquadroCompatto::altezzaCifre(pixel) + 1);
            EXPECT_GE(inizio, 1) << "inside the tile";
            EXPECT_LE(inizio + altezza, pixel - 1);
        }
        EXPECT_GE(bande[1].first - (bande[0].first + bande[0].second), 1);
        // "100" fits beside the dot: the dot (grey, not text-coloured ink) keeps its column.
        EXPECT_TRUE(bandeDiInchiostro(img, pixel - pixel / 5 - 1, pixel).empty());
        EXPECT_GT(prova::conta(img, QRectF(c.lato * 0.8, 0, c.lato * 0.2, c.lato),
                               RiquadroBarra::colorePallino(false, c.sfondo)),
                  2);
    }
}

}  // namespace
}  // namespace pulsaro
