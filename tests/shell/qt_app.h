// gtest_main owns main(): the Qt application is made on first use and lives to the end.
#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QRectF>
#include <cstdlib>

#include <gtest/gtest.h>

namespace pulsaro::prova {

inline QApplication& appQt() {
    if (auto* a = qobject_cast<QApplication*>(QCoreApplication::instance())) return *a;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "test_shell";
    static char* argv[] = {nome, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Every test of an executable that includes this header finds the application made.
struct AmbienteQt : ::testing::Environment {
    void SetUp() override { appQt(); }
};
inline ::testing::Environment* const ambienteQt = ::testing::AddGlobalTestEnvironment(new AmbienteQt);

// Every channel, alpha included, within `tolleranza`.
inline bool vicino(const QColor& a, const QColor& b, int tolleranza = 2) {
    return std::abs(a.red() - b.red()) <= tolleranza && std::abs(a.green() - b.green()) <= tolleranza &&
           std::abs(a.blue() - b.blue()) <= tolleranza && std::abs(a.alpha() - b.alpha()) <= tolleranza;
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
