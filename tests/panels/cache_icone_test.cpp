#include <gtest/gtest.h>

#include <QPixmap>

#include "panels/cache_icone.h"
#include "panels/icona_processo.h"
#include "support/qt_app.h"

using namespace pulsaro;

namespace {

// Pids below 1000 are applications with a red icon; the rest have none.
struct Sistema {
    int domande = 0;
    CacheIcone::Ricerca ricerca() {
        return [this](std::int32_t pid) -> std::optional<QIcon> {
            ++domande;
            if (pid >= 1000) return std::nullopt;
            QPixmap pm(8, 8);
            pm.fill(Qt::red);
            return QIcon(pm);
        };
    }
};

}  // namespace

TEST(CacheIcone, RisposteNegativeRicordate) {
    Sistema s;
    CacheIcone cache(s.ricerca());
    EXPECT_FALSE(cache.icona(2000).has_value());
    EXPECT_FALSE(cache.icona(2000).has_value());
    EXPECT_EQ(s.domande, 1);
    const auto icona = cache.icona(7);
    ASSERT_TRUE(icona.has_value());
    EXPECT_FALSE(icona->isNull());
    EXPECT_TRUE(cache.icona(7).has_value());
    EXPECT_EQ(s.domande, 2);

    // A null icon from the system counts as none.
    int nulle = 0;
    CacheIcone vuota([&](std::int32_t) -> std::optional<QIcon> {
        ++nulle;
        return QIcon();
    });
    EXPECT_FALSE(vuota.icona(1).has_value());
    EXPECT_FALSE(vuota.icona(1).has_value());
    EXPECT_EQ(nulle, 1);
}

TEST(CacheIcone, SvuotataAl301EsimoNuovoPid) {
    Sistema s;
    CacheIcone cache(s.ricerca());
    for (int pid = 1; pid <= 301; ++pid) cache.icona(pid < 150 ? pid : pid + 1000);
    EXPECT_EQ(cache.dimensione(), 301u);
    EXPECT_EQ(s.domande, 301);

    // Known pids are answered from a full cache.
    EXPECT_TRUE(cache.icona(5).has_value());
    EXPECT_FALSE(cache.icona(1200).has_value());
    EXPECT_EQ(s.domande, 301);
    EXPECT_EQ(cache.dimensione(), 301u);

    // A new one empties it whole, then is stored.
    EXPECT_FALSE(cache.icona(5000).has_value());
    EXPECT_EQ(cache.dimensione(), 1u);
    EXPECT_EQ(s.domande, 302);
    EXPECT_TRUE(cache.icona(5).has_value());
    EXPECT_EQ(s.domande, 303);
    EXPECT_EQ(cache.dimensione(), 2u);
}

TEST(IconaProcesso, IconaStirataOIngranaggio) {
    Sistema s;
    CacheIcone cache(s.ricerca());
    IconaProcesso app(7, cache);
    app.resize(28, 28);
    QImage img = prova::dipingi(app);
    EXPECT_EQ(img.pixelColor(0, 0), QColor(Qt::red));  // stretched to the frame's corners
    EXPECT_EQ(img.pixelColor(27, 27), QColor(Qt::red));

    IconaProcesso demone(4242, cache);
    demone.resize(28, 28);
    img = prova::dipingi(demone);
    int dentro = 0, fuori = 0;
    for (int y = 0; y < 28; ++y)
        for (int x = 0; x < 28; ++x) {
            if (img.pixelColor(x, y).alpha() == 0) continue;
            (x >= 4 && x < 24 && y >= 4 && y < 24 ? dentro : fuori)++;
        }
    EXPECT_GT(dentro, 100);  // the gear, inside the padding of 4
    EXPECT_EQ(fuori, 0);
    EXPECT_EQ(s.domande, 2);
    demone.update();
    prova::dipingi(demone);
    EXPECT_EQ(s.domande, 2);  // repainting asks the cache, not the system
}
