// Drawing the menu-bar tile, which is redrawn from scratch on every new summary.
#include <benchmark/benchmark.h>

#include <QApplication>

#include "barra/icona_barra.h"
#include "barra/riquadro_barra.h"

namespace {

using namespace pulsaro;

Riepilogo riepilogo(int i) {
    Riepilogo r;
    r.memoria = 62 + i % 7;
    r.cpu = 23 + i % 11;
    r.core = CoreImpegnati{4, 2};
    r.gpu = 5;
    r.ane = i % 2 ? 30 : 0;
    return r;
}

void BM_RiquadroPredefinito(benchmark::State& stato) {
    PreferenzeInMemoria p;
    int i = 0;
    for (auto _ : stato) {
        QImage img = RiquadroBarra::immagine(riepilogo(i++), p, 2.0);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_RiquadroPredefinito)->Unit(benchmark::kMicrosecond);

void BM_RiquadroTutteLeVoci(benchmark::State& stato) {
    PreferenzeInMemoria p;
    RiquadroBarra::imposta(p, RiquadroBarra::Voce::core, true);
    int i = 0;
    for (auto _ : stato) {
        QImage img = RiquadroBarra::immagine(riepilogo(i++), RiquadroBarra::sfondo(p), p, 4, 2.0);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_RiquadroTutteLeVoci)->Unit(benchmark::kMicrosecond);

void BM_IconaBarra(benchmark::State& stato) {
    bool grigia = false;
    for (auto _ : stato) {
        QImage img = iconaBarra(grigia = !grigia, 2.0);
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_IconaBarra)->Unit(benchmark::kMicrosecond);

}  // namespace
