#include "platform/qt/fatti_desktop_qt.h"

#include <QGuiApplication>
#include <QPalette>
#include <QSessionManager>
#include <QTimer>
#include <algorithm>

namespace pulsaro {

FattiDesktopQt::FattiDesktopQt(const std::vector<std::string>& argomenti)
    : daLogin_(std::find(argomenti.begin(), argomenti.end(), argomentoLogin) != argomenti.end()) {
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        // Sent by the session manager when the session ends (logout, restart, shutdown).
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) {
            fineSessione_ = true;
            if (spegnimento_) spegnimento_();
        });
    }
}

void FattiDesktopQt::quandoSpegnimento(std::function<void()> f) {
    spegnimento_ = std::move(f);
}

void FattiDesktopQt::quandoAvviata(std::function<void()> f) {
    QTimer::singleShot(0, this, std::move(f));
}

bool FattiDesktopQt::aspettoScuro() const {
    return QGuiApplication::palette().color(QPalette::Window).lightness() < 128;
}

#if !defined(Q_OS_DARWIN)
bool schermoDisponibile() {
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

void preparaFattiDesktop() {
    // A Wayland session does not let a window place itself; through XWayland the popover can.
    // The user's own choice of platform stands.
    if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && !qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "xcb;wayland");
    // A dial's frame repaints a few small rectangles. Through X shared memory every such repaint
    // waits for the server to finish reading the previous one (a round trip, two thread wake-ups);
    // the same pixels sent over the socket cost less. The user's own choice stands.
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
}

std::unique_ptr<FattiDesktop> fattiDesktopDiSistema(const std::vector<std::string>& argomenti) {
    return std::make_unique<FattiDesktopQt>(argomenti);
}
#endif

}  // namespace pulsaro
