#include <gtest/gtest.h>

#include <QMouseEvent>
#include <vector>

#include "support/qt_app.h"
#include "widgets/barra.h"
#include "widgets/geometria_barre.h"
#include "widgets/vista_barre.h"

using namespace pulsaro;

namespace {

std::vector<UsoProcesso> tre() {
    return {{11, "uno", 50, 10, 0, false, 1 << 20},
            {22, std::string(300, 'x'), 5, 0, 0, true, 2 << 20},
            {33, "tre", 0, 0, 0, false, 3 << 20}};
}

}  // namespace

TEST(Barre, Riempimento) {
    // (value, width): a floor for tiny values, nothing for none, capped at the full width.
    for (auto [valore, larghezza] :
         {std::pair{0.4, 3.0}, {0.0, 0.0}, {-2.0, 0.0}, {250.0, 200.0}, {100.0, 200.0}, {40.0, 80.0}})
        EXPECT_DOUBLE_EQ(larghezzaRiempimento(200, valore, minimoBarra), larghezza) << valore;
    EXPECT_DOUBLE_EQ(larghezzaRiempimento(60, 0.1, minimoMiniBarra), 2);
    EXPECT_DOUBLE_EQ(larghezzaRiempimento(60, 50, minimoMiniBarra), 30);
    EXPECT_DOUBLE_EQ(larghezzaRiempimento(-5, 50, minimoMiniBarra), 2);
}

TEST(Barre, Testi) {
    EXPECT_EQ(testoBarra(0.4, true), "0.4%");
    EXPECT_EQ(testoBarra(-2, true), "-2.0%");
    EXPECT_EQ(testoBarra(250, true), "250%");
    EXPECT_EQ(testoBarra(40, false), QStringLiteral("—"));
    EXPECT_EQ(testoMiniBarra(9.99, true), "10.0");
    EXPECT_EQ(testoMiniBarra(42, true), "42");
    EXPECT_EQ(testoMiniBarra(42, false), QStringLiteral("—"));
}

TEST(Barre, DisposizioneDellaRiga) {
    const LayoutRiga l = layoutRiga(QRectF(0, 0, 700, 50));
    EXPECT_DOUBLE_EQ(l.icona.center().y(), 25);
    EXPECT_DOUBLE_EQ(l.nome.left(), 80);
    EXPECT_DOUBLE_EQ(l.nome.width(), 190);
    EXPECT_DOUBLE_EQ(l.barre[0].left(), 282);
    EXPECT_DOUBLE_EQ(l.barre[0].width(), l.barre[1].width());
    EXPECT_DOUBLE_EQ(l.barre[1].left() - l.barre[0].right(), 12);
    EXPECT_DOUBLE_EQ(l.barre[1].right(), 688);
    EXPECT_DOUBLE_EQ(altezzaRiga(30), 46);
    EXPECT_DOUBLE_EQ(altezzaLista(0, 46), 0);
    EXPECT_DOUBLE_EQ(altezzaLista(3, 46), 3 * 46 + 2 * 8);
}

TEST(Barre, WidgetTestiEPixel) {
    Tema::forzaAspetto(Aspetto::chiaro);
    Barra b(250, Tema::orange(), "CPU", true);
    // A full bar at 250 is red at its right end; an empty one shows the track there.
    b.resize(200, static_cast<int>(std::ceil(altezzaBarra())));
    QImage img = prova::dipingi(b);
    const int y = img.height() - 4;
    EXPECT_TRUE(prova::simile(img.pixelColor(190, y), Tema::carico(250)));
    b.imposta(0, Tema::orange(), "CPU", true);
    img = prova::dipingi(b);
    EXPECT_TRUE(prova::simile(img.pixelColor(5, y), Tema::line(Aspetto::chiaro)));
    Tema::forzaAspetto(std::nullopt);
}

TEST(Barre, ListaClicSelezioneENomiLunghi) {
    VistaBarre v;
    EXPECT_EQ(v.heightForWidth(600), 0);
    std::vector<std::int32_t> scelti;
    v.impostaSeleziona([&](std::int32_t pid) { scelti.push_back(pid); });
    v.impostaProcessi(tre());
    v.resize(640, v.heightForWidth(640));
    EXPECT_GT(v.height(), 0);

    prova::clic(v, v.rettangoloRiga(1).center());
    prova::clic(v, v.rettangoloRiga(2).topLeft() + QPointF(3, 3));  // the corner still belongs to the row
    const QRectF prima = v.rettangoloRiga(0);
    prova::clic(v, QPointF(prima.center().x(), prima.bottom() + 4));  // the gap between rows
    EXPECT_EQ(scelti, (std::vector<std::int32_t>{22, 33}));

    // Pressing on one row and releasing on another is no click.
    QMouseEvent premi(QEvent::MouseButtonPress, v.rettangoloRiga(0).center(), QPointF(), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&v, &premi);
    QMouseEvent rilascia(QEvent::MouseButtonRelease, v.rettangoloRiga(1).center(), QPointF(), Qt::LeftButton,
                         Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&v, &rilascia);
    EXPECT_EQ(scelti.size(), 2u);

    // A selected row is painted in the chip colour, the others in the card colour.
    Tema::forzaAspetto(Aspetto::chiaro);
    v.impostaSelezionato(22);
    QImage img = prova::dipingi(v);
    const QPoint dentro1 = (v.rettangoloRiga(1).topLeft() + QPointF(30, 4)).toPoint();
    const QPoint dentro0 = (v.rettangoloRiga(0).topLeft() + QPointF(30, 4)).toPoint();
    EXPECT_TRUE(prova::simile(img.pixelColor(dentro1), Tema::chip(Aspetto::chiaro), 2));
    EXPECT_TRUE(prova::simile(img.pixelColor(dentro0), Tema::card(Aspetto::chiaro), 2));
    Tema::forzaAspetto(std::nullopt);

    // The 300-character name is cut inside its block: the bars keep their place.
    const LayoutRiga l = layoutRiga(v.rettangoloRiga(1));
    EXPECT_DOUBLE_EQ(l.barre[0].left(), layoutRiga(v.rettangoloRiga(0)).barre[0].left());
    EXPECT_TRUE(prova::simile(img.pixelColor((l.barre[0].topLeft() + QPointF(-6, 2)).toPoint()),
                              Tema::chip(Aspetto::chiaro), 2));
}
