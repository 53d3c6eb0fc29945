#include <gtest/gtest.h>

#include <QBuffer>
#include <QElapsedTimer>
#include <QImage>
#include <atomic>
#include <future>

#include "panels/cache_icone.h"
#include "panels/icona_processo.h"
#include "support/qt_app.h"

using namespace pulsaro;

namespace {

// Pids below 1000 are applications with a red icon; the rest have none. Until `apri` is called
// the system keeps every question waiting, as a FIFO named by an icon would.
struct Sistema {
    std::atomic<int> domande{0};
    std::promise<void> apri;
    std::shared_future<void> aperto = apri.get_future().share();

    CacheIcone::Ricerca ricerca() {
        return [this](std::int32_t pid) {
            aperto.wait();
            ++domande;
            QImage img(pid < 1000 ? QSize(8, 8) : QSize(), QImage::Format_ARGB32);
            img.fill(Qt::red);
            return img;
        };
    }
};

// Runs the event loop until every question has its answer (at most 5 s).
void aspettaRisposte(CacheIcone& cache) {
    QElapsedTimer t;
    t.start();
    while (cache.inAttesa() > 0 && t.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    ASSERT_EQ(cache.inAttesa(), 0u);
}

QByteArray comePng(int larghezza, int altezza) {
    QImage img(larghezza, altezza, QImage::Format_ARGB32);
    img.fill(Qt::blue);
    QByteArray png;
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    return png;
}

std::vector<unsigned char> byte(const QByteArray& a) {
    return {a.begin(), a.end()};
}

}  // namespace

// The system is asked off the main thread: while it keeps a question waiting, painting goes on
// with the gear; the answer then comes in, the icon's view repaints, and nobody asks again.
TEST(CacheIcone, LettaFuoriDalFiloPrincipaleERicordata) {
    Sistema s;
    CacheIcone cache(s.ricerca());
    std::vector<std::int32_t> arrivate;
    auto abbonamento = cache.osserva([&](std::int32_t pid) { arrivate.push_back(pid); });
    IconaProcesso app(7, cache);
    app.resize(28, 28);
    const QImage img = prova::dipingi(app);  // returns at once, with the gear
    EXPECT_LT(prova::conta(img, QRectF(4, 4, 20, 20), Qt::transparent, 0), 300) << "the gear";
    EXPECT_NE(img.pixelColor(27, 27), QColor(Qt::red));
    EXPECT_FALSE(cache.icona(7).has_value());
    // The questions waiting are bounded; the ones refused are asked at a later paint.
    for (std::int32_t pid = 2000; pid < 2100; ++pid) cache.icona(pid);
    EXPECT_EQ(cache.inAttesa(), CacheIcone::inCoda);

    s.apri.set_value();
    aspettaRisposte(cache);
    EXPECT_EQ(arrivate.front(), 7);
    EXPECT_EQ(prova::dipingi(app).pixelColor(27, 27), QColor(Qt::red));  // stretched to the corners
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(cache.icona(7).has_value());
        EXPECT_FALSE(cache.icona(2000).has_value());  // negative answers are remembered too
    }
    aspettaRisposte(cache);
    EXPECT_EQ(s.domande, static_cast<int>(CacheIcone::inCoda));
}

TEST(CacheIcone, SvuotataAl301EsimoNuovoPid) {
    Sistema s;
    s.apri.set_value();
    CacheIcone cache(s.ricerca());
    for (int pid = 1; pid <= 301; ++pid) {
        cache.icona(pid < 150 ? pid : pid + 1000);
        aspettaRisposte(cache);
    }
    // Known pids are answered from a full cache; a new one empties it whole, then is stored.
    EXPECT_TRUE(cache.icona(5).has_value());
    EXPECT_FALSE(cache.icona(1200).has_value());
    EXPECT_EQ(cache.dimensione(), 301u);
    cache.icona(5000);
    aspettaRisposte(cache);
    EXPECT_EQ(cache.dimensione(), 1u);
    EXPECT_EQ(s.domande, 302);
}

// What a file gave, decoded: bitmaps past 1024 pixels a side and broken files are no icon (the
// gear, not an empty slot); what is kept is at most 64 pixels a side.
TEST(CacheIcone, DecodificaLimitata) {
    EXPECT_EQ(CacheIcone::decodifica(byte(comePng(8, 8))).size(), QSize(8, 8));
    EXPECT_TRUE(CacheIcone::decodifica(byte(comePng(8, 8).left(40) + "spazzatura")).isNull());
    EXPECT_TRUE(CacheIcone::decodifica(byte(comePng(1025, 1))).isNull());
    EXPECT_TRUE(CacheIcone::decodifica({}).isNull());
    EXPECT_EQ(CacheIcone::decodifica(byte(comePng(300, 150))).size(), QSize(64, 32));
}
