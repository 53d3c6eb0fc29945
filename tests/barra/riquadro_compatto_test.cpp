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
    EXPECT_EQ(RiquadroCompatto::righeMassime(22), 2);
    EXPECT_EQ(RiquadroCompatto::righeMassime(32), 3);
}

TEST(RiquadroCompatto, ColoriDelRiquadroInUnoSpazioQuadrato) {
    PreferenzeInMemoria p;
    for (int lato : {22, 32}) {
        const QImage img = RiquadroCompatto::immagine(esempio(), RiquadroBarra::arancio(), p, 2, lato, 2.0);
        EXPECT_EQ(img.size(), QSize(2 * lato, 2 * lato));
        EXPECT_EQ(img.text("Description").toStdString(),
                  "Memoria 104%, CPU -3%, GPU 5%, Neural Engine a riposo");
        // The orange fills the square; the figures are black on it; the resting dot is grey.
        EXPECT_GT(prova::conta(img, QRectF(0, 0, lato, lato), RiquadroBarra::arancio()), lato * lato);
        EXPECT_GT(prova::conta(img, QRectF(0, 0, lato * 0.7, lato), Qt::black, 40), 10);
        const QColor grigio = RiquadroBarra::colorePallino(false, RiquadroBarra::arancio());
        EXPECT_GT(prova::conta(img, QRectF(lato * 0.7, 0, lato * 0.3, lato), grigio), 4);
    }
    // On a dark background the figures turn light and the active dot is the bright green.
    Riepilogo acceso = esempio();
    acceso.ane = 80;
    const QColor scuro(0x20, 0x20, 0x20);
    const QImage img = RiquadroCompatto::immagine(acceso, scuro, p, 2, 22, 2.0);
    EXPECT_GT(prova::conta(img, QRectF(0, 0, 15, 22), RiquadroBarra::testo(scuro), 40), 20);
    EXPECT_GT(prova::conta(img, QRectF(15, 0, 7, 22), RiquadroBarra::colorePallino(true, scuro)), 4);
    // Without the dot item: no dot.
    RiquadroBarra::imposta(p, RiquadroBarra::Voce::n, false);
    const QImage senza = RiquadroCompatto::immagine(acceso, scuro, p, 2, 22, 1.0);
    EXPECT_EQ(prova::conta(senza, QRectF(0, 0, 22, 22), RiquadroBarra::colorePallino(true, scuro)), 0);
}

}  // namespace
}  // namespace pulsaro
