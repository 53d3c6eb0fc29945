// A monitor fed by fake probes on a manual queue, for the panels' tests.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QThread>
#include <QVBoxLayout>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "panels/pannello.h"
#include "platform/preferenze.h"
#include "sampling/coda_manuale.h"
#include "sampling/monitor.h"
#include "sampling/sonde_finte.h"
#include "support/qt_app.h"
#include "widgets/vista_barre.h"

namespace pulsaro::prova {

// Lets the event loop run until `fatto` holds or a second has passed.
inline bool aspetta(const std::function<bool()>& fatto, int ms = 1000) {
    QElapsedTimer t;
    t.start();
    while (!fatto()) {
        if (t.elapsed() > ms) return false;
        QApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

struct BancoPannelli {
    SondeFinte sonde;
    CodaManuale coda;
    PreferenzeInMemoria preferenze;
    std::vector<std::function<void()>> blocchi;
    std::shared_ptr<Monitor> monitor;

    BancoPannelli() {
        appQt();
        monitor =
            Monitor::crea(sonde, coda, [this](std::function<void()> f) { blocchi.push_back(std::move(f)); });
        drena();
    }

    // Runs what the queue handed to the main thread.
    void drena() {
        for (std::size_t i = 0; i < blocchi.size(); ++i) std::exchange(blocchi[i], {})();
        blocchi.clear();
    }
    void avanza(double secondi) {
        coda.avanza(secondi);
        drena();
    }

    // n processes "p1" … with pids 101 …, idle, heavier in memory the earlier they come, so the
    // monitor lists them in this order.
    void processi(int n) {
        sonde.lista.clear();
        for (int i = 0; i < n; ++i)
            sonde.lista[101 + i] = {1.0, static_cast<std::uint64_t>(n - i) << 20,
                                    "p" + std::to_string(i + 1)};
    }

    // Shows w and waits until the monitor hears that it is on screen.
    bool mostra(QWidget& w) {
        w.show();
        return aspetta([this] { return monitor->campionando(); });
    }

    // One full sample published: the monitor must be sampling (a view visible).
    void campione() { avanza(monitor->intervallo() + 0.35); }
};

// A key pressed without modifiers, sent so that shortcuts are tried too.
inline void tasto(QWidget* w, int k) {
    QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
    QApplication::sendEvent(w, &e);
}

// The main window as the controller makes it: the panel in a window's layout.
struct BancoPrincipale : BancoPannelli {
    std::unique_ptr<QWidget> finestra = std::make_unique<QWidget>();
    Pannello* pannello = nullptr;

    Pannello& crea() {
        pannello = new Pannello(*monitor, preferenze, finestra.get());
        auto* l = new QVBoxLayout(finestra.get());
        l->setContentsMargins(0, 0, 0, 0);
        l->addWidget(pannello);
        finestra->resize(900, 580);
        return *pannello;
    }
    // Made, on screen, with the processes the probes have now in its list.
    Pannello& apri() {
        crea();
        EXPECT_TRUE(mostra(*finestra));
        avanza(0.35);
        return *pannello;
    }
    void clicRiga(int i) { clic(*pannello->barre(), pannello->barre()->rettangoloRiga(i).center()); }
};

}  // namespace pulsaro::prova
