// Painting the process lists, which repaint on every sample: nine rows of bars, nine gauge cards.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <vector>

#include <functional>

#include "widgets/barra.h"
#include "widgets/chip_ane.h"
#include "widgets/contagiri.h"
#include "widgets/vista_barre.h"
#include "widgets/vista_contagiri.h"

namespace {

using namespace pulsaro;

void assicuraApp() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char nome[] = "bench";
    static char* argv[] = {nome, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(argc, argv);
}

std::vector<UsoProcesso> nove() {
    std::vector<UsoProcesso> v;
    for (int i = 0; i < 9; ++i)
        v.push_back({1000 + i, "Processo con un nome abbastanza lungo " + std::to_string(i), 95.0 - 11 * i,
                     7.5 * i, 0, i % 3 == 0, (200ull + 150ull * static_cast<unsigned>(i)) << 20});
    return v;
}

// One full repaint of the widget into an image the size of a window's list area.
void dipingi(benchmark::State& stato, QWidget& w) {
    QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : stato) {
        img.fill(Qt::transparent);
        w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(img.constBits());
    }
}

// A list of nine processes, the fourth selected, as wide as a window's list area.
void dipingiNove(benchmark::State& stato, ListaProcessi& v, int larghezza) {
    v.impostaProcessi(nove());
    v.impostaSelezionato(1003);
    v.resize(larghezza, v.heightForWidth(larghezza));
    dipingi(stato, v);
}

void BM_VistaBarreNoveRighe(benchmark::State& stato) {
    assicuraApp();
    VistaBarre v;
    dipingiNove(stato, v, 680);
}
BENCHMARK(BM_VistaBarreNoveRighe)->Unit(benchmark::kMicrosecond);

void BM_VistaContagiriNoveSchede(benchmark::State& stato) {
    assicuraApp();
    VistaContagiri v;
    dipingiNove(stato, v, 900);
}
BENCHMARK(BM_VistaContagiriNoveSchede)->Unit(benchmark::kMicrosecond);

// As in use: new values at every sample, so the images of the arcs are not all at hand.
void BM_VistaContagiriValoriNuovi(benchmark::State& stato) {
    assicuraApp();
    VistaContagiri v;
    std::vector<std::vector<UsoProcesso>> campioni;
    unsigned seme = 7;
    for (int k = 0; k < 64; ++k) {
        auto c = nove();
        for (auto& p : c) {
            seme = seme * 1103515245u + 12345u;
            p.cpu = (seme >> 8) % 1000 / 10.0;
            p.gpu = (seme >> 4) % 1200 / 10.0;
        }
        campioni.push_back(std::move(c));
    }
    v.impostaProcessi(campioni[0]);
    v.resize(901, v.heightForWidth(901));  // columns of a fractional width: every fraction of a pixel
    QImage img(v.size(), QImage::Format_ARGB32_Premultiplied);
    std::size_t i = 0;
    for (auto _ : stato) {
        v.impostaProcessi(campioni[i++ % campioni.size()]);
        img.fill(Qt::transparent);
        v.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_VistaContagiriValoriNuovi)->Unit(benchmark::kMicrosecond);

void BM_ContagiriSingolo(benchmark::State& stato) {
    assicuraApp();
    Contagiri c(63, QColor(), "CPU", true);
    c.resize(170, 150);
    dipingi(stato, c);
}
BENCHMARK(BM_ContagiriSingolo)->Unit(benchmark::kMicrosecond);

}  // namespace

namespace {

// One repaint into an image at device pixel ratio 2, as on a Retina screen.
void dipingi2x(benchmark::State& stato, QWidget& w, const std::function<void(int)>& prima = {}) {
    QImage img(w.size() * 2, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(2);
    int i = 0;
    for (auto _ : stato) {
        if (prima) prima(i++);
        img.fill(Qt::transparent);
        w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(img.constBits());
    }
}

// A gauge springing through the blue-to-amber blend: a new arc colour on every frame.
void BM_ContagiriInMovimento2x(benchmark::State& stato) {
    assicuraApp();
    Contagiri c(40, QColor(), "CPU", true);
    c.resize(170, 150);
    dipingi2x(stato, c, [&](int i) { c.setValore(40 + (i % 80) / 10.0); });
}
BENCHMARK(BM_ContagiriInMovimento2x)->Unit(benchmark::kMicrosecond);

// The lit chip with its glow, one ring per device pixel.
void BM_ChipAcceso2x(benchmark::State& stato) {
    assicuraApp();
    ChipANE c(true);
    c.resize(170, 150);
    dipingi2x(stato, c);
}
BENCHMARK(BM_ChipAcceso2x)->Unit(benchmark::kMicrosecond);

void BM_VistaContagiriNoveSchede2x(benchmark::State& stato) {
    assicuraApp();
    VistaContagiri v;
    v.impostaProcessi(nove());
    v.resize(900, v.heightForWidth(900));
    dipingi2x(stato, v);
}
BENCHMARK(BM_VistaContagiriNoveSchede2x)->Unit(benchmark::kMicrosecond);

void BM_VistaBarreNoveRighe2x(benchmark::State& stato) {
    assicuraApp();
    VistaBarre v;
    v.impostaProcessi(nove());
    v.resize(680, v.heightForWidth(680));
    dipingi2x(stato, v);
}
BENCHMARK(BM_VistaBarreNoveRighe2x)->Unit(benchmark::kMicrosecond);

}  // namespace
