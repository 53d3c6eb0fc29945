// One entry point for every benchmark of the interface: off screen unless told otherwise, on a
// screen the size of a small laptop's (1470 × 956 points), so that the main window opens as tall as
// its content asks, as on a real desktop, instead of being cut to the offscreen default.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryFile>

int main(int argc, char** argv) {
    QTemporaryFile schermo;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        QByteArray piattaforma = "offscreen";
        if (schermo.open()) {
            schermo.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1470, "height": 956,
                             "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
            schermo.flush();
            piattaforma += ":configfile=" + schermo.fileName().toLocal8Bit();
        }
        qputenv("QT_QPA_PLATFORM", piattaforma);
    }
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
