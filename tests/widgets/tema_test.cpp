#include <gtest/gtest.h>

#include <QPalette>
#include <cmath>
#include <set>
#include <tuple>

#include "support/qt_app.h"
#include "widgets/icona_applicazione.h"
#include "widgets/simboli.h"
#include "widgets/tema.h"

using namespace pulsaro;

TEST(Tema, CaricoEAspetto) {
    // Three plateaus (calm, busy, alarm) and blends between them with no jump a reader would see;
    // a load that could not be read is calm.
    for (auto [a, b] : {std::pair{-5.0, 40.0}, {48.0, 72.0}, {82.0, 250.0}, {std::nan(""), 0.0}})
        EXPECT_EQ(Tema::carico(a), Tema::carico(b)) << a;
    EXPECT_LT(Tema::carico(60).blueF(), Tema::carico(20).blueF() - 0.3) << "calm blue gives way to amber";
    EXPECT_LT(Tema::carico(90).greenF(), Tema::carico(60).greenF() - 0.1) << "amber gives way to red";
    for (double p = 0; p < 100; p += 0.5) {
        const QColor a = Tema::carico(p), b = Tema::carico(p + 0.5);
        EXPECT_LT(std::abs(a.redF() - b.redF()) + std::abs(a.greenF() - b.greenF()) +
                      std::abs(a.blueF() - b.blueF()),
                  0.1)
            << p;
    }

    // The appearance follows the window colour of the palette, unless one is imposed.
    const QPalette originale = QApplication::palette();
    for (auto [finestra, aspetto] :
         {std::pair{QColor(30, 30, 30), Aspetto::scuro}, {QColor(236, 236, 236), Aspetto::chiaro}}) {
        QPalette p = originale;
        p.setColor(QPalette::Window, finestra);
        QApplication::setPalette(p);
        EXPECT_EQ(Tema::aspetto(), aspetto);
        EXPECT_EQ(Tema::card(), Tema::card(aspetto));
        const Aspetto altro = aspetto == Aspetto::scuro ? Aspetto::chiaro : Aspetto::scuro;
        {
            const AspettoImposto imposto(altro);
            EXPECT_EQ(Tema::card(), Tema::card(altro));
        }
        EXPECT_EQ(Tema::aspetto(), aspetto) << "the palette's comes back";
    }
    QApplication::setPalette(originale);
}

TEST(Simboli, NomiETracciatiNelQuadrato) {
    std::set<std::string_view> nomi;
    for (Simbolo s : tuttiISimboli) {
        nomi.insert(nomeSimbolo(s));
        EXPECT_EQ(simboloDaNome(nomeSimbolo(s)), s);
        // The largest square centred in the frame.
        const QRectF b = percorsoSimbolo(s, QRectF(10, 20, 60, 30)).boundingRect();
        EXPECT_FALSE(b.isEmpty()) << nomeSimbolo(s);
        EXPECT_TRUE(QRectF(25 - 0.01, 20 - 0.01, 30.02, 30.02).contains(b)) << nomeSimbolo(s);
    }
    EXPECT_EQ(nomi.size(), std::size(tuttiISimboli));
    EXPECT_FALSE(simboloDaNome("gearshape.circle").has_value());
    EXPECT_TRUE(percorsoSimbolo(Simbolo::spunta, QRectF(0, 0, 0, 10)).isEmpty());
    EXPECT_TRUE(immagineSimbolo(Simbolo::spunta, QSizeF(0, 16), Qt::red, 2.0).isNull());
}

TEST(Simboli, PieniConISegniRitagliati) {
    // (symbol, x, y, filled there): each symbol on a 100 × 100 image.
    const std::tuple<Simbolo, int, int, bool> punti[] = {
        {Simbolo::croce, 50, 50, false},       {Simbolo::croce, 50, 25, true},
        {Simbolo::avviso, 50, 48, false},  // the bar of the exclamation mark
        {Simbolo::avviso, 40, 70, true},       {Simbolo::ingranaggio, 50, 35, true},
        {Simbolo::ingranaggio, 50, 25, false},  // between inner ring and outline
    };
    for (const auto& [s, x, y, pieno] : punti) {
        const QColor c = immagineSimbolo(s, QSizeF(100, 100), Qt::red, 1.0).pixelColor(x, y);
        EXPECT_TRUE(pieno ? c == QColor(Qt::red) : c.alpha() == 0) << nomeSimbolo(s) << " " << x << "," << y;
    }
    EXPECT_EQ(immagineSimbolo(Simbolo::chevronDestra, QSizeF(16, 16), Qt::red, 2.0).size(), QSize(32, 32));
}

TEST(IconaApplicazione, ArancioneConIlContagiriBiancoAOgniMisura) {
    const QIcon icona = iconaApplicazioneCompleta();
    for (int lato : {22, 48}) {
        const QImage img = icona.pixmap(lato, lato).toImage();
        EXPECT_GT(prova::conta(img, QRectF(0, 0, lato, lato), QColor(0xE0, 0x8A, 0x4F), 40), lato * lato / 4);
        EXPECT_GT(prova::conta(img, QRectF(0, 0, lato, lato), Qt::white, 20), lato);
    }
}
