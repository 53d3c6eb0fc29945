#include <gtest/gtest.h>

#include <QPixmap>

#include "barra/icona_barra.h"
#include "barra/riquadro_barra.h"
#include "impostazioni/anteprima_riquadro.h"
#include "support/qt_app.h"

using namespace pulsaro;
namespace RB = pulsaro::RiquadroBarra;

namespace {

int conta(const QImage& img, const QColor& c) {
    return prova::conta(img, QRectF(QPointF(), img.deviceIndependentSize()), c, 0);
}

}  // namespace

TEST(IconaBarra, OrangeOrGreyGaugeOfFixedSize) {
    const QImage arancio = iconaBarra(false, 2.0);
    const QImage grigia = iconaBarra(true, 2.0);
    EXPECT_EQ(arancio.size(), QSize(36, 36));
    EXPECT_EQ(arancio.text("Description"), "Pulsaro");

    EXPECT_GT(conta(arancio, RB::arancio()), 50);
    EXPECT_EQ(conta(arancio, grigioSistema()), 0);
    EXPECT_GT(conta(grigia, grigioSistema()), 50);
    EXPECT_EQ(conta(grigia, RB::arancio()), 0);
    // Not a filled disc: the face between ring and hub stays clear.
    EXPECT_EQ(arancio.pixelColor(36 / 2, 36 / 2 + 8).alpha(), 0);
}

TEST(AnteprimaRiquadro, SampleTileOnPaddedBackdropFollowsTheChoices) {
    PreferenzeInMemoria p;
    AnteprimaRiquadro a(p, QColor(0x1A, 0x2B, 0x6D), nullptr, 2);
    const QSizeF tile = RB::dimensione(AnteprimaRiquadro::campione(), p, 2);
    EXPECT_EQ(a.sizeHint(), QSize(static_cast<int>(tile.width()) + 12, 17 + 12));

    a.resize(a.sizeHint());
    QImage img = a.grab().toImage();
    // The tile colour inside the padding.
    EXPECT_EQ(img.pixelColor(8, a.height() / 2), QColor(0x1A, 0x2B, 0x6D));

    // Items are read again at each paint: hiding everything leaves an empty 24-point tile.
    for (auto v : RB::voci) RB::imposta(p, v, false);
    a.aggiorna();
    EXPECT_EQ(a.sizeHint(), QSize(24 + 12, 17 + 12));
    a.resize(a.sizeHint());
    img = a.grab().toImage();
    EXPECT_EQ(img.pixelColor(6 + 12, 6 + 8), QColor(0x1A, 0x2B, 0x6D));

    a.setColore(RB::arancio());
    img = a.grab().toImage();
    EXPECT_EQ(img.pixelColor(6 + 12, 6 + 8), RB::arancio());
}
