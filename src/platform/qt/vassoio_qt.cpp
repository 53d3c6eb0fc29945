#include "platform/qt/vassoio_qt.h"

#include <QCoreApplication>
#include <QTimer>
#include <optional>

#if defined(Q_OS_DARWIN)
#include <QSystemTrayIcon>
#else
#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <cstdlib>
#include <string>

#include "platform/qt/x11.h"
#endif

namespace pulsaro {

void PresenzaVassoio::imposta(bool presente) {
    if (risposto_ && presente == presente_) return;
    risposto_ = true;
    presente_ = presente;
    emit cambiata(presente);
}

namespace {

#if defined(Q_OS_DARWIN)

// The menu bar is always there.
class PresenzaMac final : public PresenzaVassoio {
public:
    PresenzaMac() {
        QTimer::singleShot(0, this, [this] { imposta(QSystemTrayIcon::isSystemTrayAvailable()); });
    }
};

std::unique_ptr<PresenzaVassoio> crea() {
    return std::make_unique<PresenzaMac>();
}

#else

constexpr auto osservatoreSni = "org.kde.StatusNotifierWatcher";

// The screen number of $DISPLAY ("host:0.1" is screen 1), as the X library reads it.
int numeroSchermo() {
    const QByteArray d = qgetenv("DISPLAY");
    const int duepunti = d.lastIndexOf(':');
    const int punto = d.indexOf('.', duepunti < 0 ? 0 : duepunti);
    return punto < 0 ? 0 : std::atoi(d.constData() + punto + 1);
}

xcb_atom_t atomo(xcb_connection_t* c, xcb_intern_atom_cookie_t richiesta) {
    xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, richiesta, nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(r);
    return a;
}

class PresenzaDiSistema final : public PresenzaVassoio, public QAbstractNativeEventFilter {
public:
    PresenzaDiSistema() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        if (bus.isConnected()) {
            auto* guardia =
                new QDBusServiceWatcher(osservatoreSni, bus, QDBusServiceWatcher::WatchForOwnerChange, this);
            connect(guardia, &QDBusServiceWatcher::serviceOwnerChanged, this,
                    [this](const QString&, const QString&, const QString& nuovo) {
                        sni_ = !nuovo.isEmpty();
                        aggiorna();
                    });
            QDBusMessage m = QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                                            "org.freedesktop.DBus", "NameHasOwner");
            m << QString::fromLatin1(osservatoreSni);
            // The bus itself answers, whatever state the watcher's owner is in.
            auto* attesa = new QDBusPendingCallWatcher(bus.asyncCall(m), this);
            connect(attesa, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* w) {
                w->deleteLater();
                const QDBusPendingReply<bool> r = *w;
                sni_ = !r.isError() && r.value();
                aggiorna();
            });
        } else {
            sni_ = false;
        }
        x_ = false;
        c_ = connessioneX();
        if (c_) {
            const std::string nome = "_NET_SYSTEM_TRAY_S" + std::to_string(numeroSchermo());
            const auto s = xcb_intern_atom(c_, 0, static_cast<std::uint16_t>(nome.size()), nome.data());
            const auto m = xcb_intern_atom(c_, 0, 7, "MANAGER");
            selezione_ = atomo(c_, s);
            manager_ = atomo(c_, m);
            auto radici = xcb_setup_roots_iterator(xcb_get_setup(c_));
            for (int n = numeroSchermo(); n > 0 && radici.rem > 1; --n) xcb_screen_next(&radici);
            // A new tray announces itself to the root window's structure listeners.
            if (radici.rem > 0 && aggiungiEventiX(c_, radici.data->root, XCB_EVENT_MASK_STRUCTURE_NOTIFY)) {
                QCoreApplication::instance()->installNativeEventFilter(this);
                cerca();
            }
        }
        // Told after the caller has connected.
        QTimer::singleShot(0, this, [this] {
            avviata_ = true;
            aggiorna();
        });
    }

    ~PresenzaDiSistema() override {
        if (c_) QCoreApplication::instance()->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& tipo, void* messaggio, qintptr*) override {
        if (tipo != "xcb_generic_event_t" || !messaggio) return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(messaggio);
        switch (e->response_type & 0x7f) {
            case XCB_CLIENT_MESSAGE: {
                const auto* m = reinterpret_cast<const xcb_client_message_event_t*>(e);
                if (m->type == manager_ && m->format == 32 && m->data.data32[1] == selezione_) cerca();
                break;
            }
            case XCB_DESTROY_NOTIFY:
                if (proprietario_ &&
                    reinterpret_cast<const xcb_destroy_notify_event_t*>(e)->window == proprietario_)
                    cerca();
                break;
            default:
                break;
        }
        return false;
    }

private:
    // The selection's owner now, followed until its window goes.
    void cerca() {
        proprietario_ = XCB_WINDOW_NONE;
        for (int tentativo = 0; tentativo < 2 && selezione_ != XCB_ATOM_NONE; ++tentativo) {
            xcb_get_selection_owner_reply_t* r =
                xcb_get_selection_owner_reply(c_, xcb_get_selection_owner(c_, selezione_), nullptr);
            const xcb_window_t w = r ? r->owner : xcb_window_t{XCB_WINDOW_NONE};
            std::free(r);
            // Gone between the two requests: asked once more.
            if (w == XCB_WINDOW_NONE || aggiungiEventiX(c_, w, XCB_EVENT_MASK_STRUCTURE_NOTIFY)) {
                proprietario_ = w;
                break;
            }
        }
        x_ = proprietario_ != XCB_WINDOW_NONE;
        aggiorna();
    }

    void aggiorna() {
        if (!avviata_) return;
        if ((sni_ && *sni_) || (x_ && *x_))
            imposta(true);
        else if (sni_ && x_)
            imposta(false);
    }

    std::optional<bool> sni_;
    std::optional<bool> x_;
    xcb_connection_t* c_ = nullptr;
    xcb_atom_t selezione_ = XCB_ATOM_NONE;
    xcb_atom_t manager_ = XCB_ATOM_NONE;
    xcb_window_t proprietario_ = XCB_WINDOW_NONE;
    bool avviata_ = false;
};

std::unique_ptr<PresenzaVassoio> crea() {
    return std::make_unique<PresenzaDiSistema>();
}

#endif

}  // namespace

std::unique_ptr<PresenzaVassoio> presenzaVassoioDiSistema() {
    return crea();
}

}  // namespace pulsaro
