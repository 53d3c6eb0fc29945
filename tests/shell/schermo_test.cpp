// The main window on the screen it lands on: never past the screen's available area, whatever
// the saved frame or the number of rows. These run on the default offscreen screen and again on
// screens of 800 × 600 and 1440 × 900 (registered a second and third time in CMake).
#include <QElapsedTimer>
#include <QScreen>
#include <QThread>

#include "banco_finestre.h"
#include "panels/pannello.h"
#include "shell/cornice_finestra.h"

namespace pulsaro::prova {
namespace {

class Schermo : public BancoFinestre {
protected:
    QRect area() const { return QGuiApplication::primaryScreen()->availableGeometry(); }

    // Lets the event loop run until `fatto` holds or two seconds have passed, running what the
    // sampling queue hands to the main thread.
    bool aspetta(const std::function<bool()>& fatto) {
        QElapsedTimer t;
        t.start();
        while (!fatto()) {
            if (t.elapsed() > 2000) return false;
            for (auto& f : std::exchange(blocchi, {})) f();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
            QThread::msleep(5);
        }
        return true;
    }
    // The window's frame once it has stopped moving (the panel fits it over 0.2 s).
    QRect cornice() {
        QWidget* p = finestre->principale();
        QRect prima;
        aspetta([&] {
            const QRect ora = p->frameGeometry();
            const bool ferma = ora == prima;
            prima = ora;
            QThread::msleep(60);
            return ferma;
        });
        return p->frameGeometry();
    }
};

TEST_F(Schermo, LaFinestraPrincipaleEUnaCorniceSalvataSuUnoSchermoPiuGrandeStannoDentro) {
    avvia();
    EXPECT_TRUE(area().contains(cornice())) << "centred";
    // Saved at 1000 × 900 near the right edge of a larger screen.
    const QRect salvata(area().right() - 300, area().top() + 40, 1000, 900);
    const int altezza = QGuiApplication::primaryScreen()->geometry().height();
    preferenze.scrivi(chiaveCornicePrincipale, testoCornice({salvata, QRect(0, 0, 2560, 1440)}, altezza));
    avvia();
    const QRect c = cornice();
    EXPECT_TRUE(area().contains(c)) << c.x() << "," << c.y() << " " << c.width() << "×" << c.height();
    EXPECT_EQ(c.width(), std::min(1000, area().width()));
    finestre->principale()->resize(5000, 5000);
    gira();
    EXPECT_TRUE(area().contains(cornice()));
}

TEST_F(Schermo, QuindiciRigheNonPassanoIlFondo) {
    creaPannello = [](Monitor& m, Preferenze& p, QWidget* padre) -> QWidget* {
        return new Pannello(m, p, padre);
    };
    preferenze.scrivi("numeroPannelli", std::int64_t{15});
    sonde.lista.clear();
    for (int i = 0; i < 30; ++i)
        sonde.lista[101 + i] = {1.0, static_cast<std::uint64_t>(30 - i) << 20, "p" + std::to_string(i + 1)};
    avvia();
    ASSERT_NE(finestre->principale(), nullptr);
    auto* pannello = finestre->principale()->findChild<Pannello*>();
    ASSERT_NE(pannello, nullptr);
    ASSERT_TRUE(aspetta([&] { return finestre->monitor().campionando(); }));
    coda.avanza(0.35);
    coda.avanza(finestre->monitor().intervallo());
    ASSERT_TRUE(aspetta([&] { return finestre->monitor().processi().size() == 15; }));
    ASSERT_TRUE(aspetta([&] { return pannello->altezzaMisurata() > 0; }));
    const QRect c = cornice();
    EXPECT_TRUE(area().contains(c)) << c.x() << "," << c.y() << " " << c.width() << "×" << c.height()
                                    << " on " << area().width() << "×" << area().height();
}

}  // namespace
}  // namespace pulsaro::prova
