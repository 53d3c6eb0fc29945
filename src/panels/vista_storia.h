// The main window's history mode: a range picker and the time graphs of CPU with its busy cores,
// memory, GPU with its power and the Neural Engine's active periods, fed by the monitor's history.
#pragma once

#include <QWidget>
#include <vector>

#include "platform/abbonamento.h"
#include "widgets/grafico_storia.h"

namespace pulsaro {

class Monitor;
class SelettoreSegmentato;

class VistaStoria : public QWidget {
public:
    explicit VistaStoria(Monitor& monitor, QWidget* padre = nullptr);

    void impostaIntervallo(Intervallo i);
    SelettoreSegmentato* selettore() const { return selettore_; }
    const std::vector<GraficoStoria*>& grafici() const { return grafici_; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void nuovoCampione();

    Monitor& monitor_;
    SelettoreSegmentato* selettore_ = nullptr;
    std::vector<GraficoStoria*> grafici_;
    Abbonamento abbonamento_;
};

}  // namespace pulsaro
