// The one QApplication of a test executable, made on first use (gtest_main owns main()).
#pragma once

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include <gtest/gtest.h>

namespace pulsaro::prova {

inline void assicuraApp() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char nome[] = "test";
    static char* argv[] = {nome, nullptr};
    static QApplication* app = new QApplication(argc, argv);
    (void)app;
}

// Every test of an executable that includes this header finds the application made.
struct AmbienteQt : ::testing::Environment {
    void SetUp() override { assicuraApp(); }
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
inline void clic(QWidget& w, QPointF punto) {
    QMouseEvent premi(QEvent::MouseButtonPress, punto, w.mapToGlobal(punto), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&w, &premi);
    QMouseEvent rilascia(QEvent::MouseButtonRelease, punto, w.mapToGlobal(punto), Qt::LeftButton,
                         Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&w, &rilascia);
}

// True when the two colours differ by at most `tolleranza` in every channel.
inline bool simile(QColor a, QColor b, int tolleranza = 10) {
    return std::abs(a.red() - b.red()) <= tolleranza && std::abs(a.green() - b.green()) <= tolleranza &&
           std::abs(a.blue() - b.blue()) <= tolleranza;
}

}  // namespace pulsaro::prova
