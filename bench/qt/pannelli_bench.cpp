// Painting the whole main window with nine processes, as on every sample while it is open.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <memory>
#include <vector>

#include "panels/mini_pannello.h"
#include "panels/pannello.h"
#include "panels/scheda_intestazione.h"
#include "platform/preferenze.h"
#include "platform/tabella_preferenze.h"
#include "sampling/coda_manuale.h"
#include "sampling/monitor.h"
#include "support/sonde_mute.h"

namespace {

using namespace pulsaro;

using Scena = prova::ScenaMuta;

std::vector<UsoProcesso> nove() {
    std::vector<UsoProcesso> v;
    for (int i = 0; i < 9; ++i)
        v.push_back({1000 + i, "Processo con un nome abbastanza lungo " + std::to_string(i), 95.0 - 11 * i,
                     7.5 * i, 0, i % 3 == 0, (200ull + 150ull * static_cast<unsigned>(i)) << 20});
    return v;
}

void assesta(QWidget& w) {
    w.setAttribute(Qt::WA_DontShowOnScreen);
    w.show();
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 400) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
}

// The window as the application shows it: as tall as its content asks once the list has been
// measured, so nine processes fit without a scroll bar.
void adatta(Pannello& p) {
    p.resize(980, 760);
    assesta(p);
    for (int i = 0; i < 4 && p.heightForWidth(980) != p.height(); ++i) {
        p.resize(980, p.heightForWidth(980));
        assesta(p);
    }
}

// The window's whole content painted once per iteration, at the window's size and scale 1. The
// CPU time counted is the whole process's: the raster engine hands some work to its threads.
void dipingi(benchmark::State& stato, QWidget& w) {
    QImage img(w.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : stato) {
        w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
        benchmark::DoNotOptimize(img.constBits());
    }
}

void principale(benchmark::State& stato, const char* vista) {
    Scena s;
    s.preferenze.scrivi(TabellaPreferenze::vista.chiave, std::string(vista));
    s.monitor->processi.assegna(nove());
    UsoTotale t;
    t.cpu = 37;
    t.gpu = 64;
    t.aneApp = {"a"};
    s.monitor->totale.assegna(t);
    Pannello p(*s.monitor, s.preferenze);
    adatta(p);
    stato.counters["altezza"] = p.height();
    stato.counters["barra"] = p.area()->verticalScrollBar()->isVisible();
    dipingi(stato, p);
}

// The list inside the same panel alone, measured the same way: the rest is the panel's own share.
void soloLista(benchmark::State& stato, const char* vista) {
    Scena s;
    s.preferenze.scrivi(TabellaPreferenze::vista.chiave, std::string(vista));
    s.monitor->processi.assegna(nove());
    Pannello p(*s.monitor, s.preferenze);
    adatta(p);
    dipingi(stato, *p.area()->widget());
}
void BM_SoloListaContagiri(benchmark::State& stato) {
    soloLista(stato, "Contagiri");
}
BENCHMARK(BM_SoloListaContagiri)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();
void BM_SoloListaBarre(benchmark::State& stato) {
    soloLista(stato, "Barre");
}
BENCHMARK(BM_SoloListaBarre)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_PannelloContagiriNove(benchmark::State& stato) {
    principale(stato, "Contagiri");
}
BENCHMARK(BM_PannelloContagiriNove)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_PannelloBarreNove(benchmark::State& stato) {
    principale(stato, "Barre");
}
BENCHMARK(BM_PannelloBarreNove)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

void BM_MiniPannelloCinque(benchmark::State& stato) {
    Scena s;
    s.monitor->processi.assegna(nove());
    MiniPannello p(*s.monitor, s.preferenze, {});
    assesta(p);
    dipingi(stato, p);
}
BENCHMARK(BM_MiniPannelloCinque)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

// The header card alone: what a sample repaints besides the list.
void BM_SchedaIntestazione(benchmark::State& stato) {
    Scena s;
    s.monitor->processi.assegna(nove());
    Pannello p(*s.monitor, s.preferenze);
    p.resize(980, 760);
    assesta(p);
    dipingi(stato, *p.scheda());
}
BENCHMARK(BM_SchedaIntestazione)->Unit(benchmark::kMicrosecond)->MeasureProcessCPUTime();

}  // namespace
