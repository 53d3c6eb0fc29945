// pulsaro_icona <folder> [--iconset]: the application icon drawn from the gauge symbol, in
// white on an orange rounded square, as the PNG files of the hicolor theme
// (<folder>/hicolor/<n>x<n>/apps/<id>.png) or, with --iconset, as the files iconutil turns into
// the bundle's .icns (<folder>/Pulsaro.iconset/icon_<n>x<n>[@2x].png).
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>

#include "widgets/simboli.h"

namespace {

constexpr const char* idApplicazione = "it.pulsaro.Pulsaro";

// Drawn afresh at each size, so that small sizes stay crisp rather than scaled down.
QImage icona(int lato) {
    QImage img(lato, lato, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // The usual margin of desktop icons: the square fills 7/8 of the canvas from 32 px up.
    const qreal margine = lato >= 32 ? lato / 16.0 : 0.0;
    const QRectF quadro(margine, margine, lato - 2 * margine, lato - 2 * margine);
    QLinearGradient sfumatura(quadro.topLeft(), quadro.bottomLeft());
    sfumatura.setColorAt(0.0, QColor(0xF0, 0xA2, 0x6C));
    sfumatura.setColorAt(1.0, QColor(0xD0, 0x74, 0x38));  // the tile's orange E08A4F in between
    QPainterPath forma;
    forma.addRoundedRect(quadro, quadro.width() * 0.225, quadro.height() * 0.225);
    p.fillPath(forma, sfumatura);
    const qreal lato_simbolo = quadro.width() * (lato <= 24 ? 0.78 : 0.66);
    const QRectF r(quadro.center().x() - lato_simbolo / 2, quadro.center().y() - lato_simbolo / 2,
                   lato_simbolo, lato_simbolo);
    pulsaro::disegnaSimbolo(p, pulsaro::Simbolo::contagiri, r, Qt::white);
    p.end();
    return img;
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
