#include "barra/riquadro_barra.h"

#include <gtest/gtest.h>

#include <QFontMetricsF>
#include <QGuiApplication>
#include <algorithm>
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

TEST(RiquadroPreferenze, IdsDefaultsAndWrites) {
    for (Voce v : RB::voci) EXPECT_EQ(RB::voce(RB::id(v)), v);
    EXPECT_FALSE(RB::voce("Mem").has_value());
    EXPECT_FALSE(RB::voce("riquadro_mem").has_value());

    PreferenzeInMemoria p;
    EXPECT_FALSE(RB::attivo(p));
    EXPECT_TRUE(RB::mostra(p, Voce::mem));
    EXPECT_FALSE(RB::mostra(p, Voce::core));
    EXPECT_EQ(RB::sfondo(p), RB::arancio());

    // Mistyped values are the table's to read (tested with it); the colour text is parsed here.
    p.scrivi("coloreRiquadro", std::string("viola"));
    EXPECT_EQ(RB::sfondo(p), RB::arancio());
    p.scrivi("coloreRiquadro", std::string("#1a2B3c "));
    EXPECT_EQ(RB::sfondo(p), QColor(0x1A, 0x2B, 0x3C));

    RB::imposta(p, Voce::mem, false);
    RB::imposta(p, Voce::core, true);
    EXPECT_EQ(p.booleano("riquadro_mem"), std::optional<bool>(false));
    EXPECT_TRUE(RB::mostra(p, Voce::core));
    p.scrivi("iconaRiquadro", true);
    EXPECT_TRUE(RB::attivo(p));
}

TEST(RiquadroColori, HexEncodingBothWays) {
    EXPECT_EQ(RB::hex(RB::arancio()), "E08A4F");
    EXPECT_EQ(RB::colore("E08A4F"), RB::arancio());
    EXPECT_EQ(RB::colore("#e08a4f "), RB::arancio());
    EXPECT_EQ(RB::colore("  ##E08A4F#\t"), RB::arancio());

    // Wrong lengths and digits, and nothing a lenient number parser would accept.
    for (const char* s : {"E08A4", "E08A4FF", "GGGGGG", "", "######", "+08A4F", "0x8A4F", "E0 8A4", "E0#A4F"})
        EXPECT_FALSE(RB::colore(s)) << s;

    // Components are rounded, not truncated.
    EXPECT_EQ(RB::hex(QColor::fromRgbF(0.5f, 0.0f, 1.0f)), "8000FF");
    EXPECT_EQ(RB::hex(QColor::fromHsv(0, 255, 255)), "FF0000");
    EXPECT_EQ(RB::hex(QColor()), "E08A4F");
    for (const char* h : {"000000", "FFFFFF", "0A0B0C", "7F8081"}) EXPECT_EQ(RB::hex(*RB::colore(h)), h);
}

TEST(RiquadroColori, TextAndDotByLuminance) {
    for (auto [su, atteso] : {std::pair<QColor, QColor>{Qt::white, Qt::black},
                              {Qt::black, Qt::white},
                              {RB::arancio(), Qt::black},
                              {QColor(0x1A, 0x2B, 0x6D), Qt::white}})
        EXPECT_EQ(RB::testo(su), atteso) << su.name().toStdString();

    // Grey 159 is just darker than the 0.35 threshold, grey 160 just lighter.
    const QColor scuro(159, 159, 159), chiaro(160, 160, 160);
    ASSERT_LT(RB::luminanza(scuro), 0.35);
    ASSERT_GE(RB::luminanza(chiaro), 0.35);
    // Each side of it gets the dot of black or of white, active and at rest; the orange is dark.
    for (const bool acceso : {true, false}) {
        EXPECT_EQ(RB::colorePallino(acceso, scuro), RB::colorePallino(acceso, Qt::black));
        EXPECT_EQ(RB::colorePallino(acceso, chiaro), RB::colorePallino(acceso, Qt::white));
        EXPECT_NE(RB::colorePallino(acceso, scuro), RB::colorePallino(acceso, chiaro));
    }
    EXPECT_EQ(RB::colorePallino(true, RB::arancio()), QColor::fromRgbF(0.45f, 0.92f, 0.45f));
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

TEST_F(Riquadro, SizesFollowTheWidthRule) {
    soloVoci({});
    QImage vuoto = RB::immagine(campione(), RB::arancio(), pref, 2, 1.0);
    EXPECT_EQ(vuoto.size(), QSize(24, 17));
    EXPECT_EQ(RB::dimensione(campione(), pref, 2), QSizeF(24, 17));

    // Only the dot: 32 points, the dot from x = 6 to 20.
    soloVoci({Voce::n});
    QImage soloN = RB::immagine(campione(), RB::arancio(), pref, 2, 4.0);
    EXPECT_EQ(soloN.size(), QSize(128, 68));
    const QColor verde = RB::colorePallino(true, RB::arancio());
    EXPECT_TRUE(vicino(pixel(soloN, 5.5, 8.5), RB::arancio()));
    EXPECT_TRUE(vicino(pixel(soloN, 6.5, 8.5), verde, 30));
    EXPECT_TRUE(vicino(pixel(soloN, 20.5, 8.5), RB::arancio()));

    // The dot adds exactly 20 points to any text.
    soloVoci({Voce::mem});
    const qreal soloMem = RB::dimensione(campione(), pref, 2).width();
    soloVoci({Voce::mem, Voce::n});
    EXPECT_EQ(RB::dimensione(campione(), pref, 2).width(), soloMem + 20);

    // Digits are of one width: the tile does not change size as the figures change.
    Riepilogo a = campione(), b = campione();
    a.memoria = 11;
    a.cpu = 11;
    b.memoria = 88;
    b.cpu = 40;
    EXPECT_EQ(RB::dimensione(a, pref, 2), RB::dimensione(b, pref, 2));

    // P and E are two pairs where "Core" is one.
    soloVoci({Voce::core});
    EXPECT_GT(RB::dimensione(campione(), pref, 2).width(), RB::dimensione(campione(), pref, 0).width());
}

TEST_F(Riquadro, RenderedTileShowsBackgroundTextAndDot) {
    // Default items on the default orange, Neural Engine active.
    const QImage img = RB::immagine(campione(), RB::sfondo(pref), pref, 2, 2.0);
    const qreal w = img.deviceIndependentSize().width();
    EXPECT_EQ(img.text("Description"), "Memoria 62%, CPU 23%, GPU 5%, Neural Engine attivo");

    EXPECT_TRUE(vicino(pixel(img, 2, 8), RB::arancio()));
    EXPECT_TRUE(vicino(pixel(img, w - 2, 8), RB::arancio()));
    EXPECT_LT(pixel(img, 0, 0).alpha(), 128);  // a rounded corner
    // Black text between the margins.
    EXPECT_GT(conta(img, QRectF(6, 0, w - 32, 17), Qt::black), 20);
    EXPECT_EQ(conta(img, QRectF(0, 0, 5, 17), Qt::black), 0);
    // The dot ends 6 points from the right edge; its top part is clear of the letter.
    const QColor verde = RB::colorePallino(true, RB::arancio());
    EXPECT_TRUE(vicino(pixel(img, w - 13, 3), verde));
    EXPECT_TRUE(vicino(pixel(img, w - 7, 8.5), verde, 30));
    EXPECT_TRUE(vicino(pixel(img, w - 4, 8.5), RB::arancio()));
    // Black N on the light green.
    EXPECT_GT(conta(img, QRectF(w - 20, 5, 14, 7), Qt::black), 5);

    // On black: white text. On white at rest the dot is dark grey and its N white.
    Riepilogo riposo = campione();
    riposo.ane = 0.49;
    const QImage scuro = RB::immagine(riposo, Qt::black, pref, 2, 2.0);
    EXPECT_GT(conta(scuro, QRectF(6, 0, scuro.deviceIndependentSize().width() - 32, 17), Qt::white), 20);
    const QImage chiaro = RB::immagine(riposo, Qt::white, pref, 2, 2.0);
    const qreal wc = chiaro.deviceIndependentSize().width();
    EXPECT_TRUE(vicino(pixel(chiaro, wc - 13, 3), QColor::fromRgbF(0.42f, 0.42f, 0.42f)));
    EXPECT_GT(conta(chiaro, QRectF(wc - 20, 5, 14, 7), Qt::white), 5);
}

TEST_F(Riquadro, TextStandsOnTheBaselineOfItsCentredBox) {
    // The taller line box centred in the 17 points; the feet of "M" on its baseline.
    soloVoci({Voce::mem});
    QImage misura(1, 1, QImage::Format_ARGB32_Premultiplied);
    misura.setDotsPerMeterX(2835);  // 72 dpi: points are pixels
    misura.setDotsPerMeterY(2835);
    const auto fonte = [](qreal punti, QFont::Weight peso) {
        QFont f = QGuiApplication::font();
        f.setPointSizeF(punti);
        f.setWeight(peso);
        return f;
    };
    const QFontMetricsF valori(fonte(11, QFont::DemiBold), &misura),
        etichette(fonte(9.5, QFont::Medium), &misura);
    const qreal h = std::max(valori.height(), etichette.height());
    const qreal linea = (17 - h) / 2 + std::max(valori.ascent(), etichette.ascent());
    const qreal emme = 6 + etichette.horizontalAdvance("M");
    for (const qreal dpr : {1.0, 2.0, 3.0}) {
        const QImage img = RB::immagine(campione(), RB::arancio(), pref, 2, dpr);
        int primaRiga = -1, ultimaRiga = -1;
        for (int y = 0; y < img.height(); ++y)
            for (int x = static_cast<int>(6 * dpr); x < static_cast<int>(emme * dpr); ++x)
                if (img.pixelColor(x, y).lightness() < RB::arancio().lightness() / 2) {  // half inked
                    if (primaRiga < 0) primaRiga = y;
                    ultimaRiga = y;
                    break;
                }
        ASSERT_GE(primaRiga, 0) << dpr;
        EXPECT_NEAR((ultimaRiga + 1) / dpr, linea, 0.5 / dpr + 0.1) << dpr;
        EXPECT_GE(primaRiga / dpr, (17 - h) / 2 - 0.01) << dpr;
    }
}
