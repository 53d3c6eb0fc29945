#include "barra/riquadro_barra.h"

#include <gtest/gtest.h>

#include <limits>

#include "support/qt_app.h"

using namespace pulsaro;
namespace RB = pulsaro::RiquadroBarra;
using prova::conta;
using prova::vicino;
using RB::Voce;

namespace {

class Riquadro : public ::testing::Test {
protected:
    static Riepilogo campione() {
        Riepilogo r;
        r.memoria = 62;
        r.cpu = 23;
        r.core = CoreImpegnati{2, 1};
        r.gpu = 5;
        r.ane = 30;
        return r;
    }

    void soloVoci(std::initializer_list<Voce> mostrate) {
        for (Voce v : RB::voci) RB::imposta(pref, v, false);
        for (Voce v : mostrate) RB::imposta(pref, v, true);
    }

    PreferenzeInMemoria pref;
};

QColor pixel(const QImage& img, qreal x, qreal y) {
    const qreal d = img.devicePixelRatio();
    return img.pixelColor(static_cast<int>(x * d), static_cast<int>(y * d));
}

}  // namespace

TEST(RiquadroColori, HexEncodingBothWaysAndTheStoredColour) {
    EXPECT_EQ(RB::hex(RB::arancio()), "E08A4F");
    EXPECT_EQ(RB::colore("  ##e08a4f#\t"), RB::arancio());
    // Wrong lengths and digits, and nothing a lenient number parser would accept.
    for (const char* s : {"E08A4", "E08A4FF", "GGGGGG", "", "######", "+08A4F", "0x8A4F", "E0 8A4", "E0#A4F"})
        EXPECT_FALSE(RB::colore(s)) << s;

    // Components are rounded, not truncated.
    EXPECT_EQ(RB::hex(QColor::fromRgbF(0.5f, 0.0f, 1.0f)), "8000FF");
    for (const char* h : {"000000", "FFFFFF", "0A0B0C", "7F8081"}) EXPECT_EQ(RB::hex(*RB::colore(h)), h);

    PreferenzeInMemoria p;
    p.scrivi("coloreRiquadro", std::string("viola"));
    EXPECT_EQ(RB::sfondo(p), RB::arancio());
    p.scrivi("coloreRiquadro", std::string("#1a2B3c "));
    EXPECT_EQ(RB::sfondo(p), QColor(0x1A, 0x2B, 0x3C));
    RB::imposta(p, Voce::core, true);
    EXPECT_EQ(p.booleano("riquadro_core"), std::optional<bool>(true));
}

TEST(RiquadroColori, TextAndDotByLuminance) {
    for (auto [su, atteso] : {std::pair<QColor, QColor>{Qt::white, Qt::black},
                              {Qt::black, Qt::white},
                              {RB::arancio(), Qt::black},
                              {QColor(0x1A, 0x2B, 0x6D), Qt::white}})
        EXPECT_EQ(RB::testo(su), atteso) << su.name().toStdString();

    // Grey 159 is just darker than the 0.35 threshold, grey 160 just lighter: each side gets the
    // dot of black or of white, active and at rest.
    const QColor scuro(159, 159, 159), chiaro(160, 160, 160);
    for (const bool acceso : {true, false}) {
        EXPECT_EQ(RB::colorePallino(acceso, scuro), RB::colorePallino(acceso, Qt::black));
        EXPECT_EQ(RB::colorePallino(acceso, chiaro), RB::colorePallino(acceso, Qt::white));
        EXPECT_NE(RB::colorePallino(acceso, scuro), RB::colorePallino(acceso, chiaro));
    }
    EXPECT_EQ(RB::colorePallino(true, RB::arancio()), QColor::fromRgbF(0.45f, 0.92f, 0.45f))
        << "the orange is dark";
}

TEST_F(Riquadro, PairsFollowTheItemsAndClampValues) {
    using Coppie = std::vector<std::pair<QString, QString>>;
    EXPECT_EQ(RB::coppie(campione(), pref, 4),
              (Coppie{{"Mem ", " 62%"}, {"CPU ", " 23%"}, {"GPU ", "  5%"}}));

    Riepilogo r = campione();
    r.memoria = 104.2;
    r.cpu = -3;
    r.gpu = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(RB::coppie(r, pref, 4), (Coppie{{"Mem ", "100%"}, {"CPU ", "  0%"}, {"GPU ", "  0%"}}));

    soloVoci({Voce::core});
    EXPECT_EQ(RB::coppie(campione(), pref, 0), (Coppie{{"Core ", "3"}}));
    EXPECT_EQ(RB::coppie(campione(), pref, 2), (Coppie{{"P ", "2"}, {"E ", "1"}}));
    soloVoci({Voce::n});
    EXPECT_TRUE(RB::coppie(campione(), pref, 2).empty());
}

TEST_F(Riquadro, RenderedTileShowsBackgroundTextAndDot) {
    // Default items on the default orange, Neural Engine active.
    const QImage img = RB::immagine(campione(), RB::sfondo(pref), pref, 2, 2.0);
    const qreal w = img.deviceIndependentSize().width();
    EXPECT_EQ(img.text("Description"), "Memoria 62%, CPU 23%, GPU 5%, Neural Engine attivo");

    // Black text between the margins.
    EXPECT_GT(conta(img, QRectF(6, 0, w - 32, 17), Qt::black), 20);
    EXPECT_EQ(conta(img, QRectF(0, 0, 5, 17), Qt::black), 0);
    // The dot ends 6 points from the right edge, with a black N on the light green.
    const QColor verde = RB::colorePallino(true, RB::arancio());
    EXPECT_TRUE(vicino(pixel(img, w - 13, 3), verde));
    EXPECT_GT(conta(img, QRectF(w - 20, 5, 14, 7), Qt::black), 5);

    // On white at rest the dot is dark grey and its N white.
    Riepilogo riposo = campione();
    riposo.ane = 0.49;
    const QImage chiaro = RB::immagine(riposo, Qt::white, pref, 2, 2.0);
    const qreal wc = chiaro.deviceIndependentSize().width();
    EXPECT_TRUE(vicino(pixel(chiaro, wc - 13, 3), QColor::fromRgbF(0.42f, 0.42f, 0.42f)));
    EXPECT_GT(conta(chiaro, QRectF(wc - 20, 5, 14, 7), Qt::white), 5);
}
