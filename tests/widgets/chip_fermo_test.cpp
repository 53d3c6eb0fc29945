// The chip at rest is copied from an image made once; it must look as the chip drawn directly,
// at every scale and on every fraction of a pixel.
#include <gtest/gtest.h>

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <limits>

#include "support/qt_app.h"
#include "tela.h"
#include "widgets/chip_ane.h"
#include "widgets/tema.h"

using namespace pulsaro;

namespace {

// The largest difference of any channel between two images of the same size.
int differenzaMassima(const QImage& a, const QImage& b) {
    int massimo = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            massimo = std::max({massimo, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                std::abs(qBlue(p) - qBlue(q))});
        }
    return massimo;
}

int pixelDiversiDa(const QImage& img, QRgb fondo) {
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) n += img.pixel(x, y) != fondo;
    return n;
}

}  // namespace

TEST(ChipANEFermo, ComeDisegnatoDirettamente) {
    const QColor fondo(40, 40, 42);
    const QRectF cornice(0, 0, 96, 84);
    for (const Aspetto a : {Aspetto::chiaro, Aspetto::scuro})
        for (const auto& [dpr, origine] : prova::situazioni)
            for (const QString& etichetta : {QStringLiteral("ANE"), QString()})
                // A light a hair away from rest takes the direct path and looks the same.
                for (const auto& [fermo, quasi] : {std::pair{0.0, std::numeric_limits<double>::denorm_min()},
                                                   std::pair{1.0, std::nextafter(1.0, 0.0)}}) {
                    SCOPED_TRACE(testing::Message()
                                 << "dpr " << dpr << " origine " << origine.x() << "," << origine.y()
                                 << " luce " << fermo << " etichetta " << etichetta.toStdString());
                    ImmaginiChip immagini;
                    auto dipingi = [&](double luce) {
                        return prova::dipingiSu(cornice.size(), dpr, origine, fondo,
                                                [&](QPainter& p) {
                                                    disegnaChipANE(p, cornice, luce, etichetta, a, immagini);
                                                })
                            .img;
                    };
                    // Twice at rest: the first makes the image, the second copies it.
                    dipingi(fermo);
                    const QImage copiato = dipingi(fermo);
                    const QImage diretto = dipingi(quasi);
                    EXPECT_GT(pixelDiversiDa(diretto, fondo.rgb()), 2000);
                    EXPECT_LE(differenzaMassima(copiato, diretto), 3);
                }
}

TEST(ChipANEFermo, LeImmaginiHannoUnTetto) {
    // A chip drawn at every size a resizing window passes through, lit, off and fading: its
    // images stay within their bound instead of growing with every size.
    ImmaginiChip immagini;
    QImage img(QSize(200, 180) * 2, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(2);
    for (int lato = 40; lato < 190; ++lato)
        for (const double luce : {0.0, 0.5, 1.0}) {
            img.fill(Qt::transparent);
            QPainter p(&img);
            disegnaChipANE(p, QRectF(3, 3, lato, lato * 0.9), luce, QStringLiteral("ANE"), Aspetto::chiaro,
                           immagini);
        }
    EXPECT_GE(immagini.fermi.size(), 1u);  // it does keep images
    EXPECT_GE(immagini.bagliori.size(), 1u);
    EXPECT_LE(immagini.fermi.size(), ImmaginiChip::massimo);
    EXPECT_LE(immagini.bagliori.size(), ImmaginiChip::massimo);
}
