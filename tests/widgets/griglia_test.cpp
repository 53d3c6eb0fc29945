#include <gtest/gtest.h>

#include <QMouseEvent>
#include <vector>

#include "support/qt_app.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/vista_contagiri.h"

using namespace pulsaro;

namespace {

std::vector<UsoProcesso> processi(int n) {
    std::vector<UsoProcesso> v;
    for (int i = 0; i < n; ++i)
        v.push_back({100 + i, "p" + std::to_string(i), 10.0 * i, 5, 0, i == 1, 1u << 20});
    return v;
}

}  // namespace

TEST(Griglia, ColonneERettangoli) {
    for (auto [larghezza, colonne] : {std::pair{0, 1}, {571, 1}, {572, 2}, {863, 2}, {864, 3}, {1200, 4}})
        EXPECT_EQ(colonneGriglia(larghezza), colonne) << larghezza;

    const auto r = rettangoliSchede(600, 5, 156);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_DOUBLE_EQ(r[0].width(), 294);
    EXPECT_DOUBLE_EQ(r[1].left(), 306);
    EXPECT_DOUBLE_EQ(r[1].top(), 0);
    EXPECT_DOUBLE_EQ(r[2].left(), 0);  // row by row
    EXPECT_DOUBLE_EQ(r[2].top(), 168);
    EXPECT_DOUBLE_EQ(r[4].top(), 336);
    EXPECT_DOUBLE_EQ(altezzaGriglia(600, 5, 156), 3 * 156 + 2 * 12);
    EXPECT_DOUBLE_EQ(altezzaGriglia(600, 0, 156), 0);
    EXPECT_TRUE(rettangoliSchede(600, 0, 156).empty());

    const LayoutScheda l = layoutScheda(QRectF(0, 0, 294, altezzaScheda(20)), 20);
    EXPECT_DOUBLE_EQ(altezzaScheda(20), 156);
    EXPECT_DOUBLE_EQ(l.intestazione.top(), 10);
    EXPECT_DOUBLE_EQ(l.contagiri[0].top(), 36);
    EXPECT_DOUBLE_EQ(l.contagiri[0].height(), 110);
    EXPECT_DOUBLE_EQ(l.contagiri[0].width(), 132);
    EXPECT_DOUBLE_EQ(l.contagiri[1].left(), 152);
    EXPECT_DOUBLE_EQ(l.contagiri[1].right(), 284);
}

TEST(Griglia, ClicSelezioneEMolle) {
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "0");  // whatever this desktop says
    VistaContagiri v;
    EXPECT_EQ(v.heightForWidth(600), 0);
    std::vector<std::int32_t> scelti;
    v.impostaSeleziona([&](std::int32_t pid) { scelti.push_back(pid); });
    v.impostaProcessi(processi(5));
    v.resize(600, v.heightForWidth(600));
    EXPECT_EQ(v.colonne(), 2);

    prova::clic(v, v.rettangoloScheda(3).center());
    prova::clic(v, v.rettangoloScheda(4).bottomRight() - QPointF(2, 2));  // an unpainted corner of the card
    prova::clic(v, QPointF(300, 10));                                     // the gap between columns
    prova::clic(v, QPointF(450, v.rettangoloScheda(4).center().y()));  // the empty cell after the last card
    EXPECT_EQ(scelti, (std::vector<std::int32_t>{103, 104}));

    const AspettoImposto imposto(Aspetto::chiaro);
    v.impostaSelezionato(101);
    const QImage img = prova::dipingi(v);
    const QPoint interno1 = (v.rettangoloScheda(1).topLeft() + QPointF(20, 4)).toPoint();
    const QPoint interno0 = (v.rettangoloScheda(0).topLeft() + QPointF(20, 4)).toPoint();
    EXPECT_TRUE(prova::simile(img.pixelColor(interno1), Tema::chip(Aspetto::chiaro), 2));
    EXPECT_TRUE(prova::simile(img.pixelColor(interno0), Tema::card(Aspetto::chiaro), 2));

    // Hidden, the gauges show the new values at once; dropped processes lose their springs.
    auto nuovi = processi(2);
    nuovi[0].cpu = 80;
    v.impostaProcessi(nuovi);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(100, 0), 0.8);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(101, 1), 0.05);
    EXPECT_EQ(v.frazioneMostrata(104, 0), 0);
    EXPECT_EQ(v.heightForWidth(600), static_cast<int>(std::ceil(v.rettangoloScheda(0).height())));

    // On screen, a known card springs from where it was; a new card starts at its value.
    v.show();
    auto dopo = nuovi;
    dopo[0].cpu = 20;
    dopo.push_back({999, "nuovo", 60, 0, 0, false, 0});
    v.impostaProcessi(dopo);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(100, 0), 0.8);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(999, 0), 0.6);
    v.hide();
}
