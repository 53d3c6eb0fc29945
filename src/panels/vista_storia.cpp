#include "panels/vista_storia.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "sampling/monitor.h"
#include "widgets/selettore_segmentato.h"
#include "widgets/tema.h"

namespace pulsaro {

VistaStoria::VistaStoria(Monitor& monitor, QWidget* padre) : QWidget(padre), monitor_(monitor) {
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(10);
    QStringList intervalli;
    for (Intervallo i : tuttiGliIntervalli) intervalli << testoIntervallo(i);
    selettore_ = new SelettoreSegmentato(intervalli, this);
    selettore_->setFixedWidth(240);
    selettore_->setAccessibleName(QStringLiteral("Intervallo della storia"));
    selettore_->setCambiata(
        [this](int i) { impostaIntervallo(tuttiGliIntervalli[static_cast<std::size_t>(i)]); });
    v->addWidget(selettore_, 0, Qt::AlignLeft);

    using S = SerieGrafico::Stile;
    const Macchina& m = monitor_.macchina();
    std::vector<SerieGrafico> cpu{{Figura::cpu, QStringLiteral("CPU"), Tema::control, S::area, 100}};
    if (m.numeroE > 0) {
        cpu.push_back({Figura::coreP, QStringLiteral("core P"), Tema::orange, S::linea, double(m.numeroP)});
        cpu.push_back({Figura::coreE, QStringLiteral("core E"), Tema::green, S::linea, double(m.numeroE)});
    } else {
        cpu.push_back(
            {Figura::coreP, QStringLiteral("core"), Tema::orange, S::linea, double(std::max(1, m.numeroP))});
    }
    const Storia& s = monitor_.storia();
    grafici_ = {
        new GraficoStoria(QStringLiteral("CPU"), std::move(cpu), s, this),
        new GraficoStoria(QStringLiteral("Memoria"),
                          {{Figura::memoria, QStringLiteral("in uso"), Tema::control, S::area, 100}}, s,
                          this),
        new GraficoStoria(QStringLiteral("GPU"),
                          {{Figura::gpu, QStringLiteral("GPU"), Tema::control, S::area, 100},
                           {Figura::gpuWatt, QStringLiteral("potenza"), Tema::orange, S::linea, 0}},
                          s, this),
        new GraficoStoria(QStringLiteral("Neural Engine"),
                          {{Figura::ane, QStringLiteral("attivo"), Tema::green, S::periodi, 100},
                           {Figura::aneWatt, QStringLiteral("potenza"), Tema::orange, S::linea, 0}},
                          s, this),
    };
    for (auto* g : grafici_) v->addWidget(g);
    abbonamento_ = monitor_.osservaStoria([this] {
        // Hidden, the graphs catch up when shown.
        if (isVisible()) nuovoCampione();
    });
}

void VistaStoria::impostaIntervallo(Intervallo i) {
    selettore_->setScelta(static_cast<int>(i));
    for (auto* g : grafici_) g->impostaIntervallo(i);
}

void VistaStoria::nuovoCampione() {
    const double ora = Storia::secondi(monitor_.ora());
    const double scarto = static_cast<double>(QDateTime::currentMSecsSinceEpoch()) / 1000.0 - ora;
    for (auto* g : grafici_) g->nuovoCampione(ora, scarto);
}

void VistaStoria::showEvent(QShowEvent* e) {
    nuovoCampione();
    QWidget::showEvent(e);
}

}  // namespace pulsaro
