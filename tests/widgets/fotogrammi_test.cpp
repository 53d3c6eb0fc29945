// The frame clock, the springs it moves and what their frames repaint.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

#include "support/qt_app.h"
#include "widgets/conta_fotogrammi.h"
#include "widgets/contagiri.h"
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
    // Frames until every spring of the window has settled; the count.
    int finoAlRiposo(const std::function<void()>& dopo = {}) {
        int n = 0;
        while (o->animati() > 0 && n < 1000) {
            t += passoOrologio;
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

TEST(OrologioFotogrammi, UnoPerFinestraFermoQuandoLeMolleSiPosano) {
    QWidget finestra;
    QWidget a(&finestra), b(&finestra);
    int fa = 0, fb = 0;
    ValoreMolla ma(&a, [&] { ++fa; });
    ValoreMolla mb(&b, [&] { ++fb; });
    ma.impostaPasso(0.001);
    mb.impostaPasso(0.001);
    Tempo tempo(&a);
    EXPECT_EQ(OrologioFotogrammi::di(&b), tempo.o) << "one clock for the whole window";
    EXPECT_EQ(tempo.o->parent(), &finestra);
    QWidget altra;
    EXPECT_NE(OrologioFotogrammi::di(&altra), tempo.o);

    ma.vaiA(0.5, true);
    mb.vaiA(0.1, true);
    EXPECT_EQ(tempo.o->animati(), 2u);
    EXPECT_EQ(fa + fb, 0) << "nothing moves before the first frame";
    const int battiti = tempo.finoAlRiposo();
    EXPECT_DOUBLE_EQ(ma.valore(), 0.5);
    EXPECT_DOUBLE_EQ(mb.valore(), 0.1);
    EXPECT_FALSE(ma.inCorso());
    EXPECT_FALSE(tempo.o->inCorso());
    // The clock stops with the spring that lasts longest, once what is left of its jump is less
    // than a frame's step, and each spring repaints at most once a frame.
    EXPECT_LE(battiti, std::ceil(durataMolla(0.5, passiFotogramma * sogliaMolla) / passoOrologio));
    EXPECT_LE(fa, battiti);
    EXPECT_GT(fa, 5);
    EXPECT_LT(fb, fa);

    // A spring that goes away while it moves leaves the clock.
    {
        ValoreMolla breve(&a, [] {});
        breve.vaiA(0.9, true);
        EXPECT_EQ(tempo.o->animati(), 1u);
    }
    EXPECT_EQ(tempo.o->animati(), 0u);
    tempo.o->battito();  // nothing left to call
}

TEST(OrologioFotogrammi, QuindiciFotogrammiAlSecondoAlPiu) {
    QWidget finestra;
    OrologioFotogrammi::di(&finestra)->impostaRidotto(false);
    ValoreMolla m(&finestra, [] {});
    m.impostaPasso(0.0002);
    m.vaiA(1, true);
    OrologioFotogrammi* o = OrologioFotogrammi::di(&finestra);
    EXPECT_TRUE(o->inCorso());
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 400) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    const double secondi = t.elapsed() / 1000.0;
    EXPECT_GE(o->fotogrammi(), 3);
    EXPECT_LE(o->fotogrammi(), std::ceil(secondi * 15) + 1);
    while (m.inCorso() && t.elapsed() < 5000) QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    EXPECT_FALSE(o->inCorso()) << "no frames once the spring has settled";
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
    EXPECT_EQ(tempo.o->animati(), 0u);
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
    EXPECT_EQ(tempo.o->animati(), 0u);
}

TEST(OrologioFotogrammi, LaVariabileDecideSulDesktop) {
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "1");
    EXPECT_TRUE(movimentoRidotto());
    QWidget a;
    EXPECT_TRUE(OrologioFotogrammi::di(&a)->ridotto()) << "a new window reads the setting";
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "0");
    EXPECT_FALSE(movimentoRidotto());
    EXPECT_TRUE(OrologioFotogrammi::di(&a)->ridotto()) << "an open window keeps what it read";
    QWidget b;
    EXPECT_FALSE(OrologioFotogrammi::di(&b)->ridotto());

    // A gauge with reduced motion is at its value at once, even on screen.
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "1");
    Contagiri c(10, Tema::orange(), "CPU", true);
    c.resize(170, 150);
    c.show();
    c.setValore(80);
    EXPECT_DOUBLE_EQ(c.frazioneMostrata(), 0.8);
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", "0");
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
                ImmaginiContagiri immagini;
                const auto dipingi = [&](QImage& img, double f, const QRegion& zona) {
                    QPainter p(&img);
                    if (!zona.isEmpty()) p.setClipRegion(zona);
                    p.fillRect(QRect(QPoint(), misura), Tema::card(a));
                    // As the widgets do: the zone also tells what may be left out.
                    disegnaContagiri(p, cornice, f, QStringLiteral("42%"), QStringLiteral("CPU"), a, immagini,
                                     zona.isEmpty() ? nullptr : &zona);
                };
                const auto nuova = [&] {
                    QImage img(misura * dpr, QImage::Format_ARGB32_Premultiplied);
                    img.setDevicePixelRatio(dpr);
                    return img;
                };
                QImage parziale = nuova(), intera = nuova();
                dipingi(parziale, f0, {});
                const bool colore = Tema::carico(f0 * 100) != Tema::carico(f1 * 100);
                dipingi(parziale, f1, regioneMovimentoContagiri(cornice, f0, f1, colore));
                ImmaginiContagiri nuove;
                QPainter p(&intera);
                p.fillRect(QRect(QPoint(), misura), Tema::card(a));
                disegnaContagiri(p, cornice, f1, QStringLiteral("42%"), QStringLiteral("CPU"), a, nuove);
                p.end();
                int diversi = 0;
                for (int y = 0; y < intera.height(); ++y)
                    for (int x = 0; x < intera.width(); ++x)
                        if (!prova::vicino(parziale.pixelColor(x, y), intera.pixelColor(x, y), 2)) ++diversi;
                EXPECT_EQ(diversi, 0) << "dpr " << dpr << " da " << f0 << " a " << f1;
            }

    // A step of two percent repaints a small part of the dial; a colour change the whole arc.
    const QRectF cornice(12, 26, 170, 150);
    const QRectF tutto = geometriaContagiri(cornice, 0).ingombro;
    const auto area = [](const QRectF& r) { return r.width() * r.height(); };
    const auto zona = [&](double f0, double f1, bool colore) {
        return QRectF(regioneMovimentoContagiri(cornice, f0, f1, colore).boundingRect());
    };
    EXPECT_LT(area(zona(0.60, 0.62, false)), area(tutto) / 3);
    const QRectF colore = zona(0.60, 0.62, true);
    EXPECT_TRUE(colore.contains(geometriaContagiri(cornice, 0).centro - QPointF(60, -30)));
    EXPECT_TRUE(regioneMovimentoContagiri(QRectF(), 0.1, 0.2, false).isEmpty());
    // A slanted needle's pieces cover much less than their bounding rectangle.
    const auto areaRegione = [](const QRegion& r) {
        double n = 0;
        for (const QRect& q : r) n += static_cast<double>(q.width()) * q.height();
        return n;
    };
    EXPECT_LT(areaRegione(regioneMovimentoContagiri(cornice, 0.10, 0.16, false)),
              0.7 * area(zona(0.10, 0.16, false)));
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

    // Only process 102's CPU moves: the sample repaints its value text, not its header.
    v[2].cpu = 70;
    g.impostaProcessi(v);
    dipingiOra();
    const QRect scheda = g.rettangoloScheda(2).toAlignedRect().adjusted(-1, -1, 1, 1);
    const QPoint rango =
        g.rettangoloScheda(2).topLeft().toPoint() + QPoint(paddingScheda + 2, paddingScheda + 4);
    ASSERT_FALSE(pitture.regioni.empty());
    for (const QRegion& r : pitture.regioni) {
        EXPECT_TRUE(QRegion(scheda).contains(r.boundingRect()));
        EXPECT_FALSE(r.contains(rango));
    }
    // A new name redraws the whole card.
    pitture.regioni.clear();
    v[1].nome = "rinominato";
    g.impostaProcessi(v);
    dipingiOra();
    ASSERT_FALSE(pitture.regioni.empty());
    EXPECT_TRUE(pitture.regioni.back().contains(g.rettangoloScheda(1).topLeft().toPoint() +
                                                QPoint(paddingScheda + 2, paddingScheda + 4)));
    pitture.regioni.clear();
    conta.chiudi();
    const long prima = conta.fotogrammi();

    // Its frames repaint within the moving gauge: never another card or the other gauge.
    const QRectF card = g.rettangoloScheda(2);
    const double centroGpu = layoutScheda(card, 20).contagiri[1].center().x();
    const int battiti = tempo.finoAlRiposo(dipingiOra);
    conta.chiudi();
    EXPECT_GT(battiti, 5);
    ASSERT_FALSE(pitture.regioni.empty());
    EXPECT_LE(static_cast<int>(pitture.regioni.size()), battiti);
    EXPECT_LE(conta.fotogrammi() - prima, battiti);
    EXPECT_GT(conta.pixel(), 0);
    double pixel = 0;
    for (const QRegion& r : pitture.regioni) {
        EXPECT_TRUE(QRegion(scheda).contains(r.boundingRect()));
        EXPECT_LT(r.boundingRect().right(), centroGpu);
        for (const QRect& q : r) pixel += q.width() * q.height();
    }
    EXPECT_LT(pixel / static_cast<double>(pitture.regioni.size()), card.width() * altezzaContagiriScheda / 2)
        << "a frame repaints far less than the gauge row";
    EXPECT_NEAR(g.frazioneMostrata(102, 0), 0.7, 1e-12);
}

TEST(OrologioFotogrammi, NellaCodaDellaMollaNessunBattitoACaso) {
    // A coarse step: the spring's slow tail moves by a step only now and then, and the clock
    // wakes only for those frames, though it never runs faster than 30 a second.
    QWidget finestra;
    int annunci = 0;
    ValoreMolla m(&finestra, [&] { ++annunci; });
    Tempo tempo(&finestra);
    m.impostaPasso(0.01);
    m.vaiA(0.6, true);
    int battiti = 0;
    double prima = tempo.t;
    while (tempo.o->animati() > 0 && battiti < 1000) {
        ASSERT_GE(tempo.o->prossimo(), prima + passoOrologio - 1e-9);
        tempo.t = prima = tempo.o->prossimo();
        tempo.o->battito();
        ++battiti;
    }
    EXPECT_DOUBLE_EQ(m.valore(), 0.6);
    EXPECT_LT(battiti, durataMolla(0.6, 0.01) / passoOrologio * 0.8);
    EXPECT_LE(battiti - annunci, 2) << "almost every wake-up shows a step";
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
