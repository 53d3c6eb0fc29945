#include "platform/qt/oscuramento.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#if !defined(Q_OS_DARWIN)
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace pulsaro {

namespace {

#if !defined(Q_OS_DARWIN)
xcb_connection_t* connessioneX() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app || QGuiApplication::platformName() != QLatin1String("xcb")) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}
#endif

}  // namespace

Oscuramento::Oscuramento(std::function<void()> cambiato) : cambiato_(std::move(cambiato)) {
    if (QCoreApplication::instance()) QCoreApplication::instance()->installNativeEventFilter(this);
}

Oscuramento::~Oscuramento() {
    if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
}

void Oscuramento::osservaId(quintptr id) {
    if (id == id_) return;
    id_ = id;
    coperta_ = false;
}

void Oscuramento::osserva(QWindow* finestra) {
#if !defined(Q_OS_DARWIN)
    xcb_connection_t* c = connessioneX();
    if (!c) return;  // not on X11: nothing will tell
    // Only a window the platform has made: asking for its id would make it.
    if (!finestra || !finestra->handle()) {
        osservaId(0);
        return;
    }
    const auto id = static_cast<xcb_window_t>(finestra->winId());
    if (id == id_) return;
    // Qt chose the window's events: ours are added to them, not put in their place.
    const xcb_get_window_attributes_cookie_t richiesta = xcb_get_window_attributes(c, id);
    xcb_get_window_attributes_reply_t* attributi = xcb_get_window_attributes_reply(c, richiesta, nullptr);
    if (!attributi) {
        osservaId(0);
        return;
    }
    const std::uint32_t eventi = attributi->your_event_mask | XCB_EVENT_MASK_VISIBILITY_CHANGE;
    std::free(attributi);
    xcb_change_window_attributes(c, id, XCB_CW_EVENT_MASK, &eventi);
    xcb_flush(c);
    osservaId(id);
#else
    (void)finestra;
#endif
}

bool Oscuramento::nativeEventFilter(const QByteArray& tipo, void* messaggio, qintptr*) {
#if !defined(Q_OS_DARWIN)
    if (id_ == 0 || tipo != "xcb_generic_event_t" || !messaggio) return false;
    const auto* e = static_cast<const xcb_generic_event_t*>(messaggio);
    if ((e->response_type & 0x7f) != XCB_VISIBILITY_NOTIFY) return false;
    const auto* v = reinterpret_cast<const xcb_visibility_notify_event_t*>(e);
    if (v->window != id_) return false;
    const bool coperta = v->state == XCB_VISIBILITY_FULLY_OBSCURED;
    if (coperta != coperta_) {
        coperta_ = coperta;
        if (cambiato_) cambiato_();
    }
#else
    (void)tipo;
    (void)messaggio;
#endif
    return false;  // Qt may want the event too
}

}  // namespace pulsaro
