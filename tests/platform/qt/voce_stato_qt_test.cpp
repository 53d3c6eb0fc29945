#include "platform/qt/voce_stato_qt.h"

#include <gtest/gtest.h>

#include "support/qt_app.h"

namespace pulsaro {
namespace {

TEST(VoceStatoQt, LImmagineAttraversaIlConfineIntatta) {
    ImmaginePixel p;
    p.larghezza = 3;
    p.altezza = 2;
    p.dpr = 2;
    p.argb = {0xFF112233, 0x80402010, 0, 0xFFFFFFFF, 0xFF000000, 0x40404040};
    const QImage img = immagineQt(p);
    EXPECT_EQ(img.size(), QSize(3, 2));
    EXPECT_EQ(img.pixel(2, 1), 0x40404040u);  // premultiplied, as given
    p.argb.pop_back();  // fewer pixels than the size says: no image rather than a read past the end
    EXPECT_TRUE(immagineQt(p).isNull());
}

}  // namespace
}  // namespace pulsaro
