// The tray icon where there is no tray: reported absent once, after the wait for a late tray.
#include <QApplication>
#include <QElapsedTimer>

#include "platform/qt/voce_stato_qt.h"
#include "support/qt_app.h"

namespace pulsaro {
namespace {

TEST(VoceStatoQt, SenzaAreaDiNotificaLoDiceUnaVoltaDopoLAttesa) {
    ASSERT_FALSE(QSystemTrayIcon::isSystemTrayAvailable());  // the offscreen platform has none
    VoceStatoQt voce(0.5);
    int assenze = 0;
    voce.quandoAssente([&] { ++assenze; });
    QElapsedTimer t;
    t.start();
    while (assenze == 0 && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(assenze, 1);
    EXPECT_GE(t.elapsed(), 400);  // it waited for a tray before deciding
    for (int i = 0; i < 20; ++i) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(assenze, 1);
    EXPECT_TRUE(voce.rettangolo().vuoto());  // the popover then goes to the cursor
}

class VassoioFinto : public PresenzaVassoio {
public:
    using PresenzaVassoio::imposta;
};

// The tray's coming and going is told, not asked: a tray that comes during the wait is taken at
// once, and each later change is passed on.
TEST(VoceStatoQt, SegueLAreaDiNotificaCheVaEViene) {
    auto finto = std::make_unique<VassoioFinto>();
    VassoioFinto* vassoio = finto.get();
    VoceStatoQt voce(60, std::move(finto));
    std::vector<bool> cambi;
    int assenze = 0;
    voce.quandoPresenza([&](bool m) { cambi.push_back(m); });
    voce.quandoAssente([&] { ++assenze; });
    vassoio->imposta(false);
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    EXPECT_FALSE(voce.mostrata());  // no icon yet: the wait goes on
    EXPECT_TRUE(cambi.empty());
    for (bool presente : {true, false, true}) {
        vassoio->imposta(presente);
        ASSERT_FALSE(cambi.empty());
        EXPECT_EQ(cambi.back(), presente);
        EXPECT_EQ(voce.mostrata(), presente);
    }
    vassoio->imposta(true);
    EXPECT_EQ(cambi.size(), 3u);  // only changes are told
    EXPECT_EQ(assenze, 0);        // an absence after the start is not the missing tray of a start
}

TEST(VoceStatoQt, LImmagineAttraversaIlConfineIntatta) {
    ImmaginePixel p;
    p.larghezza = 3;
    p.altezza = 2;
    p.dpr = 2;
    p.argb = {0xFF112233, 0x80402010, 0, 0xFFFFFFFF, 0xFF000000, 0x40404040};
    const QImage img = immagineQt(p);
    ASSERT_EQ(img.size(), QSize(3, 2));
    EXPECT_EQ(img.devicePixelRatio(), 2);
    EXPECT_EQ(img.pixel(0, 0), 0xFF112233u);
    EXPECT_EQ(img.pixel(2, 1), 0x40404040u);  // premultiplied, as given
    p.argb.pop_back();  // fewer pixels than the size says: no image rather than a read past the end
    EXPECT_TRUE(immagineQt(p).isNull());
}

}  // namespace
}  // namespace pulsaro
