#include <QtGlobal>

#if !defined(Q_OS_DARWIN)
#include "platform/qt/x11.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cstdlib>

namespace pulsaro {

xcb_connection_t* connessioneX() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

bool aggiungiEventiX(xcb_connection_t* c, xcb_window_t finestra, std::uint32_t eventi) {
    // The events are chosen per client and window: setting ours alone would drop Qt's.
    xcb_get_window_attributes_reply_t* attributi =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, finestra), nullptr);
    if (!attributi) return false;
    const std::uint32_t tutti = attributi->your_event_mask | eventi;
    std::free(attributi);
    xcb_change_window_attributes(c, finestra, XCB_CW_EVENT_MASK, &tutti);
    xcb_flush(c);
    return true;
}

}  // namespace pulsaro
#endif
