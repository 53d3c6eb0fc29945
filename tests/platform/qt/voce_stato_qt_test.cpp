// The tray icon where there is no tray: reported absent once, after the wait for a late tray.
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
    EXPECT_EQ(voce.latoQuadrato(), 22);
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
