// The springs, the frame clock that moves them and what their frames repaint.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "support/qt_app.h"
#include "tela.h"
#include "widgets/conta_fotogrammi.h"
#include "widgets/disegno_contagiri.h"
#include "widgets/geometria_contagiri.h"
#include "widgets/molla.h"
#include "widgets/orologio_fotogrammi.h"
#include "widgets/tema.h"
#include "widgets/vista_contagiri.h"

using namespace pulsaro;

namespace {

constexpr double passoOrologio = OrologioFotogrammi::intervalloMs / 1000.0;

// A clock on a time of the test's own.
struct Tempo {
    double t = 0;
    OrologioFotogrammi* o = nullptr;
    explicit Tempo(QWidget* w) : o(OrologioFotogrammi::di(w)) {
        o->impostaTempo([this] { return t; });
        o->impostaRidotto(false);
    }
    // Frames, each when the clock asks for it, until every spring of the window has settled; the count.
    int finoAlRiposo(const std::function<void()>& dopo = {}) {
        int n = 0;
        while (o->animati() > 0 && n < 1000) {
            EXPECT_GE(o->prossimo(), t + passoOrologio - 1e-9) << "12 frames a second at most";
            t = o->prossimo();
            o->battito();
            if (dopo) dopo();
            ++n;
        }
        return n;
    }
};

// The regions a widget is asked to paint.
struct Pitture : QObject {
    std::vector<QRegion> regioni;
    explicit Pitture(QWidget* w) { w->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) regioni.push_back(static_cast<QPaintEvent*>(e)->region());
        return false;
    }
};

void dipingiOra() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace

TEST(Molla, SmorzataFinoAQuandoNonSiVede) {
    EXPECT_EQ(molla(-1), 0);
    double massimo = 0;
    for (double t = 0; t < 2; t += 0.005) massimo = std::max(massimo, molla(t));
    EXPECT_GT(massimo, 1.0);   // underdamped: it overshoots
    EXPECT_LT(massimo, 1.05);  // but only a little at 0.75 damping
    // A jump stops moving once what is left cannot be seen; a tiny one does not move at all.
    for (double salto : {1.0, 0.2, 0.01}) {
        const double fine = durataMolla(salto);
        EXPECT_LE(fine, durataMolla(1.0));
        for (double t = fine; t < 3; t += 0.01) ASSERT_LT(std::abs(salto * (1 - molla(t))), 1e-3) << salto;
    }
    EXPECT_LT(durataMolla(0.01), durataMolla(0.2) / 2);
    EXPECT_LT(durataMolla(0.3, 0.01), durataMolla(0.3));
    EXPECT_EQ(durataMolla(0.0005), 0);
    EXPECT_EQ(durataMolla(-0.0005), 0);
    // Half a device pixel at the arc's end: smaller for a bigger dial or a denser screen.
    EXPECT_LT(passoVisibile(60, 1), passoVisibile(30, 1));
    EXPECT_NEAR(passoVisibile(30, 2), passoVisibile(60, 1), 1e-12);
    EXPECT_EQ(passoVisibile(0, 2), sogliaMolla);
}

TEST(OrologioFotogrammi, UnoPerFinestraEFotogrammiSoloPerPassiVisibili) {
    QWidget finestra;
    QWidget a(&finestra), b(&finestra);
    std::vector<double> visti;
    int fb = 0;
    ValoreMolla ma(&a, [&] { visti.push_back(ma.valore()); });
    ValoreMolla mb(&b, [&] { ++fb; });
    ma.impostaPasso(0.01);
    mb.impostaPasso(0.0002);
    Tempo tempo(&a);
    EXPECT_EQ(OrologioFotogrammi::di(&b), tempo.o) << "one clock for the whole window";
    QWidget altra;
    EXPECT_NE(OrologioFotogrammi::di(&altra), tempo.o);

    // A coarse step alone: the clock wakes only for frames that show a step, the spring's slow
    // tail now and then, and the last frame is at the target.
    ma.vaiA(0.6, true);
    EXPECT_TRUE(visti.empty()) << "nothing moves before the first frame";
    const int coda = tempo.finoAlRiposo();
    ASSERT_FALSE(visti.empty());
    EXPECT_DOUBLE_EQ(visti.back(), 0.6);
    for (std::size_t i = 1; i + 1 < visti.size(); ++i) EXPECT_GE(std::abs(visti[i] - visti[i - 1]), 0.01);
    EXPECT_LT(coda, durataMolla(0.6, 0.01) / passoOrologio * 0.8);
    EXPECT_LE(coda - static_cast<int>(visti.size()), 2) << "almost every wake-up shows a step";

    // Two springs on one clock, which stops with the one that lasts longest; each repaints at
    // most once a frame.
    visti.clear();
    ma.vaiA(0.1, true);
    mb.vaiA(0.5, true);
    EXPECT_EQ(tempo.o->animati(), 2u);
    const int battiti = tempo.finoAlRiposo();
    EXPECT_LE(battiti, std::ceil(durataMolla(0.5, passiFotogramma * 0.0002) / passoOrologio));
    EXPECT_DOUBLE_EQ(ma.valore(), 0.1);
    EXPECT_DOUBLE_EQ(mb.valore(), 0.5);
    EXPECT_LE(fb, battiti);
    EXPECT_LT(static_cast<int>(visti.size()), fb);

    // A spring that goes away while it moves leaves the clock.
    {
        ValoreMolla breve(&a, [] {});
        breve.vaiA(0.9, true);
        EXPECT_EQ(tempo.o->animati(), 1u);
    }
    EXPECT_EQ(tempo.o->animati(), 0u);
    tempo.o->battito();  // nothing left to call
}

TEST(OrologioFotogrammi, SaltiCheNonSiVedonoEMovimentoRidotto) {
    QWidget finestra;
    int annunci = 0;
    ValoreMolla m(&finestra, [&] { ++annunci; });
    Tempo tempo(&finestra);
    m.impostaPasso(0.002);
    m.vaiA(0.005, true);  // two and a half visible steps: drawn once, at its end
    EXPECT_FALSE(m.inCorso());
    EXPECT_EQ(annunci, 1);
    m.vaiA(0.5, true);
    EXPECT_TRUE(m.inCorso());
    tempo.finoAlRiposo();

    // The list's small dials: only a whole degree of their scale springs, though three steps
    // would be less.
    m.impostaPasso(0.001, 1 / ampiezzaScala);
    annunci = 0;
    m.vaiA(0.5 + 0.9 / ampiezzaScala, true);
    EXPECT_FALSE(m.inCorso());
    EXPECT_EQ(annunci, 1);
    m.vaiA(0.5 + 2 / ampiezzaScala, true);
    EXPECT_TRUE(m.inCorso());
    tempo.finoAlRiposo();

    // Reduced motion: every jump is drawn once, at its end.
    tempo.o->impostaRidotto(true);
    annunci = 0;
    m.vaiA(0.9, true);
    EXPECT_FALSE(m.inCorso());
    EXPECT_DOUBLE_EQ(m.valore(), 0.9);
    EXPECT_EQ(annunci, 1);

    // The variable decides for a window whose clock is made after it is set.
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "1");
    QWidget prima;
    EXPECT_TRUE(OrologioFotogrammi::di(&prima)->ridotto());
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "0");
    EXPECT_TRUE(OrologioFotogrammi::di(&prima)->ridotto()) << "an open window keeps what it read";
    QWidget dopo;
    EXPECT_FALSE(OrologioFotogrammi::di(&dopo)->ridotto());
}

// --- what a frame repaints -------------------------------------------------------------------

TEST(ZonaMovimento, PiccolaPerUnPassoEPienaDelDisegno) {
    // A gauge painted at f0 and then, within the frame's zone only, at f1 must look exactly like
    // one painted at f1 from scratch (images made anew), whatever the move, on either screen scale:
    // the value arc's image is only patched between two cuts of the same colour.
    const Aspetto a = Aspetto::chiaro;
    const std::vector<std::pair<double, double>> mosse = {{0.30, 0.32}, {0.32, 0.30}, {0.0, 0.05},
                                                          {0.2, 0.9},   {0.9, 0.1},   {0.41, 0.47},
                                                          {0.95, 1.0},  {0.5, 0.501}};
    // The header's size and the list's small one, where two pixels are many degrees of the ring.
    for (const auto& [cornice, misura] : {std::pair{QRectF(12, 26, 170, 150), QSize(196, 184)},
                                          std::pair{QRectF(6, 5, 34, 30), QSize(46, 42)}})
        for (const double dpr : {1.0, 2.0})
            for (const auto& [f0, f1] : mosse) {
                const auto dipingi = [&](QImage& img, double f, const QRegion& zona, ImmaginiContagiri& imm) {
                    QPainter p(&img);
                    if (!zona.isEmpty()) p.setClipRegion(zona);
                    p.fillRect(QRect(QPoint(), misura), Tema::card(a));
                    // As the widgets do: the zone also tells what may be left out.
                    disegnaContagiri(p, cornice, f, QStringLiteral("42%"), QStringLiteral("CPU"), a, imm,
                                     zona.isEmpty() ? nullptr : &zona);
                };
                QImage parziale(misura * dpr, QImage::Format_ARGB32_Premultiplied), intera = parziale;
                parziale.setDevicePixelRatio(dpr);
                intera.setDevicePixelRatio(dpr);
                ImmaginiContagiri immagini, nuove;
                dipingi(parziale, f0, {}, immagini);
                const bool colore = Tema::carico(f0 * 100) != Tema::carico(f1 * 100);
                dipingi(parziale, f1, regioneMovimentoContagiri(cornice, f0, f1, colore), immagini);
                dipingi(intera, f1, {}, nuove);
                EXPECT_LE(prova::differenza(parziale, intera).first, 2)
                    << "dpr " << dpr << " da " << f0 << " a " << f1;
            }

    // A step of two percent repaints a small part of the dial; a slanted needle's pieces cover
    // much less than their bounding rectangle.
    const QRectF cornice(12, 26, 170, 150);
    const QRectF tutto = geometriaContagiri(cornice, 0).ingombro;
    const auto area = [](const QRegion& r) {
        double n = 0;
        for (const QRect& q : r) n += static_cast<double>(q.width()) * q.height();
        return n;
    };
    EXPECT_LT(area(regioneMovimentoContagiri(cornice, 0.60, 0.62, false)),
              tutto.width() * tutto.height() / 3);
    const QRegion ago = regioneMovimentoContagiri(cornice, 0.10, 0.16, false);
    EXPECT_LT(area(ago), 0.7 * area(ago.boundingRect()));
    EXPECT_TRUE(regioneMovimentoContagiri(QRectF(), 0.1, 0.2, false).isEmpty());
}

TEST(ZonaMovimento, LaGrigliaRidipingeSoloIlContagiriCheSiMuove) {
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "0");
    std::vector<UsoProcesso> v;
    for (int i = 0; i < 4; ++i)
        v.push_back({100 + i, "p" + std::to_string(i), 10.0 + i, 5, 0, false, 1u << 20});
    VistaContagiri g;
    g.impostaProcessi(v);
    g.resize(600, g.heightForWidth(600));
    g.show();
    dipingiOra();
    Pitture pitture(&g);
    Tempo tempo(&g);
    ContaFotogrammi conta(QString{});

    // Only process 102's CPU moves: the sample and its frames repaint within the moving gauge,
    // never its header, another card or the other gauge.
    v[2].cpu = 70;
    g.impostaProcessi(v);
    conta.chiudi();
    const long prima = conta.fotogrammi();
    const int battiti = tempo.finoAlRiposo(dipingiOra);
    conta.chiudi();
    EXPECT_GT(battiti, 5);
    ASSERT_FALSE(pitture.regioni.empty());
    EXPECT_LE(static_cast<int>(pitture.regioni.size()), battiti);
    EXPECT_LE(conta.fotogrammi() - prima, battiti);
    const QRectF card = g.rettangoloScheda(2);
    const QRect scheda = card.toAlignedRect().adjusted(-1, -1, 1, 1);
    double pixel = 0;
    for (const QRegion& r : pitture.regioni) {
        EXPECT_TRUE(QRegion(scheda).contains(r.boundingRect()));
        EXPECT_FALSE(r.contains(card.topLeft().toPoint() + QPoint(paddingScheda + 2, paddingScheda + 4)));
        EXPECT_LT(r.boundingRect().right(), layoutScheda(card, 20).contagiri[1].center().x());
        for (const QRect& q : r) pixel += q.width() * q.height();
    }
    EXPECT_LT(pixel / static_cast<double>(pitture.regioni.size()), card.width() * altezzaContagiriScheda / 2)
        << "a frame repaints far less than the gauge row";
    EXPECT_NEAR(g.frazioneMostrata(102, 0), 0.7, 1e-12);
}

TEST(ContaFotogrammi, UnaFinestraChiusaPrimaDelFotogramma) {
    // A popover is released at close, often before the next update request closes its frame.
    ContaFotogrammi conta(QString{});
    auto* finestra = new QWidget;
    finestra->resize(120, 80);
    finestra->show();
    dipingiOra();
    finestra->update(QRect(0, 0, 10, 10));
    QPaintEvent evento(QRect(0, 0, 10, 10));
    QCoreApplication::sendEvent(finestra, &evento);
    delete finestra;
    conta.chiudi();
    EXPECT_GE(conta.fotogrammi(), 1);
    EXPECT_GE(conta.pixel(), 100);
}
