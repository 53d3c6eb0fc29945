// The one QApplication of a test executable, made before the first test (gtest_main owns main()),
// and the pixel helpers the interface tests share.
#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QRectF>
#include <QWidget>
#include <cstdlib>

#include <gtest/gtest.h>

namespace pulsaro::prova {

inline QApplication& appQt() {
    if (auto* a = qobject_cast<QApplication*>(QCoreApplication::instance())) return *a;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "test";
    static char* argv[] = {nome, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Every test of an executable that includes this header finds the application made.
struct AmbienteQt : ::testing::Environment {
    void SetUp() override { appQt(); }
};
inline ::testing::Environment* const ambienteQt = ::testing::AddGlobalTestEnvironment(new AmbienteQt);

// The widget painted on a transparent image at its own size, device pixel ratio 1.
inline QImage dipingi(QWidget& w) {
    QImage img(w.size(), QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    w.render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

// A left click, pressed and released at the same point.
inline void clic(QWidget& w, QPointF punto, Qt::KeyboardModifiers tasti = Qt::NoModifier) {
    QMouseEvent premi(QEvent::MouseButtonPress, punto, w.mapToGlobal(punto), Qt::LeftButton, Qt::LeftButton,
                      tasti);
    QApplication::sendEvent(&w, &premi);
    QMouseEvent rilascia(QEvent::MouseButtonRelease, punto, w.mapToGlobal(punto), Qt::LeftButton,
                         Qt::NoButton, tasti);
    QApplication::sendEvent(&w, &rilascia);
}

// True when the two colours differ by at most `tolleranza` in every colour channel.
inline bool simile(QColor a, QColor b, int tolleranza = 10) {
    return std::abs(a.red() - b.red()) <= tolleranza && std::abs(a.green() - b.green()) <= tolleranza &&
           std::abs(a.blue() - b.blue()) <= tolleranza;
}

// The same, alpha included.
inline bool vicino(const QColor& a, const QColor& b, int tolleranza = 2) {
    return simile(a, b, tolleranza) && std::abs(a.alpha() - b.alpha()) <= tolleranza;
}

// Pixels of the given colour inside a logical rectangle of the image.
inline int conta(const QImage& img, const QRectF& zona, const QColor& colore, int tolleranza = 8) {
    const qreal d = img.devicePixelRatio();
    int n = 0;
    for (int y = static_cast<int>(zona.top() * d); y < static_cast<int>(zona.bottom() * d); ++y)
        for (int x = static_cast<int>(zona.left() * d); x < static_cast<int>(zona.right() * d); ++x)
            if (vicino(img.pixelColor(x, y), colore, tolleranza)) ++n;
    return n;
}

}  // namespace pulsaro::prova
