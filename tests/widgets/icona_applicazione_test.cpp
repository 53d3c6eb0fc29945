#include "widgets/icona_applicazione.h"

#include <gtest/gtest.h>

#include "support/qt_app.h"

namespace pulsaro {
namespace {

TEST(IconaApplicazione, ArancioneConIlContagiriBiancoAOgniMisura) {
    const QIcon icona = iconaApplicazioneCompleta();
    const QList<QSize> misure = icona.availableSizes();
    for (int lato : {16, 22, 32, 48, 256}) EXPECT_TRUE(misure.contains(QSize(lato, lato))) << lato;
    for (int lato : {22, 48}) {
        const QImage img = icona.pixmap(lato, lato).toImage();
        ASSERT_EQ(img.size(), QSize(lato, lato)) << "drawn at that size, not scaled";
        EXPECT_GT(prova::conta(img, QRectF(0, 0, lato, lato), QColor(0xE0, 0x8A, 0x4F), 40), lato * lato / 4);
        EXPECT_GT(prova::conta(img, QRectF(0, 0, lato, lato), Qt::white, 20), lato);
    }
    EXPECT_STREQ(idApplicazione, "it.pulsaro.Pulsaro");
}

}  // namespace
}  // namespace pulsaro
