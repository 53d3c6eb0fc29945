// The controller and the monitor on the real sampling queue and the real preferences store: the
// number of processes changes while samples run, and the store is only ever touched on the main
// thread. Under ThreadSanitizer this is the run that would show a race between the two threads.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "finti_shell.h"
#include "platform/qt/preferenze_qt.h"
#include "platform/tabella_preferenze.h"
#include "sampling/coda_seriale.h"
#include "sampling/sonde_finte.h"
#include "shell/finestre.h"
#include "support/qt_app.h"

using namespace pulsaro;
namespace TP = pulsaro::TabellaPreferenze;

namespace {

// The real store, counting every read made off the thread that created it.
class PreferenzeSorvegliate : public Preferenze {
public:
    explicit PreferenzeSorvegliate(const QString& file)
        : vera_(file), inoltro_(vera_.osserva([this](const std::string& k) { annuncia(k); })) {}
    std::optional<ValorePreferenza> valore(const std::string& chiave) const override {
        if (std::this_thread::get_id() != principale_) ++fuoriPosto;
        return vera_.valore(chiave);
    }
    void scrivi(const std::string& chiave, const ValorePreferenza& v) override { vera_.scrivi(chiave, v); }
    void rimuovi(const std::string& chiave) override { vera_.rimuovi(chiave); }

    mutable std::atomic<int> fuoriPosto{0};

private:
    PreferenzeQt vera_;
    Abbonamento inoltro_;
    std::thread::id principale_ = std::this_thread::get_id();
};

}  // namespace

TEST(FiloDellePreferenze, IlMotoreRiceveIlNumeroSulSuoFiloESoloIlPrincipaleLeggeLoStore) {
    QTemporaryDir cartella;
    ASSERT_TRUE(cartella.isValid());
    PreferenzeSorvegliate preferenze(cartella.filePath(QStringLiteral("Pulsaro.conf")));
    // Declared before the queue, which may still hand a block over while it stops. Handed over under a lock
    // the sanitizer sees (Qt's own event queue locks are not instrumented).
    std::mutex mutex;
    std::vector<std::function<void()>> blocchi;
    prova::SondeFinte sonde;
    for (int i = 2; i <= 40; ++i) sonde.lista[i] = {double(i), 4096, "p"};
    prova::DesktopFinto desktop;
    CodaSeriale coda("pulsaro.prova");

    ComponentiFinestre c;
    c.sonde = &sonde;
    c.coda = &coda;
    c.principale = [&](std::function<void()> f) {
        std::lock_guard l(mutex);
        blocchi.push_back(std::move(f));
    };
    c.preferenze = &preferenze;
    c.desktop = &desktop;
    Finestre finestre(std::move(c));
    auto* monitor = &finestre.monitor();
    monitor->impostaIntervallo(0.02);
    auto interesse = monitor->interesse();

    auto attendi = [&](std::size_t n) {
        const auto fine = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < fine) {
            std::vector<std::function<void()>> pronti;
            {
                std::lock_guard l(mutex);
                pronti.swap(blocchi);
            }
            for (auto& f : pronti) f();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            if (monitor->processi().size() == n) return true;
        }
        return false;
    };
    ASSERT_TRUE(attendi(9));
    for (std::int64_t n : {3, 30, 8, 12}) {
        TP::numeroPannelli.scrivi(preferenze, n);
        EXPECT_TRUE(attendi(static_cast<std::size_t>(n))) << n << " kept " << monitor->processi().size();
    }
    interesse.finisci();
    EXPECT_EQ(preferenze.fuoriPosto.load(), 0);
}
