#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>
#include <QtEndian>

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

std::uint32_t crc32(const char* dati, std::size_t n) {
    std::uint32_t c = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= static_cast<unsigned char>(dati[i]);
        for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xEDB88320u & (0u - (c & 1u)));
    }
    return ~c;
}

// A real 8 × 8 PNG whose header then claims `lato` × `lato` pixels, its checksum made right.
QByteArray pngDichiarato(int lato) {
    QImage img(8, 8, QImage::Format_ARGB32);
    img.fill(Qt::blue);
    QByteArray png;
    QBuffer b(&png);
    b.open(QIODevice::WriteOnly);
    img.save(&b, "PNG");
    // Signature (8), chunk length (4), "IHDR" at 12, width and height at 16 and 20, CRC at 29.
    qToBigEndian<quint32>(static_cast<quint32>(lato), png.data() + 16);
    qToBigEndian<quint32>(static_cast<quint32>(lato), png.data() + 20);
    qToBigEndian<quint32>(crc32(png.constData() + 12, 17), png.data() + 29);
    return png;
}

}  // namespace

TEST(CacheIcone, RisposteNegativeRicordate) {
    Sistema s;
    CacheIcone cache(s.ricerca());
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(cache.icona(2000).has_value());
        EXPECT_TRUE(cache.icona(7).has_value());
    }
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
    // Known pids are answered from a full cache.
    EXPECT_TRUE(cache.icona(5).has_value());
    EXPECT_FALSE(cache.icona(1200).has_value());
    EXPECT_EQ(s.domande, 301);
    EXPECT_EQ(cache.dimensione(), 301u);

    // A new one empties it whole, then is stored.
    EXPECT_FALSE(cache.icona(5000).has_value());
    EXPECT_EQ(cache.dimensione(), 1u);
    EXPECT_TRUE(cache.icona(5).has_value());
    EXPECT_EQ(s.domande, 303);
}

TEST(IconaProcesso, IconaStirataOIngranaggio) {
    Sistema s;
    CacheIcone cache(s.ricerca());
    IconaProcesso app(7, cache);
    app.resize(28, 28);
    QImage img = prova::dipingi(app);
    EXPECT_EQ(img.pixelColor(27, 27), QColor(Qt::red));  // stretched to the frame's corners

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

// An icon file that cannot be decoded (corrupt, or larger than Qt will allocate) is no icon, so
// the gear is drawn instead of an empty slot.
TEST(CacheIcone, IconaIndecifrabileComeNessuna) {
    QTemporaryDir cartella;
    ASSERT_TRUE(cartella.isValid());
    const auto scrivi = [&](const char* nome, const QByteArray& dati) {
        QFile f(cartella.filePath(QString::fromLatin1(nome)));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(dati);
        return f.fileName();
    };
    QByteArray rotta = pngDichiarato(8);
    rotta.truncate(40);  // the header, then nothing of the pixels
    rotta.append("spazzatura");
    const QString buona = scrivi("buona.png", pngDichiarato(8));
    const QString nomeRotta = scrivi("rotta.png", rotta);
    const QString enorme = scrivi("enorme.png", pngDichiarato(9000));  // 324 MB of pixels
    ASSERT_FALSE(QIcon(buona).pixmap(QSize(16, 16)).isNull());

    CacheIcone cache([&](std::int32_t pid) -> std::optional<QIcon> {
        if (pid == 1) return QIcon(buona);
        return QIcon(pid == 2 ? nomeRotta : enorme);
    });
    EXPECT_TRUE(cache.icona(1).has_value());
    EXPECT_FALSE(cache.icona(2).has_value());
    EXPECT_FALSE(cache.icona(3).has_value());
}
