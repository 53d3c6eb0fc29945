// gtest_main owns main(): the Qt application is made on first use and lives to the end.
#pragma once

#include <QApplication>

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

}  // namespace pulsaro::prova
