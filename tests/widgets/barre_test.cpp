#include <gtest/gtest.h>

#include <vector>

#include "support/qt_app.h"
#include "tela.h"
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

TEST(Barre, RiempimentoETesti) {
    // (value, width): a floor for tiny values, nothing for none, capped at the full width.
    for (auto [valore, larghezza] :
         {std::pair{0.4, 3.0}, {0.0, 0.0}, {-2.0, 0.0}, {250.0, 200.0}, {100.0, 200.0}, {40.0, 80.0}})
        EXPECT_DOUBLE_EQ(larghezzaRiempimento(200, valore, minimoBarra), larghezza) << valore;
    EXPECT_DOUBLE_EQ(larghezzaRiempimento(60, 0.1, minimoMiniBarra), 2);
    EXPECT_DOUBLE_EQ(larghezzaRiempimento(60, 50, minimoMiniBarra), 30);
    EXPECT_DOUBLE_EQ(larghezzaRiempimento(-5, 50, minimoMiniBarra), 2);

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
    const AspettoImposto imposto(Aspetto::chiaro);
    Barra b(250, Tema::orange(), "CPU", true);
    // A full bar at 250 is red at its right end; an empty one shows the track there.
    b.resize(200, static_cast<int>(std::ceil(altezzaBarra())));
    QImage img = prova::dipingi(b);
    const int y = img.height() - 4;
    EXPECT_TRUE(prova::simile(img.pixelColor(190, y), Tema::carico(250)));
    b.imposta(0, Tema::orange(), "CPU", true);
    img = prova::dipingi(b);
    EXPECT_TRUE(prova::simile(img.pixelColor(5, y), Tema::line(Aspetto::chiaro)));
}

TEST(Barre, ClicSulleRigheEFraLeRighe) {
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
}

// --- what is drawn -------------------------------------------------------------------------

namespace {

int somma(const QColor& c) {
    return c.red() + c.green() + c.blue();
}

// The device rows of column x, within `mezza` of y, whose colour is neither the track's nor the
// background's.
int righeSfumate(const prova::Tela& t, double x, double y, double mezza, const QColor& traccia,
                 const QColor& fondo) {
    int n = 0;
    const QPoint da = t.pixel(QPointF(x, y - mezza)), a = t.pixel(QPointF(x, y + mezza));
    for (int y = da.y(); y <= a.y(); ++y) {
        const QColor c = t.img.pixelColor(da.x(), y);
        if (!prova::simile(c, traccia, 2) && !prova::simile(c, fondo, 2)) ++n;
    }
    return n;
}

}  // namespace

TEST(BarreDisegno, ColoriDelRiempimentoEBordiSuPixel) {
    const Aspetto a = Aspetto::chiaro;
    const QColor fondo = Tema::panel(a), traccia = Tema::line(a);
    for (const auto& [dpr, origine] : prova::situazioni) {
        // The labelled bar: a gradient from a lighter leading end to the load colour.
        const QRectF r(0, 0, 200, 30);
        const auto t = prova::dipingiSu(r.size(), dpr, origine, fondo,
                                        [&](QPainter& p) { disegnaBarra(p, r, 90, "CPU", true, a); });
        const double yBarra = r.bottom() - (r.height() - altezzaBarra()) / 2 - altezzaTracciaBarra / 2;
        const QColor inizio = t.colore(QPointF(6, yBarra)),
                     fine = t.colore(QPointF(r.width() * 0.9 - 6, yBarra));
        EXPECT_TRUE(prova::simile(fine, Tema::carico(90), 8)) << dpr;
        EXPECT_GT(somma(inizio), somma(fine) + 40) << dpr;  // lighter: a quarter of the light track shows
        // Its edges lie on device pixels, wherever font metrics put it.
        EXPECT_EQ(righeSfumate(t, 195, yBarra, altezzaTracciaBarra / 2 + 1.5, traccia, fondo), 0) << dpr;

        // The small bar: the plain load colour, and its track on whole pixels too.
        const QRectF m(0, 0, 60, 20);
        const auto tm = prova::dipingiSu(m.size(), dpr, origine, fondo,
                                         [&](QPainter& p) { disegnaMiniBarra(p, m, 50, true, a); });
        const double yMini = m.bottom() - (m.height() - altezzaMiniBarra()) / 2 - altezzaTracciaMiniBarra / 2;
        EXPECT_TRUE(prova::simile(tm.colore(QPointF(15, yMini)), Tema::carico(50), 4)) << dpr;
        EXPECT_TRUE(prova::simile(tm.colore(QPointF(50, yMini)), traccia, 4)) << dpr;
        EXPECT_EQ(righeSfumate(tm, 50, yMini, altezzaTracciaMiniBarra / 2 + 0.75, traccia, fondo), 0) << dpr;
    }
}

TEST(BarreDisegno, SchedeRiempiteFinoAlBordo) {
    // A row fills its whole rectangle: its straight edges are whole device pixels of the card
    // colour, not a blend with the panel; the selected one, in the chip colour, has its border there.
    const Aspetto a = Aspetto::chiaro;
    const AspettoImposto imposto(a);
    VistaBarre v;
    v.impostaProcessi(tre());
    v.impostaSelezionato(22);
    v.resize(640, v.heightForWidth(640));
    for (const qreal dpr : {1.0, 2.0}) {
        const auto t = prova::dipingiWidget(v, dpr, QPointF(0, 0), Tema::panel(a));
        const QRectF r0 = v.rettangoloRiga(0), r1 = v.rettangoloRiga(1);
        const QColor bordo = mescola(Tema::chip(a), Tema::control(a), 0.8);
        EXPECT_TRUE(prova::simile(t.colore(QPointF(300, r0.top())), Tema::card(a), 1)) << dpr;
        EXPECT_TRUE(prova::simile(t.colore(QPointF(300, r0.bottom() - 0.5 / dpr)), Tema::card(a), 1)) << dpr;
        EXPECT_TRUE(prova::simile(t.colore(QPointF(r0.left(), r0.center().y())), Tema::card(a), 1)) << dpr;
        EXPECT_TRUE(prova::simile(t.colore(QPointF(300, r0.bottom() + 0.5 / dpr)), Tema::panel(a), 1)) << dpr;
        EXPECT_TRUE(prova::simile(t.colore(QPointF(300, r1.top())), bordo, 3)) << dpr;
        EXPECT_TRUE(prova::simile(t.colore(QPointF(300, r1.top() + 3)), Tema::chip(a), 3)) << dpr;
        // The 300-character name is cut inside its block: just left of the bars is the card.
        const QPointF primaDelleBarre = layoutRiga(r1).barre[0].topLeft() + QPointF(-6, 2);
        EXPECT_TRUE(prova::simile(t.colore(primaDelleBarre), Tema::chip(a), 2)) << dpr;
    }
}
