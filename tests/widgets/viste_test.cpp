#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <vector>

#include "support/qt_app.h"
#include "tela.h"
#include "widgets/barra.h"
#include "widgets/geometria_barre.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/orologio_fotogrammi.h"
#include "widgets/vista_barre.h"
#include "widgets/vista_contagiri.h"

using namespace pulsaro;

namespace {

// What a widget repaints: the union of the regions of the paint events it receives once installed.
struct RegioneDipinta : QObject {
    QRegion regione;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) regione += static_cast<QPaintEvent*>(e)->region();
        return false;
    }
};

std::vector<UsoProcesso> processi(int n) {
    std::vector<UsoProcesso> v;
    for (int i = 0; i < n; ++i)
        v.push_back({100 + i, i == 1 ? std::string(300, 'x') : "p" + std::to_string(i), 10.0 * i, 5, 0,
                     i == 1, 1u << 20});
    return v;
}

// The list on screen, 640 wide, with the pointer away from it: its order follows the samples.
void mostraLontanoDalPuntatore(ListaProcessi& v, const std::vector<UsoProcesso>& p) {
    v.impostaProcessi(p);
    v.resize(640, v.heightForWidth(640));
    v.show();
    QCoreApplication::processEvents();
    QEvent esce(QEvent::Leave);  // the offscreen pointer rests over the list
    QApplication::sendEvent(&v, &esce);
}

}  // namespace

TEST(Geometria, BarreRigheEGriglia) {
    // (value, width): a floor for tiny values, nothing for none, capped at the full width.
    for (auto [valore, larghezza] :
         {std::pair{0.4, 3.0}, {0.0, 0.0}, {-2.0, 0.0}, {250.0, 200.0}, {40.0, 80.0}})
        EXPECT_DOUBLE_EQ(larghezzaRiempimento(200, valore, minimoBarra), larghezza) << valore;
    EXPECT_DOUBLE_EQ(larghezzaRiempimento(-5, 50, minimoMiniBarra), 2);
    for (auto [valore, barra, mini] : {std::tuple{0.4, "0.4%", "0.4"},
                                       {-2.0, "-2.0%", "-2.0"},
                                       {9.99, "10.0%", "10.0"},
                                       {250.0, "250%", "250"}}) {
        EXPECT_EQ(testoBarra(valore, true), barra) << valore;
        EXPECT_EQ(testoMiniBarra(valore, true), mini) << valore;
    }
    EXPECT_EQ(testoBarra(40, false), QStringLiteral("—"));
    EXPECT_EQ(testoMiniBarra(42, false), QStringLiteral("—"));

    // Two bars of one width share what the name leaves, up to the row's padding.
    const LayoutRiga l = layoutRiga(QRectF(0, 0, 700, 50));
    EXPECT_DOUBLE_EQ(l.barre[0].left(), l.nome.right() + 12);
    EXPECT_DOUBLE_EQ(l.barre[0].width(), l.barre[1].width());
    EXPECT_DOUBLE_EQ(l.barre[1].right(), 688);
    EXPECT_DOUBLE_EQ(altezzaLista(3, 46), 3 * 46 + 2 * 8);

    for (auto [larghezza, colonne] : {std::pair{0, 1}, {571, 1}, {572, 2}, {863, 2}, {864, 3}, {1200, 4}})
        EXPECT_EQ(colonneGriglia(larghezza), colonne) << larghezza;
    // Row by row, the last one partial.
    const auto r = rettangoliSchede(600, 5, 156);
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(r[1], QRectF(306, 0, 294, 156));
    EXPECT_EQ(r[4], QRectF(0, 336, 294, 156));
    EXPECT_DOUBLE_EQ(altezzaGriglia(600, 5, 156), 3 * 156 + 2 * 12);
    EXPECT_DOUBLE_EQ(altezzaGriglia(600, 0, 156), 0);
}

TEST(Griglia, ClicSelezioneEMolle) {
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "0");  // whatever this desktop says
    const AspettoImposto imposto(Aspetto::chiaro);
    VistaContagiri v;
    std::vector<std::int32_t> scelti;
    v.impostaSeleziona([&](std::int32_t pid) { scelti.push_back(pid); });
    v.impostaProcessi(processi(5));
    v.resize(600, v.heightForWidth(600));
    EXPECT_EQ(v.colonne(), 2);
    prova::clic(v, v.rettangoloScheda(3).center());
    prova::clic(v, v.rettangoloScheda(4).bottomRight() - QPointF(2, 2));  // an unpainted corner
    prova::clic(v, QPointF(300, 10));                                     // between columns
    prova::clic(v, QPointF(450, v.rettangoloScheda(4).center().y()));     // the empty last cell
    EXPECT_EQ(scelti, (std::vector<std::int32_t>{103, 104}));
    v.impostaSelezionato(101);
    const QImage img = prova::dipingi(v);
    const auto interno = [&](int i) { return (v.rettangoloScheda(i).topLeft() + QPointF(20, 4)).toPoint(); };
    EXPECT_TRUE(prova::simile(img.pixelColor(interno(1)), Tema::chip(Aspetto::chiaro), 2));
    EXPECT_TRUE(prova::simile(img.pixelColor(interno(0)), Tema::card(Aspetto::chiaro), 2));

    // Hidden, the gauges show the new values at once; dropped processes lose their springs.
    auto nuovi = processi(2);
    nuovi[0].cpu = 80;
    v.impostaProcessi(nuovi);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(100, 0), 0.8);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(101, 1), 0.05);
    EXPECT_EQ(v.frazioneMostrata(104, 0), 0);

    // On screen, a known card springs from where it was; a new card starts at its value.
    v.show();
    nuovi[0].cpu = 20;
    nuovi.push_back({999, "nuovo", 60, 0, 0, false, 0});
    v.impostaProcessi(nuovi);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(100, 0), 0.8);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(999, 0), 0.6);
    // A process that moves to another card is drawn there anew, at its value at once; one that
    // keeps its card springs.
    auto scambiati = std::vector{nuovi[1], nuovi[0], nuovi[2]};
    scambiati[0].cpu = 70;
    scambiati[2].cpu = 10;
    v.impostaProcessi(scambiati);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(101, 0), 0.7);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(100, 0), 0.2);
    EXPECT_DOUBLE_EQ(v.frazioneMostrata(999, 0), 0.6);
}

// --- what is drawn -------------------------------------------------------------------------

TEST(BarreDisegno, RiempimentoSfumatoNelColoreDelCarico) {
    const QRectF r(0, 0, 200, 30);
    for (const auto& [dpr, origine] : prova::situazioni) {
        const auto t =
            prova::dipingiSu(r.size(), dpr, origine, Tema::panel(Aspetto::chiaro),
                             [&](QPainter& p) { disegnaBarra(p, r, 90, "CPU", true, Aspetto::chiaro); });
        // From a lighter leading end to the load colour.
        const double y = r.bottom() - (r.height() - altezzaBarra()) / 2 - altezzaTracciaBarra / 2;
        const QColor inizio = t.colore(QPointF(6, y)), fine = t.colore(QPointF(r.width() * 0.9 - 6, y));
        EXPECT_TRUE(prova::simile(fine, Tema::carico(90), 8)) << dpr;
        EXPECT_GT(inizio.red() + inizio.green() + inizio.blue(),
                  fine.red() + fine.green() + fine.blue() + 40);
    }
}

// What a sample repaints, painted over the picture before it, gives the picture painted afresh:
// through reorders that bring idle processes, or one of the same figure, into other rows and
// cards, new figures, a new memory, and the followed process moving.
TEST(Viste, UnCampioneRidipintoComeDaCapo) {
    const AspettoImposto imposto(Aspetto::chiaro);
    const auto prova = [](ListaProcessi& v) {
        OrologioFotogrammi::di(&v)->impostaRidotto(true);  // each sample drawn once, at its values
        std::vector<UsoProcesso> p = {
            {1, "uno", 62.4, 0, 0, false, 9u << 20},  {2, "due", 0, 0, 0, false, 5u << 20},
            {3, "tre", 0, 0, 0, true, 4u << 20},      {4, "quattro", 0, 0, 0, false, 3u << 20},
            {5, "cinque", 7, 30, 0, false, 2u << 20}, {6, "sei", 61.6, 0, 0, false, 1u << 20}};
        mostraLontanoDalPuntatore(v, p);
        v.impostaSelezionato(4);
        QCoreApplication::processEvents();
        QImage tenuta = prova::dipingi(v);
        RegioneDipinta dipinto;
        v.installEventFilter(&dipinto);
        const auto campione = [&](const char* quale) {
            dipinto.regione = QRegion();
            v.impostaProcessi(p);
            QCoreApplication::processEvents();
            // The region's corner lands at the offset given.
            const QRegion r = dipinto.regione;
            v.render(&tenuta, r.boundingRect().topLeft(), r, QWidget::DrawChildren);
            EXPECT_EQ(tenuta, prova::dipingi(v)) << quale;
            return r;
        };
        std::rotate(p.begin(), p.begin() + 1, p.end());  // the busy one drops to the end
        campione("reordered");
        std::swap(p[1], p[2]);  // the followed process moves down a row
        p[0].cpu = 55;
        p[4].memoria = 7u << 20;
        EXPECT_LT(campione("moved and changed").boundingRect().height(), v.height());
        std::swap(p[4], p[5]);  // another process reading "62%" with its needle elsewhere
        p[5].cpu = 0;
        campione("idle");
    };
    VistaBarre barre;
    prova(barre);
    VistaContagiri contagiri;
    prova(contagiri);
}
