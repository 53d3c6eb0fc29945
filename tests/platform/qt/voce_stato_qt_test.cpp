// The tray icon where there is no tray: reported absent once, after the wait for a late tray.
#include <QApplication>
#include <QElapsedTimer>
#include <QMenu>
#include <QPainter>
#include <QPixmapCache>

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

// The tray's icon draws its image pixel for pixel at its own scale, scales it keeping its shape
// otherwise, and leaves nothing in the pixmap cache however many images pass.
TEST(VoceStatoQt, LIconaDisegnaLaSuaImmagineESenzaCache) {
    QImage img(44, 30, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.fillRect(0, 0, 22, 30, QColor(224, 138, 79));
        p.fillRect(22, 0, 22, 30, QColor(20, 40, 200));
    }
    img.setDevicePixelRatio(2);
    const QIcon icona = iconaSenzaCache(img);
    ASSERT_FALSE(icona.isNull());
    EXPECT_TRUE(iconaSenzaCache(QImage()).isNull());

    QImage schermo(44, 30, QImage::Format_ARGB32_Premultiplied);
    schermo.setDevicePixelRatio(2);
    schermo.fill(Qt::white);
    {
        QPainter p(&schermo);
        icona.paint(&p, QRect(0, 0, 22, 15));
    }
    EXPECT_EQ(schermo.pixel(0, 0), img.pixel(0, 0));
    EXPECT_EQ(schermo.pixel(21, 29), img.pixel(21, 29));  // the last column of the left half
    EXPECT_EQ(schermo.pixel(22, 0), img.pixel(22, 0));

    // A square slot: the whole image, centred, its shape kept.
    EXPECT_EQ(icona.actualSize(QSize(22, 22)), QSize(22, 15));

    QPixmapCache::clear();
    QPixmapCache::setCacheLimit(64);  // KB: a dozen of these images would fill it
    QPixmap segnaposto(16, 16);
    segnaposto.fill(Qt::red);
    const QPixmapCache::Key chiave = QPixmapCache::insert(segnaposto);
    for (int i = 0; i < 50; ++i) {
        QImage altra = img.copy();
        altra.setPixel(0, 0, qRgb(i, i, i));
        QPainter p(&schermo);
        iconaSenzaCache(altra).paint(&p, QRect(0, 0, 22, 22));
        (void)iconaSenzaCache(altra).pixmap(QSize(22, 22), 2.0);
    }
    QPixmap ancora;
    EXPECT_TRUE(QPixmapCache::find(chiave, &ancora));  // nothing new pushed it out
    QPixmapCache::setCacheLimit(10240);
}

TEST(VoceStatoQt, IlMenuRiusaLeIconeDeiSuoiSimboli) {
    // The status line's symbol comes back at every opening: the same icon, not a new one that
    // would leave its scaled and greyed copies in the pixmap cache each time.
    VoceStatoQt voce(0);
    std::vector<VoceMenu> voci(1);
    voci[0].titolo = "Stato";
    voci[0].abilitata = false;
    voci[0].immagine = ImmaginePixel{2, 2, 1.0, {0xFF112233, 0xFF112233, 0, 0xFFFFFFFF}};
    auto chiave = [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* m = qobject_cast<QMenu*>(w); m && m->isVisible() && !m->actions().isEmpty())
                return m->actions().front()->icon().cacheKey();
        return qint64(0);
    };
    voce.mostraMenu(voci);
    const qint64 prima = chiave();
    voce.mostraMenu(voci);
    EXPECT_NE(prima, 0);
    EXPECT_EQ(chiave(), prima);
    voci[0].immagine.argb[2] = 0xFF000000;  // another state, another symbol
    voce.mostraMenu(voci);
    EXPECT_NE(chiave(), prima);
}

}  // namespace
}  // namespace pulsaro
