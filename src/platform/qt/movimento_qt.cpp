#include <QtGlobal>

#include "platform/movimento.h"

#if !defined(Q_OS_DARWIN)
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <atomic>
#endif

namespace pulsaro {

#if !defined(Q_OS_DARWIN)

namespace {

// What the portal said so far: each key's answer, -1 until it comes.
std::atomic<int> ridottoPortale{-1};
std::atomic<int> animazioniGnome{-1};

// One setting of the portal, asked without waiting; the answer of Read is a variant inside a variant.
void chiediPortale(const QString& spazio, const QString& chiave, std::atomic<int>& dove,
                   int (*valore)(const QVariant&)) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QDBusMessage m =
        QDBusMessage::createMethodCall("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop",
                                       "org.freedesktop.portal.Settings", "Read");
    m << spazio << chiave;
    // Only a portal that runs: one that does not is neither started nor waited for.
    m.setAutoStartService(false);
    auto* w = new QDBusPendingCallWatcher(bus.asyncCall(m, 2000), QCoreApplication::instance());
    QObject::connect(w, &QDBusPendingCallWatcher::finished, w, [&dove, valore](QDBusPendingCallWatcher* w) {
        w->deleteLater();
        const QDBusMessage r = w->reply();
        if (r.type() != QDBusMessage::ReplyMessage || r.arguments().isEmpty()) return;
        QVariant v = r.arguments().constFirst();
        while (v.canConvert<QDBusVariant>() && v.userType() == qMetaTypeId<QDBusVariant>())
            v = v.value<QDBusVariant>().variant();
        dove = valore(v);
    });
}

}  // namespace

bool movimentoRidottoDesktop() {
    // The main thread never waits for the portal: the first call asks, and windows opened once
    // the answer has come read it.
    static const bool chiesto = [] {
        if (!QCoreApplication::instance()) return false;
        // The portal's own key (1 = reduce), then GNOME's animations switch as the portal relays it.
        chiediPortale("org.freedesktop.appearance", "reduced-motion", ridottoPortale,
                      [](const QVariant& v) { return v.isValid() && v.toUInt() == 1 ? 1 : 0; });
        chiediPortale("org.gnome.desktop.interface", "enable-animations", animazioniGnome,
                      [](const QVariant& v) { return v.typeId() == QMetaType::Bool ? int(v.toBool()) : -1; });
        return true;
    }();
    (void)chiesto;
    return ridottoPortale == 1 || animazioniGnome == 0;
}

#endif

}  // namespace pulsaro
