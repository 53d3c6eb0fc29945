// A monitor fed by fake probes on a manual queue, for the panels' tests.
#pragma once

#include <QApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/preferenze.h"
#include "sampling/coda_manuale.h"
#include "sampling/monitor.h"
#include "sampling/sonde_finte.h"
#include "support/qt_app.h"

namespace pulsaro::prova {

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
        while (!blocchi.empty()) {
            auto f = std::move(blocchi.front());
            blocchi.erase(blocchi.begin());
            f();
        }
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
    bool mostra(QWidget& w);

    // One full sample published: the monitor must be sampling (a view visible).
    void campione() { avanza(monitor->intervallo() + 0.35); }
};

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

inline bool BancoPannelli::mostra(QWidget& w) {
    w.show();
    return aspetta([this] { return monitor->campionando(); });
}

}  // namespace pulsaro::prova
