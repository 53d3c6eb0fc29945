// A changing load for measurements (scripts/misura.sh): children that each burn a core for 0.3 to
// 1.2 s, then a rest of up to 0.9 s, again and again; the same sequence at every run.
// pulsaro_bruciatore [seconds, default: until stopped]
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <random>

namespace {

// One child's work: the core is busy until the time is up.
int brucia(qint64 ms) {
    QElapsedTimer t;
    t.start();
    volatile double x = 0;
    while (t.elapsed() < ms)
        for (int i = 0; i < 100000; ++i) x = x + i * 1e-9;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList a = QCoreApplication::arguments();
    if (a.size() > 2 && a[1] == QLatin1String("--brucia")) return brucia(a[2].toLongLong());

    const double durata = a.size() > 1 ? a[1].toDouble() : 0;
    std::mt19937 caso(21);
    std::uniform_int_distribution<int> lavoro(300, 1200), riposo(0, 900);
    QElapsedTimer t;
    t.start();
    while (durata <= 0 || t.elapsed() < durata * 1000) {
        QProcess figlio;
        figlio.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--brucia"), QString::number(lavoro(caso))});
        figlio.waitForFinished(-1);
        QThread::msleep(static_cast<unsigned long>(riposo(caso)));
    }
    return 0;
}
