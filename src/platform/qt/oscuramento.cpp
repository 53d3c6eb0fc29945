#include "platform/qt/oscuramento.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWindow>

#if !defined(Q_OS_DARWIN)
#include "platform/qt/x11.h"
#endif

namespace pulsaro {

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
    if (!aggiungiEventiX(c, id, XCB_EVENT_MASK_VISIBILITY_CHANGE)) {
        osservaId(0);
        return;
    }
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
