#include "widgets/grafico_storia.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QKeyEvent>

#include "support/qt_app.h"

using namespace pulsaro;

namespace {

Coda::Istante istante(double s) {
    return Coda::Istante(
        std::chrono::duration_cast<Coda::Istante::duration>(std::chrono::duration<double>(s)));
}

// Three hours of a sample every 2 s: CPU at 10 %, but at 90 % through minute 100, when cc1plus is
// the heaviest process; the wall clock reads 00:00 at the first sample.
class GraficoStoriaTest : public ::testing::Test {
protected:
    void SetUp() override {
        prova::appQt();
        for (double t = 0; t < 3 * 3600; t += 2) aggiungi(t);
    }
    void aggiungi(double t) {
        const bool picco = static_cast<int>(t / 60) == 100;
        Misure m;
        m.imposta(Figura::cpu, picco ? 90 : 10);
        storia.aggiungi(istante(t0 + t), m);
        if (picco) storia.pesante(istante(t0 + t), 42, "cc1plus", 80);
    }
    std::unique_ptr<GraficoStoria> cpu() {
        auto g = std::make_unique<GraficoStoria>(
            QStringLiteral("CPU"),
            std::vector<SerieGrafico>{
                {Figura::cpu, QStringLiteral("CPU"), Tema::control, SerieGrafico::Stile::area, 100}},
            storia);
        g->resize(600, g->sizeHint().height());
        return g;
    }
    const double t0 = 600000;  // on a minute
    const double scarto =
        static_cast<double>(QDateTime(QDate(2026, 12, 7), QTime(0, 0)).toSecsSinceEpoch()) - t0;
    Storia storia;
};

}  // namespace

TEST_F(GraficoStoriaTest, ColonneRiassuntoEMarcatore) {
    const double fine = t0 + 3 * 3600;
    const auto cpuIn = [](const auto& colonna) {
        return colonna.valori[static_cast<std::size_t>(Figura::cpu)];
    };
    // A day at one column a minute: the peak's minute alone reads 90, every minute has its value.
    const auto giorno = colonne(storia, Intervallo::giorno, fine, 1440);
    EXPECT_EQ(cpuIn(giorno[1440 - 180 + 100]).massimo, 90);
    EXPECT_EQ(cpuIn(giorno[1440 - 180 + 100]).minimo, 90);
    ASSERT_NE(giorno[1440 - 180 + 100].minuto, nullptr);
    EXPECT_EQ(giorno[1440 - 180 + 100].minuto->pesante->testo(), "cc1plus");
    EXPECT_EQ(cpuIn(giorno[1440 - 181]).n, 0) << "before the first sample";
    EXPECT_NEAR(cpuIn(giorno[1439]).media(), 10, 1e-6);
    // Ten minutes at a column a second: a sample every 2 s leaves no column empty.
    const auto dieci = colonne(storia, Intervallo::dieciMinuti, fine, 600);
    for (std::size_t x = 1; x + 1 < dieci.size(); ++x) EXPECT_EQ(cpuIn(dieci[x]).n, 1) << x;

    auto grafico = cpu();
    GraficoStoria& g = *grafico;
    g.impostaIntervallo(Intervallo::giorno);
    g.nuovoCampione(fine, scarto);
    EXPECT_EQ(g.accessibleDescription(),
              "CPU nelle ultime 24 ore: media 10 %, massimo 90 % alle 01:40, cc1plus");
    g.impostaIntervallo(Intervallo::dieciMinuti);
    EXPECT_EQ(g.accessibleDescription(), "CPU negli ultimi 10 minuti: media 10 %, massimo 10 % alle 02:50");

    g.impostaIntervallo(Intervallo::ora);
    g.show();
    QCoreApplication::processEvents();
    auto tasto = [&](int k) {
        QKeyEvent e(QEvent::KeyPress, k, Qt::NoModifier);
        QApplication::sendEvent(&g, &e);
    };
    tasto(Qt::Key_End);  // the newest sample's column
    ASSERT_TRUE(g.marcatore().has_value());
    const int ultima = *g.marcatore();
    tasto(Qt::Key_Left);
    EXPECT_EQ(*g.marcatore(), ultima - 1);
    // The marker's text is announced as the graph's name.
    EXPECT_TRUE(g.accessibleName().startsWith(QStringLiteral("CPU: 02:5")))
        << g.accessibleName().toStdString();
    EXPECT_TRUE(g.accessibleName().endsWith(QStringLiteral("CPU 10 %"))) << g.accessibleName().toStdString();
    tasto(Qt::Key_Escape);
    EXPECT_FALSE(g.marcatore().has_value());
    EXPECT_EQ(g.accessibleName(), "CPU");
}
