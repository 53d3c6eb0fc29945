// One sample of the gauge grid with nine processes, from the new values to the last spring at
// rest, painted as a window paints: what a sample costs, how many frames it takes and how many
// device pixels each frame repaints. The clock runs on the benchmark's own time, frame by frame.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <vector>

#include "widgets/conta_fotogrammi.h"
#include "widgets/orologio_fotogrammi.h"
#include "widgets/vista_contagiri.h"

namespace {

using namespace pulsaro;

// Nine processes whose figures move at every sample as a busy machine's do.
std::vector<UsoProcesso> campione(int n) {
    std::vector<UsoProcesso> v;
    for (int i = 0; i < 9; ++i) {
        const double onda = ((n * 37 + i * 53) % 100) / 100.0;
        v.push_back({1000 + i, "Processo " + std::to_string(i), 5 + 90 * onda * (i % 3 == 0 ? 1 : 0.3),
                     (i % 4 == 0) ? 40 * onda : 0, 0, false,
                     (200ull + 150ull * static_cast<unsigned>(i)) << 20});
    }
    return v;
}

void dipingiOra() {
    QApplication::processEvents();
    QApplication::processEvents();
}

void campioni(benchmark::State& stato, bool ridotto) {
    qputenv("PULSARO_MOVIMENTO_RIDOTTO", ridotto ? "1" : "0");
    VistaContagiri v;
    v.impostaProcessi(campione(0));
    v.resize(900, v.heightForWidth(900));
    v.show();
    QElapsedTimer attesa;
    attesa.start();
    while (attesa.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 20);

    OrologioFotogrammi* o = OrologioFotogrammi::di(&v);
    double t = 0;
    o->impostaTempo([&t] { return t; });
    ContaFotogrammi conta(QString{});
    conta.chiudi();
    const long fotogrammi0 = conta.fotogrammi();
    const double pixel0 = conta.pixel();
    int n = 0;
    for (auto _ : stato) {
        v.impostaProcessi(campione(++n));
        dipingiOra();
        while (o->animati() > 0) {
            t += OrologioFotogrammi::intervalloMs / 1000.0;
            o->battito();
            dipingiOra();
        }
        t += 1.5;
    }
    conta.chiudi();
    const double fotogrammi = static_cast<double>(conta.fotogrammi() - fotogrammi0);
    stato.counters["fotogrammi/campione"] = fotogrammi / static_cast<double>(stato.iterations());
    stato.counters["pixel/fotogramma"] = fotogrammi > 0 ? (conta.pixel() - pixel0) / fotogrammi : 0;
    qunsetenv("PULSARO_MOVIMENTO_RIDOTTO");
}

void BM_CampioneContagiriNove(benchmark::State& stato) {
    campioni(stato, false);
}
BENCHMARK(BM_CampioneContagiriNove)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void BM_CampioneContagiriNoveMovimentoRidotto(benchmark::State& stato) {
    campioni(stato, true);
}
BENCHMARK(BM_CampioneContagiriNoveMovimentoRidotto)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

}  // namespace
