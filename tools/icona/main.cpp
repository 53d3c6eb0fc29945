// pulsaro_icona <folder> [--iconset]: the application icon drawn from the gauge symbol, in
// white on an orange rounded square, as the PNG files of the hicolor theme
// (<folder>/hicolor/<n>x<n>/apps/<id>.png) or, with --iconset, as the files iconutil turns into
// the bundle's .icns (<folder>/Pulsaro.iconset/icon_<n>x<n>[@2x].png).
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "widgets/icona_applicazione.h"

namespace {

using pulsaro::idApplicazione;

QImage icona(int lato) {
    return pulsaro::iconaApplicazione(lato);
}

bool salva(const QImage& img, const QString& file) {
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (img.save(file)) return true;
    std::fprintf(stderr, "non scritto: %s\n", qPrintable(file));
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "uso: pulsaro_icona <cartella> [--iconset]\n");
        return 2;
    }
    const QString cartella = QString::fromLocal8Bit(argv[1]);
    if (argc > 2 && QByteArray(argv[2]) == "--iconset") {
        for (int lato : {16, 32, 128, 256, 512}) {
            const QString base = QStringLiteral("%1/Pulsaro.iconset/icon_%2x%2").arg(cartella).arg(lato);
            if (!salva(icona(lato), base + ".png") || !salva(icona(lato * 2), base + "@2x.png")) return 1;
        }
        return 0;
    }
    for (int lato : {16, 22, 24, 32, 48, 64, 128, 256, 512}) {
        const QString file =
            QStringLiteral("%1/hicolor/%2x%2/apps/%3.png").arg(cartella).arg(lato).arg(idApplicazione);
        if (!salva(icona(lato), file)) return 1;
    }
    return 0;
}
