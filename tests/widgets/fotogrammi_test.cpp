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

void dipingiOra() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}

}  // namespace

TEST(Molla, SmorzataFinoAQuandoNonSiVede) {
    double massimo = 0;
    for (double t = 0; t < 2; t += 0.005) massimo = std::max(massimo, molla(t));
    EXPECT_GT(massimo, 1.0);   // underdamped: it overshoots
    EXPECT_LT(massimo, 1.05);  // but only a little at 0.75 damping
    // A jump stops moving once what is left cannot be seen; a tiny one does not move at all.
    for (double salto : {1.0, 0.2, 0.01})
        for (double t = durataMolla(salto); t < 3; t += 0.01)
            ASSERT_LT(std::abs(salto * (1 - molla(t))), 1e-3) << salto;
    EXPECT_EQ(durataMolla(0.0005), 0);
}

TEST(OrologioFotogrammi, UnoPerFinestraEFotogrammiSoloPerPassiVisibili) {
    QWidget finestra;
    QWidget a(&finestra), b(&finestra);
    std::vector<double> visti;
    ValoreMolla ma(&a, [&] { visti.push_back(ma.valore()); });
    ma.impostaPasso(0.01);
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

    EXPECT_TRUE(regioneMovimentoContagiri(QRectF(), 0.1, 0.2, false).isEmpty());
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
